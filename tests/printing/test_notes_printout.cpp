// The wrestler notes printout, started from the notes screen and read back from the recording page.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <algorithm>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

#include "core/connection.h"
#include "platform/print/RecordingPage.h"
#include "platform/ui/ui.h"
#include "printing/wrestler_notes_printout.h"
#include "statistics/frmNotes.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"
#include "support/season_fixture.h"

namespace {

using Item = print::RecordingPage::Item;

class NotesPrintoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        dbPath = makeDatabase(home.path());
        ids = makeSeasonFixture(dbPath);
        useDatabase(dbPath);
        savedSeason = gSeason;
        savedSchool = gSchoolName;
        gSeason = 2010;
        gSchoolName = "Lakeside";
        execSql(dbPath, QString("UPDATE Wrestler SET Notes = 'Note 2010', wresMemo1 = 'Memo 2010', "
                                "RegPlace = '3', StPlace = '5' WHERE Seq = %1").arg(ids.alder2010));
        execSql(dbPath, QString("UPDATE Wrestler SET Notes = 'Note 2009' WHERE Seq = %1").arg(ids.alder2009));
    }
    void TearDown() override {
        ui::forms().unloadAll();
        gSeason = savedSeason;
        gSchoolName = savedSchool;
    }
    frmNotes* open() {
        frmNotes* form = ui::forms().get<frmNotes>();
        form->show();
        return form;
    }
    // The texts of one page, in drawing order.
    QStringList pageTexts(int page) const {
        QStringList result;
        for (const Item& item : rec.texts())
            if (item.page == page) result << item.text;
        return result;
    }

    TestHome home;
    QString dbPath;
    SeasonFixtureIds ids{};
    short savedSeason = 0;
    QString savedSchool;
    print::RecordingPage rec;
};

TEST_F(NotesPrintoutTest, OnePageForTheSelectedWrestlerFromHisSeasonsRow) {
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    form->cmdPrint->click();
    EXPECT_EQ(rec.documentsEnded(), 1);
    EXPECT_EQ(rec.pageCount(), 1);
    EXPECT_EQ(pageTexts(1), (QStringList{"Adam Alder", "School:  Lakeside", "Grade:  12",
                                         "Last Year Regional Place:  3", "Last Year State Place:  5",
                                         " ", "Note 2010"}));
    const std::vector<Item> texts = rec.texts();
    EXPECT_EQ(texts[0].fontName, "Arial");
    EXPECT_EQ(texts[0].fontSize, 30);
    EXPECT_DOUBLE_EQ(texts[0].x, 1);
    EXPECT_DOUBLE_EQ(texts[0].y, 51);
    EXPECT_EQ(texts[1].fontSize, 18);
    EXPECT_EQ(texts[6].fontSize, 12);

    // Note 2 of the row of the season on the screen.
    rec.clear();
    form->comSeason->setCurrentIndex(0);  // 2009-2010
    form->cmdPrint2->click();
    EXPECT_EQ(pageTexts(1).at(2), "Grade:  11");
    rec.clear();
    form->cmdPrint->click();
    EXPECT_EQ(pageTexts(1).last(), "Note 2009");

    // A name with no row prints nothing.
    rec.clear();
    printWrestlerNotes("Nobody Here", "1");
    EXPECT_TRUE(rec.items().empty());
    EXPECT_TRUE(msgs.messages().empty());
}

