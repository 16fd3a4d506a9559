// Event emulation (focus, clicks, changes, keys), the error guard, tab stops, clipboard, screen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <map>

#include "platform/db/DbError.h"
#include "platform/ui/Paste.h"
#include "platform/ui/ui.h"
#include "support/real_input.h"
#include "support/user_input.h"

namespace {

// A form with two boxes, a button, a list and two combos; each handler writes to `log`.
class frmProbe : public ui::Form {
public:
    frmProbe() {
        txtA = ui::textBox(this, "txtA");
        txtB = ui::textBox(this, "txtB");
        cmdGo = ui::button(this, "cmdGo", "&Go");
        lstNames = ui::listBox(this, "lstNames");
        comLevel = ui::comboBox(this, "comLevel", false);
        comChoice = ui::comboBox(this, "comChoice", true);
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : std::initializer_list<QWidget*>{txtA, txtB, cmdGo, lstNames, comLevel,
                                                          comChoice})
            layout->addWidget(w);

        ui::onLostFocus(txtA, [this] { txtA_LostFocus(); });
        ui::onGotFocus(txtB, [this] { log << "txtB_GotFocus"; });
        ui::onLostFocus(txtB, [this] { log << "txtB_LostFocus"; });
        ui::onClick(cmdGo, [this] { log << "cmdGo_Click"; });
        ui::onClick(lstNames, [this] { log << QString("lstNames_Click %1").arg(lstNames->currentRow()); });
        ui::onClick(comLevel, [this] { log << "comLevel_Click " + comLevel->currentText(); });
        ui::onClick(comChoice, [this] { log << "comChoice_Click " + comChoice->currentText(); });
        ui::onChange(comChoice, [this] { log << "comChoice_Change " + comChoice->currentText(); });
    }

    void txtA_LostFocus() {
        log << "txtA_LostFocus";
        if (txtA->text() == "back") txtA->setFocus();  // a check that keeps the focus quietly
        if (txtA->text() == "next") txtB->setFocus();  // on to the next box, as a grid line does
        if (txtA->text() == "open") txtB->setEnabled(true);  // as a date switches its rows on
        if (txtA->text() == "bad") {
            // As a field check does: back into the box, then the message.
            txtA->setFocus();
            messageBoxComesAndGoes();
            ui::msgBox("Value is not valid", ui::Buttons::OK, "Error");
        }
    }

    // What a real message box does to the focus: its window becomes active, then ours again.
    void messageBoxComesAndGoes() {
        QWidget box;
        box.show();
        QApplication::setActiveWindow(&box);
        QApplication::setActiveWindow(this);
    }

    QLineEdit* txtA;
    QLineEdit* txtB;
    QPushButton* cmdGo;
    QListWidget* lstNames;
    QComboBox* comLevel;
    QComboBox* comChoice;
    QStringList log;
};

std::string joined(const QStringList& list) { return list.join(", ").toStdString(); }

class EventsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = ui::forms().get<frmProbe>();
        showActive(form);
        form->txtA->setFocus();
        form->log.clear();
    }
    void TearDown() override { ui::forms().unloadAll(); }
    frmProbe* form = nullptr;
};

TEST_F(EventsTest, LostFocusOfTheBoxRunsBeforeTheClickOfTheButton) {
    QTest::keyClicks(form->txtA, "12");
    QTest::mouseClick(form->cmdGo, Qt::LeftButton);
    EXPECT_EQ(joined(form->log), "txtA_LostFocus, cmdGo_Click");
    EXPECT_TRUE(form->cmdGo->hasFocus());
}

TEST_F(EventsTest, FocusGoingToAnotherWindowAndBackRunsNoFocusEvents) {
    form->txtB->setFocus();
    form->log.clear();
    form->messageBoxComesAndGoes();
    EXPECT_TRUE(form->txtB->hasFocus());
    EXPECT_TRUE(form->log.isEmpty()) << joined(form->log);
}

TEST_F(EventsTest, MessageFromLostFocusDoesNotRunItAgain) {
    ui::ScriptedMessages msgs;
    msgs.expect("Value is not valid");
    form->txtA->setText("bad");
    QTest::mouseClick(form->txtB, Qt::LeftButton);

    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(form->log.count("txtA_LostFocus"), 1) << joined(form->log);
    EXPECT_TRUE(form->txtA->hasFocus());
    EXPECT_FALSE(form->log.contains("txtB_GotFocus")) << "the box never had the focus";
    EXPECT_FALSE(form->log.contains("txtB_LostFocus")) << joined(form->log);

    // Leaving the corrected box later runs the check again.
    form->txtA->setText("good");
    form->txtB->setFocus();
    EXPECT_EQ(form->log.count("txtA_LostFocus"), 2);
}

TEST_F(EventsTest, MessageFromLostFocusSwallowsThePressOnTheButton) {
    // The user's release went to the message box: the button is neither clicked nor left down.
    ui::ScriptedMessages msgs;
    msgs.expect("Value is not valid");
    form->txtA->setText("bad");
    QTest::mouseClick(form->cmdGo, Qt::LeftButton);

    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_FALSE(form->log.contains("cmdGo_Click")) << joined(form->log);
    EXPECT_FALSE(form->cmdGo->isDown());
    EXPECT_TRUE(form->txtA->hasFocus());

    // The next click on the button, after the box was put right, is an ordinary one.
    form->txtA->setText("good");
    QTest::mouseClick(form->cmdGo, Qt::LeftButton);
    EXPECT_EQ(joined(form->log), "txtA_LostFocus, txtA_LostFocus, cmdGo_Click");
}

