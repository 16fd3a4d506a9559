// The association's season summary form, blank and filled, printed from the season summary
// screen and read back from the recording page (and once from a real PDF).
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <cmath>

#include "core/connection.h"
#include "platform/print/RecordingPage.h"
#include "platform/ui/ui.h"
#include "printing/printer_setup.h"
#include "statistics/frmNotes.h"
#include "statistics/frmSeasonSummary.h"
#include "statistics/season_db_test.h"
#include "support/pdf_readback.h"
#include "support/qt_printers.h"

namespace {

using Item = print::RecordingPage::Item;
using Kind = print::RecordingPage::Kind;

// The season summary screen over the season database, the home school "Lakeside".
class SeasonFormScreenTest : public SeasonDbTest {
protected:
    void SetUp() override {
        SeasonDbTest::SetUp();
        savedSchool = gSchoolName;
        gSchoolName = "Lakeside";
        execSql(dbPath, QString("UPDATE Wrestler SET MinWt = '112', RegPlace = '3', StPlace = '5' "
                                "WHERE Seq = %1").arg(ids.alder2010));
    }
    void TearDown() override {
        SeasonDbTest::TearDown();
        gSchoolName = savedSchool;
    }
    frmSeasonSummary* open(const QString& name = "Adam Alder") {
        frmSeasonSummary* form = ui::forms().get<frmSeasonSummary>();
        form->show();
        for (int i = 0; i < form->lstNames->count(); ++i)
            if (form->lstNames->item(i)->text() == name) form->lstNames->setCurrentRow(i);
        return form;
    }
    static FixtureMatch match(int wrestler, QDate date, int school, const QString& wl,
                              const QString& league = QString(), const QString& level = "V") {
        FixtureMatch m;
        m.wrestler = wrestler;
        m.date = date;
        m.school = school;
        m.wl = wl;
        m.leagueMatch = league;
        m.level = level;
        return m;
    }

    QString savedSchool;
};

// The same, printing on the recording page.
class SeasonFormPrintTest : public SeasonFormScreenTest {
protected:
    // The text items of a page equal to `text`, or printed at x (all when x < 0).
    std::vector<Item> textsOn(int page, const QString& text = QString(), double x = -1) const {
        std::vector<Item> found;
        for (const Item& item : rec.texts())
            if (item.page == page && (text.isNull() || item.text == text) &&
                (x < 0 || std::abs(item.x - x) < 1e-6))
                found.push_back(item);
        return found;
    }
    // The one text item of a page equal to `text`.
    Item only(int page, const QString& text) const {
        const auto found = textsOn(page, text);
        EXPECT_EQ(found.size(), 1u) << text.toStdString() << " on page " << page;
        return found.empty() ? Item{} : found.front();
    }
    int boxesOn(int page) const {
        int n = 0;
        for (const Item& item : rec.items()) n += item.kind == Kind::Box && item.page == page;
        return n;
    }

