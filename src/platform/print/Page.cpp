#include "platform/fonts/StandInFonts.h"
#include "platform/print/Page.h"
#include "platform/ui/Waiting.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace print {

namespace {

// Text is measured on a reference device of 1200 dots per inch, so that widths do not depend on
// the device the page goes to and come out the same on paper and in the recording.
constexpr double kMeasureDpi = 1200.0;

const QImage& measureDevice() {
    static const QImage image = [] {
        QImage img(8, 8, QImage::Format_RGB32);
        const int dpm = static_cast<int>(std::lround(kMeasureDpi / 0.0254));
        img.setDotsPerMeterX(dpm);
        img.setDotsPerMeterY(dpm);
        return img;
    }();
    return image;
}

}  // namespace

QFont pageFont(const QString& name, double points, bool bold, bool italic) {
    QFont f(standInFamily(name));
    f.setPointSizeF(points > 0.1 ? points : 0.1);
    f.setBold(bold);
    f.setItalic(italic);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

QString pagesDrawn(int pages) {
    return pages == 1 ? QStringLiteral("1 page drawn") : QStringLiteral("%1 pages drawn").arg(pages);
}

QSizeF letterPrintableInches(Orientation o) {
    const QSizeF area(8.5 - 2 * kLetterMarginInches, 11.0 - 2 * kLetterMarginInches);
    return o == Orientation::Landscape ? area.transposed() : area;
}

Page::Page() = default;
Page::~Page() = default;

void Page::setOrientation(Orientation o) { orientation_ = o; }

QString Page::jobName() const {
    const QString program = QStringLiteral("Kestrivane");
    // A printout of a wrestler without a name ends in no dash.
    QString title = title_.trimmed();
    if (title.endsWith(QLatin1String(" -"))) title = title.chopped(2).trimmed();
    return title.isEmpty() ? program : program + QStringLiteral(" - ") + title;
}

void Page::setScale(double x1, double y1, double x2, double y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    x_ = x1;
    y_ = y1;
    flowing_ = false;
}

void Page::setCurrentX(double x) {
    x_ = x;
    flowing_ = false;
}

void Page::setCurrentY(double y) {
    y_ = y;
    flowing_ = false;
}

double Page::unitsPerInchX() const { return scaleWidth() / paperWidthInches(); }
double Page::unitsPerInchY() const { return scaleHeight() / paperHeightInches(); }

const QFontMetricsF& Page::metrics() const {
    if (!measured_ || measured_->name != fontName_ || measured_->size != fontSize_ || measured_->bold != bold_ ||
        measured_->italic != italic_)
        measured_.emplace(MeasuredFont{fontName_, fontSize_, bold_, italic_,
                                       QFontMetricsF(pageFont(fontName_, fontSize_, bold_, italic_), &measureDevice())});
    return measured_->metrics;
}

double Page::advance(const QString& text) const {
    if (text.isEmpty()) return 0;
    return metrics().horizontalAdvance(text) / kMeasureDpi * unitsPerInchX();
}

double Page::lineHeight() const { return metrics().lineSpacing() / kMeasureDpi * unitsPerInchY(); }

namespace {
QStringList splitLines(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    return text.split(breaks);
}
}  // namespace

double Page::textWidth(const QString& text) const {
    ui::BusyTask::tick();
    const auto special = [](QChar c) { return c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'); };
    if (std::none_of(text.cbegin(), text.cend(), special)) return advance(text);
    double widest = 0;
    for (const QString& line : splitLines(text)) {
        double pos = 0;
        const QStringList cells = line.split(QLatin1Char('\t'));
        for (int i = 0; i < cells.size(); ++i) {
            pos += advance(cells[i]);
            if (i + 1 < cells.size()) pos = (std::floor(pos / kTabInterval) + 1) * kTabInterval;
        }
        widest = std::max(widest, pos);
    }
    return widest;
}

double Page::textHeight(const QString& text) const {
    return lineHeight() * splitLines(text).size();
}

QString Page::drawingText() const { return QStringLiteral("Drawing the printout \"%1\"...").arg(jobName()); }

void Page::ensureDrawing() {
    if (!docOpen_) {
        beginDocument();
        docOpen_ = true;
        page_ = 1;
        pagePending_ = false;
        ui::BusyTask::say(drawingText());
    } else if (pagePending_) {
        ++page_;
        beginPage(page_);
        pagePending_ = false;
        ui::BusyTask::say(drawingText(), pagesDrawn(page_ - 1));
    } else {
        ui::BusyTask::tick();
    }
}

// Draws one line from startX at y, expanding TABs.
void Page::printLine(const QString& line, double startX, double y) {
    double pos = startX;
    const QStringList cells = line.split(QLatin1Char('\t'));
    for (int i = 0; i < cells.size(); ++i) {
        if (!cells[i].isEmpty()) {
            ensureDrawing();
            TextRun run;
            run.x = pos;
            run.y = y;
            run.text = cells[i];
            run.fontName = fontName_;
            run.fontSize = fontSize_;
            run.bold = bold_;
            run.italic = italic_;
            run.color = foreColor_;
            drawText(run);
        }
        // Only a cell that a TAB follows is measured: a long last one is drawn without.
        if (i + 1 < cells.size()) {
            pos += advance(cells[i]);
            pos = startX + (std::floor((pos - startX) / kTabInterval) + 1) * kTabInterval;
        }
    }
}

void Page::print(const QString& text) {
    const QStringList lines = splitLines(text);
    const double h = lineHeight();
    double y = y_;
    double x = x_;
    for (int i = 0; i < lines.size(); ++i) {
        if ((i > 0 || flowing_) && y + h > y2_) {
            newPage();
            y = kContinueTop;
        }
        printLine(lines[i], x, y);
        x = x1_;
        y += h;
    }
    x_ = x1_;
    y_ = y;
    flowing_ = true;
}

void Page::print(long long number) {
    print(number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number));
}

void Page::line(double x1, double y1, double x2, double y2) {
    ensureDrawing();
    Stroke s{x1, y1, x2, y2, drawWidth_, drawWidth_ <= 1 && drawStyle_ == LineStyle::Dotted, false};
    drawStroke(s);
}

void Page::box(double x1, double y1, double x2, double y2) {
    ensureDrawing();
    Stroke s{x1, y1, x2, y2, drawWidth_, drawWidth_ <= 1 && drawStyle_ == LineStyle::Dotted, true};
    drawStroke(s);
}

void Page::paintPicture(const QImage& picture, double x, double y, double width, double height) {
    ensureDrawing();
    drawPicture(picture, x, y, width, height);
}

void Page::newPage() {
    if (docOpen_) pagePending_ = true;
    // A new page before anything was drawn is the first page itself.
    x_ = x1_;
    y_ = y1_;
    flowing_ = false;
}

void Page::endDoc() {
    if (docOpen_) {
        docOpen_ = false;
        pagePending_ = false;
        finishDocument();
    }
    x_ = x1_;
    y_ = y1_;
    flowing_ = false;
}

void Page::killDoc() {
    if (docOpen_) {
        docOpen_ = false;
        pagePending_ = false;
        abandonDocument();
    }
    x_ = x1_;
    y_ = y1_;
    flowing_ = false;
}

DocGuard::DocGuard()
    : task_(std::make_unique<ui::BusyTask>(QStringLiteral("Print"), QStringLiteral("Drawing the printout..."))) {}

DocGuard::~DocGuard() {
    Page& p = printer();
    if (p.documentOpen()) p.killDoc();
    p.endPrintout();
}

}  // namespace print
