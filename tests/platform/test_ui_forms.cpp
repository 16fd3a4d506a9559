// The form registry, the close box and activation.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QComboBox>
#include <QApplication>
#include <QDate>
#include <QFile>
#include <QKeySequence>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <map>
#include <stdexcept>

#include "core/frmHelp.h"
#include "core/helpers.h"
#include "platform/ui/ui.h"
#include "support/every_form.h"
#include "support/fixtures.h"
#include "support/user_input.h"

namespace {

QStringList gLog;  // what the test forms did, in order

class frmFirst : public ui::Form {
public:
    frmFirst() {
        txtName = ui::textBox(this, "txtName", "designed");
        cmdReturn = ui::button(this, "cmdReturn", "&Return");
        ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(txtName);
        layout->addWidget(cmdReturn);
    }
    void Form_Load() override {
        ++loads;
        gLog << "first load";
        // A form's load may refer to itself without loading it twice.
        ui::forms().get<frmFirst>()->txtName->setText("loaded");
    }
    void Form_Activate() override { gLog << "first activate"; }
    void Form_Unload() override { gLog << "first unload"; }

    // Shows the other form and unloads this one, then goes on with its own controls.
    void cmdReturn_Click();

    QLineEdit* txtName;
    QPushButton* cmdReturn;
    static inline int loads = 0;
};

class frmSecond : public ui::Form {
public:
    void Form_Load() override { gLog << "second load"; }
    void Form_Activate() override { gLog << "second activate"; }
};

// A form whose close box closes it.
class frmClosable : public ui::Form {
public:
    void Form_QueryUnload(bool& cancel) override {
        cancel = false;
        gLog << "closable query";
    }
    void Form_Unload() override { gLog << "closable unload"; }
};

class frmBroken : public ui::Form {
public:
    void Form_Load() override { throw std::runtime_error("no database"); }
};

// Gives way to the broken form: unloads itself, or hides itself, before referring to it.
class frmLeaving : public ui::Form {
public:
    frmLeaving() {
        cmdUnload = ui::button(this, "cmdUnload", "&Unload");
        cmdHide = ui::button(this, "cmdHide", "&Hide");
        ui::onClick(cmdUnload, [] {
            ui::forms().unload<frmLeaving>();
            ui::forms().get<frmBroken>()->show();
        });
        ui::onClick(cmdHide, [this] {
            hide();
            ui::forms().get<frmBroken>()->show();
        });
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(cmdUnload);
        layout->addWidget(cmdHide);
    }
    void Form_Load() override {
        ++loads;
        if (failLoad) throw std::runtime_error("no database either");
    }

