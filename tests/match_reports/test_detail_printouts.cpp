// The two printouts of the individual detail report, drawn on the recording printer from a real
// database file through the form's print buttons.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QMap>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "core/connection.h"
#include "match_reports/frmIndDetail.h"
#include "match_reports/report_support.h"
#include "platform/print/RecordingPage.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/pdf_readback.h"
#include "support/qt_printers.h"
#include "support/season_fixture.h"

namespace {

using Item = print::RecordingPage::Item;

const QDate kDayA(2011, 1, 8);
const QDate kDayB(2011, 1, 15);
const QDate kDayC(2011, 1, 22);

// The texts of one printed line (by its y), left to right.
std::vector<Item> lineAt(const print::RecordingPage& rec, int page, double y) {
    std::vector<Item> line;
    for (const Item& it : rec.texts())
        if (it.page == page && std::abs(it.y - y) < 0.01) line.push_back(it);
    std::sort(line.begin(), line.end(), [](const Item& a, const Item& b) { return a.x < b.x; });
    return line;
}

QStringList textsOf(const std::vector<Item>& line) {
    QStringList texts;
    for (const Item& it : line) texts << it.text;
    return texts;
}

const Item* onPage(const print::RecordingPage& rec, const QString& text, int page) {
    for (const Item& it : rec.items())
        if (it.kind == print::RecordingPage::Kind::Text && it.page == page && it.text == text) return &it;
    return nullptr;
}

// The x of a text on a page, or -1.
double xOf(const print::RecordingPage& rec, const QString& text, int page) {
    const Item* it = onPage(rec, text, page);
    return it ? it->x : -1;
}

class DetailPrintoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = makeDatabase(home.path());
        useDatabase(path);
        gSeason = 2010;
        // Twelve wrestlers at 125 on day A (Kid Last01 wins by fall, 2 takedowns, the opponent
        // scoring first); on day B Kid Last01 loses by decision (1 takedown, no first point) and
        // Kid Last02 to Last10 wrestle again: 22 bouts in all.
        SeasonFixture db(path);
        const int wt = db.addWeight("125");
        const int school = db.addSchool("Opp HS");
        std::vector<int> kids;
        for (int i = 1; i <= 12; ++i)
            kids.push_back(db.addWrestler("Kid", QString("Last%1").arg(i, 2, 10, QChar('0')), 2010));
        auto bout = [&](int kid, const QDate& day) {
            FixtureMatch m;
            m.wrestler = kid;
            m.date = day;
            m.school = school;
            m.weight = wt;
            return m;
        };
        FixtureMatch fallWin = bout(kids[0], kDayA);
        fallWin.winType = "Fall";
        fallWin.firstPoint = "O";
        fallWin.tallies = {{"tp1home", 2}};
        db.addMatch(fallWin);
        for (int i = 1; i < 12; ++i) db.addMatch(bout(kids[i], kDayA));
        FixtureMatch decLoss = bout(kids[0], kDayB);
        decLoss.wl = "L";
        decLoss.tallies = {{"tp2home", 1}};
        db.addMatch(decLoss);
        for (int i = 1; i < 10; ++i) db.addMatch(bout(kids[i], kDayB));
        // Day C: eleven bouts, then the VOID placeholder's, which no report lists.
        for (int i = 0; i < 11; ++i) db.addMatch(bout(kids[i], kDayC));
        FixtureMatch open = bout(db.addWrestler("VOID", "", 2010), kDayC);
        open.weight = db.addWeight("285");
        open.winType = "Forfeit";
        db.addMatch(open);
    }
    void TearDown() override { ui::forms().unloadAll(); }

    // The form with the range chosen as the user does.
    frmIndDetail* openOn(const QDate& from, const QDate& to) {
        frmIndDetail* form = ui::forms().get<frmIndDetail>();
        const QString fromText = QString("%1/%2/%3").arg(from.month()).arg(from.day()).arg(from.year());
        const QString toText = QString("%1/%2/%3").arg(to.month()).arg(to.day()).arg(to.year());
        form->comDateEnd->setCurrentIndex(form->comDateEnd->findText(toText));
        form->comDateStart->setCurrentIndex(form->comDateStart->findText(fromText));
        EXPECT_EQ(form->comDateStart->currentText(), fromText);
        EXPECT_EQ(form->comDateEnd->currentText(), toText);
        return form;
    }

    TestHome home;
    QString path;
};

