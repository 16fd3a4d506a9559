// The printer page and the shared placement rules, read back from the recording page.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <stdexcept>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "platform/print/RecordingPage.h"
#include "platform/ui/ui.h"
#include "printing/printer_setup.h"
#include "support/fixtures.h"
#include "support/pdf_readback.h"
#include "support/qt_printers.h"

using print::RecordingPage;
using namespace printing;

namespace {

TEST(PrinterSetupTest, OrientationWordIsUpperCasedAndAnythingElseKeepsTheScale) {
    RecordingPage rec;
    print::Page& p = print::printer();
    ASSERT_EQ(&p, &rec);

    setupPrinter("Portrait");
    EXPECT_EQ(p.orientation(), print::Orientation::Portrait);
    EXPECT_EQ(p.scaleWidth(), 849);
    setupPrinter("landscape");
    EXPECT_EQ(p.orientation(), print::Orientation::Landscape);
    EXPECT_EQ(p.scaleWidth(), 1099);
    EXPECT_EQ(p.scaleHeight(), 849);

    for (const QString& bad : {QStringLiteral("landscape "), QString()}) {
        p.setDrawWidth(3);
        p.setFontName("Arial");
        p.setFontBold(true);
        p.setFontItalic(true);
        p.setDrawStyle(print::LineStyle::Dotted);
        ui::ScriptedMessages msgs;
        msgs.expect("Must be Portrait or Landscape");
        setupPrinter(bad);
        EXPECT_EQ(msgs.last().title, "Error");
        EXPECT_EQ(p.orientation(), print::Orientation::Landscape) << bad.toStdString();
        EXPECT_EQ(p.scaleWidth(), 1099);
        // The rest of the set-up still happens.
        EXPECT_EQ(p.drawWidth(), 8);
        EXPECT_EQ(p.fontName(), "Times New Roman");
        EXPECT_FALSE(p.fontBold() || p.fontItalic()) << "what the last printout left on";
        EXPECT_EQ(p.drawStyle(), print::LineStyle::Solid);
    }
}

TEST(PrinterSetupTest, CentringUsesTheScaleWidthAsCoordinateAndCellsRoundHalfToEven) {
    RecordingPage rec;
    print::Page& p = print::printer();
    const QString title = "Individual Match Summary";
    setupPrinter("LANDSCAPE");
    p.setFontSize(20);
    p.setFontBold(true);
    const double w = p.textWidth(title);
    EXPECT_GT(w, 250);
    EXPECT_NEAR(centredX(title), 549.5 - w / 2, 1e-3);
    setupPrinter("PORTRAIT");
    EXPECT_NEAR(centredX(title), 424.5 - p.textWidth(title) / 2, 1e-3);
    EXPECT_NEAR(rightAlignedX(title, 50), 849 - p.textWidth(title) - 50, 1e-3);

    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    // A cell of 104 at 650: the width and the half difference are both rounded half to even.
    p.setFontBold(false);
    p.setFontSize(12);
    const double cw = roundHalfEven(p.textWidth(" 12"));
    EXPECT_EQ(cellCentredX(650, 104, " 12"), 650 + roundHalfEven((104 - cw) / 2));
    printInCell(650, 104, 300, " 12");
    EXPECT_EQ(rec.findText(" 12")->x, cellCentredX(650, 104, " 12"));
}

TEST(PrinterSetupTest, ShrinkStepsByFifthsOfAPointAndStopsAtAFloor) {
    RecordingPage rec;
    print::Page& p = print::printer();
    setupPrinter("PORTRAIT");
    p.setFontSize(12);
    const QString name = "Christopher Montgomery-Wellington";
    const double full = roundHalfEven(p.textWidth(name));

    // Narrower than the limit: printed as it is, no step.
    printShrunk(name, full + 1, 10, 100, 10);
    EXPECT_EQ(rec.texts().back().fontSize, 12);
    EXPECT_EQ(p.fontSize(), 10) << "the section's size afterwards";

    // Exactly as wide as the limit: shrunk at least once, to the first size that fits.
    p.setFontSize(12);
    printShrunk(name, full, 10, 200, 12);
    const double shrunk = rec.texts().back().fontSize;
    EXPECT_LT(shrunk, 12);
    EXPECT_DOUBLE_EQ(shrunk * 5, std::round(shrunk * 5)) << "0.2 pt steps stay exact";
    p.setFontSize(shrunk);
    EXPECT_LT(roundHalfEven(p.textWidth(name)), full);
    p.setFontSize(shrunk + 0.2);
    EXPECT_GE(roundHalfEven(p.textWidth(name)), full);

    // A limit no size can meet ends at the floor instead of looping for ever.
    p.setFontSize(12);
    printShrunk(name, 0, 10, 300, 12);
    EXPECT_NEAR(rec.texts().back().fontSize, kMinShrinkSize, 1e-9);
}

TEST(PrinterSetupTest, TemporarySizeRestoresTheRoundedSizeAndDottedRulesNeedWidthOne) {
    RecordingPage rec;
    print::Page& p = print::printer();
    setupPrinter("LANDSCAPE");
    EXPECT_EQ(p.drawWidth(), 8);
    p.setFontSize(11.5);
    printTempSize("(H)", 8, 600, 102);
    EXPECT_EQ(rec.findText("(H)")->fontSize, 8);
    EXPECT_EQ(p.fontSize(), 12);
    p.setFontSize(10.5);
    printTempSize("(O)", 8, 600, 121);
    EXPECT_EQ(p.fontSize(), 10);

    p.setDrawWidth(1);
    p.setDrawStyle(print::LineStyle::Dotted);
    p.line(25, 140, 1050, 140);
    p.setDrawWidth(2);
    p.line(25, 200, 1050, 200);
    p.box(10, 10, 20, 30);
    const auto strokes = rec.strokes();
    ASSERT_EQ(strokes.size(), 3u);
    EXPECT_TRUE(strokes[0].dotted);
    EXPECT_EQ(strokes[0].dots, 1);
    EXPECT_FALSE(strokes[1].dotted) << "width 2 is solid whatever the style";
    EXPECT_EQ(strokes[2].kind, RecordingPage::Kind::Box);
    EXPECT_EQ(strokes[2].y2, 30);
}

// A character of two UTF-16 units (a double-struck letter, an emoji) is cut or wrapped whole, also
// where its first unit alone would fit the room: a lone half is drawn as a box narrower than
// this letter.
TEST(PrinterSetupTest, CutsAndWrapsNeverSplitACharacterOfTwoUnits) {
    RecordingPage rec;
    print::Page& p = print::printer();
    setupPrinter("Portrait");
    const QString letter = QString::fromUtf8("\xF0\x9D\x95\x8E");  // U+1D54E
    const QString text = "Team " + letter.repeated(12);
    const QString withHalf = text.left(5 + 2 * 4 + 1);
    ASSERT_LT(p.textWidth(withHalf), p.textWidth(text.left(5 + 2 * 5)));
    EXPECT_EQ(cutToWidth(text, p.textWidth(withHalf)), text.left(5 + 2 * 4));

    // Not even one letter fits: one whole letter a line, never half of one.
    const QString wrapped = wrapToWidth(letter.repeated(3), p.textWidth(letter) / 2);
    EXPECT_EQ(wrapped, QStringList({letter, letter, letter}).join("\r\n"));
    EXPECT_TRUE(wrapped.isValidUtf16());
}

TEST(PrinterPageTest, PrintExpandsTabsFromTheLineStartAndBreaksLinesAtTheLeftEdge) {
    RecordingPage rec;
    print::Page& p = print::printer();
    setupPrinter("PORTRAIT");
    p.setFontSize(12);
    const double h = p.textHeight();
    EXPECT_GT(h, 12);
    EXPECT_LT(h, 22);

    p.setCurrentX(100);
    p.setCurrentY(200);
    p.print("a\tb\t\tc\r\n\r\nnext\tcell");
    const auto t = rec.texts();
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(t[0].x, 100);
    EXPECT_EQ(t[1].x, 100 + print::kTabInterval);
    EXPECT_EQ(t[2].x, 100 + 3 * print::kTabInterval) << "two TABs skip a stop";
    EXPECT_EQ(t[3].text, "next");
    EXPECT_EQ(t[3].x, 1) << "later lines start at the left edge";
    EXPECT_NEAR(t[3].y, 200 + 2 * h, 1e-9) << "the empty line takes its height";
    EXPECT_EQ(t[4].x, 1 + print::kTabInterval);
    EXPECT_EQ(p.currentX(), 1);
    EXPECT_NEAR(p.currentY(), 200 + 3 * h, 1e-9);

    p.print(7LL);
    p.print(-3LL);
    EXPECT_TRUE(rec.findText(" 7"));
    EXPECT_TRUE(rec.findText("-3"));
}

TEST(PrinterPageTest, FlowingTextGoesOnToANewPageAndEmptyPagesAreNeverEmitted) {
    RecordingPage rec;
    print::Page& p = print::printer();
    setupPrinter("PORTRAIT");
    p.setFontSize(12);
    QStringList lines;
    for (int i = 1; i <= 80; ++i) lines << QString("line %1").arg(i);
    p.setCurrentY(100);
    p.print(lines.join("\r\n"));
    const auto* last = rec.findText("line 80");
    ASSERT_TRUE(last);
    EXPECT_EQ(last->page, 2);
    double lowest = 0;
    for (const auto& t : rec.texts())
        if (t.page == 1) lowest = std::max(lowest, t.y + p.textHeight());
    EXPECT_LE(lowest, 1100);
    const auto texts = rec.texts();  // a copy: search one vector, not two temporaries
    const auto firstOnTwo = std::find_if(texts.begin(), texts.end(), [](const auto& t) { return t.page == 2; });
    ASSERT_NE(firstOnTwo, texts.end());
    EXPECT_EQ(firstOnTwo->y, print::kContinueTop);

    // Placed text is drawn where it is put, also below the foot.
    printAt(10, 1095, "placed");
    EXPECT_EQ(rec.findText("placed")->page, 2);

    // A new page with nothing on it is not emitted before the end of the document.
    p.newPage();
    p.endDoc();
    EXPECT_EQ(rec.pageCount(), 2);
    EXPECT_EQ(rec.documentsEnded(), 1);

    // A document with nothing drawn produces nothing.
    setupPrinter("PORTRAIT");
    p.newPage();
    p.endDoc();
    EXPECT_EQ(rec.documentsEnded(), 1);
}

TEST(PrinterPageTest, APdfMapsTheScaleOntoTheSheetLessAQuarterInchMargin) {
    TestHome home;
    qputenv("KESTRIVANE_PRINT_DIR", home.file("prints").toUtf8());
    print::Page& p = print::printer();
    // The whole scale boxed in heavy lines, with words in its corners, portrait then landscape.
    for (const QString& orientation : {QStringLiteral("PORTRAIT"), QStringLiteral("LANDSCAPE")}) {
        setupPrinter(orientation);
        const double right = 1 + p.scaleWidth(), bottom = 1 + p.scaleHeight();
        p.setDrawWidth(16);
        p.box(1, 1, right, bottom);
        p.line(1, bottom, right, 1);
        p.setFontSize(12);
        printAt(1, 1, "topleft");
        printAt(right - p.textWidth("right"), bottom - p.textHeight(), "right");
        ui::ScriptedMessages msgs;
        msgs.expect("The printout was saved as ");
        p.endDoc();
        const QString pdf = onlyPdf(home.file("prints"));
        EXPECT_EQ(inkNearSheetEdge(pdf, 0.2), QStringList()) << orientation.toStdString();
        EXPECT_FALSE(inkNearSheetEdge(pdf, 0.3).isEmpty()) << "the box stands at a quarter inch";
        const auto words = readPdfWords(pdf);
        const PdfWord* topLeft = pdfWord(words, "topleft");
        const PdfWord* bottomRight = pdfWord(words, "right");
        ASSERT_TRUE(topLeft && bottomRight);
        EXPECT_NEAR(topLeft->x, 1, 2);
        EXPECT_NEAR(topLeft->y, 1, 4);
        EXPECT_NEAR(bottomRight->right, right, 2);
        QFile::remove(pdf);
    }
    qunsetenv("KESTRIVANE_PRINT_DIR");
}

// A print folder shared with another user (the test's own, root), who has planted, at every
// name the next printouts may take and at the old fixed partial names, links to the coach's
// private file and a file open to all. The coach prints (in a child process, as an ordinary user,
// under the umask 077): the PDF is a new file of the coach's alone, under the first free name, and
// nothing planted is written through or into.
TEST(PrinterPageTest, APdfIsANewFileOfTheCoachsWhateverIsPlanted) {
    if (geteuid() != 0) GTEST_SKIP() << "planting as another user needs root";
    TestHome home;
    const QString prints = home.file("prints");
    QDir(home.path()).mkdir("prints");
    QDir(home.path()).mkdir("coach");
    ASSERT_EQ(chmod(QFile::encodeName(home.path()).constData(), 0755), 0);
    ASSERT_EQ(chmod(QFile::encodeName(prints).constData(), 01777), 0);
    const QString secret = home.file("coach/secret");
    {
        QFile file(secret);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("private");
    }
    for (const QString& path : {home.file("coach"), secret})
        ASSERT_EQ(chown(QFile::encodeName(path).constData(), 65534, 65534), 0);
    ASSERT_EQ(chmod(QFile::encodeName(secret).constData(), 0600), 0);

    const QDateTime now = QDateTime::currentDateTime();
    QStringList planted;
    for (int s = 0; s < 5; ++s) {
        const QString stamp = now.addSecs(s).toString("yyyy-MM-dd hh-mm-ss");
        const QString name = prints + "/Printout " + stamp + ".pdf";
        QFile::link(secret, name);
        QFile::link(secret, name + ".partial");
        planted << "Printout " + stamp + ".pdf" << "Printout " + stamp + ".pdf.partial";
    }
    const QString open = prints + "/Printout " + now.toString("yyyy-MM-dd hh-mm-ss") + " (2).pdf";
    {
        QFile file(open);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_EQ(chmod(QFile::encodeName(open).constData(), 0666), 0);

    qputenv("KESTRIVANE_PRINT_DIR", prints.toUtf8());
    const int child = runInChildProcess([&] {
        dropRootPrivileges();
        umask(077);
        setupPrinter("PORTRAIT");
        printAt(10, 10, "coach");
        ui::ScriptedMessages msgs;
        msgs.expect("The printout was saved as " + prints + "/Printout ");
        print::printer().endDoc();
    });
    qunsetenv("KESTRIVANE_PRINT_DIR");
    EXPECT_EQ(child, 0);

    QFile check(secret);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), "private");
    EXPECT_EQ(QFileInfo(open).size(), 0);
    QStringList made = QDir(prints).entryList(QDir::AllEntries | QDir::System | QDir::Hidden |
                                              QDir::NoDotAndDotDot);
    for (const QString& name : planted + QStringList{QFileInfo(open).fileName()}) made.removeOne(name);
    ASSERT_EQ(made.size(), 1) << made.join(", ").toStdString();
    const QString pdf = prints + "/" + made.first();
    EXPECT_TRUE(made.first().endsWith(").pdf")) << made.first().toStdString();
    EXPECT_EQ(QFileInfo(pdf).ownerId(), 65534u);
    EXPECT_EQ(modeOf(pdf), 0600);
    EXPECT_TRUE(pdfWord(readPdfWords(pdf), "coach"));
}