TEST_F(EventsTest, AccessKeyEnterAndSpaceClickAsTheMouseDoes) {
    // The access key moves the focus to the button first: the box left is checked before.
    QTest::keyClicks(form->txtA, "12");
    QTest::keyClick(form, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(joined(form->log), "txtA_LostFocus, cmdGo_Click");
    EXPECT_TRUE(form->cmdGo->hasFocus());

    // On the focused button Enter and Space click it once each; Enter in a text box clicks nothing.
    QTest::keyClick(form->cmdGo, Qt::Key_Return);
    QTest::keyClick(form->cmdGo, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(form->cmdGo, Qt::Key_Space);
    form->txtB->setFocus();
    QTest::keyClick(form->txtB, Qt::Key_Return);
    EXPECT_EQ(form->log.count("cmdGo_Click"), 4) << joined(form->log);

    // A check that keeps the focus drops the click, and shows its message once.
    ui::ScriptedMessages msgs;
    msgs.expect("Value is not valid");
    form->txtA->setFocus();
    form->log.clear();
    form->txtA->setText("bad");
    QTest::keyClick(form, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(joined(form->log), "txtA_LostFocus");
    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_TRUE(form->txtA->hasFocus());
    EXPECT_FALSE(form->cmdGo->isDown());

    // Put right, the same key clicks.
    form->txtA->setText("good");
    QTest::keyClick(form, Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(joined(form->log), "txtA_LostFocus, txtA_LostFocus, cmdGo_Click");

    // A check that keeps the focus without a message drops the key's click and the mouse's.
    form->txtA->setFocus();
    form->log.clear();
    form->txtA->setText("back");
    QTest::keyClick(form, Qt::Key_G, Qt::AltModifier);
    QTest::mouseClick(form->cmdGo, Qt::LeftButton);
    EXPECT_EQ(joined(form->log), "txtA_LostFocus, txtA_LostFocus");
    EXPECT_TRUE(form->txtA->hasFocus());
    EXPECT_FALSE(form->cmdGo->isDown());

    // One that moves the focus on to another box is no check: the key and the mouse click.
    form->txtA->setText("next");
    for (bool byKey : {true, false}) {
        form->txtA->setFocus();
        form->log.clear();
        if (byKey)
            QTest::keyClick(form, Qt::Key_G, Qt::AltModifier);
        else
            QTest::mouseClick(form->cmdGo, Qt::LeftButton);
        EXPECT_EQ(joined(form->log),
                  "txtA_LostFocus, txtB_GotFocus, cmdGo_Click")
            << (byKey ? "access key" : "mouse");
    }
}

TEST_F(EventsTest, TabAndShiftTabGoToTheControlThatFollowsOnceTheLeaveCheckHasRun) {
    // What txtA holds when Tab leaves it (txtB switched off), and where the focus goes.
    struct Case {
        const char* typed;
        QWidget* focus;
        const char* log;
    };
    const Case cases[] = {
        {"12", form->cmdGo, "txtA_LostFocus"},  // nothing switched on: the button is next
        {"open", form->txtB, "txtA_LostFocus, txtB_GotFocus"},
        {"back", form->txtA, "txtA_LostFocus"},  // a check that keeps the focus keeps it
        {"bad", form->txtA, "txtA_LostFocus"},
    };
    for (const Case& c : cases) {
        ui::ScriptedMessages msgs;
        if (QString(c.typed) == "bad") msgs.expect("Value is not valid");
        form->txtB->setEnabled(false);
        form->txtA->setFocus();
        form->txtA->clear();
        form->log.clear();
        QTest::keyClicks(form->txtA, c.typed);
        QTest::keyClick(form->txtA, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), c.focus) << c.typed;
        EXPECT_EQ(joined(form->log), c.log) << c.typed;
        EXPECT_EQ(msgs.messages().size(), QString(c.typed) == "bad" ? 1u : 0u) << c.typed;
    }

    // Focus that the program moves, whatever reason it gives, goes where it was sent.
    form->txtB->setEnabled(false);
    form->txtA->setFocus();
    form->txtA->setText("open");
    form->cmdGo->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(form->cmdGo->hasFocus());

    // Shift+Tab likewise goes back into a box that the check of the box left switched on (a
    // second LostFocus handler, which runs after the box's first).
    form->txtA->clear();
    ui::onLostFocus(form->txtB, [this] { form->txtA->setEnabled(true); });
    form->txtB->setEnabled(true);
    form->txtB->setFocus();
    form->txtA->setEnabled(false);
    form->log.clear();
    QTest::keyClick(form->txtB, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(form->txtA->hasFocus());
    EXPECT_EQ(joined(form->log), "txtB_LostFocus");
}

TEST_F(EventsTest, DropDownPickedWithTheMouseRunsTheHandlersOfAKeyboardPick) {
    form->comLevel->addItems({"All", "Varsity", "JV"});
    ui::onGotFocus(form->comLevel, [this] { form->log << "comLevel_GotFocus"; });
    ui::onLostFocus(form->comLevel,
                    [this] { form->log << "comLevel_LostFocus " + form->comLevel->currentText(); });

    // By keyboard: Tab into the list, a letter picks, Tab leaves.
    form->lstNames->setFocus();
    form->log.clear();
    QTest::keyClick(form->lstNames, Qt::Key_Tab);
    QTest::keyClick(form->comLevel, Qt::Key_V);
    QTest::keyClick(form->comLevel, Qt::Key_Tab);
    const std::string byKeyboard = joined(form->log);
    EXPECT_EQ(byKeyboard, "comLevel_GotFocus, comLevel_Click Varsity, comLevel_LostFocus Varsity");

    // By mouse: the list opens under the click, an item of it is clicked, then Tab.
    form->comLevel->setCurrentIndex(-1);
    form->lstNames->setFocus();
    form->log.clear();
    ASSERT_TRUE(pickWithMouse(form->comLevel, "Varsity"));
    EXPECT_TRUE(form->comLevel->hasFocus());
    QTest::keyClick(form->comLevel, Qt::Key_Tab);
    EXPECT_EQ(joined(form->log), byKeyboard);

    // Opening and closing the list without a pick runs nothing but the focus events.
    form->lstNames->setFocus();
    form->log.clear();
    QTest::mouseClick(form->comLevel, Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return form->comLevel->view()->isVisible(); }, 1000));
    QTest::keyClick(form->comLevel->view(), Qt::Key_Escape);
    QTest::keyClick(form->comLevel, Qt::Key_Tab);
    EXPECT_EQ(joined(form->log), "comLevel_GotFocus, comLevel_LostFocus Varsity");
}

TEST_F(EventsTest, ListClickRunsWhenTheSelectionChangesAlsoByCode) {
    form->lstNames->addItems({"Adams", "Baker", "Clark"});
    EXPECT_TRUE(form->log.isEmpty()) << "filling selects nothing";

    form->lstNames->setCurrentRow(1);
    form->lstNames->setCurrentRow(1);
    QTest::mouseClick(form->lstNames->viewport(), Qt::LeftButton, {},
                      form->lstNames->visualItemRect(form->lstNames->item(2)).center());
    form->lstNames->setCurrentRow(-1);
    form->lstNames->addItem("Davis");
    form->lstNames->clear();
    EXPECT_EQ(joined(form->log.filter("lstNames")),
              "lstNames_Click 1, lstNames_Click 2, lstNames_Click -1");
}

// The DblClick of a list runs on a double-click and on Enter on the item chosen with the keys;
// Enter with nothing chosen, and Space, run nothing.
TEST_F(EventsTest, ListDblClickRunsOnADoubleClickAndOnEnterOnTheChosenItem) {
    QListWidget* list = form->lstNames;
    list->addItems({"Adams", "Baker", "Clark"});
    ui::onDblClick(list, [&] { form->log << "DblClick " + list->currentItem()->text(); });
    list->setFocus();
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(list, Qt::Key_Up);
    QTest::keyClick(list, Qt::Key_Space);
    const QPoint first = list->visualItemRect(list->item(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, first);
    EXPECT_EQ(joined(form->log.filter("DblClick")), "DblClick Baker, DblClick Baker, DblClick Adams");

    // Tab into the list shows its first item current, not chosen; Home chooses it.
    list->setCurrentRow(-1);
    form->txtB->setFocus();
    form->log.clear();
    ASSERT_TRUE(tabInto(list));
    QTest::keyClick(list, Qt::Key_Return);
    QTest::keyClick(list, Qt::Key_Home);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(joined(form->log.filter("lstNames_Click") + form->log.filter("DblClick")), "lstNames_Click 0, DblClick Adams");
}

// A season typed into a drop-down whose pick fills a list anew, then a click on the list: the
// click picks only an item that reads as the one that was under the pointer, else nothing. The
// form's own LostFocus of the drop-down runs after its typed-text rule, which it cannot switch off;
// a refused text ends the leaving before it.
TEST_F(EventsTest, AClickThatSettlesATypedChoicePicksOnlyWhatWasUnderThePointer) {
    QComboBox* season = form->comChoice;
    QListWidget* names = form->lstNames;
    season->addItems({"2009", "2010"});
    const std::map<QString, QStringList> listed = {{"2009", {"ALL", "Adams", "Baker"}},
                                                   {"2010", {"ALL", "Adams", "Clark", "Davis"}}};
    ui::onClick(season, [&] {
        names->clear();
        names->addItems(listed.at(season->currentText()));
    });
    ui::onLostFocus(season, [this] { form->log << "comChoice_LostFocus"; });
    showActive(form);
    pickWithMouse(season, "2009");
    const struct {
        const char* typed;
        int row;             // clicked, as the list stood before the typing was settled
        const char* picked;  // "" for nothing
    } clicks[] = {{"2010", 2, ""}, {"2009", 3, ""}, {"2010", 1, "Adams"}, {"2009", 0, "ALL"}};
    for (const auto& c : clicks) {
        SCOPED_TRACE(c.typed);
        const QPoint at = names->visualItemRect(names->item(c.row)).center();
        typeIntoCombo(season, c.typed);
        form->log.clear();
        QTest::mouseClick(names->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(names->count(), listed.at(c.typed).size());
        const QList<QListWidgetItem*> chosen = names->selectedItems();
        EXPECT_EQ(chosen.isEmpty() ? "" : chosen.first()->text(), c.picked);
        EXPECT_EQ(joined(form->log.filter("comChoice")),
                  "comChoice_Click " + std::string(c.typed) + ", comChoice_LostFocus");
    }

    ui::ScriptedMessages msgs;
    msgs.expect("\"2011\" is not in the list");
    typeIntoCombo(season, "2011");
    form->log.clear();
    QTest::mouseClick(form->txtB, Qt::LeftButton);
    EXPECT_EQ(season->currentText(), "2009");
    EXPECT_TRUE(season->hasFocus());
    EXPECT_EQ(joined(form->log.filter("LostFocus")), "");
}

TEST_F(EventsTest, ComboClickOnChoiceAndChangeOnTypingOnly) {
    form->comLevel->addItems({"All", "Varsity", "JV"});
    form->comChoice->addItems({"Top", "Bot", "Neu"});
    EXPECT_EQ(form->comLevel->currentIndex(), -1) << "filling selects nothing";
    EXPECT_TRUE(form->log.isEmpty()) << joined(form->log);

    form->comLevel->setCurrentIndex(2);
    form->comChoice->setCurrentIndex(0);
    form->comChoice->setFocus();
    form->comChoice->lineEdit()->selectAll();
    QTest::keyClicks(form->comChoice, "neutral");
    EXPECT_EQ(form->comChoice->currentText(), "neutral") << "typed text stays as typed";
    form->comLevel->clear();

    const QStringList log = form->log.filter("com");
    EXPECT_EQ(log.first().toStdString(), "comLevel_Click JV");
    EXPECT_EQ(log.at(1).toStdString(), "comChoice_Click Top");
    EXPECT_EQ(log.count(), 2 + 7) << joined(log);
    EXPECT_EQ(log.last().toStdString(), "comChoice_Change neutral");
}

// A form may show an item's text in a combo with nothing selected. Leaving the box, opening its
// list or Enter in it selects nothing by itself; a pick from the list, by keys or the mouse, runs
// the Click once.
TEST_F(EventsTest, ComboShowingAnItemUnselectedRunsClickOnlyForAPick) {
    form->comChoice->addItems({"Top", "Bot", "Neu"});
    auto showUnselected = [this](const QString& text) {
        form->comChoice->setCurrentIndex(-1);
        form->comChoice->setEditText(text);
        form->log.clear();
    };
    QWidget* list = form->comChoice->view();

    auto clicks = [this] { return joined(form->log.filter("comChoice")); };
    showUnselected("Bot");
    QTest::mouseClick(form->comChoice->lineEdit(), Qt::LeftButton);
    QTest::keyClick(form->comChoice, Qt::Key_Return);
    QTest::keyClick(form->comChoice, Qt::Key_Tab);
    EXPECT_EQ(clicks(), "");
    EXPECT_EQ(form->comChoice->currentIndex(), -1);

    // Alt+Down opens the list on the item shown, and it stays open; Down and Enter pick the next.
    ASSERT_TRUE(openWithKeys(form->comChoice));
    EXPECT_EQ(clicks(), "");
    EXPECT_EQ(form->comChoice->view()->currentIndex().row(), 1);
    QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(clicks(), "comChoice_Click Neu");

    // The mouse picks the item shown: one Click, and Tab then runs none.
    showUnselected("Bot");
    ASSERT_TRUE(pickWithMouse(form->comChoice, "Bot"));
    QTest::keyClick(form->comChoice, Qt::Key_Tab);
    EXPECT_EQ(clicks(), "comChoice_Click Bot");

    // Escape closes the list without a pick.
    showUnselected("Top");
    ASSERT_TRUE(openWithKeys(form->comChoice));
    QTest::keyClick(list, Qt::Key_Escape);
    QTest::keyClick(form->comChoice, Qt::Key_Tab);
    EXPECT_EQ(clicks(), "");
    EXPECT_EQ(form->comChoice->currentText(), "Top");

    // In the closed box the arrows and page keys go on from the item shown, each step one Click;
    // a step past either end selects nothing and keeps the text. Text typed over a picked item
    // is what the box shows.
    const struct {
        const char* shown;
        Qt::Key key;
        const char* then;
        const char* typedOver = nullptr;
    } steps[] = {{"Bot", Qt::Key_Down, "Neu"}, {"bot", Qt::Key_Up, "Top"}, {"Top", Qt::Key_PageDown, "Bot"},
                 {"Neu", Qt::Key_PageUp, "Bot"}, {"Neu", Qt::Key_Down, ""},  {"Top", Qt::Key_Up, ""},
                 {"Nobody", Qt::Key_Down, "Top"}, {"Top", Qt::Key_Up, "", "Neu"}, {"Bot", Qt::Key_Down, "Neu", "Top"}};
    for (const auto& step : steps) {
        showUnselected(step.shown);
        if (step.typedOver) {
            form->comChoice->setCurrentIndex(form->comChoice->findText(step.typedOver));
            form->comChoice->setEditText(step.shown);
            form->log.clear();
        }
        form->comChoice->setFocus();
        pressKey(step.key);
        const QString then = step.then;
        EXPECT_EQ(clicks(), then.isEmpty() ? "" : "comChoice_Click " + then.toStdString())
            << step.shown << " " << QKeySequence(step.key).toString().toStdString();
        EXPECT_EQ(form->comChoice->currentText(), then.isEmpty() ? QString(step.shown) : then);
        EXPECT_EQ(form->comChoice->currentIndex(), form->comChoice->findText(then.isEmpty() ? "-" : then));
    }
    // Home and End move in the text.
    showUnselected("Bot");
    pressKey(Qt::Key_End);
    typeKeys("h");
    EXPECT_EQ(form->comChoice->currentText(), "Both");
    EXPECT_EQ(clicks(), "comChoice_Change Both");
}

// Names typed into a drop-down list one only picks from, and the item each picks: the whole text
// typed while the keys come quickly counts, blanks and all; an apostrophe finds the backquote a
// name is stored with; the same letter again goes on through the names that begin with it.
const QStringList kTypedPickNames = {"Evan Scott", "Evan Wilson", "Eli Moss", "Tom O`Neil", "Tom Oakes"};
const struct TypedPick {
    const char* typed;
    const char* picked;  // "" for nothing
} kTypedPicks[] = {{"Evan Wilson", "Evan Wilson"}, {"evan", "Evan Scott"}, {"Tom O'Neil", "Tom O`Neil"},
                   {"tom oa", "Tom Oakes"},         {"eee", "Eli Moss"},   {"Zed", ""}};

// Types each name of the table into the picking-only combo (nothing picked before) and leaves it
// by Tab: the named item is picked, the Click running for each item the typing came to, and the
// list never opens (a blank opened it).
void expectTypedPicks(frmProbe* form, const std::function<void(const QString&)>& type,
                      const std::function<void()>& tab) {
    const KeysComeQuickly quickly;
    QComboBox* combo = form->comLevel;
    combo->addItems(kTypedPickNames);
    for (const TypedPick& pick : kTypedPicks) {
        SCOPED_TRACE(pick.typed);
        combo->setCurrentIndex(-1);
        combo->setFocus();
        form->log.clear();
        type(pick.typed);
        EXPECT_FALSE(combo->view()->isVisible());
        tab();
        const QString picked = pick.picked;
        EXPECT_EQ(combo->currentText(), picked);
        EXPECT_EQ(combo->currentIndex(), combo->findText(picked.isEmpty() ? "-" : picked));
        const QStringList clicks = form->log.filter("comLevel_Click");
        EXPECT_EQ(clicks.isEmpty() ? "" : clicks.last().toStdString(),
                  picked.isEmpty() ? "" : "comLevel_Click " + picked.toStdString());
    }
}

TEST_F(EventsTest, DropDownListPicksTheWholeTypedNameAndOpensOnlyByAltDownF4OrAClick) {
    expectTypedPicks(
        form, [](const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); },
        [] { pressKey(Qt::Key_Tab); });

    // A pause between the keys starts a new search: each letter then looks on its own.
    QComboBox* combo = form->comLevel;
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(0);
    combo->setCurrentIndex(-1);
    combo->setFocus();
    typeKeys("Evan W");
    QApplication::setKeyboardInputInterval(interval);
    EXPECT_EQ(combo->currentText(), "Evan Scott");

    // Space alone opens nothing; Alt+Down and F4 open the list, as a click does.
    pressKey(Qt::Key_Space);
    EXPECT_FALSE(combo->view()->isVisible());
    for (const QKeyCombination key : {Qt::AltModifier | Qt::Key_Down, QKeyCombination(Qt::Key_F4)}) {
        pressKey(key.key(), key.keyboardModifiers());
        ASSERT_TRUE(QTest::qWaitFor([combo] { return combo->view()->isVisible(); }, 2000));
        QTest::keyClick(combo->view(), Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([combo] { return !combo->view()->isVisible(); }, 2000));
    }
    ASSERT_TRUE(pickWithMouse(combo, "Tom Oakes"));
}

// A key as the window system gives it, stamped with the time it was typed.
void keyStamped(QWidget* to, QEvent::Type type, Qt::Key key, const QString& text, ulong stamp, bool repeated = false) {
    QKeyEvent event(type, key, Qt::NoModifier, text, repeated);
    event.setTimestamp(stamp);
    QApplication::sendEvent(to, &event);
}

// Whether keys came quickly is told by the times they were typed at, not by when they are
// handled: "E" and "l" typed 10 ms apart go on to "Eli" also when handled after a pause; typed
// two seconds apart they are two searches, however soon they are handled.
TEST_F(EventsTest, TypedSearchGoesByTheTimesTheKeysWereTyped) {
    QComboBox* combo = form->comLevel;
    combo->addItems(kTypedPickNames);
    const int interval = QApplication::keyboardInputInterval();
    QApplication::setKeyboardInputInterval(100);
    const struct {
        ulong second;  // when "l" was typed, "E" at 1000
        bool handledLate;
        const char* picked;
    } cases[] = {{1010, true, "Eli Moss"}, {3000, false, "Evan Scott"}};
    for (const auto& c : cases) {
        combo->setCurrentIndex(-1);
        combo->setFocus();
        keyStamped(combo, QEvent::KeyPress, Qt::Key_E, "E", 1000);
        QElapsedTimer handled;
        handled.start();
        if (c.handledLate) {
            ASSERT_TRUE(QTest::qWaitFor([&] { return handled.elapsed() > 200; }));
        }
        keyStamped(combo, QEvent::KeyPress, Qt::Key_L, "l", c.second);
        EXPECT_EQ(combo->currentText(), c.picked);
        form->txtA->setFocus();
    }
    QApplication::setKeyboardInputInterval(interval);
}

// A key steps through a drop-down or a list at once; the pick of the steps runs once input has
// stopped arriving (the keys let go and handled), for the item they ended on, the box drawn with
// it first: a held key's repeats, flagged as such or not, or a quick run of taps pick once.
TEST_F(EventsTest, HeldKeyOrQuickTapsPickOnceWhenTheKeysStop) {
    form->comLevel->addItems(kTypedPickNames);
    form->lstNames->addItems(kTypedPickNames);
    // What the drop-down showed when it was last drawn, and when its pick ran.
    QString drawn;
    QString drawnAtPick;
    PaintWatch watch(form->comLevel, [&] { drawn = form->comLevel->currentText(); });
    ui::onClick(form->comLevel, [&] { drawnAtPick = drawn; });
    for (QWidget* box : std::initializer_list<QWidget*>{form->comLevel, form->lstNames})
        for (const bool flagged : {true, false}) {
            SCOPED_TRACE(box->objectName().toStdString() + (flagged ? " held" : " taps"));
            box->setFocus();
            form->log.clear();
            keyStamped(box, QEvent::KeyPress, Qt::Key_Down, "", 1000);
            EXPECT_EQ(form->log.size(), 0) << "the pick waits for the key to be let go";
            for (ulong at = 1500; at < 1600; at += 30) {
                keyStamped(box, QEvent::KeyRelease, Qt::Key_Down, "", at, flagged);
                keyStamped(box, QEvent::KeyPress, Qt::Key_Down, "", at, flagged);
            }
            keyStamped(box, QEvent::KeyRelease, Qt::Key_Down, "", 1700);
            EXPECT_EQ(form->log.size(), 0) << "nor before the keys are handled" << joined(form->log);
            keysHandled();
            EXPECT_EQ(joined(form->log),
                      box == form->comLevel ? "comLevel_Click Tom Oakes" : "lstNames_Click 4");
            if (box == form->comLevel) {
                EXPECT_EQ(drawnAtPick, "Tom Oakes");
            }
            box == form->comLevel ? form->comLevel->setCurrentIndex(0) : form->lstNames->setCurrentRow(0);
        }

    // A click on a button while the key is held: the pick runs first, and its message takes the
    // release, so the button is neither clicked nor left down.
    form->comLevel->setCurrentIndex(0);
    form->comLevel->setFocus();
    ui::onClick(form->comLevel, [this] {
        if (form->comLevel->currentIndex() == 4)
            ui::msgBox("Tom Oakes is hurt", ui::Buttons::OK, "Pick");
    });
    keyStamped(form->comLevel, QEvent::KeyPress, Qt::Key_Down, "", 2000);
    for (ulong at = 2500; at < 2590; at += 30)
        keyStamped(form->comLevel, QEvent::KeyPress, Qt::Key_Down, "", at, true);
    ui::ScriptedMessages msgs;
    msgs.expect("Tom Oakes is hurt");
    form->log.clear();
    QTest::mouseClick(form->cmdGo, Qt::LeftButton);
    EXPECT_EQ(msgs.messages().size(), 1u);
    EXPECT_FALSE(form->log.contains("cmdGo_Click")) << joined(form->log);
    EXPECT_FALSE(form->cmdGo->isDown());
}

TEST_F(EventsTest, DropDownListPicksTheWholeTypedNameOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    showOnScreen(form);
    expectTypedPicks(form, [](const QString& text) { xType(text); }, [] { xKeys("Tab"); });

    // Right after a pick from its list, the focus still in the box, the wheel over it picks nothing.
    QComboBox* combo = form->comLevel;
    ASSERT_TRUE(xPick(combo, "Evan Wilson"));
    ASSERT_EQ(combo->currentText(), "Evan Wilson");
    ASSERT_TRUE(combo->hasFocus());
    form->log.clear();
    xWheel(combo, 2);
    xWheel(combo, -3);
    EXPECT_EQ(combo->currentText(), "Evan Wilson");
    EXPECT_EQ(joined(form->log), "");
}

TEST_F(EventsTest, TextSetByTheProgramShowsFromItsStartTypedTextGoesAtTheCursor) {
    form->txtB->setText(QString(200, 'x') + "end");
    EXPECT_EQ(form->txtB->cursorPosition(), 0);
    // Also when the text set is the one it shows already (a list paged to a row of the same
    // text), on which Qt's box moves its cursor to the end without a Change.
    form->txtB->setText(form->txtB->text());
    EXPECT_EQ(form->txtB->cursorPosition(), 0);
    // A selection the program makes stays, the cursor at its end.
    form->txtB->selectAll();
    EXPECT_EQ(form->txtB->selectedText(), form->txtB->text());
    form->txtB->setFocus();
    QTest::keyClick(form->txtB, Qt::Key_End);
    QTest::keyClicks(form->txtB, "12");
    EXPECT_TRUE(form->txtB->text().endsWith("end12"));
    EXPECT_EQ(form->txtB->cursorPosition(), form->txtB->text().size());

    // The focus the program gives selects the text from its start: typing replaces it. The box
    // left runs its LostFocus, the box given the focus its GotFocus.
    form->txtA->setFocus();
    form->log.clear();
    ui::giveFocus(form->txtB);
    EXPECT_EQ(joined(form->log), "txtA_LostFocus, txtB_GotFocus");
    EXPECT_EQ(form->txtB->selectedText(), form->txtB->text());
    EXPECT_EQ(form->txtB->cursorPosition(), 0);
    QTest::keyClicks(form->txtB, "West Dover");
    EXPECT_EQ(form->txtB->text(), "West Dover");
    // So does the text of a drop-down; a box that cannot take the focus gets no selection.
    form->comChoice->setEditText("Neutral");
    ui::giveFocus(form->comChoice);
    QTest::keyClicks(form->comChoice, "Top");
    EXPECT_EQ(form->comChoice->currentText(), "Top");
    form->txtA->setText("kept");
    form->txtA->setEnabled(false);
    ui::giveFocus(form->txtA);
    EXPECT_FALSE(form->txtA->hasSelectedText());
    EXPECT_TRUE(form->comChoice->hasFocus());
}

// A text copied with line breaks is pasted into a one-line box as one line, whichever way.
TEST_F(EventsTest, EveryPasteIntoAOneLineBoxPastesOneLine) {
    QGuiApplication::clipboard()->setText("1\r\n2\n3\r");
    form->txtB->setText("ab");
    form->txtB->setFocus();
    QTest::keyClick(form->txtB, Qt::Key_Home);
    QTest::keyClick(form->txtB, Qt::Key_Right);
    QTest::keyClick(form->txtB, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(form->txtB->text(), "a1 2 3 b");
    QTest::keyClick(form->txtB, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form->txtB->text(), "ab") << "the paste is undone as one";
    // Into a read-only box nothing is pasted, by either key.
    form->txtB->setReadOnly(true);
    QTest::keyClick(form->txtB, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(form->txtB, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(form->txtB, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtB->text(), "ab");
    form->txtB->setReadOnly(false);

    // The context menu's Paste.
    form->txtA->clear();
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        QAction* paste = nullptr;
        for (QAction* action : menu->actions())
            if (action->text().startsWith(QLineEdit::tr("&Paste"))) paste = action;
        ASSERT_NE(paste, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
    });
    QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(5, 5), form->txtA->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(form->txtA, &menuEvent);
    EXPECT_TRUE(QTest::qWaitFor([&] { return form->txtA->text() == "1 2 3 "; }, 2000)) << form->txtA->text().toStdString();

    // The box of a combo the user may type into; its Change never sees a line break.
    QGuiApplication::clipboard()->setText("Top\nhalf");
    form->comChoice->setFocus();
    QTest::keyClick(form->comChoice, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->comChoice->currentText(), "Top half");
    EXPECT_EQ(form->log.filter("comChoice_Change").join("|"), "comChoice_Change Top half");

    // Control characters copied with a text stay out of the box: a tab is a blank, a NUL, an
    // escape, DEL, a C1 control and the invisible format characters (a zero-width space, marks
    // that turn the writing direction) go.
    const QString copied = QStringLiteral("c") + QChar(0) + "d\te\x1b" + QChar(0x7f) + QChar(0x9b) + QChar(0x200B) +
                           QChar(0x202E) + QChar(0x2066) + "f" + QChar(0xFFFF);
    QGuiApplication::clipboard()->setText(copied);
    form->txtB->setReadOnly(false);
    form->txtB->setFocus();
    QTest::keyClick(form->txtB, Qt::Key_End);
    QTest::keyClick(form->txtB, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtB->text(), "abcd ef");

    // A multi-line box takes the same text with its line breaks.
    QPlainTextEdit* notes = ui::multiLineBox(form, "txtNotes");
    notes->show();
    notes->setFocus();
    QGuiApplication::clipboard()->setText(copied + "\r\nnext");
    QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ui::multiLineText(notes), "cd ef\r\nnext");

    // A paste longer than the box takes pastes nothing, and says so.
    form->txtB->setMaxLength(10);
    form->txtB->setFocus();
    QGuiApplication::clipboard()->setText("1234");
    ui::ScriptedMessages msgs;
    msgs.expect("The text pasted has 4 characters, more than this box takes (3): nothing was pasted.");
    QTest::keyClick(form->txtB, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(form->txtB->text(), "abcd ef");

    // A multi-line box takes as much as a note needs: a longer paste is refused the same way, and
    // a key that would type past it types nothing.
    notes->setFocus();
    QGuiApplication::clipboard()->setText(QString(ui::kMultiLineMaxLength, 'x'));
    msgs.expect("The text pasted has 32767 characters, more than this box takes (32757): nothing was pasted.");
    QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(ui::multiLineText(notes), "cd ef\r\nnext");
    QTest::keyClick(notes, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(notes, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(notes->toPlainText().size(), ui::kMultiLineMaxLength) << "in place of the selection";
    QTest::keyClicks(notes, "y");
    QTest::keyClick(notes, Qt::Key_Return);
    EXPECT_EQ(notes->toPlainText().size(), ui::kMultiLineMaxLength);
    QTest::keyClick(notes, Qt::Key_Backspace);
    QTest::keyClicks(notes, "yz");
    EXPECT_TRUE(notes->toPlainText().endsWith("xy"));
}

TEST_F(EventsTest, KeyPressMayChangeOrSwallowTheKey) {
    ui::onKeyPress(form->txtB, [](int& key) {
        if (key == '-') key = 0;
        else if (key >= 'a' && key <= 'z') key -= 'a' - 'A';
    });
    form->txtB->setFocus();
    QTest::keyClicks(form->txtB, "t2-e1");
    EXPECT_EQ(form->txtB->text(), "T2E1");
    QTest::keyClick(form->txtB, Qt::Key_Backspace);
    EXPECT_EQ(form->txtB->text(), "T2E");

    // KeyDown sees the keys that type nothing too, before KeyPress; swallowed, the box never
    // sees them.
    QList<int> down;
    ui::onKeyDown(form->txtB, [&](int& key) {
        down << key;
        if (key == Qt::Key_Delete || key == Qt::Key_X) key = 0;
    });
    QTest::keyClick(form->txtB, Qt::Key_Home);
    QTest::keyClick(form->txtB, Qt::Key_Delete);
    QTest::keyClicks(form->txtB, "xy");
    EXPECT_EQ(form->txtB->text(), "YT2E");
    EXPECT_EQ(down, (QList<int>{Qt::Key_Home, Qt::Key_Delete, Qt::Key_X, Qt::Key_Y}));
}

TEST_F(EventsTest, GuardShowsTheErrorAndStopsOnlyTheHandler) {
    QStringList done;
    ui::onClick(form->cmdGo, [&] {
        done << "before";
        throw db::DbError("no such table: Wrestlers");
        done << "after";
    });
    ui::ScriptedMessages msgs;
    msgs.expect("no such table: Wrestlers").expect("no such table: Wrestlers");
    form->cmdGo->click();
    form->cmdGo->click();  // a failed handler leaves nothing blocked

    EXPECT_EQ(joined(done), "before, before");
    ASSERT_EQ(msgs.messages().size(), 2u);
    EXPECT_EQ(msgs.last().title, "Error");
    EXPECT_TRUE(msgs.unexpected().empty());
    EXPECT_TRUE(ui::forms().isLoaded<frmProbe>());
}

TEST(TabStops, AreSetInDialogUnitsOfTheBoxFont) {
    QPlainTextEdit box;
    box.setFont(QFont("Liberation Sans", 10));
    const QString letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    const qreal unit = QFontMetricsF(box.font()).horizontalAdvance(letters) / 52 / 4;

    ui::setTabStops(&box, {40, 120});
    const auto tabs = box.document()->defaultTextOption().tabs();
    ASSERT_EQ(tabs.size(), 2);
    EXPECT_NEAR(tabs[0].position, 40 * unit, 0.01);
    EXPECT_NEAR(tabs[1].position, 120 * unit, 0.01);

    // The text really lines up there: the second column starts at the second stop.
    box.setPlainText("a\tb\tc");
    box.resize(600, 200);
    QTextLine line = box.document()->firstBlock().layout()->lineAt(0);
    EXPECT_NEAR(line.cursorToX(4) - line.cursorToX(0), 120 * unit, 1.0);

    ui::setTabStops(&box, {});  // nothing to set: unchanged
    EXPECT_EQ(box.document()->defaultTextOption().tabs().size(), 2);
    ui::setTabStops(&box, {16});  // one stop repeats
    EXPECT_TRUE(box.document()->defaultTextOption().tabs().isEmpty());
    EXPECT_NEAR(box.document()->defaultTextOption().tabStopDistance(), 16 * unit, 0.01);

    // The same stops in a larger font lie further right; the same stops again change nothing.
    box.setFont(QFont("Liberation Sans", 20));
    const qreal larger = QFontMetricsF(box.font()).horizontalAdvance(letters) / 52 / 4;
    ui::setTabStops(&box, {16});
    EXPECT_NEAR(box.document()->defaultTextOption().tabStopDistance(), 16 * larger, 0.01);
    box.resize(800, 200);
    ui::setTabStops(&box, {40, 120});
    ui::setTabStops(&box, {40, 120});
    ASSERT_EQ(box.document()->defaultTextOption().tabs().size(), 2);
    EXPECT_NEAR(box.document()->defaultTextOption().tabs()[1].position, 120 * larger, 0.01);

    // In a box too narrow for the columns at the font's unit the unit shrinks, so that they end
    // inside the box, the last as wide as the one before it.
    box.resize(600, 200);
    ui::setTabStops(&box, {40, 120});
    const qreal fitted = box.document()->defaultTextOption().tabs()[1].position / 120;
    EXPECT_LT(fitted, larger);
    EXPECT_NEAR(box.document()->defaultTextOption().tabs()[0].position, 40 * fitted, 0.01);
    EXPECT_NEAR(200 * fitted, box.contentsRect().width() - 2 * box.document()->documentMargin(), 0.01);

    // A report box takes the same stops, and its text lines up at them: a double click just
    // past the second stop takes the word there.
    ui::ReportBox report;
    report.setFont(QFont("Liberation Sans", 10));
    report.resize(600, 200);
    report.show();
    ui::setTabStops(&report, {40, 120});
    ASSERT_EQ(report.textOption().tabs().size(), 2);
    EXPECT_NEAR(report.textOption().tabs()[1].position, 120 * unit, 0.01);
    EXPECT_EQ(report.textOption().wrapMode(), QTextOption::NoWrap);
    report.setPlainText("a\tb\tcee");
    QTest::mouseDClick(report.viewport(), Qt::LeftButton, {}, QPoint(4 + int(120 * unit) + 3, 10));
    EXPECT_EQ(report.selectedText(), "cee");
    QTest::mouseDClick(report.viewport(), Qt::LeftButton, {}, QPoint(4 + int(40 * unit) + 2, 10));
    EXPECT_EQ(report.selectedText(), "b");
}

// A report box keeps its text as given, scrolls it like a plain text box without wrapping, and
// gives back what the mouse and the keys select.
class ReportBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        box.setFont(QFont("Liberation Sans", 10));
        box.resize(400, 200);
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
        QStringList lines;
        for (int i = 1; i <= 1000; ++i) lines << QString("Bout %1\tWade Shaw\t7-3").arg(i);
        text = lines.join('\n');
    }
    // Where the n-th character of line `line` (in view) is drawn, in viewport pixels.
    QPoint at(int line, int column) {
        const QFontMetrics metrics(box.font());
        const int top = box.verticalScrollBar()->value() == 0 ? 4 : 0;
        const int x = 4 + metrics.horizontalAdvance(box.toPlainText().section('\n', line, line).left(column));
        return QPoint(x + 1, top + (line - box.verticalScrollBar()->value()) * metrics.lineSpacing() +
                                 metrics.lineSpacing() / 2);
    }
    ui::ReportBox box;
    QString text;
};

TEST_F(ReportBoxTest, KeepsTheTextAndScrollsByLines) {
    box.setPlainText(text);
    EXPECT_EQ(box.toPlainText(), text);
    EXPECT_EQ(box.lineCount(), 1000);
    QScrollBar* bar = box.verticalScrollBar();
    EXPECT_TRUE(bar->isVisible());
    const int inView = bar->pageStep();
    EXPECT_GT(inView, 3);
    EXPECT_EQ(bar->maximum(), 1000 - inView) << "the last line can be scrolled into view, no further";
    EXPECT_FALSE(box.horizontalScrollBar()->isVisible()) << "every line fits";

    box.setFocus();
    QTest::keyClick(&box, Qt::Key_End);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(&box, Qt::Key_PageUp);
    EXPECT_EQ(bar->value(), bar->maximum() - inView);
    QTest::keyClick(&box, Qt::Key_Home);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(&box, Qt::Key_Space);
    EXPECT_EQ(bar->value(), inView);
    QTest::keyClick(&box, Qt::Key_Space, Qt::ShiftModifier);
    EXPECT_EQ(bar->value(), 0);
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), bar->maximum());
    QTest::keyClick(&box, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(bar->value(), 0);
    // A larger font: fewer lines in view, the last one still reachable.
    box.setFont(QFont("Liberation Sans", 20));
    EXPECT_LT(bar->pageStep(), inView);
    EXPECT_EQ(bar->maximum(), 1000 - bar->pageStep());
    box.setFont(QFont("Liberation Sans", 10));
    EXPECT_EQ(bar->pageStep(), inView);

    // A line longer than the box: a horizontal bar that reaches its end.
    const QString wide = "Saint Bartholomew Cooperative of the Northern and Eastern Lakes Co\tend";
    box.setPlainText("short\n" + wide);
    QCoreApplication::processEvents();
    EXPECT_TRUE(box.horizontalScrollBar()->isVisible());
    EXPECT_GE(box.horizontalScrollBar()->maximum() + box.viewport()->width(),
              QFontMetrics(box.font()).horizontalAdvance(wide.left(wide.indexOf('\t'))));
    EXPECT_EQ(bar->maximum(), 0);
    // Ctrl+End shows the end of the text, Ctrl+Home its start; End alone keeps the column.
    QTest::keyClick(&box, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(box.horizontalScrollBar()->value(), box.horizontalScrollBar()->maximum());
    EXPECT_GT(box.horizontalScrollBar()->value(), 0);
    QTest::keyClick(&box, Qt::Key_End);
    EXPECT_EQ(box.horizontalScrollBar()->value(), box.horizontalScrollBar()->maximum());
    QTest::keyClick(&box, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(box.horizontalScrollBar()->value(), 0);
    // The same for a wide line in the middle of a long report, once it is scrolled into view.
    QStringList lines = text.split('\n');
    lines[500] = wide + wide;
    box.setPlainText(lines.join('\n'));
    QCoreApplication::processEvents();
    EXPECT_FALSE(box.horizontalScrollBar()->isVisible());
    bar->setValue(498);
    QCoreApplication::processEvents();
    EXPECT_TRUE(box.horizontalScrollBar()->isVisible());
    EXPECT_GE(box.horizontalScrollBar()->maximum() + box.viewport()->width(),
              QFontMetrics(box.font()).horizontalAdvance(wide + wide.left(wide.indexOf('\t'))));
    // A new text shows from its start, the bar gone when it fits again.
    bar->setValue(0);
    box.horizontalScrollBar()->setValue(30);
    box.setPlainText(text);
    QCoreApplication::processEvents();
    EXPECT_EQ(box.horizontalScrollBar()->value(), 0);
    EXPECT_FALSE(box.horizontalScrollBar()->isVisible());
    box.clear();
    EXPECT_EQ(box.toPlainText(), "");
    EXPECT_EQ(box.lineCount(), 1);
}

TEST_F(ReportBoxTest, MouseAndKeysSelectAndCopyTheTextExactly) {
    box.setPlainText(text);
    QWidget* view = box.viewport();
    ui::setClipboardText("before");
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui::clipboardText(), "before") << "nothing selected, nothing copied";

    // From the "B" of the second line to the "1" of the third "Bout 3": across a line end.
    QTest::mousePress(view, Qt::LeftButton, {}, at(1, 0));
    QTest::mouseMove(view, at(2, 5));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(2, 5));
    EXPECT_EQ(box.selectedText(), "Bout 2\tWade Shaw\t7-3\nBout ");
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui::clipboardText(), "Bout 2\tWade Shaw\t7-3\nBout ");

    // Shift and a click take the selection on from where it began.
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, at(1, 4));
    EXPECT_EQ(box.selectedText(), "Bout");

    // Held below the box, a drag goes on scrolling and selecting until the button is let go.
    QScrollBar* bar = box.verticalScrollBar();
    QTest::mousePress(view, Qt::LeftButton, {}, at(0, 0));
    QTest::mouseMove(view, QPoint(10, view->height() + 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() >= 5; }));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(10, view->height() + 10));
    const int stopped = bar->value();
    EXPECT_TRUE(box.selectedText().startsWith("Bout 1\t"));
    EXPECT_TRUE(box.selectedText().contains(QString("Bout %1\t").arg(stopped + bar->pageStep())));
    QTest::qWait(120);
    EXPECT_EQ(bar->value(), stopped);
    // The same when the button is let go over another window, where the box does not hear it.
    QWidget other;
    other.resize(100, 100);
    other.show();
    QTest::mousePress(view, Qt::LeftButton, {}, at(stopped, 0));
    QTest::mouseMove(view, QPoint(10, view->height() + 10));
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->value() >= stopped + 2; }));
    QTest::mouseRelease(&other, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::qWait(100);
    const int letGo = bar->value();
    QTest::qWait(120);
    EXPECT_EQ(bar->value(), letGo);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(10, 10));
    bar->setValue(0);

    QTest::mouseDClick(view, Qt::LeftButton, {}, at(0, 1));
    EXPECT_EQ(box.selectedText(), "Bout");

    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui::clipboardText(), text);

    // A shorter text put in while scrolled to the end with a selection: nothing selected, shown
    // from its start, and Shift and a click below it select up to where the pointer is.
    QTest::keyClick(&box, Qt::Key_End);
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(view, QPoint(10, 100));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(10, 100));
    ASSERT_FALSE(box.selectedText().isEmpty());
    box.setPlainText("one\ntwo");
    EXPECT_EQ(box.selectedText(), "");
    EXPECT_EQ(box.verticalScrollBar()->value(), 0);
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 150));
    EXPECT_EQ(box.selectedText(), "one\ntwo");
    // An empty text: clicks and keys select nothing.
    box.clear();
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(100, 150));
    QTest::mouseDClick(view, Qt::LeftButton, {}, QPoint(100, 150));
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(box.selectedText(), "");
}