TEST_F(DetailPrintoutTest, DetailPrintsElevenBoutsAPageWithHeadsAndFeet) {
    print::RecordingPage rec;
    frmIndDetail* form = openOn(kDayA, kDayA);
    form->cmdPrint->click();
    EXPECT_EQ(rec.documentsEnded(), 1);
    ASSERT_EQ(rec.pageCount(), 2);

    const Item* title = onPage(rec, "Individual Detail", 1);
    ASSERT_TRUE(title);
    EXPECT_EQ(title->y, 15);
    EXPECT_EQ(title->fontSize, 20);
    EXPECT_TRUE(title->bold);
    EXPECT_EQ(title->fontName, "Times New Roman");
    ASSERT_TRUE(onPage(rec, "1/8/2011 - 1/8/2011", 1));
    EXPECT_FALSE(onPage(rec, "1/8/2011 - 1/8/2011", 1)->bold);
    EXPECT_TRUE(onPage(rec, "Individual Detail (cont)", 2));

    // The first bout: home line at 139, the opponent's 19 below; the eleventh at 739.
    const std::vector<Item> home = lineAt(rec, 1, 139);
    ASSERT_GE(home.size(), 3u);
    EXPECT_EQ(home[0].text, "1/8/2011");
    EXPECT_EQ(home[0].x, 5);
    EXPECT_TRUE(home[1].text.startsWith("Kid Last01 "));
    EXPECT_EQ(home[0].fontSize, 12);
    EXPECT_EQ(textsOf(lineAt(rec, 1, 158)).first().trimmed(), "Opp HS");
    EXPECT_TRUE(textsOf(lineAt(rec, 1, 739))[1].startsWith("Kid Last11 "));
    EXPECT_TRUE(lineAt(rec, 1, 799).empty());
    EXPECT_TRUE(textsOf(lineAt(rec, 2, 139))[1].startsWith("Kid Last12 "));

    // The padded name and school bring the marks under their heads: the win by fall under
    // "Pin" on the home line, the opponent's first point under "1st" on his line.
    auto xOfOne = [&](double y) {
        for (const Item& it : lineAt(rec, 1, y))
            if (it.text == "1") return it.x;
        return -1.0;
    };
    EXPECT_EQ(xOfOne(139), xOf(rec, "Pin", 1));
    EXPECT_EQ(xOfOne(158), xOf(rec, "1st", 1));
    // A bout without a first point and won by decision: its only "1" is under "Dec".
    EXPECT_EQ(xOfOne(199), xOf(rec, "Dec", 1));
    EXPECT_EQ(xOfOne(218), -1.0);

    // The foot of each page.
    const Item* page1 = onPage(rec, "Page: 1", 1);
    ASSERT_TRUE(page1);
    EXPECT_EQ(page1->x, 1000);
    EXPECT_EQ(page1->y, 800);
    EXPECT_EQ(page1->fontSize, 10);
    EXPECT_TRUE(onPage(rec, "Page: 2", 2));
    EXPECT_EQ(xOf(rec, "Wrestler: ALL", 1), 10);
    EXPECT_EQ(xOf(rec, "School: ALL", 2), 10);
    // The moment ends where the page number ends.
    const std::vector<Item> credit = lineAt(rec, 1, 820);
    ASSERT_EQ(credit.size(), 3u);
    EXPECT_EQ(credit[1].text, "Kestrivane");
    EXPECT_EQ(credit[1].fontSize, 10);
    EXPECT_NEAR(credit[2].x + rec.textWidth(credit[2].text), 1000 + std::round(rec.textWidth("Page: 1")),
                0.01);

    // Exactly 22 bouts make two full pages and no third.
    rec.clear();
    form = openOn(kDayA, kDayB);
    form->cmdPrint->click();
    EXPECT_EQ(rec.pageCount(), 2);
    EXPECT_TRUE(onPage(rec, "Page: 2", 2));
    EXPECT_EQ(lineAt(rec, 2, 739).size(), lineAt(rec, 1, 739).size());

    // Eleven bouts and the VOID placeholder's: one page, no empty continuation page.
    rec.clear();
    form = openOn(kDayC, kDayC);
    form->cmdPrint->click();
    EXPECT_EQ(rec.pageCount(), 1);
    EXPECT_FALSE(onPage(rec, "Individual Detail (cont)", 2));
    for (const Item& it : rec.texts()) EXPECT_FALSE(it.text.startsWith("VOID"));

    // Nothing chosen: one page with its head and foot.
    rec.clear();
    match_reports::showUnselected(form->comSchool, "Nobody HS");
    form->cmdPrint->click();
    EXPECT_EQ(rec.pageCount(), 1);
    EXPECT_TRUE(onPage(rec, "Page: 1", 1));
    EXPECT_TRUE(lineAt(rec, 1, 139).empty());
}

