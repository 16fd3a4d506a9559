#include "support/pdf_readback.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "platform/print/Page.h"
#include "platform/ui/Messages.h"
#include "support/user_input.h"

std::vector<PdfWord> readPdfWords(const QString& file) {
    QProcess p;
    p.start("pdftotext", {"-bbox", file, "-"});
    EXPECT_TRUE(p.waitForFinished(20000));
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    std::vector<PdfWord> words;
    int page = 0;
    double unitsX = 0, unitsY = 0;  // page units per point
    static const QRegularExpression token(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    constexpr double margin = print::kLetterMarginInches * 72;
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0).startsWith("<page")) {
            ++page;
            const bool landscape = m.captured(1).toDouble() > m.captured(2).toDouble();
            const QSizeF area = print::letterPrintableInches(landscape ? print::Orientation::Landscape
                                                                       : print::Orientation::Portrait);
            unitsX = (landscape ? 1099 : 849) / (area.width() * 72);
            unitsY = (landscape ? 849 : 1099) / (area.height() * 72);
        } else {
            words.push_back({page, 1 + (m.captured(3).toDouble() - margin) * unitsX,
                             1 + (m.captured(4).toDouble() - margin) * unitsY,
                             1 + (m.captured(5).toDouble() - margin) * unitsX,
                             1 + (m.captured(6).toDouble() - margin) * unitsY, m.captured(7)});
        }
    }
    return words;
}

const PdfWord* pdfWord(const std::vector<PdfWord>& words, const QString& text) {
    for (const PdfWord& w : words)
        if (w.text == text) return &w;
    return nullptr;
}

QStringList pdfSheets(const QString& file) {
    QProcess p;
    p.start("pdfinfo", {"-f", "1", "-l", "100000", file});
    EXPECT_TRUE(p.waitForFinished(20000));
    QStringList sheets;
    static const QRegularExpression line(R"(Page +\d+ (size|rot): +(.*))");
    for (auto it = line.globalMatch(QString::fromUtf8(p.readAllStandardOutput())); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(1) == "size") sheets << m.captured(2).trimmed();
        else if (!sheets.isEmpty()) sheets.last() += ", rot " + m.captured(2).trimmed();
    }
    return sheets;
}

QString pdfTitle(const QString& file) {
    QProcess p;
    p.start("pdfinfo", {file});
    EXPECT_TRUE(p.waitForFinished(20000));
    static const QRegularExpression line(R"(^Title: +(.*)$)", QRegularExpression::MultilineOption);
    return line.match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).trimmed();
}

QString onlyPdf(const QString& folder) {
    const QStringList pdfs = QDir(folder).entryList({"*.pdf"}, QDir::Files);
    EXPECT_EQ(pdfs.size(), 1) << pdfs.join(", ").toStdString();
    return pdfs.isEmpty() ? QString() : QDir(folder).filePath(pdfs.first());
}

QStringList inkNearSheetEdge(const QString& file, double inches) {
    constexpr int dpi = 100;
    QTemporaryDir out;
    QProcess p;
    p.start("pdftoppm", {"-r", QString::number(dpi), "-gray", file, out.filePath("page")});
    EXPECT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    QStringList found;
    const QStringList pages = QDir(out.path()).entryList({"page*.pgm"}, QDir::Files, QDir::Name);
    EXPECT_FALSE(pages.isEmpty());
    const int band = static_cast<int>(inches * dpi);
    for (int n = 0; n < pages.size(); ++n) {
        const QImage image(out.filePath(pages[n]));
        EXPECT_FALSE(image.isNull()) << pages[n].toStdString();
        for (int y = 0; y < image.height(); ++y) {
            const bool rowInBand = y < band || y >= image.height() - band;
            for (int x = 0; x < image.width(); ++x) {
                if (!rowInBand && x >= band && x < image.width() - band) continue;
                if (qGray(image.pixel(x, y)) < 200) {
                    found << QStringLiteral("page %1 at %2, %3 inches")
                                 .arg(n + 1)
                                 .arg(double(x) / dpi)
                                 .arg(double(y) / dpi);
                    x = image.width();
                    y = image.height();
                }
            }
        }
    }
    return found;
}

std::vector<PdfWord> typeAndPrint(QComboBox* box, const QString& text, const QString& folder) {
    qputenv("KESTRIVANE_PRINT_DIR", folder.toUtf8());
    ui::ScriptedMessages msgs;
    msgs.expect("The printout was saved as ");
    typeIntoCombo(box, text);
    pressKey(Qt::Key_P, Qt::AltModifier);
    qunsetenv("KESTRIVANE_PRINT_DIR");
    return readPdfWords(onlyPdf(folder));
}
