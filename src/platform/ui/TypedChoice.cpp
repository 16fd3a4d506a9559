#include "platform/ui/TypedChoice.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QWidget>

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

// A drop-down remembers the text the program last showed (see settleAgainstList); a typed text
// it takes counts as shown.
const char* const kShownChoice = "kestrivaneShownChoice";
void remember(QComboBox* box, const QString& text) { box->setProperty(kShownChoice, text); }
void remember(QLineEdit*, const QString&) {}

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
    remember(box, *named);
    if (*named != onScreen || choice.takeUnchanged) choice.take();
}

// Set on a drop-down whose typed text its form checks itself.
const char* const kTextKept = "kestrivaneTextKept";

// The box's one typed-text rule. A box keeps its KeyPress and LostFocus handlers for it, whatever
// the form adds; a rule of the form's own (settleTypedText) takes the place of the list's rule
// that `comboBox` gave it.
class TypedRule : public QObject {
public:
    explicit TypedRule(QObject* box) : QObject(box) {}
    TypedChoice choice;
};

template <class Box>
void hook(Box* box, TypedChoice choice) {
    for (QObject* child : box->children())
        if (auto* rule = dynamic_cast<TypedRule*>(child)) {
            rule->choice = std::move(choice);
            return;
        }
    auto* rule = new TypedRule(box);
    rule->choice = std::move(choice);
    onKeyPress(box, [box, rule](int& key) {
        if (key != 13 || box->property(kTextKept).toBool()) return;
        key = 0;
        const TypedChoice choice = rule->choice;  // a take may give the box another rule
        settle(box, choice);
    });
    onLostFocus(box, [box, rule] {
        const TypedChoice choice = rule->choice;
        if (!box->property(kTextKept).toBool()) settle(box, choice);
    });
}

}  // namespace

void settleTypedText(QComboBox* box, TypedChoice choice) { hook(box, std::move(choice)); }

int itemReading(const QComboBox* box, const QString& text) {
    const int exact = box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    return exact >= 0 ? exact : box->findText(text, Qt::MatchFixedString);
}

int namedItem(const QComboBox* box, const QString& typed) {
    const QString wanted = typed.trimmed();
    if (wanted.isEmpty()) return -1;
    int found = itemReading(box, typed);
    if (found < 0 && wanted != typed) found = itemReading(box, wanted);
    if (found < 0 && wanted.contains(QLatin1Char('\'')))
        found = itemReading(box, QString(wanted).replace(QLatin1Char('\''), QLatin1Char('`')));
    return found;
}

void settleAgainstList(QComboBox* box) {
    QLineEdit* text = box->lineEdit();
    if (!text) return;
    box->setProperty(kShownChoice, text->text());
    QObject::connect(text, &QLineEdit::textChanged, box, [box, text](const QString& now) {
        if (!text->isModified()) box->setProperty(kShownChoice, now);
    });
    TypedChoice choice;
    choice.named = [box](const QString& typed) -> std::optional<QString> {
        const int row = namedItem(box, typed);
        if (row < 0) return std::nullopt;
        return box->itemText(row);
    };
    choice.shown = [box] { return shownChoice(box); };
    choice.refusal = [](const QString& typed) {
        return QStringLiteral("\"%1\" is not in the list: choose one from the list").arg(typed.trimmed());
    };
    choice.take = [box] {
        const int row = namedItem(box, box->currentText());
        // The item is selected anew, so that its Click runs also when it was selected before.
        {
            const QSignalBlocker quiet(box);
            box->setCurrentIndex(-1);
        }
        box->setCurrentIndex(row);
    };
    hook(box, std::move(choice));
}

QString shownChoice(const QComboBox* box) { return box->property(kShownChoice).toString(); }

void keepTypedText(QComboBox* box) { box->setProperty(kTextKept, true); }

bool keepsTypedText(const QComboBox* box) { return box->property(kTextKept).toBool(); }

void settleTypedText(QLineEdit* box, TypedChoice choice) { hook(box, std::move(choice)); }

}  // namespace ui
