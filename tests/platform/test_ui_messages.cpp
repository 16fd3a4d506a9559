// The message box itself, and the scripted stand-in for the user in front of message boxes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>
#include <QScreen>
#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include "platform/ui/ui.h"
#include "support/real_input.h"
#include "support/user_input.h"

namespace {

// Collects failures instead of failing, while it lives.
struct CollectFailures {
    QStringList failures;
    CollectFailures() {
        ui::ScriptedMessages::setFailureReporter([this](const QString& w) { failures << w; });
    }
    ~CollectFailures() {
        ui::ScriptedMessages::setFailureReporter(
            [](const QString& what) { ADD_FAILURE() << what.toStdString(); });
    }
};

TEST(ScriptedMessages, AnswersInOrderAndRecordsEveryMessage) {
    ui::ScriptedMessages msgs;
    msgs.expect("Save changes?", ui::Answer::No).queue(ui::Answer::Yes);

    EXPECT_EQ(ui::msgBox("Save changes?  (Smith)", ui::Buttons::YesNo, "Save?"), ui::Answer::No);
    EXPECT_EQ(ui::msgBox("Delete?", ui::Buttons::YesNoCancel), ui::Answer::Yes);

    EXPECT_EQ(msgs.texts(), QStringList({"Save changes?  (Smith)", "Delete?"}));
    EXPECT_EQ(msgs.messages()[0].title, "Save?");
    EXPECT_EQ(msgs.last().title, "Kestrivane") << "the program's title when none is given";
    EXPECT_EQ(msgs.last().buttons, ui::Buttons::YesNoCancel);
    EXPECT_EQ(msgs.pending(), 0);
}

TEST(ScriptedMessages, UnexpectedAndMissingMessagesAreFailures) {
    CollectFailures collect;
    {
        ui::ScriptedMessages msgs;
        msgs.expect("Match Saved");
        // Not the message expected: recorded, answered cautiously, the script kept.
        EXPECT_EQ(ui::msgBox("Overwrite file?", ui::Buttons::YesNo), ui::Answer::No);
        EXPECT_EQ(ui::msgBox("Continue?", ui::Buttons::OKCancel), ui::Answer::Cancel);
        ASSERT_EQ(msgs.unexpected().size(), 2u);
        EXPECT_EQ(msgs.unexpected()[0].text, "Overwrite file?");
        EXPECT_EQ(msgs.pending(), 1);
    }
    ASSERT_EQ(collect.failures.size(), 3);
    EXPECT_TRUE(collect.failures[2].contains("Match Saved")) << "expected but never shown";
}

TEST(ScriptedMessages, NoResponderOnTheTestScreenIsAFailureNotAHang) {
    CollectFailures collect;
    EXPECT_EQ(ui::msgBox("Really delete?", ui::Buttons::YesNo, "Delete"), ui::Answer::No);
    ASSERT_EQ(collect.failures.size(), 1);
    EXPECT_TRUE(collect.failures[0].contains("Really delete?"));
}

class frmAsker : public ui::Form {};

// The box itself: over the form that asked (in its middle, but for the room Qt keeps for the
// window frames), also when that form was just shown away from the middle of the screen; its default button answers Enter, and the form
// is the active one again afterwards.
TEST(MessageBox, StandsOverTheFormThatAskedIt) {
    frmAsker* form = ui::forms().get<frmAsker>();
    form->resize(400, 300);
    form->move(30, 600);
    showActive(form);
    QWidget* owner = nullptr;
    QRect place;
    QString title;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        ASSERT_TRUE(qobject_cast<QMessageBox*>(box));
        owner = box->parentWidget();
        place = box->frameGeometry();
        title = box->windowTitle();
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(ui::showMessageBox("Save changes?", ui::Buttons::YesNo, "Save?", ui::Icon::Question),
              ui::Answer::Yes);
    EXPECT_EQ(owner, form);
    EXPECT_EQ(title, "Save?");
    EXPECT_TRUE(form->frameGeometry().contains(place))
        << "box at " << place.x() << "," << place.y() << ", form at " << form->x() << "," << form->y();
    EXPECT_EQ(ui::Form::activeForm(), form);
    ui::forms().unloadAll();
}

// A message with a list longer than the screen is tall: the box keeps the text before the list,
// the start of the list and what follows it, says how many names it leaves out, and stands
// wholly on the screen with its button.
TEST(MessageBox, ALongListIsCutToTheScreenWithACount) {
    QStringList schools;
    for (int i = 1; i <= 120; ++i) schools << QStringLiteral("School %1").arg(i);
    const QString text = "Row problems:\r\n" + schools.join("\r\n") + "\r\n\r\nNothing was saved.";
    QString shown;
    QRect place;
    QRect button;
    QRect room;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        shown = box->text();
        place = box->frameGeometry();
        room = box->screen()->availableGeometry();
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        button = QRect(ok->mapToGlobal(QPoint()), ok->size());
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(ui::showMessageBox(text, ui::Buttons::OK, "Import", ui::Icon::None), ui::Answer::Ok);
    EXPECT_TRUE(room.contains(place)) << place.height() << " px high on " << room.height();
    EXPECT_TRUE(room.contains(button));
    const QStringList lines = shown.split("\r\n");
    ASSERT_GE(lines.size(), 5);
    EXPECT_EQ(lines.first(), "Row problems:");
    EXPECT_EQ(lines[1], "School 1");
    EXPECT_EQ(lines.last(), "Nothing was saved.");
    EXPECT_EQ(lines[lines.size() - 2], "");
    const QString count = lines[lines.size() - 3];
    const int listed = lines.size() - 4;
    EXPECT_GT(listed, 20) << "as much of the list as the screen holds";
    EXPECT_EQ(lines[listed], QStringLiteral("School %1").arg(listed));
    EXPECT_EQ(count, QStringLiteral("... and %1 more").arg(120 - listed));
}

// The same on a real display with a window manager's frames, the box over a form.
TEST(MessageBox, ALongListStandsOnTheScreenOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    frmAsker* form = ui::forms().get<frmAsker>();
    form->resize(400, 300);
    showOnScreen(form);
    QStringList schools;
    for (int i = 1; i <= 120; ++i) schools << QStringLiteral("School %1").arg(i);
    QRect place;
    QRect button;
    QString shown;
    const AnswerRealMessageBox answer([&](QMessageBox* box) {
        xSettle();
        place = box->frameGeometry();
        QAbstractButton* ok = box->button(QMessageBox::Ok);
        button = QRect(ok->mapToGlobal(QPoint()), ok->size());
        shown = box->text();
        xKeys("Return");
    });
    EXPECT_EQ(ui::showMessageBox("These schools have matches or dual meet scores and were not deleted:\r\n" +
                                     schools.join("\r\n"),
                                 ui::Buttons::OK, "Import", ui::Icon::None),
              ui::Answer::Ok);
    const QRect room = form->screen()->availableGeometry();
    EXPECT_NE(place.height(), 0);
    EXPECT_TRUE(room.contains(place)) << "frame " << place.y() << "+" << place.height() << " on " << room.height();
    EXPECT_TRUE(room.contains(button));
    EXPECT_TRUE(shown.contains(QRegularExpression("\r\n\\.\\.\\. and \\d+ more$"))) << shown.right(40).toStdString();
    ui::forms().unloadAll();
}

}  // namespace
