// The leaders report over the stored seasons, driven through its controls.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include "core/frmHelp.h"
#include "platform/ui/ui.h"
#include "statistics/frmLeaders.h"
#include "statistics/frmReports.h"
#include "statistics/season_db_test.h"
#include "support/qt_printers.h"
#include "support/user_input.h"

namespace {

class LeadersTest : public SeasonDbTest {
protected:
    frmLeaders* open() {
        frmLeaders* form = ui::forms().get<frmLeaders>();
        form->show();  // activation runs the report
        return form;
    }
    QString lines(frmLeaders* form) { return form->txtResult->toPlainText(); }
    void choose(QComboBox* combo, const QString& item) {
        combo->setCurrentIndex(combo->findText(item));
    }
    void type(QComboBox* combo, const QString& text) { combo->setEditText(text); }
};

TEST_F(LeadersTest, DefaultsRankTheSeasonsActiveVarsityByTakedowns) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    EXPECT_EQ(form->windowTitle(), "Leaders/Losers");
    EXPECT_EQ(form->txtFromDate->text(), "11/1/2010");
    EXPECT_EQ(form->txtToDate->text(), "4/30/2011");
    // Carl Cole is inactive, Dan Dorn only JV, VOID never; the May match counts nowhere.
    EXPECT_EQ(lines(form), "Adam Alder\t9\nBen Brook\t6\nEli Ezra\t0");
    EXPECT_EQ(form->lblTotalResult->text(), "15");
    EXPECT_FALSE(form->Frame8->isVisible());

    form->optAll->setChecked(true);
    EXPECT_EQ(lines(form), "Adam Alder\t9\nBen Brook\t6\nCarl Cole\t4\nEli Ezra\t0");
    form->optAsc->setChecked(true);
    EXPECT_EQ(lines(form), "Eli Ezra\t0\nCarl Cole\t4\nBen Brook\t6\nAdam Alder\t9");
    choose(form->comLevel, "All");
    EXPECT_TRUE(lines(form).startsWith("Eli Ezra\t0\nCarl Cole\t4\nBen Brook\t6\nDan Dorn\t7\n"));
    type(form->comLevel, "varsity");  // not a level name: no level condition at the next run
    form->optDesc->setChecked(true);
    EXPECT_TRUE(lines(form).contains("Dan Dorn\t7"));
    // Adam Alder's two seasons are one name: 9 + 3.
    form->txtFromDate->setText("11/1/2009");
    form->txtFromDate_LostFocus();
    EXPECT_TRUE(lines(form).startsWith("Adam Alder\t12\n"));
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(LeadersTest, CountTypesCountMatchesOfEachSide) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    choose(form->comReportType, "Other");
    form->optOpp->setChecked(true);
    EXPECT_EQ(lines(form), "Adam Alder\t1");  // his loss of type Other
    form->optHome->setChecked(true);
    EXPECT_EQ(lines(form), "");  // Carl Cole's Other win is left out as he is inactive
    EXPECT_EQ(form->lblTotalResult->text(), "0");
    form->optAll->setChecked(true);
    EXPECT_EQ(lines(form), "Carl Cole\t1");

    choose(form->comReportType, "Forfeit");  // stored "Forfeit"
    EXPECT_EQ(lines(form), "Adam Alder\t1");
    choose(form->comReportType, "Pins");  // stored "Fall"
    EXPECT_EQ(lines(form), "Adam Alder\t1");
    form->optOpp->setChecked(true);
    // Equal scores come in the database's order.
    const QStringList losers = lines(form).split('\n');
    EXPECT_EQ(losers.size(), 2);
    EXPECT_TRUE(losers.contains("Ben Brook\t1") && losers.contains("Eli Ezra\t1"));
    EXPECT_EQ(form->lblTotalResult->text(), "2");
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(LeadersTest, TeamPointsAreAlwaysTheHomeSide) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    form->optOpp->setChecked(true);
    choose(form->comReportType, "Team Points");
    EXPECT_TRUE(form->optHome->isChecked());
    // Eli Ezra has no team points entered: an empty score that adds nothing.
    EXPECT_EQ(lines(form), "Adam Alder\t19\nBen Brook\t8\nEli Ezra\t");
    EXPECT_EQ(form->lblTotalResult->text(), "27");
    form->optOpp->setChecked(true);
    EXPECT_TRUE(form->optHome->isChecked());
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(LeadersTest, TypedReportTypeOrDateThatIsNotOneLeavesTheListAsItWas) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    const QString before = lines(form);