TEST_F(DetailPrintoutTest, SummaryAddsEachWrestlersBoutsElevenPairsAPage) {
    print::RecordingPage rec;
    frmIndDetail* form = openOn(kDayA, kDayB);
    form->cmdPrintTotals->click();
    EXPECT_EQ(rec.documentsEnded(), 1);
    ASSERT_EQ(rec.pageCount(), 2);
    EXPECT_TRUE(onPage(rec, "Individual Detail Summary", 1));
    EXPECT_TRUE(onPage(rec, "Individual Detail Summary (cont)", 2));
    // The head has neither a date nor a weight column and begins two tabs in.
    EXPECT_FALSE(onPage(rec, "Date", 1));
    EXPECT_FALSE(onPage(rec, "WT", 1));
    EXPECT_EQ(xOf(rec, "Name", 1), 5 + 2 * 53);

    // Kid Last01: a fall win with 2 takedowns and a decision loss with 1.
    const std::vector<Item> own = lineAt(rec, 1, 139);
    ASSERT_EQ(own.size(), 14u);
    EXPECT_EQ(own[0].x, 105);
    EXPECT_TRUE(own[0].text.startsWith("Kid Last01 "));
    EXPECT_EQ(textsOf(own).mid(1), QStringList({" 0", " 3", " 0", " 0", " 0", " 0", " 0", " 0", " 1",
                                                 " 0", " 0", " 0", " 0"}));
    const std::vector<Item> opp = lineAt(rec, 1, 158);
    ASSERT_EQ(opp.size(), 14u);
    EXPECT_EQ(opp[0].text, "Opponent" + QString(44, ' '));
    EXPECT_EQ(textsOf(opp).mid(1), QStringList({" 1", " 0", " 0", " 0", " 0", " 0", " 0", " 0", " 0",
                                                 " 1", " 0", " 0", " 0"}));

    // Eleven pairs on page 1, the last at 709 and 728; the twelfth at the top of page 2.
    EXPECT_TRUE(lineAt(rec, 1, 709)[0].text.startsWith("Kid Last11 "));
    EXPECT_EQ(lineAt(rec, 1, 728)[0].text, opp[0].text);
    EXPECT_TRUE(lineAt(rec, 2, 139)[0].text.startsWith("Kid Last12 "));
    EXPECT_TRUE(onPage(rec, "Page: 1", 1));
    EXPECT_TRUE(onPage(rec, "Page: 2", 2));
    EXPECT_FALSE(onPage(rec, "Page: 3", 3));
}

