#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

namespace ui {
class BusyTask;
}

// The printer page object: a page drawn by placing each text, line, box and picture at explicit
// coordinates, one page after the other, ended by endDoc().
//
//     print::Page& p = print::printer();        // the current printer (a recording one in tests)
//     printing::setupPrinter("PORTRAIT");       // orientation, scale 1..850 x 1..1100, Times, width 8
//     print::DocGuard doc;                      // drops a half-drawn document if an error escapes
//     p.setFontSize(20); p.setFontBold(true);
//     p.setCurrentX(printing::centredX("Title")); p.setCurrentY(15);
//     p.print("Title");                         // the position moves to x = 1, one line down
//     p.setDrawWidth(1); p.setDrawStyle(print::LineStyle::Dotted);
//     p.line(25, 140, 1050, 140);               // black, in the current width and style
//     p.newPage();                              // a page is only emitted when something is drawn on it
//     p.endDoc();                               // releases the document; nothing is output before
//
// Coordinates are page units of the current scale (see printing/printer_setup.h), y downward.
// Font sizes are in points (fractions kept), line widths in device dots. The font, line and scale
// settings carry from one page and one document to the next; setupPrinter, with which every
// printout starts, sets them back to upright, regular and solid.
//
// Text output: print() draws its text with the top-left corner at (currentX, currentY). A TAB moves
// to the next tab stop; stops lie every kTabInterval units from the x at which the line started. A
// CR LF (or a lone LF or CR) starts a new line at x = scaleLeft(). After the text the position is at
// x = scaleLeft(), one line height further down. When a print continues straight on from the previous
// print's line move (the position was not set in between) and a line would end below the foot of the
// page, a new page is started and the text goes on at y = kContinueTop, so flowing text is never lost;
// text placed explicitly is drawn where it is put (clipped by the paper).
namespace print {

enum class Orientation { Portrait = 1, Landscape = 2 };
enum class LineStyle { Solid = 0, Dotted = 2 };

// Tab stop interval, in page units, counted from the x at which a printed line starts.
inline constexpr double kTabInterval = 53.0;
// Where flowing text continues after an automatic page break.
inline constexpr double kContinueTop = 50.0;
// The margin a common letter printer cannot print on, on every side of the sheet. A PDF printout
// leaves it free, so the PDF put on paper looks as the printout from the printer would.
inline constexpr double kLetterMarginInches = 0.25;

class Page {
public:
    virtual ~Page();
    Page(const Page&) = delete;
    Page& operator=(const Page&) = delete;

    // Orientation and scale. setScale maps the printable area onto (x1, y1)-(x2, y2).
    void setOrientation(Orientation o);
    Orientation orientation() const { return orientation_; }
    void setScale(double x1, double y1, double x2, double y2);
    double scaleLeft() const { return x1_; }
    double scaleTop() const { return y1_; }
    double scaleWidth() const { return x2_ - x1_; }
    double scaleHeight() const { return y2_ - y1_; }

    // The printout's title. The print job is named after it, with the program's name (jobName), so
    // that a printer's queue lists it and a PDF printer names its file after it.
    void setTitle(const QString& title) { title_ = title; }
    QString title() const { return title_; }
    // "Kestrivane - <title>", or "Kestrivane" for a printout without a title.
    QString jobName() const;

    // Text colour (0 = black).
    void setForeColor(QColor c) { foreColor_ = c; }

    // Lines: width in device dots; the dotted style shows only on lines of width 1.
    void setDrawWidth(int dots) { drawWidth_ = dots; }
    int drawWidth() const { return drawWidth_; }
    void setDrawStyle(LineStyle s) { drawStyle_ = s; }
    LineStyle drawStyle() const { return drawStyle_; }

    // Font. Names of the Windows faces are mapped to installed fonts with the same metrics.
    void setFontName(const QString& name) { fontName_ = name; }
    QString fontName() const { return fontName_; }
    void setFontSize(double points) { fontSize_ = points; }
    double fontSize() const { return fontSize_; }
    void setFontBold(bool on) { bold_ = on; }
    bool fontBold() const { return bold_; }
    void setFontItalic(bool on) { italic_ = on; }
    bool fontItalic() const { return italic_; }

    // Print position: top-left corner of the next text.
    void setCurrentX(double x);
    void setCurrentY(double y);
    double currentX() const { return x_; }
    double currentY() const { return y_; }

    // Measurements in page units, in the current font. textWidth of a text with line breaks is the
    // widest line (TABs expanded from x = 0); textHeight is the line height times the line count.
    double textWidth(const QString& text) const;
    double textHeight(const QString& text = QStringLiteral("X")) const;