TEST_F(NotesPrintoutTest, AllWrestlersOnePageEachInListOrderSkippingVanishedRows) {
    ui::ScriptedMessages msgs;
    frmNotes* form = open();
    form->chkAll->setChecked(true);
    form->lstNames->setCurrentRow(3);
    // A wrestler deleted after the list was filled is left out, not printed blank.
    execSql(dbPath, QString("DELETE FROM [Match] WHERE SeqWrestler = %1").arg(ids.brook2010));
    execSql(dbPath, QString("DELETE FROM Wrestler WHERE Seq = %1").arg(ids.brook2010));
    form->cmdPrint2->click();
    EXPECT_EQ(rec.documentsEnded(), 1);
    EXPECT_EQ(rec.pageCount(), 3);  // no blank page after the last
    EXPECT_EQ(pageTexts(1).first(), "Adam Alder");
    EXPECT_EQ(pageTexts(1).last(), "Memo 2010");
    EXPECT_EQ(pageTexts(2).first(), "Dan Dorn");
    EXPECT_EQ(pageTexts(2).at(2), "Grade:  11");
    EXPECT_EQ(pageTexts(2).at(3), "Last Year Regional Place:  ");
    EXPECT_EQ(pageTexts(2).last(), " ");  // a Null note prints as an empty line: no text
    EXPECT_EQ(pageTexts(3).first(), "Eli Ezra");
    EXPECT_EQ(pageTexts(3).at(2), "Grade:  ");
    // Each page starts 50 units below its top.
    const std::vector<Item> texts = rec.texts();
    for (int page = 1; page <= 3; ++page) {
        const auto first = std::find_if(texts.begin(), texts.end(),
                                        [&](const Item& i) { return i.page == page; });
        ASSERT_NE(first, texts.end());
        EXPECT_DOUBLE_EQ(first->y, 51) << page;
    }
}

TEST_F(NotesPrintoutTest, LongNamesSchoolsAndNotesWrapAtThePageWidthAndGoOnOverleaf) {
    QString note = "First line\r\n";
    for (int i = 0; i < 900; ++i) note += QString("word%1 ").arg(i);
    // Then a word as long as the box takes, with no blank to break it at.
    const QString longWord = QString("Willowbrook-Iffley.").repeated(1725).left(32767);
    note += "\r\n" + longWord;
    execSql(dbPath, QString("UPDATE Wrestler SET Notes = '%1', FirstName = 'Maximilian-Alexander', "
                            "LastName = 'Bartholomew-Christophersen', "
                            "FullName = 'Maximilian-Alexander Bartholomew-Christophersen' WHERE Seq = %2")
                        .arg(note)
                        .arg(ids.alder2010));
    gSchoolName = "The Consolidated Regional Vocational Technical High School of the Lakeside Valley";
    ui::ScriptedMessages msgs;
    open()->cmdPrint->click();

    EXPECT_EQ(rec.documentsEnded(), 1);
    EXPECT_GE(rec.pageCount(), 2);
    QString printed, heading;
    QStringList longPieces;
    print::Page& p = print::printer();
    for (const Item& item : rec.texts()) {
        p.setFontSize(item.fontSize);
        EXPECT_LE(item.x + p.textWidth(item.text), 851.0) << item.text.toStdString();
        EXPECT_LE(item.y + p.textHeight(), 1101.0);
        if (item.fontSize != 12) heading += item.text + " ";
        else if (item.text.startsWith("Willowbrook") || !longPieces.isEmpty()) longPieces << item.text;
        else printed += item.text + " ";
    }
    // The long word goes on from line to line, each line holding as much of it as fits.
    EXPECT_EQ(longPieces.join(""), longWord);
    EXPECT_GT(longPieces.size(), 100);
    p.setFontSize(12);
    qsizetype at = 0;
    for (const QString& piece : longPieces) {
        at += piece.size();
        if (at < longWord.size()) {
            EXPECT_GT(p.textWidth(piece + longWord[at]), p.scaleWidth()) << at;
        }
    }
    // The name and the school line go on over a second line, every word kept.
    EXPECT_TRUE(heading.startsWith("Maximilian-Alexander Bartholomew-Christophersen School:  The Consolidated "))
        << heading.toStdString();
    EXPECT_TRUE(heading.contains(" of the Lakeside Valley Grade:  12 ")) << heading.toStdString();
    EXPECT_EQ(rec.texts().at(1).y - rec.texts().at(0).y, rec.texts().at(2).y - rec.texts().at(1).y)
        << "the name takes two 30 pt lines";
    // Every word is on paper, in order.
    EXPECT_TRUE(printed.startsWith("First line word0 word1 "));
    EXPECT_TRUE(printed.contains("word898 word899"));
    EXPECT_EQ(printed.count("word"), 900);
}

}  // namespace