    QPushButton* cmdUnload;
    QPushButton* cmdHide;
    static inline int loads = 0;
    static inline bool failLoad = false;
};

void frmFirst::cmdReturn_Click() {
    ui::forms().get<frmSecond>()->show();
    ui::forms().unload<frmFirst>();
    txtName->setText("still here");
    gLog << QString("after unload: %1").arg(isUnloading() ? "unloading" : "loaded");
}

class FormsTest : public ::testing::Test {
protected:
    void SetUp() override {
        gLog.clear();
        frmFirst::loads = 0;
    }
    void TearDown() override { ui::forms().unloadAll(); }
};

TEST_F(FormsTest, LoadsOnFirstReferenceOnceAndAfreshAfterUnload) {
    EXPECT_FALSE(ui::forms().isLoaded<frmFirst>());
    frmFirst* form = ui::forms().get<frmFirst>();
    EXPECT_TRUE(ui::forms().isLoaded<frmFirst>());
    EXPECT_EQ(ui::forms().get<frmFirst>(), form);
    EXPECT_EQ(frmFirst::loads, 1);
    EXPECT_EQ(form->txtName->text(), "loaded");
    EXPECT_FALSE(form->isVisible()) << "referring to a form does not show it";

    QPointer<frmFirst> old(form);
    ui::forms().unload<frmFirst>();
    EXPECT_FALSE(ui::forms().isLoaded<frmFirst>());
    EXPECT_EQ(gLog.join(", ").toStdString(), "first load, first unload");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(old.isNull());

    frmFirst* again = ui::forms().get<frmFirst>();
    EXPECT_EQ(frmFirst::loads, 2);
    EXPECT_EQ(again->txtName->text(), "loaded");
    ui::forms().unload<frmSecond>();  // not loaded: nothing happens
    EXPECT_FALSE(ui::forms().isLoaded<frmSecond>());
}

// A failed load keeps no form, and never leaves the user without one: the form he came from, which
// gave way before the new one was referred to, is shown again (loaded afresh when it was
// unloaded) under the error's message; when that cannot be loaded either, the main form is.
TEST_F(FormsTest, FailedLoadLeavesNoFormBehind) {
    EXPECT_THROW(ui::forms().get<frmBroken>(), std::runtime_error);
    EXPECT_FALSE(ui::forms().isLoaded<frmBroken>());
    EXPECT_FALSE(ui::forms().isLoaded<frmFirst>()) << "at the start there is none to go back to";
    // While a form is shown, a failed load changes nothing else.
    frmSecond* second = ui::forms().get<frmSecond>();
    second->show();
    activate(second);
    second->hide();
    frmFirst* first = ui::forms().get<frmFirst>();
    first->show();
    activate(first);
    EXPECT_THROW(ui::forms().get<frmBroken>(), std::runtime_error);
    EXPECT_FALSE(second->isVisible());
    ui::forms().unloadAll();

    ui::forms().setMainForm<frmFirst>();
    struct Case {
        const char* what;
        QPushButton* frmLeaving::*button;
        bool leavingLoads;
    };
    for (const Case& c : {Case{"hidden", &frmLeaving::cmdHide, true},
                          Case{"unloaded", &frmLeaving::cmdUnload, true},
                          Case{"unloaded, and cannot be loaded again", &frmLeaving::cmdUnload, false}}) {
        SCOPED_TRACE(c.what);
        frmLeaving::loads = 0;
        frmLeaving::failLoad = false;
        frmLeaving* form = ui::forms().get<frmLeaving>();
        form->show();
        activate(form);
        frmLeaving::failLoad = !c.leavingLoads;
        ui::ScriptedMessages msgs;
        msgs.expect("no database");

        QTest::mouseClick(form->*c.button, Qt::LeftButton);

        ASSERT_EQ(msgs.messages().size(), 1u);
        EXPECT_EQ(msgs.last().title, "Error");
        EXPECT_FALSE(ui::forms().isLoaded<frmBroken>());
        ui::Form* shown = ui::Form::activeForm();
        ASSERT_TRUE(shown && shown->isVisible());
        if (c.leavingLoads) {
            EXPECT_EQ(shown, ui::forms().get<frmLeaving>());
            EXPECT_EQ(frmLeaving::loads, c.button == &frmLeaving::cmdHide ? 1 : 2);
        } else {
            EXPECT_EQ(shown, ui::forms().get<frmFirst>()) << "the main form";
            EXPECT_FALSE(ui::forms().isLoaded<frmLeaving>());
        }
        ui::forms().unloadAll();
        ui::forms().setMainForm<frmFirst>();
    }
    frmLeaving::failLoad = false;
}

TEST_F(FormsTest, HandlerMayUnloadItsOwnForm) {
    frmFirst* first = ui::forms().get<frmFirst>();
    first->show();
    activate(first);
    QPointer<frmFirst> watch(first);
    gLog.clear();

    QTest::mouseClick(first->cmdReturn, Qt::LeftButton);

    EXPECT_EQ(gLog.join(", ").toStdString(),
              "second load, second activate, first unload, after unload: unloading");
    EXPECT_FALSE(ui::forms().isLoaded<frmFirst>());
    EXPECT_TRUE(ui::forms().get<frmSecond>()->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

TEST_F(FormsTest, CloseBoxIsRefusedWithTheSharedMessage) {
    frmFirst* form = ui::forms().get<frmFirst>();
    form->show();
    ui::ScriptedMessages msgs;
    msgs.expect("Click 'Return' to close window");

    EXPECT_FALSE(form->close());

    ASSERT_EQ(msgs.messages().size(), 1u);
    EXPECT_EQ(msgs.last().text, "Click 'Return' to close window");
    EXPECT_EQ(msgs.last().title, "Exit");
    EXPECT_EQ(msgs.last().buttons, ui::Buttons::OK);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(ui::forms().isLoaded<frmFirst>());
    EXPECT_FALSE(gLog.contains("first unload"));
}

TEST_F(FormsTest, UnloadByTheProgramIsNeverRefused) {
    ui::forms().get<frmFirst>()->show();
    ui::ScriptedMessages msgs;  // no message expected
    ui::forms().unload<frmFirst>();
    EXPECT_TRUE(msgs.messages().empty());
    EXPECT_FALSE(ui::forms().isLoaded<frmFirst>());
    EXPECT_TRUE(gLog.contains("first unload"));
}

TEST_F(FormsTest, FormThatAllowsTheCloseBoxIsUnloadedByIt) {
    frmClosable* form = ui::forms().get<frmClosable>();
    form->show();
    EXPECT_TRUE(form->close());
    EXPECT_EQ(gLog.join(", ").toStdString(), "closable query, closable unload");
    EXPECT_FALSE(ui::forms().isLoaded<frmClosable>());
}

TEST_F(FormsTest, ActivationComesWithShowAndWithTheUserMovingBetweenForms) {
    frmFirst* first = ui::forms().get<frmFirst>();
    first->show();
    activate(first);
    EXPECT_EQ(gLog.count("first activate"), 1) << "first show";

    frmSecond* second = ui::forms().get<frmSecond>();
    second->show();
    activate(second);
    EXPECT_EQ(gLog.count("second activate"), 1);

    activate(first);  // the user clicks the first form
    EXPECT_EQ(gLog.count("first activate"), 2);

    // A window that is none of our forms (a message box, a file dialog) comes and goes.
    QWidget box;
    box.show();
    activate(&box);
    activate(first);
    EXPECT_EQ(gLog.count("first activate"), 2);

    // Showing a form that is open already brings it to the front and activates it.
    second->show();
    EXPECT_EQ(gLog.count("second activate"), 2);
    // A form hidden and shown again becomes active again.
    second->hide();
    second->show();
    EXPECT_EQ(gLog.count("second activate"), 3);
}

}  // namespace

TEST(FormFonts, NamedFontsDrawWithTheirSameWidthStandIns) {
    ui::Form form;
    QFont font(QStringLiteral("MS Sans Serif"), 10);
    EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Times New Roman"), 10)).family(),
              QStringLiteral("Liberation Serif"));
}

namespace {

// Every form of the program on a configured database with a team in it.
class EveryFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetCoreState();
        const QString db = makeDatabase(home.path());
        QFile ini(home.file(QStringLiteral("MatchInfo.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write((db + QStringLiteral("\r\n\r\n")).toUtf8());
        ini.close();
        const QString now = QString::number(getSeason(QDate::currentDate()));
        execSql(db, QStringLiteral("INSERT INTO Weight (Weight) VALUES ('152');"
                                   "INSERT INTO Wrestler (FullName, FirstName, LastName, wr_inactive, Season, "
                                   "FNameSeason) VALUES ('Eli Frost', 'Eli', 'Frost', '0', %1, 'Eli Frost%1'),"
                                   "('VOID', 'VOID', '', NULL, %1, 'VOID%1');"
                                   "INSERT INTO OppSchool (OppSchool, OppDiv) VALUES ('Westfield', 3);")
                        .arg(now));
    }
    void TearDown() override { ui::forms().unloadAll(); }
    // Runs `check` on every form, loaded and shown, each message answered OK.
    static void onEveryForm(const std::function<void(const FormEntry&, ui::Form*, const ui::ScriptedMessages&)>& check) {
        for (const FormEntry& entry : everyForm()) {
            ui::ScriptedMessages msgs;
            for (int i = 0; i < 200; ++i) msgs.queue();
            ui::Form* form = entry.load();
            showActive(form);
            check(entry, form, msgs);
            msgs.clear();
            ui::forms().unloadAll();
        }
    }
    TestHome home;
    // What two forms say when they open with nothing to work on here.
    const std::map<QString, QString> openingMessage = {
        {QStringLiteral("frmFTP"), QStringLiteral("No server to send the database to is set up")},
        {QStringLiteral("frmImport"), QStringLiteral("Unable to read the school list file")}};
};

// For each button with an access key: a text box whose leave check keeps the focus is left by
// that key. The check runs (once), and keeps the focus, so the button is not clicked.
TEST_F(EveryFormTest, AccessKeyRunsTheLeaveCheckOfTheBoxLeftBeforeAnyClick) {
    int buttonsTried = 0;
    for (const FormEntry& entry : everyForm()) {
        ui::ScriptedMessages msgs;
        if (openingMessage.count(entry.name)) msgs.expect(openingMessage.at(entry.name));
        ui::Form* form = entry.load();
        showActive(form);

        auto* probe = new QLineEdit(form);
        probe->setGeometry(0, 0, 40, 20);
        probe->show();
        probe->raise();
        int leaves = 0;
        ui::onLostFocus(probe, [&] {
            ++leaves;
            probe->setFocus();  // as a failing check does
        });

        const QList<QAbstractButton*> buttons = form->findChildren<QAbstractButton*>();
        for (QAbstractButton* button : buttons) {
            const QKeySequence key = QKeySequence::mnemonic(button->text());
            if (key.isEmpty() || !button->isVisible() || !button->isEnabled()) continue;
            const std::string where = (entry.name + "." + button->objectName()).toStdString();
            int clicks = 0;
            const auto counter = QObject::connect(button, &QAbstractButton::clicked, [&] { ++clicks; });
            probe->setFocus();
            leaves = 0;
            QTest::keyClick(probe, key[0].key(), key[0].keyboardModifiers());
            EXPECT_EQ(leaves, 1) << where;
            EXPECT_EQ(clicks, 0) << where;
            EXPECT_TRUE(probe->hasFocus()) << where;
            QObject::disconnect(counter);
            ++buttonsTried;
        }
        EXPECT_TRUE(msgs.unexpected().empty()) << entry.name.toStdString();
        ui::forms().unloadAll();
    }
    EXPECT_GT(buttonsTried, 100);
}

// Tab and Shift+Tab go round every form through controls the coach can see: none lies under
// another (Enter Match's "Previous Schools" under its cover box, on a file with no school met
// yet) or outside the form.
TEST_F(EveryFormTest, EveryTabStopIsInSight) {
    int stops = 0;
    onEveryForm([&stops](const FormEntry& entry, ui::Form* form, const ui::ScriptedMessages&) {
        for (const QKeyCombination key : {QKeyCombination(Qt::Key_Tab), Qt::ShiftModifier | Qt::Key_Backtab}) {
            for (int i = 0; i < 40; ++i) {
                QWidget* focus = QApplication::focusWidget();
                if (!focus || focus->window() != form) break;
                pressKey(key.key(), key.keyboardModifiers());
                focus = QApplication::focusWidget();
                if (!focus || focus->window() != form) break;
                const QWidget* seen = form->childAt(focus->mapTo(form, focus->rect().center()));
                EXPECT_TRUE(seen && (seen == focus || focus->isAncestorOf(seen)))
                    << (entry.name + "." + focus->objectName()).toStdString() << " under "
                    << (seen ? seen->objectName().toStdString() : "nothing");
                ++stops;
            }
        }
    });
    EXPECT_GT(stops, 500);
}

// The program has no support address, site or server: no help text, and no message shown on the
// way to it, sends the coach to one.
TEST_F(EveryFormTest, NoHelpTextNamesAnAddressThatLeadsNowhere) {
    int helpsRead = 0;
    onEveryForm([&helpsRead](const FormEntry& entry, ui::Form* form, const ui::ScriptedMessages& msgs) {
        for (QPushButton* button : form->findChildren<QPushButton*>()) {
            if (!button->objectName().startsWith("cmdHelp") || !button->isVisible() || !button->isEnabled())
                continue;
            QTest::mouseClick(button, Qt::LeftButton);
            if (!ui::forms().isLoaded<frmHelp>()) continue;
            const QString help = ui::forms().get<frmHelp>()->txtHelp->toPlainText();
            EXPECT_FALSE(help.contains(".invalid")) << entry.name.toStdString() << ": " << help.toStdString();
            ++helpsRead;
            ui::forms().unload<frmHelp>();
        }
        for (const QString& text : msgs.texts()) EXPECT_FALSE(text.contains(".invalid")) << text.toStdString();
    });
    EXPECT_GT(helpsRead, 15);
}

// Every drop-down of every form opens, by Alt+Down, a list as tall as its items, up to the rows a
// list shows at most.
TEST_F(EveryFormTest, EveryDropDownOpensAListAsTallAsItsItems) {
    int listsOpened = 0;
    onEveryForm([&listsOpened](const FormEntry& entry, ui::Form* form, const ui::ScriptedMessages&) {
        for (QComboBox* box : form->findChildren<QComboBox*>()) {
            if (box->count() == 0 || !box->isVisible() || !box->isEnabled()) continue;
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Down, Qt::AltModifier);
            QAbstractItemView* list = box->view();
            if (!list->isVisible()) continue;
            const int rows = std::min(box->count(), box->maxVisibleItems());
            EXPECT_GE(list->viewport()->height(), rows * list->sizeHintForRow(box->count() - 1))
                << (entry.name + "." + box->objectName()).toStdString() << " " << box->count() << " items";
            QTest::keyClick(list, Qt::Key_Escape);
            ++listsOpened;
        }
    });
    EXPECT_GT(listsOpened, 30);
}

}  // namespace
