#include "platform/ui/Messages.h"
#include "platform/ui/Waiting.h"

#include <QApplication>
#include <QGuiApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QSpacerItem>
#include <algorithm>

#include "platform/ui/Form.h"
#include "platform/ui/FormPlacement.h"

namespace ui {

namespace {

ScriptedMessages* gActive = nullptr;
unsigned long gShown = 0;
ScriptedMessages::FailureReporter gReporter;

const char* buttonsName(Buttons buttons) {
    switch (buttons) {
        case Buttons::OK: return "OK";
        case Buttons::OKCancel: return "OKCancel";
        case Buttons::YesNo: return "YesNo";
        case Buttons::YesNoCancel: return "YesNoCancel";
    }
    return "?";
}

// The answer of a box closed without a real choice.
Answer cautiousAnswer(Buttons buttons) {
    switch (buttons) {
        case Buttons::OK: return Answer::Ok;
        case Buttons::OKCancel: return Answer::Cancel;
        case Buttons::YesNo: return Answer::No;
        case Buttons::YesNoCancel: return Answer::Cancel;
    }
    return Answer::Cancel;
}

QMessageBox::Icon boxIcon(Icon icon) {
    switch (icon) {
        case Icon::None: return QMessageBox::NoIcon;
        case Icon::Information: return QMessageBox::Information;
        case Icon::Question: return QMessageBox::Question;
        case Icon::Warning: return QMessageBox::Warning;
        case Icon::Critical: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

// A message box that the screen holds. A text too tall for the free area of the screen (a long
// list of names) keeps the start of its longest paragraph, as many of its lines as fit, and
// says how many more there are; what follows the paragraph stays.
class ScreenHighMessageBox : public QMessageBox {
public:
    ScreenHighMessageBox(QMessageBox::Icon icon, const QString& title, const QString& text, QWidget* parent)
        : QMessageBox(icon, title, text, QMessageBox::NoButton, parent), whole_(text) {}

protected:
    // The box has its size for its text once the show event has run, and is not on the screen
    // yet.
    void showEvent(QShowEvent* event) override {
        QMessageBox::showEvent(event);
        fitIntoScreen();
    }

private:
    void fitIntoScreen() {
        const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
        if (!shownOn) return;
        const QRect room = shownOn->availableGeometry();
        // Before any window was framed, a title bar is reckoned with all the same.
        QMargins frame = frameMarginsOf(this);
        if (frame.isNull()) frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight));
        const int high = room.height() - frame.top() - frame.bottom();
        if (height() > high) cutToHeight(high);
        // Placed for its size before it took it: the whole frame goes inside the free area.
        const QRect outer = geometry().marginsAdded(frame);
        QPoint at = outer.topLeft();
        at.setY(std::max(room.top(), std::min(outer.top(), room.bottom() + 1 - outer.height())));
        at.setX(std::max(room.left(), std::min(outer.left(), room.right() + 1 - outer.width())));
        if (at != outer.topLeft()) move(at);
    }

    void cutToHeight(int high) {
        const QString lineEnd = whole_.contains(QLatin1String("\r\n")) ? QStringLiteral("\r\n")
                                                                       : QStringLiteral("\n");
        static const QRegularExpression anyLineEnd(QStringLiteral("\r\n|\r|\n"));
        const QStringList lines = whole_.split(anyLineEnd);
        // The longest paragraph: lines from `first`, `count` of them, none blank.
        qsizetype first = 0, count = 0;
        for (qsizetype at = 0; at < lines.size();) {
            if (lines[at].trimmed().isEmpty()) {
                ++at;
                continue;
            }
            qsizetype end = at;
            while (end < lines.size() && !lines[end].trimmed().isEmpty()) ++end;
            if (end - at > count) {
                first = at;
                count = end - at;
            }
            at = end;
        }
        if (count < 2) return;
        const auto textKeeping = [&](qsizetype kept) {
            QStringList shown = lines.mid(0, first + kept);
            shown << QStringLiteral("... and %1 more").arg(count - kept);
            shown << lines.mid(first + count);
            return shown.join(lineEnd);
        };
        // The most lines of the paragraph that fit, its first line at least.
        qsizetype fits = 1, tooMany = count;
        while (tooMany - fits > 1) {
            const qsizetype middle = (fits + tooMany) / 2;
            setText(textKeeping(middle));
            (height() <= high ? fits : tooMany) = middle;
        }
        setText(textKeeping(fits));
    }

    QString whole_;
};

}  // namespace

Answer showMessageBox(const QString& text, Buttons buttons, const QString& title, Icon icon) {
    const InputForMessage input;
    // Over the form the user works in, which becomes active again when the box closes.
    QWidget* parent = Form::activeForm();
    if (!parent || !parent->isVisible()) parent = QApplication::activeWindow();
    ScreenHighMessageBox box(boxIcon(icon), title, text, parent);
    QList<QPair<QMessageBox::StandardButton, Answer>> choices;
    switch (buttons) {
        case Buttons::OK: choices = {{QMessageBox::Ok, Answer::Ok}}; break;
        case Buttons::OKCancel:
            choices = {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}};
            break;
        case Buttons::YesNo: choices = {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}}; break;
        case Buttons::YesNoCancel:
            choices = {{QMessageBox::Yes, Answer::Yes},
                       {QMessageBox::No, Answer::No},
                       {QMessageBox::Cancel, Answer::Cancel}};
            break;
    }
    for (const auto& choice : choices) box.addButton(choice.first);
    box.setDefaultButton(choices.first().first);  // the first button is the default one
    // The window manager draws the title in bold beside the box's icon and buttons: a short
    // message would make the box too narrow to show it whole.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        titleFont.setPointSizeF(titleFont.pointSizeF() * 1.25);
        const int width = QFontMetrics(titleFont).horizontalAdvance(title) + 140;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    const int chosen = box.exec();
    for (const auto& choice : choices)
        if (chosen == choice.first) return choice.second;
    return cautiousAnswer(buttons);
}