// A printout's job and PDF are named after its title; one of a wrestler without a name ends in
// no dash.
TEST(PrinterPageTest, AJobIsNamedAfterItsTitleWithoutADashNamingNobody) {
    RecordingPage rec;
    for (const auto& [title, job] : std::initializer_list<std::pair<QString, QString>>{
             {"", "Kestrivane"},
             {"Team Leaders", "Kestrivane - Team Leaders"},
             {"Individual Match Summary - ", "Kestrivane - Individual Match Summary"},
             {"Individual Detail -  ", "Kestrivane - Individual Detail"},
             {"Wrestler Note 1 - Ann - Lee", "Kestrivane - Wrestler Note 1 - Ann - Lee"}}) {
        rec.setTitle(title);
        EXPECT_EQ(rec.jobName(), job);
    }
}

TEST(PrinterPageTest, AnErrorInsideAPrintoutDropsTheHalfDrawnDocument) {
    RecordingPage rec;
    auto printout = [] {
        setupPrinter("PORTRAIT");
        print::DocGuard doc;
        printAt(10, 10, "half");
        throw std::runtime_error("database gone");
    };
    EXPECT_THROW(printout(), std::runtime_error);
    EXPECT_FALSE(print::printer().documentOpen());
    EXPECT_EQ(rec.documentsKilled(), 1);
    EXPECT_EQ(rec.documentsEnded(), 0);

    // The next printout starts a document of its own.
    setupPrinter("PORTRAIT");
    printAt(10, 10, "whole");
    print::printer().endDoc();
    EXPECT_EQ(rec.findText("whole")->document, 2);
}

}  // namespace
