#include "platform/ui/TypedChoice.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QWidget>
#include <memory>

#include "platform/ui/Messages.h"

namespace ui {

namespace {

// Shows a choice in the box: a drop-down shows it with no item of its list selected and runs no
// Click, so that a later pick of that item is a Click again.
void showChoice(QComboBox* box, const QString& text) {
    {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(-1);
    }
    box->setEditText(text);
}

void showChoice(QLineEdit* box, const QString& text) { box->setText(text); }

QString textOf(const QComboBox* box) { return box->currentText(); }
QString textOf(const QLineEdit* box) { return box->text(); }

template <class Box>
void settle(Box* box, const TypedChoice& choice) {
    const QString typed = textOf(box);
    const QString onScreen = choice.shown();
    if (typed == onScreen && !choice.takeUnchanged) return;
    const std::optional<QString> named = choice.named(typed);
    if (!named) {
        showChoice(box, onScreen);
        msgBox(choice.refusal(typed), Buttons::OK, QStringLiteral("Error"));
        giveFocus(box);
        // Once the box has been left (the focus-out under way ends by showing its text from
        // the start), its text is selected again, so that what the user types next replaces it.
        QTimer::singleShot(0, box, [box] {
            if (box->window()->focusWidget() == box) giveFocus(box);
        });
        return;
    }
    if (*named != typed) showChoice(box, *named);
    if (*named != onScreen || choice.takeUnchanged) choice.take();
}

template <class Box>
void hook(Box* box, TypedChoice choice) {
    auto shared = std::make_shared<TypedChoice>(std::move(choice));
    onKeyPress(box, [box, shared](int& key) {
        if (key != 13) return;
        key = 0;
        settle(box, *shared);
    });
    onLostFocus(box, [box, shared] { settle(box, *shared); });
}

}  // namespace

void settleTypedText(QComboBox* box, TypedChoice choice) { hook(box, std::move(choice)); }
void settleTypedText(QLineEdit* box, TypedChoice choice) { hook(box, std::move(choice)); }

}  // namespace ui