TEST_F(DetailPrintoutTest, LongSchoolsAndNamesAreCutSoEveryCountStaysUnderItsHead) {
    // Two losses by major decision, the opponent scoring first with 3 takedowns: against a school
    // a little too long for its cell and against a school of 85 characters; the second by a
    // wrestler whose names are all too long for theirs.
    const QString lutheran = "Lutheran North Regional High School";
    const QString consolidated =
        "The Consolidated Regional Vocational Technical High School of the Lakeside Valley Ctr";
    ASSERT_EQ(consolidated.size(), 85);
    const QDate day(2011, 2, 5);
    {
        SeasonFixture db(path);
        const int wt = db.addWeight("130");
        auto loss = [&](int wrestler, int school) {
            FixtureMatch m;
            m.wrestler = wrestler;
            m.date = day;
            m.school = db.addSchool(school == 0 ? lutheran : consolidated);
            m.weight = wt;
            m.wl = "L";
            m.winType = "MD";
            m.firstPoint = "O";
            m.tallies = {{"tp1Opp", 3}};
            return m;
        };
        db.addMatch(loss(db.addWrestler("Jo", "Short", 2010), 0));
        db.addMatch(loss(db.addWrestler("Bartholomew-Maximilian",
                                        "Wolfeschlegelsteinhausenbergerdorffvoralternwarengewissenhaft", 2010),
                         1));
    }
    const QString folder = home.file("prints");
    qputenv("KESTRIVANE_PRINT_DIR", folder.toUtf8());
    ui::ScriptedMessages msgs;
    frmIndDetail* form = openOn(day, day);
    for (QPushButton* print : {form->cmdPrint, form->cmdPrintTotals}) {
        SCOPED_TRACE(print->objectName().toStdString());
        msgs.expect("The printout was saved as ");
        print->click();
        const QString pdf = onlyPdf(folder);
        EXPECT_EQ(inkNearSheetEdge(pdf, 0.2), QStringList());
        const std::vector<PdfWord> words = readPdfWords(pdf);
        QFile::remove(pdf);
        const PdfWord* first = pdfWord(words, "1st");
        const PdfWord* td = pdfWord(words, "TD");
        const PdfWord* md = pdfWord(words, "MD");
        ASSERT_TRUE(first && td && md);
        // The bout lines (the summary's rows) lie between the heads and the foot. Every 3 is the
        // opponent's takedowns, every 1 his first point or his major decision; the weight class
        // stands under its head.
        QMap<int, QStringList> schoolWords;  // by line: the words left of the first-point column
        int threes = 0;
        for (const PdfWord& w : words) {
            if (w.y < 130 || w.y > 790) continue;
            if (w.text == "3") {
                ++threes;
                EXPECT_NEAR(w.x, td->x, 8) << "a 3 at " << w.x << ", " << w.y;
            } else if (w.text == "1") {
                EXPECT_TRUE(std::abs(w.x - first->x) < 8 || std::abs(w.x - md->x) < 8)
                    << "a 1 at " << w.x << ", " << w.y;
            } else if (w.text == "130") {
                EXPECT_NEAR(w.x, pdfWord(words, "WT")->x, 8);
            } else if (w.x < first->x && w.x > 50) {
                schoolWords[qRound(w.y)] << w.text;
            }
        }
        EXPECT_EQ(threes, 2);
        if (print == form->cmdPrint) {
            // On paper the school is cut short of the first-point column.
            QStringList schools;
            for (const QStringList& line : schoolWords)
                if (line.first() != "Jo" && !line.first().startsWith("Wolfe")) schools << line.join(' ');
            ASSERT_EQ(schools.size(), 2) << schools.join(" | ").toStdString();
            EXPECT_TRUE(lutheran.startsWith(schools[0]) && schools[0].size() > 25) << schools[0].toStdString();
            EXPECT_TRUE(consolidated.startsWith(schools[1]) && schools[1].size() > 25) << schools[1].toStdString();
        }
    }
    qunsetenv("KESTRIVANE_PRINT_DIR");
}

TEST_F(DetailPrintoutTest, BothPrintoutsOnPaperStayClearOfTheSheetEdge) {
    const QString folder = home.file("prints");
    qputenv("KESTRIVANE_PRINT_DIR", folder.toUtf8());
    ui::ScriptedMessages msgs;
    frmIndDetail* form = openOn(kDayA, kDayC);
    for (QPushButton* print : {form->cmdPrint, form->cmdPrintTotals}) {
        msgs.expect("The printout was saved as ");
        print->click();
        const QString pdf = onlyPdf(folder);
        EXPECT_EQ(inkNearSheetEdge(pdf, 0.2), QStringList()) << print->objectName().toStdString();
        QFile::remove(pdf);
    }
    qunsetenv("KESTRIVANE_PRINT_DIR");
}

}  // namespace
