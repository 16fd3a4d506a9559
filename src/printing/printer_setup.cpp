#include "printing/printer_setup.h"

#include "core/helpers.h"
#include "platform/fonts/TextFit.h"
#include "platform/print/Page.h"
#include "platform/ui/Messages.h"

#include <QRegularExpression>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace printing {

void setupPrinter(const QString& orientation) {
    print::Page& p = print::printer();
    const QString o = orientation.toUpper();
    if (o == QLatin1String("PORTRAIT")) {
        p.setOrientation(print::Orientation::Portrait);
        p.setScale(1, 1, 850, 1100);
    } else if (o == QLatin1String("LANDSCAPE")) {
        p.setOrientation(print::Orientation::Landscape);
        p.setScale(1, 1, 1100, 850);
    } else {
        ui::msgBox(QStringLiteral("Must be Portrait or Landscape"), ui::Buttons::OK,
                   QStringLiteral("Error"));
    }
    p.setForeColor(Qt::black);
    p.setDrawWidth(8);
    p.setFontName(QStringLiteral("Times New Roman"));
    // The page object outlives a printout: what the last one left on must not reach this one.
    p.setFontBold(false);
    p.setFontItalic(false);
    p.setDrawStyle(print::LineStyle::Solid);
    p.setTitle(QString());
}

double roundHalfEven(double v) { return std::nearbyint(v); }

double centredX(const QString& text) {
    const print::Page& p = print::printer();
    return static_cast<float>(p.scaleWidth() / 2 - p.textWidth(text) / 2);
}

double rightAlignedX(const QString& text, double margin) {
    const print::Page& p = print::printer();
    return static_cast<float>(p.scaleWidth() - p.textWidth(text) - margin);
}

double cellCentredX(double x0, double cellWidth, const QString& text) {
    const double w = roundHalfEven(print::printer().textWidth(text));
    return x0 + roundHalfEven((cellWidth - w) / 2);
}

void printAt(double x, double y, const QString& text) {
    print::Page& p = print::printer();
    p.setCurrentX(x);
    p.setCurrentY(y);
    p.print(text);
}

void printInCell(double x0, double cellWidth, double y, const QString& text) {
    printAt(cellCentredX(x0, cellWidth, text), y, text);
}

double shrinkWhile(const QString& text, const std::function<bool(double)>& tooWide) {
    print::Page& p = print::printer();
    // Sizes are kept in ten-thousandths of a point so that repeated 0.2 pt steps stay exact.
    const long long step = 2000;
    const long long floor = std::llround(kMinShrinkSize * 10000);
    long long size = std::llround(p.fontSize() * 10000);
    double width = roundHalfEven(p.textWidth(text));
    if (!tooWide(width) || size - step < floor) return width;
    // A text no size is small enough for is too wide at every step: the steps end at the last one
    // above the floor without measuring a long text at each of them.
    const long long smallest = size - (size - floor) / step * step;
    p.setFontSize(smallest / 10000.0);
    width = roundHalfEven(p.textWidth(text));
    if (tooWide(width)) return width;
    do {
        size -= step;
        p.setFontSize(size / 10000.0);
        width = roundHalfEven(p.textWidth(text));
    } while (tooWide(width) && size - step >= floor);
    return width;
}

void printShrunk(const QString& text, double limit, double x, double y, double sectionSize) {
    shrinkWhile(text, [limit](double width) { return width >= limit; });
    printAt(x, y, text);
    print::printer().setFontSize(sectionSize);
}

void printTempSize(const QString& text, double points, double x, double y) {
    print::Page& p = print::printer();
    const double found = roundHalfEven(p.fontSize());
    p.setFontSize(points);
    printAt(x, y, text);
    p.setFontSize(found);
}

namespace {

// The width of a text in the printer's current font.
double printedWidth(QStringView text) { return print::printer().textWidth(text.toString()); }

// Whether the whole text is no wider than `room`. A long text is first measured by its start,
// which a text far too wide for a line already is.
bool fitsWithin(const QString& text, double room) {
    constexpr qsizetype kStart = 1000;
    if (text.size() > kStart && printedWidth(QStringView(text).left(kStart)) > room) return false;
    return printedWidth(text) <= room;
}

QStringList wrapLine(const QString& line, double width) {
    QStringList pieces;
    QString current;
    const QStringList words = line.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0) {
            QString candidate = current + QLatin1Char(' ') + words[i];
            if (fitsWithin(candidate, width)) {
                current = std::move(candidate);
                continue;
            }
            pieces << current;
        }
        current = words[i];
        if (current.size() <= 1 || fitsWithin(current, width)) continue;
        // A word wider than the line on its own goes on between characters, as much on each
        // line as fits (one character at least, both units of a pair); its last piece is the
        // start of the next line.
        QStringView rest(current);
        qsizetype fit = 1;
        while (rest.size() > 1) {
            fit = fittingLength(rest, width, printedWidth, fit);
            if (fit == rest.size()) break;
            fit = std::max<qsizetype>(fit, rest[0].isHighSurrogate() && rest[1].isLowSurrogate() ? 2 : 1);
            if (fit == rest.size()) break;
            pieces << rest.left(fit).toString();
            rest = rest.mid(fit);
        }
        current = rest.toString();
    }
    pieces << current;
    return pieces;
}

}  // namespace

QString cutToWidth(const QString& text, double room) {
    if (fitsWithin(text, room)) return text;
    return text.left(fittingLength(text, room, printedWidth));
}

QString wrapToWidth(const QString& text, double width) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString& line : text.split(breaks)) lines << wrapLine(line, width);
    return lines.join(QStringLiteral("\r\n"));
}

QString printedValue(const db::Value& v) {
    switch (v.kind()) {
    case db::Value::Kind::Null: return QString();
    case db::Value::Kind::Integer: return signedNumberText(v.toInt());
    case db::Value::Kind::Real: return signedNumberText(v.toDouble());
    default: return v.toString();
    }
}

}  // namespace printing