    // Prints the text (see above) and moves to the start of the next line.
    void print(const QString& text);
    // Prints a whole number as the system writes it: one blank before it when not negative.
    void print(long long number);

    // A black line, or the outline of the rectangle with those corners, in the current width/style.
    void line(double x1, double y1, double x2, double y2);
    void box(double x1, double y1, double x2, double y2);
    // Draws the picture scaled into the rectangle.
    void paintPicture(const QImage& picture, double x, double y, double width, double height);

    // Ends the current page; the next page is emitted when something is drawn on it.
    void newPage();
    // Ends the document and releases it. A document on which nothing was drawn produces nothing.
    void endDoc();
    // Drops the document begun so far without output (after an error).
    void killDoc();
    // True while a document has been begun and not ended.
    bool documentOpen() const { return docOpen_; }
    // The printout under way has ended, drawn or not (see DocGuard): what the back end looked up
    // for it (its printer) is looked up anew for the next one.
    virtual void endPrintout() {}

protected:
    Page();

    // What a back end draws. Coordinates are page units; the font is fully described by the state
    // passed. `page` counts from 1 within the document.
    struct TextRun {
        double x = 0, y = 0;
        QString text;
        QString fontName;
        double fontSize = 0;
        bool bold = false, italic = false;
        QColor color;
    };
    struct Stroke {
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        int dots = 1;
        bool dotted = false;
        bool box = false;
    };
    virtual void beginDocument() = 0;
    virtual void beginPage(int page) = 0;  // called for pages after the first
    virtual void drawText(const TextRun& run) = 0;
    virtual void drawStroke(const Stroke& s) = 0;
    virtual void drawPicture(const QImage& picture, double x, double y, double w, double h) = 0;
    virtual void finishDocument() = 0;
    virtual void abandonDocument() = 0;
    // Printable area of the paper in inches (the scale is mapped onto it).
    virtual double paperWidthInches() const = 0;
    virtual double paperHeightInches() const = 0;

    int pageNumber() const { return page_; }

private:
    void ensureDrawing();
    QString drawingText() const;  // what the wait window says while the printout is drawn
    double unitsPerInchX() const;
    double unitsPerInchY() const;
    double advance(const QString& text) const;  // width of a text without TABs or line breaks
    const QFontMetricsF& metrics() const;        // of the current font on the measuring device
    double lineHeight() const;
    void printLine(const QString& line, double startX, double y);

    Orientation orientation_ = Orientation::Portrait;
    double x1_ = 1, y1_ = 1, x2_ = 850, y2_ = 1100;
    QColor foreColor_ = Qt::black;
    int drawWidth_ = 1;
    LineStyle drawStyle_ = LineStyle::Solid;
    QString title_;
    QString fontName_ = QStringLiteral("Times New Roman");
    double fontSize_ = 12;
    bool bold_ = false, italic_ = false;
    double x_ = 1, y_ = 1;
    bool flowing_ = false;     // the position was last moved by a print
    bool docOpen_ = false;     // beginDocument was called
    bool pagePending_ = false; // newPage was called and nothing drawn since
    int page_ = 0;
    // The metrics of the font last measured with, made again when the font changes.
    struct MeasuredFont {
        QString name;
        double size;
        bool bold, italic;
        QFontMetricsF metrics;
    };
    mutable std::optional<MeasuredFont> measured_;
};

// How far a printout has come, as its wait window says it: "1 page drawn", "12 pages drawn".
QString pagesDrawn(int pages);

// The printable area of the letter sheet (8.5 x 11 inches less kLetterMarginInches on every side),
// in inches, in the orientation given.
QSizeF letterPrintableInches(Orientation o);

// The installed font that prints the named face (Times New Roman, Arial and MS Sans Serif map to
// Liberation fonts of the same metrics), unhinted so that widths scale with the size.
QFont pageFont(const QString& name, double points, bool bold, bool italic);

// The printer the printouts draw on: the recording page while one lives (tests), otherwise the
// paper page (default printer, or a PDF file).
Page& printer();

namespace detail {
// Makes `page` the printer (null: the paper page again); returns the one it replaces.
Page* swapPrinter(Page* page);
}  // namespace detail

// A printout under way, from its start to its end: input given meanwhile is dropped, and one that
// takes more than a moment shows the wait window with the pages drawn (see ui::BusyTask). Ends a
// document that an error left open: if the printer still has a document open when the guard
// goes, it is dropped without output; in any case the printout has ended (Page::endPrintout).
// Create it at the start of a printout.
class DocGuard {
public:
    DocGuard();
    ~DocGuard();
    DocGuard(const DocGuard&) = delete;
    DocGuard& operator=(const DocGuard&) = delete;

private:
    std::unique_ptr<ui::BusyTask> task_;
};

}  // namespace print