    type(form->comReportType, "takedown");
    msgs.expect("Wrong Selection");
    form->txtResult_KeyUp();
    EXPECT_EQ(msgs.last().title, "ERROR");
    EXPECT_EQ(lines(form), before);
    EXPECT_EQ(form->lblTotalResult->text(), "15");

    type(form->comReportType, "Takedown");
    for (const char* bad : {"13/45/2010", "2/30/2011", "", "1/1/2010#; DROP TABLE Wrestler"}) {
        form->txtToDate->setText(bad);
        msgs.expect("Date must be in the MM/DD/YYYY format");
        form->txtToDate_LostFocus();
        EXPECT_EQ(msgs.last().title, "Error") << bad;
        EXPECT_EQ(lines(form), before) << bad;
    }
    EXPECT_EQ(queryValue(dbPath, "SELECT count(*) FROM Wrestler").toInt(), 7);

    type(form->comReportType, "");  // an empty type stops silently
    form->txtToDate->setText("4/30/11");
    form->txtToDate_LostFocus();
    EXPECT_EQ(lines(form), before);

    // By keys: a report type the list lacks and a text that is no date are refused as their box
    // is left, the box showing the report's choice again, so no later click meets them.
    type(form->comReportType, "Takedown");
    showActive(form);
    msgs.expect("\"xyz\" is not in the list").expect("Date must be in the MM/DD/YYYY format");
    typeIntoCombo(form->comReportType, "xyz");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(form->comReportType->currentText(), "Takedown");
    typeInto(form->txtFromDate, "soon");
    pressKey(Qt::Key_Tab);
    EXPECT_EQ(form->txtFromDate->text(), "11/1/2010");
    QTest::mouseClick(form->optDesc, Qt::LeftButton);
    EXPECT_EQ(lines(form), before);
    EXPECT_EQ(msgs.messages().size(), 7u);
}

TEST_F(LeadersTest, ActivationRunsOnceAndResetsTheDates) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    form->txtFromDate->setText("11/1/2009");
    type(form->comReportType, "nonsense");
    // Going to the help window and back: the dates are the season's again and the report runs
    // once, its one message closing without a new activation.
    msgs.expect("Wrong Selection");
    form->cmdHelp->click();
    frmHelp* help = ui::forms().get<frmHelp>();
    EXPECT_TRUE(help->txtHelp->toPlainText().startsWith("Leaders\n\nSelect which report to run, "
                                                        "and adjust parameters as neccesary\n"));
    form->show();
    EXPECT_EQ(form->txtFromDate->text(), "11/1/2010");
    EXPECT_EQ(msgs.messages().size(), 1u);
}

TEST_F(LeadersTest, CopyPutsTheListAndTotalOnTheClipboard) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    form->cmdCopyClip->click();
    EXPECT_EQ(ui::clipboardText(),
              "Adam Alder\t9\r\nBen Brook\t6\r\nEli Ezra\t0\r\n\r\nTotal\t15");

    form->txtFromDate->setText("11/1/2020");
    form->txtToDate->setText("4/30/2021");
    form->txtToDate_LostFocus();
    EXPECT_EQ(lines(form), "");
    EXPECT_EQ(form->lblTotalResult->text(), "0");
    form->cmdCopyClip->click();
    EXPECT_EQ(ui::clipboardText(), "\r\n\r\nTotal\t0");
}

TEST_F(LeadersTest, HiddenAveragesDivideAsRealNumbers) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    form->chkAverage->setChecked(true);
    EXPECT_TRUE(form->optVoid->isEnabled());
    // Adam Alder: 9 takedowns in 6 matches, Ben Brook 6 in 3.
    EXPECT_EQ(lines(form), "Adam Alder\t1.5\nBen Brook\t2\nEli Ezra\t0");
    EXPECT_EQ(form->lblTotalResult->text(), "3.5");
    form->chkAverage->setChecked(false);
    EXPECT_FALSE(form->optNoVoid->isEnabled());
}

TEST_F(LeadersTest, ReturnGoesToAFreshMenuAndTheCloseBoxIsRefused) {
    ui::ScriptedMessages msgs;
    frmLeaders* form = open();
    msgs.expect("Click 'Return' to close window");
    form->close();
    EXPECT_EQ(msgs.last().title, "Exit");
    EXPECT_TRUE(ui::forms().isLoaded<frmLeaders>());
    EXPECT_TRUE(form->isVisible());

    form->cmdReturn->click();
    EXPECT_FALSE(ui::forms().isLoaded<frmLeaders>());
    EXPECT_TRUE(ui::forms().get<frmReports>()->isVisible());
}

}  // namespace
