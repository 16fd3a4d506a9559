#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

namespace ui {

enum class Buttons { OK, OKCancel, YesNo, YesNoCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Information, Question, Warning, Critical };

// The one way the program shows a message: a modal box with the text, the buttons and the title
// ("Kestrivane" when the title is empty). Returns the button the user chose.
Answer msgBox(const QString& text, Buttons buttons = Buttons::OK, const QString& title = QString(),
              Icon icon = Icon::None);

// The box itself, as msgBox shows it when no ScriptedMessages is in charge: modal, over the form
// the user works in (centred on it), or on the screen when no form is shown. `title` is shown as
// given. Tests of the box's own place call it directly.
Answer showMessageBox(const QString& text, Buttons buttons, const QString& title, Icon icon);

// The title a message box shows when it is given none.
QString applicationTitle();

// How many messages have been shown so far in this run, so that a caller can tell whether the
// code it ran showed one.
unsigned long messagesShown();

// Stands in for the user in front of message boxes while it lives. Every message is recorded;
// each is answered from the script in order:
//
//     ui::ScriptedMessages msgs;
//     msgs.expect("Save changes?", ui::Answer::Yes);   // must contain that text
//     msgs.queue(ui::Answer::No);                      // any next message
//     ...
//     EXPECT_TRUE(msgs.unexpected().empty());
//     EXPECT_EQ(msgs.last().title, "Saved");
//
// A message that does not match the next scripted entry, or comes when the script is empty, is
// recorded as unexpected and answered with the box's cautious answer (OK, Cancel or No). So is an
// expectation still unmet when the object goes. Both go to the failure reporter when one is set
// (tests set it to fail the running test).
class ScriptedMessages {
public:
    struct Message {
        QString text;
        QString title;
        Buttons buttons = Buttons::OK;
        Icon icon = Icon::None;
        Answer answer = Answer::Ok;
        bool expected = true;
    };

    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // The next message must contain `text`; it gets `answer`. While it stands, `whileShown` runs:
    // what another program does meanwhile.
    ScriptedMessages& expect(const QString& text, Answer answer = Answer::Ok,
                             std::function<void()> whileShown = {});
    // The next message, whatever it says, gets `answer`.
    ScriptedMessages& queue(Answer answer = Answer::Ok);

    const std::vector<Message>& messages() const { return messages_; }
    QStringList texts() const;
    // The last message shown; an empty message when there was none.
    Message last() const;
    std::vector<Message> unexpected() const;
    // Scripted entries not used yet.
    int pending() const { return static_cast<int>(script_.size()); }
    // Forgets the messages and the script.
    void clear();

    // Where failures go (unexpected messages, unmet expectations); tests install one that fails
    // the running test. Without one they are only recorded.
    using FailureReporter = std::function<void(const QString&)>;
    static void setFailureReporter(FailureReporter reporter);
    static void reportFailure(const QString& what);

    // The responder in charge, or null when real message boxes are shown.
    static ScriptedMessages* active();
    Answer answer(const QString& text, Buttons buttons, const QString& title, Icon icon);

private:
    struct Entry {
        QString text;  // empty: any message
        Answer answer;
        std::function<void()> whileShown;
    };
    std::deque<Entry> script_;
    std::vector<Message> messages_;
    ScriptedMessages* previous_ = nullptr;
};

}  // namespace ui