TEST_F(ReportBoxTest, CopiesKeepTheLineEndsAsGivenAndAVeryLongLineIsLaidOutOnlyAtItsStart) {
    // A report as the forms build it, with CR LF line ends: every copy keeps them.
    const QString report = QString(text).replace("\n", "\r\n");
    box.setPlainText(report);
    EXPECT_EQ(box.lineCount(), 1000);
    EXPECT_EQ(box.toPlainText(), report);
    QWidget* view = box.viewport();
    QTest::mousePress(view, Qt::LeftButton, {}, at(1, 0));
    QTest::mouseMove(view, at(2, 5));
    QTest::mouseRelease(view, Qt::LeftButton, {}, at(2, 5));
    const QString part = "Bout 2\tWade Shaw\t7-3\r\nBout ";
    EXPECT_EQ(box.selectedText(), part);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui::clipboardText(), part);
    ui::setClipboardText("before");
    ASSERT_TRUE(chooseFromContextMenu(view, at(5, 2), Qt::Key_C));
    EXPECT_EQ(ui::clipboardText(), part) << "the context menu's Copy";
    // The end of a line and no further: no half line end.
    QTest::mouseClick(view, Qt::LeftButton, {}, at(1, 0));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(view->width() - 5, at(1, 0).y()));
    EXPECT_EQ(box.selectedText(), "Bout 2\tWade Shaw\t7-3");
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ui::clipboardText(), report);

    // A line of 10,000,000 characters shows at once: only its start is laid out, and the bar
    // reaches as far as that; a copy still gives the whole line.
    const QString longLine = "short\r\n" + QString(10'000'000, QChar('W')) + "\r\nlast";
    box.setPlainText(longLine);
    QCoreApplication::processEvents();
    EXPECT_EQ(box.lineCount(), 3);
    QScrollBar* across = box.horizontalScrollBar();
    EXPECT_TRUE(across->isVisible());
    EXPECT_GT(across->maximum() + view->width(),
              QFontMetrics(box.font()).horizontalAdvance(QString(ui::ReportBox::kLaidOutLength / 2, QChar('W'))));
    EXPECT_LT(across->maximum(),
              QFontMetrics(box.font()).horizontalAdvance(QString(ui::ReportBox::kLaidOutLength * 2, QChar('W'))));
    QTest::keyClick(&box, Qt::Key_End);
    across->setValue(across->maximum());
    QCoreApplication::processEvents();
    QTest::mouseDClick(view, Qt::LeftButton, {}, at(1, 1));
    EXPECT_EQ(box.selectedText().size(), 10'000'000) << "a double click takes the whole word";
    QTest::keyClick(&box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&box, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(ui::clipboardText() == longLine);

    // An emoji across the laid-out end is left out whole: a click past the end of what shows
    // selects up to the character before it, never half of it.
    const int cut = ui::ReportBox::kLaidOutLength;
    const QString emoji = QString::fromUtf8("\xF0\x9F\xA4\xBC");
    const QString beforeCut = QString(cut - 1, QChar('W'));
    box.setPlainText("short\n" + beforeCut + emoji + QString(100, QChar('W')));
    QCoreApplication::processEvents();
    QTest::mouseClick(view, Qt::LeftButton, {}, at(1, 0));
    across->setValue(across->maximum());
    QCoreApplication::processEvents();
    QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, QPoint(view->width() - 2, at(1, 0).y()));
    EXPECT_TRUE(box.selectedText() == beforeCut) << box.selectedText().size();
}