    print::RecordingPage rec;
};

TEST_F(SeasonFormPrintTest, BlankFormIsTwoFixedPagesWhoeverIsChosen) {
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    form->cmdPrintBlank->click();
    ASSERT_EQ(rec.documentsEnded(), 1);
    EXPECT_EQ(rec.pageCount(), 2);

    const Item title = only(1, "WRESTLING INDIVIDUAL SEASON SUMMARY");
    EXPECT_EQ(title.x, 307);
    EXPECT_EQ(title.y, 27);
    EXPECT_EQ(title.fontName, "Arial");
    EXPECT_EQ(title.fontSize, 14);
    EXPECT_EQ(only(2, "List All DEFEATS in Chronological Order").y, 20);

    // 45 numbered rows on each page, in single-precision steps of 17.2 that are never rounded.
    for (int page : {1, 2}) {
        const auto numbers = textsOn(page, QString(), 2);
        ASSERT_EQ(numbers.size(), 45u) << page;
        EXPECT_EQ(numbers.front().text, " 1");
        EXPECT_EQ(numbers.back().text, " 45");
        EXPECT_EQ(numbers.back().fontSize, 8);
        EXPECT_FALSE(numbers.back().bold);
        EXPECT_NEAR(numbers.back().y, (page == 1 ? 1051.8 : 841.8) + 2, 1e-3);
        EXPECT_NEAR(numbers[1].y, (page == 1 ? 312.2 : 102.2) + 2, 1e-3);
    }
    // Page 1: the title box, eight head boxes and nine per row; page 2: the submitter box instead.
    EXPECT_EQ(boxesOn(1), 1 + 8 + 45 * 9);
    EXPECT_EQ(boxesOn(2), 1 + 8 + 45 * 9);

    // The win-loss panel squeezed to 190 x 150, then the logo.
    std::vector<QRectF> pictures;
    for (const Item& item : rec.items())
        if (item.kind == Kind::Picture) pictures.emplace_back(QPointF(item.x, item.y), QPointF(item.x2, item.y2));
    EXPECT_EQ(pictures, (std::vector<QRectF>{{660, 100, 190, 150}, {25, 5, 200, 75}}));

    // The footer of each page: date and time, the credit line, the legend.
    for (int page : {1, 2}) {
        EXPECT_TRUE(only(page, "#  League Match   +  League School").bold);
        const auto stamp = textsOn(page, QString(), 3);
        ASSERT_EQ(stamp.size(), 1u);
        EXPECT_TRUE(stamp[0].text.startsWith(db::shortDate(QDate::currentDate()) + " "));
        EXPECT_EQ(stamp[0].fontSize, 6);
        const auto credit = textsOn(page, QString(), 100);
        ASSERT_EQ(credit.size(), 1u);
        EXPECT_EQ(credit[0].text, "Printed by Kestrivane");
        EXPECT_EQ(credit[0].fontSize, 6);
        EXPECT_EQ(credit[0].y, 1080);
    }

    // Another wrestler and a typed weight change nothing on the blank form.
    const std::vector<Item> first = rec.items();
    form->lstNames->setCurrentRow(1);
    form->txtWtEnter->setText("285");
    form->cmdPrintBlank->click();
    ASSERT_EQ(rec.documentsEnded(), 2);
    std::vector<Item> second;
    for (const Item& item : rec.items())
        if (item.document == 2) second.push_back(item);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) {
        if (first[i].x == 3 && first[i].y == 1080) continue;  // the date and time
        EXPECT_EQ(first[i].text, second[i].text);
        EXPECT_EQ(first[i].x, second[i].x);
        EXPECT_EQ(first[i].y, second[i].y);
    }
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonFormPrintTest, FilledFormPrintsEntriesRecordsWinsAndDefeats) {
    SeasonFixture db(dbPath);
    // Defeats after the stored two: at a league school outside the league (+), and a JV league
    // match at a school outside the league (italic, no mark, S).
    FixtureMatch plus = match(ids.alder2010, QDate(2011, 2, 20), ids.northfield, "L");
    plus.score = "7-3";
    db.addMatch(plus);
    db.addMatch(match(ids.alder2010, QDate(2011, 2, 21), ids.eastbrook, "L", "Y", "JV"));
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    form->cmdPrint->click();
    ASSERT_EQ(rec.documentsEnded(), 1);
    EXPECT_EQ(rec.pageCount(), 2);

    const struct {
        const char* text;
        double x, y;
    } header[] = {{"119", 125, 75},   {"112", 410, 75},  {"Alder", 40, 110}, {"Adam", 288, 110},
                  {"Lakeside", 15, 165}, {"12", 440, 165}, {"3", 243, 220},   {"5", 473, 220}};
    for (const auto& h : header) {
        const auto found = textsOn(1, h.text, h.x);
        ASSERT_EQ(found.size(), 1u) << h.text;
        const Item item = found.front();
        EXPECT_EQ(item.y, h.y) << h.text;
        EXPECT_EQ(item.fontSize, 15) << h.text;
        EXPECT_FALSE(item.bold || item.italic) << h.text;
    }

    // The records of the screen, centred in the panel's cells in whole units.
    const auto cellX = [&](double left, double width, const QString& text) {
        rec.setFontName("Arial");
        rec.setFontSize(14);
        rec.setFontBold(false);
        return left + printing::roundHalfEven((width - printing::roundHalfEven(rec.textWidth(text))) / 2);
    };
    // The JV defeat is no varsity loss.
    EXPECT_EQ(form->lblOverWin->text() + form->lblOverLoss->text(), "53");
    const struct {
        const char* text;
        double left, width, y;
    } records[] = {{"5 - 3", 650, 104, 145}, {"3 - 1", 738, 105, 145},
                   {"2 - 1", 650, 104, 198}, {"1 - 0", 738, 105, 198}};
    for (const auto& r : records) {
        const Item item = only(1, r.text);
        EXPECT_EQ(item.x, cellX(r.left, r.width, r.text)) << r.text;
        EXPECT_EQ(item.y, r.y) << r.text;
        EXPECT_EQ(item.fontSize, 14);
    }

    // Wins in bold, by date, a row of 17.2 each; league matches in italic with "#".
    const auto wins = textsOn(1, QString(), 65);
    ASSERT_EQ(wins.size(), 5u);
    const char* winDates[] = {"12/4/2010", "12/11/2010", "1/15/2011", "1/22/2011", "5/10/2011"};
    for (size_t i = 0; i < wins.size(); ++i) {
        EXPECT_EQ(wins[i].text, winDates[i]);
        EXPECT_NEAR(wins[i].y, 295 + 17.2 * i, 1e-3);
        EXPECT_TRUE(wins[i].bold);
        EXPECT_EQ(wins[i].fontSize, 9);
    }
    EXPECT_TRUE(wins[0].italic);
    EXPECT_FALSE(wins[1].italic);
    const auto marks = textsOn(1, QString(), 30);
    ASSERT_EQ(marks.size(), 2u);  // the two Northfield wins
    EXPECT_EQ(marks[0].text, "#");
    EXPECT_EQ(marks[0].fontSize, 12);
    EXPECT_NEAR(marks[1].y, 295 + 17.2 * 2, 1e-3);
    EXPECT_EQ(textsOn(1, "V", 540).size(), 5u);
    EXPECT_EQ(textsOn(1, "Onent, Opp", 325).size(), 5u);
    EXPECT_EQ(textsOn(1, "119", 270).size(), 3u);
    EXPECT_EQ(textsOn(1, "Northfield", 590).size(), 2u);
    EXPECT_EQ(textsOn(1, "O'Malley Prep").size(), 0u);

    // Defeats on page 2, regular weight, from 85.
    const auto losses = textsOn(2, QString(), 65);
    ASSERT_EQ(losses.size(), 4u);
    EXPECT_EQ(losses[0].text, "1/8/2011");
    EXPECT_EQ(losses[0].y, 85);
    EXPECT_FALSE(losses[0].bold);
    EXPECT_TRUE(losses[1].italic);
    const auto lossMarks = textsOn(2, QString(), 30);
    ASSERT_EQ(lossMarks.size(), 2u);
    EXPECT_EQ(lossMarks[0].text, "#");
    EXPECT_EQ(lossMarks[1].text, "+");
    EXPECT_FALSE(lossMarks[1].italic);
    EXPECT_NEAR(lossMarks[1].y, 85 + 17.2 * 2, 1e-3);
    EXPECT_TRUE(losses[3].italic);
    const auto subs = textsOn(2, "S", 563);
    ASSERT_EQ(subs.size(), 1u);
    EXPECT_NEAR(subs[0].y, 85 + 17.2 * 3, 1e-3);
    EXPECT_EQ(only(2, "7-3").x, 780);
    EXPECT_EQ(textsOn(1, "CONTINUED ON NEXT PAGE").size(), 0u);
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonFormPrintTest, ManyWinsOrDefeatsGoOnAContinuedPage) {
    SeasonFixture db(dbPath);
    const int gil = db.addWrestler("Gil", "Aaron", 2010);
    db.beginBatch();
    for (int i = 0; i < 46; ++i) {
        db.addMatch(match(gil, QDate(2010, 11, 1).addDays(i), ids.eastbrook, "W",
                          i == 45 ? "Y" : QString()));  // the last win a league match
        db.addMatch(match(gil, QDate(2010, 11, 1).addDays(i), ids.northfield, "L"));
    }
    db.endBatch();
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open("Gil Aaron");
    form->cmdPrint->click();
    ASSERT_EQ(rec.documentsEnded(), 1);
    ASSERT_EQ(rec.pageCount(), 4);

    // Page 1: wins 1 to 43, the note in the 44th row, the 45th row empty.
    const auto first = textsOn(1, QString(), 65);
    ASSERT_EQ(first.size(), 43u);
    EXPECT_EQ(first.back().text, "12/13/2010");
    const Item note = only(1, "CONTINUED ON NEXT PAGE");
    EXPECT_EQ(note.x, 60);
    EXPECT_NEAR(note.y, 1034.6, 1e-3);
    EXPECT_TRUE(note.bold);

    // Page 2: rows 45 to 47 on a grid of 17 from 98, the wins 17.2 apart from 100.
    EXPECT_EQ(only(2, "Wins Continued").y, 20);
    EXPECT_EQ(only(2, "(SEE PAGE 2 FOR DEFEATS)").y, 1075);
    const auto numbers = textsOn(2, QString(), 2);
    ASSERT_EQ(numbers.size(), 3u);
    EXPECT_EQ(numbers[0].text, " 45");
    EXPECT_EQ(numbers[2].text, " 47");
    EXPECT_EQ(numbers[2].y, 132 + 2);
    EXPECT_EQ(boxesOn(2), 8 + 3 * 9);
    const auto rest = textsOn(2, QString(), 65);
    ASSERT_EQ(rest.size(), 3u);
    EXPECT_EQ(rest[0].text, "12/14/2010");
    EXPECT_NEAR(rest[1].y, 117.2, 1e-3);
    EXPECT_NEAR(rest[2].y, 134.4, 1e-3);
    EXPECT_TRUE(rest[0].bold);
    EXPECT_TRUE(rest[2].italic);

    // The defeats page after the league-match win prints upright; the defeats continue likewise.
    const Item defeats = only(3, "List All DEFEATS in Chronological Order");
    EXPECT_FALSE(defeats.italic);
    EXPECT_EQ(textsOn(3, QString(), 65).size(), 43u);
    EXPECT_NEAR(only(3, "CONTINUED ON NEXT PAGE").y, 85 + 17.2 * 43, 1e-3);
    EXPECT_EQ(only(4, "Defeats Continued").y, 20);
    EXPECT_TRUE(textsOn(4, "(SEE PAGE 2 FOR DEFEATS)").empty());
    const auto lastDefeats = textsOn(4, QString(), 65);
    ASSERT_EQ(lastDefeats.size(), 3u);
    EXPECT_FALSE(lastDefeats[0].bold);
    EXPECT_EQ(lastDefeats[0].y, 100);

    // 45 wins fit on page 1, the last in row 45.
    execSql(dbPath, QString("DELETE FROM [Match] WHERE SeqWrestler = %1 AND Date = '2010-12-16'").arg(gil));
    rec.clear();
    form->cmdPrint->click();
    EXPECT_EQ(rec.pageCount(), 2);
    const auto all = textsOn(1, QString(), 65);
    ASSERT_EQ(all.size(), 45u);
    EXPECT_NEAR(all.back().y, 1051.8, 1e-3);
    EXPECT_TRUE(textsOn(1, "CONTINUED ON NEXT PAGE").empty());
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonFormPrintTest, WideSchoolNamesShrinkAndMissingRowsPrintEmpty) {
    SeasonFixture db(dbPath);
    gSchoolName = "The Consolidated Regional Vocational Technical High School of the Valley";
    const int wide = db.addSchool("Saint Bartholomew Academy of the Northern Lakes");
    FixtureMatch m = match(ids.ezra2010, QDate(2011, 2, 26), wide, "W");
    m.score = "F 1:30";
    db.addMatch(m);
    execSql(dbPath, QString("UPDATE Wrestler SET Grade = '10' WHERE Seq = %1").arg(ids.ezra2010));
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open("Eli Ezra");
    form->cmdPrint->click();
    ASSERT_EQ(rec.documentsEnded(), 1);

    const auto measure = [&](const Item& item) {
        rec.setFontName(item.fontName);
        rec.setFontSize(item.fontSize);
        rec.setFontBold(item.bold);
        rec.setFontItalic(item.italic);
        return printing::roundHalfEven(rec.textWidth(item.text));
    };
    const Item school = only(1, gSchoolName);
    EXPECT_LT(school.fontSize, 15);
    EXPECT_LE(measure(school), 370);
    // One step larger would not have fitted.
    Item larger = school;
    larger.fontSize = school.fontSize + 0.2;
    EXPECT_GT(measure(larger), 370);
    EXPECT_EQ(only(1, "10").fontSize, 15);  // the grade after it

    const Item opponent = only(1, "Saint Bartholomew Academy of the Northern Lakes");
    EXPECT_EQ(opponent.x, 590);
    EXPECT_LT(opponent.fontSize, 9);
    EXPECT_LE(measure(opponent), 175);
    EXPECT_EQ(only(1, "F 1:30").fontSize, 9);

    // A school too long for the smallest size is cut at the edge of its cell, short of the score.
    const QString longest = QString("Saint Bartholomew Cooperative of the Northern and Eastern Lakes Co");
    ASSERT_EQ(longest.size(), 66);
    FixtureMatch coop = match(ids.ezra2010, QDate(2011, 2, 27), db.addSchool(longest), "W");
    coop.score = "9-2";
    db.addMatch(coop);
    rec.clear();
    form->cmdPrint->click();
    const auto schools = textsOn(1, QString(), 590);
    ASSERT_EQ(schools.size(), 2u);
    const Item cut = schools.back();
    EXPECT_EQ(cut.fontSize, printing::kMinShrinkSize);
    EXPECT_TRUE(longest.startsWith(cut.text) && cut.text.size() < longest.size()) << cut.text.toStdString();
    rec.setFontName(cut.fontName);
    rec.setFontSize(cut.fontSize);
    rec.setFontBold(cut.bold);
    rec.setFontItalic(cut.italic);
    EXPECT_LE(590 + rec.textWidth(cut.text), 755) << "the school cell ends where the score's begins";
    EXPECT_GT(590 + rec.textWidth(longest.left(cut.text.size() + 1)), 755);
    EXPECT_EQ(only(1, "9-2").x, 780);

    // A season typed into the box in which the chosen name has no row: the form prints without
    // his entries and matches instead of failing half-way.
    rec.clear();
    form->comSeason->setEditText("2014-2015");
    form->cmdPrint->click();
    EXPECT_EQ(rec.documentsEnded(), 3);
    EXPECT_EQ(rec.pageCount(), 2);
    EXPECT_EQ(textsOn(1, "WRESTLING INDIVIDUAL SEASON SUMMARY").size(), 1u);
    EXPECT_TRUE(textsOn(1, "Ezra").empty());
    EXPECT_TRUE(textsOn(1, QString(), 65).empty());
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonFormPrintTest, ThePrintoutAfterTheFormStartsUprightAndRegular) {
    // The filled form ends on a league defeat in italic; the blank form on its bold legend.
    SeasonFixture db(dbPath);
    db.addMatch(match(ids.alder2010, QDate(2011, 3, 1), ids.northfield, "L", "Y"));
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open();
    frmNotes* notes = ui::forms().get<frmNotes>();
    const auto lastOf = [&](int document) {
        Item last;
        for (const Item& item : rec.texts())
            if (item.document == document) last = item;
        return last;
    };
    const auto expectRegular = [&](int document) {
        int count = 0;
        for (const Item& item : rec.texts()) {
            if (item.document != document) continue;
            ++count;
            EXPECT_FALSE(item.bold || item.italic) << item.text.toStdString() << " in document " << document;
        }
        EXPECT_GT(count, 5);
    };

    form->cmdPrint->click();
    ASSERT_EQ(rec.documentsEnded(), 1);
    EXPECT_TRUE(lastOf(1).italic) << lastOf(1).text.toStdString();
    notes->cmdPrint->click();
    ASSERT_EQ(rec.documentsEnded(), 2);
    expectRegular(2);

    form->cmdPrintBlank->click();
    ASSERT_EQ(rec.documentsEnded(), 3);
    EXPECT_TRUE(lastOf(3).bold);
    notes->cmdPrint2->click();
    ASSERT_EQ(rec.documentsEnded(), 4);
    expectRegular(4);
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(SeasonFormScreenTest, FormsAndNotesOnPaperStayClearOfTheSheetEdge) {
    // The longest names and schools the program takes, on the blank form, the filled form and the
    // notes, written as PDF files.
    gSchoolName = "The Consolidated Regional Vocational Technical High School of the Lakeside Valley";
    SeasonFixture db(dbPath);
    db.addMatch(match(ids.alder2010, QDate(2011, 3, 1),
                      db.addSchool("Saint Bartholomew Cooperative of the Northern and Eastern Lakes Co"), "L",
                      "Y"));
    execSql(dbPath, QString("UPDATE Wrestler SET FullName = 'Maximilian-Alexander Bartholomew-Christophersen', "
                            "Notes = 'Wrestles with a high crotch from the left side; '||"
                            "'https://example.invalid/a-very-long-address-without-any-blank-in-it-at-all' "
                            "WHERE Seq = %1").arg(ids.alder2010));
    const QString folder = home.file("prints");
    qputenv("KESTRIVANE_PRINT_DIR", folder.toUtf8());
    ui::ScriptedMessages msgs;
    frmSeasonSummary* form = open("Maximilian-Alexander Bartholomew-Christophersen");
    frmNotes* notes = ui::forms().get<frmNotes>();
    const struct {
        const char* printout;
        QPushButton* button;
    } printouts[] = {{"blank form", form->cmdPrintBlank}, {"filled form", form->cmdPrint}, {"notes", notes->cmdPrint}};
    for (const auto& printout : printouts) {
        msgs.expect("The printout was saved as ");
        printout.button->click();
        const QString pdf = onlyPdf(folder);
        EXPECT_EQ(inkNearSheetEdge(pdf, 0.2), QStringList()) << printout.printout;
        // The foot of the form: the date and time, the credit line and "(SEE PAGE 2 FOR DEFEATS)"
        // stand apart on their line.
        const std::vector<PdfWord> words = readPdfWords(pdf);
        int footnotes = 0;
        for (const PdfWord& see : words) {
            if (see.text != "(SEE") continue;
            ++footnotes;
            const PdfWord* credit = nullptr;
            for (const PdfWord& w : words)
                if (w.page == see.page && w.text == "Printed") credit = &w;
            ASSERT_TRUE(credit);
            for (const PdfWord& w : words) {
                if (w.page != see.page || w.y >= see.bottom || w.bottom <= see.y || w.x >= see.x) continue;
                EXPECT_LT(w.right, see.x - 3) << w.text.toStdString() << " in the " << printout.printout;
                if (w.x < credit->x) {
                    EXPECT_LT(w.right, credit->x - 1) << w.text.toStdString();
                }
            }
        }
        EXPECT_EQ(footnotes, printout.button == notes->cmdPrint ? 0 : 1) << printout.printout;
        QFile::remove(pdf);
    }
    qunsetenv("KESTRIVANE_PRINT_DIR");
}

}  // namespace
