// The reports menu: every button opens its report and closes the menu; the reports come back.
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

#include "core/frmInit.h"
#include "match_reports/frmDualRpt.h"
#include "match_reports/frmIndDetail.h"
#include "match_reports/frmIndMatchSummary.h"
#include "platform/ui/ui.h"
#include "statistics/frmIndvSummary.h"
#include "statistics/frmLeaders.h"
#include "statistics/frmNotes.h"
#include "statistics/frmReports.h"
#include "statistics/frmSeasonSummary.h"
#include "statistics/frmSummary.h"
#include "statistics/frmTeamLeaders.h"
#include "statistics/season_db_test.h"
#include "support/qt_printers.h"
#include "support/user_input.h"

namespace {

class ReportsMenuTest : public SeasonDbTest {
protected:
    frmReports* openMenu() {
        frmReports* menu = ui::forms().get<frmReports>();
        menu->show();
        return menu;
    }
};

struct Target {
    const char* button;
    std::function<ui::Form*()> form;  // the report form, when loaded
};

template <class T>
std::function<ui::Form*()> loaded() {
    return [] { return ui::forms().isLoaded<T>() ? static_cast<ui::Form*>(ui::forms().get<T>()) : nullptr; };
}

TEST_F(ReportsMenuTest, ButtonsCaptionsAndTheHiddenOne) {
    ui::ScriptedMessages msgs;
    frmReports* menu = openMenu();
    EXPECT_EQ(menu->windowTitle(), "Reports");
    EXPECT_EQ(menu->lblTitle->text(), "Reports");
    EXPECT_FALSE(menu->imgKestrivane->pixmap().isNull());
    EXPECT_EQ(menu->cmdIndSummary->text(), "I&ndivdual Match Summary");
    EXPECT_EQ(menu->cmdSeason->text(), "&Indvidual Season Summary");
    EXPECT_FALSE(menu->cmdIndSummaryDetail->isVisible());
    activate(menu);
    EXPECT_EQ(QApplication::focusWidget(), menu->cmdLeaders);
}

TEST_F(ReportsMenuTest, EveryButtonOpensItsReportAndReturnComesBack) {
    const Target targets[] = {
        {"cmdLeaders", loaded<frmLeaders>()},
        {"cmdMultiLeader", loaded<frmTeamLeaders>()},
        {"cmdSummary", loaded<frmSummary>()},
        {"cmdMatchSummary", loaded<frmIndDetail>()},
        {"cmdIndSummary", loaded<frmIndMatchSummary>()},
        {"cmdSeason", loaded<frmSeasonSummary>()},
        {"cmdDual", loaded<frmDualRpt>()},
        {"cmdNotes", loaded<frmNotes>()},
        {"cmdIndSummaryDetail", loaded<frmIndvSummary>()},
    };
    for (const Target& target : targets) {
        SCOPED_TRACE(target.button);
        ui::ScriptedMessages msgs;
        frmReports* menu = openMenu();
        menu->findChild<QPushButton*>(target.button)->click();
        EXPECT_FALSE(ui::forms().isLoaded<frmReports>());
        ui::Form* report = target.form();
        ASSERT_NE(report, nullptr);
        EXPECT_TRUE(report->isVisible());

        // The individual summary goes back by its Cancel button.
        QPushButton* back = report->findChild<QPushButton*>("cmdReturn");
        if (back == nullptr) back = report->findChild<QPushButton*>("cmdCancel");
        ASSERT_NE(back, nullptr);
        back->click();
        EXPECT_EQ(target.form(), nullptr);
        ASSERT_TRUE(ui::forms().isLoaded<frmReports>());
        frmReports* fresh = ui::forms().get<frmReports>();
        EXPECT_TRUE(fresh->isVisible());
        EXPECT_FALSE(fresh->cmdIndSummaryDetail->isVisible());
        ui::forms().unloadAll();
    }
}

TEST_F(ReportsMenuTest, AccessKeysOpenTheirForms) {
    const std::pair<Qt::Key, std::function<ui::Form*()>> keys[] = {
        {Qt::Key_L, loaded<frmLeaders>()},
        {Qt::Key_A, loaded<frmIndDetail>()},
        {Qt::Key_N, loaded<frmIndMatchSummary>()},
        {Qt::Key_I, loaded<frmSeasonSummary>()},
    };
    for (const auto& [key, formOf] : keys) {
        const auto& form = formOf;  // a lambda may not capture a structured binding
        ui::ScriptedMessages msgs;
        frmReports* menu = openMenu();
        activate(menu);
        QTest::keyClick(menu, key, Qt::AltModifier);
        // An access key presses its button visibly: the click comes a moment later.
        EXPECT_TRUE(QTest::qWaitFor([&] { return form() != nullptr; }, 2000)) << key;
        EXPECT_FALSE(ui::forms().isLoaded<frmReports>()) << key;
        ui::forms().unloadAll();
    }
}

TEST_F(ReportsMenuTest, CloseBoxIsRefusedAndReturnGoesToTheMainMenu) {
    {
        ui::ScriptedMessages msgs;
        frmReports* menu = openMenu();
        msgs.expect("Click 'Return' to close window");
        menu->close();
        EXPECT_EQ(msgs.last().title, "Exit");
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(ui::forms().isLoaded<frmReports>());
    }
    // The main menu re-runs the start-up on its load: it needs the configuration file.
    QFile ini(home.file("MatchInfo.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write((dbPath + "\r\n\r\n").toUtf8());
    ini.close();
    ui::ScriptedMessages msgs;
    frmReports* menu = ui::forms().get<frmReports>();
    activate(menu);
    QTest::keyClick(menu, Qt::Key_R, Qt::AltModifier);
    EXPECT_TRUE(QTest::qWaitFor([] { return !ui::forms().isLoaded<frmReports>(); }, 2000));
    EXPECT_TRUE(ui::forms().get<frmInit>()->isVisible());
}

}  // namespace
