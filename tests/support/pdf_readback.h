#pragma once

// Reading a printout back from the PDF file the program wrote: its words through pdftotext, its
// ink through pdftoppm.

#include <QString>

class QComboBox;
#include <QStringList>
#include <vector>

// A word of a PDF page as pdftotext places it (top-left corner, right and bottom edges), converted
// to the page units of the printout: the printable area of the letter sheet mapped onto
// 1..850 x 1..1100 (portrait) or 1..1100 x 1..850 (landscape), as the printout set it up.
struct PdfWord {
    int page;
    double x, y, right, bottom;
    QString text;
};
std::vector<PdfWord> readPdfWords(const QString& file);

// The first word equal to `text`, or null.
const PdfWord* pdfWord(const std::vector<PdfWord>& words, const QString& text);

// The sheets of a PDF as pdfinfo gives them, one entry a page: "612 x 792 pts (letter), rot 0".
QStringList pdfSheets(const QString& file);

// The title of a PDF as pdfinfo gives it.
QString pdfTitle(const QString& file);

// The one PDF file in `folder` (a test failure when there is none or more than one).
QString onlyPdf(const QString& folder);

// Every page of the PDF drawn at 100 dots per inch; one entry for each page that has ink (text,
// line, box or picture) nearer than `inches` to an edge of the sheet, saying where.
QStringList inkNearSheetEdge(const QString& file, double inches);

// Types `text` into the drop-down and prints at once with Alt+P (which leaves the box first) into
// the folder `folder`, answering the message that names the file; gives the words of that PDF.
std::vector<PdfWord> typeAndPrint(QComboBox* box, const QString& text, const QString& folder);