QString applicationTitle() { return QStringLiteral("Kestrivane"); }

unsigned long messagesShown() { return gShown; }

Answer msgBox(const QString& text, Buttons buttons, const QString& title, Icon icon) {
    const QString shownTitle = title.isEmpty() ? applicationTitle() : title;
    ++gShown;
    if (ScriptedMessages* responder = ScriptedMessages::active())
        return responder->answer(text, buttons, shownTitle, icon);
    // Nobody could answer a box on the offscreen platform: a test forgot its responder.
    if (QGuiApplication::platformName() == QLatin1String("offscreen")) {
        ScriptedMessages::reportFailure(
            QStringLiteral("message box shown without a ScriptedMessages: \"%1\" (%2)")
                .arg(text, shownTitle));
        return cautiousAnswer(buttons);
    }
    return showMessageBox(text, buttons, shownTitle, icon);
}

ScriptedMessages::ScriptedMessages() : previous_(gActive) { gActive = this; }

ScriptedMessages::~ScriptedMessages() {
    gActive = previous_;
    for (const Entry& entry : script_)
        reportFailure(entry.text.isEmpty()
                          ? QStringLiteral("a scripted message never came")
                          : QStringLiteral("expected message never shown: \"%1\"").arg(entry.text));
}

ScriptedMessages& ScriptedMessages::expect(const QString& text, Answer answer,
                                           std::function<void()> whileShown) {
    script_.push_back({text, answer, std::move(whileShown)});
    return *this;
}

ScriptedMessages& ScriptedMessages::queue(Answer answer) {
    script_.push_back({QString(), answer, {}});
    return *this;
}

QStringList ScriptedMessages::texts() const {
    QStringList result;
    for (const Message& m : messages_) result << m.text;
    return result;
}

ScriptedMessages::Message ScriptedMessages::last() const {
    return messages_.empty() ? Message{} : messages_.back();
}

std::vector<ScriptedMessages::Message> ScriptedMessages::unexpected() const {
    std::vector<Message> result;
    for (const Message& m : messages_)
        if (!m.expected) result.push_back(m);
    return result;
}

void ScriptedMessages::clear() {
    script_.clear();
    messages_.clear();
}

void ScriptedMessages::setFailureReporter(FailureReporter reporter) {
    gReporter = std::move(reporter);
}

void ScriptedMessages::reportFailure(const QString& what) {
    if (gReporter) gReporter(what);
}

ScriptedMessages* ScriptedMessages::active() { return gActive; }

Answer ScriptedMessages::answer(const QString& text, Buttons buttons, const QString& title,
                                Icon icon) {
    Message message{text, title, buttons, icon, cautiousAnswer(buttons), false};
    if (!script_.empty() && text.contains(script_.front().text)) {
        message.answer = script_.front().answer;
        message.expected = true;
        const std::function<void()> whileShown = std::move(script_.front().whileShown);
        script_.pop_front();
        if (whileShown) whileShown();
    } else {
        reportFailure(QStringLiteral("unexpected message: \"%1\" (title \"%2\", %3)%4")
                          .arg(text, title, QLatin1String(buttonsName(buttons)),
                               script_.empty() ? QString()
                                               : QStringLiteral("; expected \"%1\"")
                                                     .arg(script_.front().text)));
    }
    messages_.push_back(message);
    return message.answer;
}

}  // namespace ui