// The screen runs' own footing: real X input reaches the form's boxes at 125%, in order, and the
// focus events follow it.
TEST_F(EventsTest, RealClicksAndKeysReachTheBoxesOnRealScreen) {
    SKIP_UNLESS_ON_SCREEN();
    showOnScreen(form);
    EXPECT_DOUBLE_EQ(form->devicePixelRatioF(), 1.25);
    xClick(form->txtB);
    ASSERT_TRUE(form->txtB->hasFocus());
    xType("Evan O'Neil");
    EXPECT_EQ(form->txtB->text(), "Evan O'Neil");
    xKeys("shift+Tab");
    EXPECT_TRUE(form->txtA->hasFocus());
    EXPECT_EQ(joined(form->log), "txtA_LostFocus, txtB_GotFocus, txtB_LostFocus");

    // Alt with a letter that no control takes types nothing, in a box or a drop-down's text.
    for (QWidget* box : std::initializer_list<QWidget*>{form->txtB, form->comChoice}) {
        xClick(box);
        xKeys("End alt+s alt+t alt+Q alt+1");
    }
    EXPECT_EQ(form->txtB->text(), "Evan O'Neil");
    EXPECT_EQ(form->comChoice->currentText(), "");
}

TEST(Desktop, ClipboardKeepsTheTextExactly) {
    const QString text = "Name\tW\tL\r\nO`Neil, Pat\t12\t3\r\n";
    ui::setClipboardText(text);
    EXPECT_EQ(ui::clipboardText(), text);
}

TEST(Desktop, ScreenSizeIsTheScreensPixels) {
    EXPECT_EQ(ui::screenSize(), QSize(1280, 1024));
}

}  // namespace
