#include "printing/printer_setup.h"

#include "core/helpers.h"
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

void printShrunk(const QString& text, double limit, double x, double y, double sectionSize) {
    print::Page& p = print::printer();
    // Sizes are kept in ten-thousandths of a point so that repeated 0.2 pt steps stay exact.
    long long size = std::llround(p.fontSize() * 10000);
    const long long floor = std::llround(kMinShrinkSize * 10000);
    while (roundHalfEven(p.textWidth(text)) >= limit && size - 2000 >= floor) {
        size -= 2000;
        p.setFontSize(size / 10000.0);
    }
    printAt(x, y, text);
    p.setFontSize(sectionSize);
}

void printTempSize(const QString& text, double points, double x, double y) {
    print::Page& p = print::printer();
    const double found = roundHalfEven(p.fontSize());
    p.setFontSize(points);
    printAt(x, y, text);
    p.setFontSize(found);
}

QString cutToWidth(const QString& text, double room) {
    const print::Page& p = print::printer();
    QString shown = text;
    while (!shown.isEmpty() && p.textWidth(shown) > room) shown.chop(1);
    return shown;
}

namespace {

QStringList wrapLine(const QString& line, double width) {
    const print::Page& p = print::printer();
    QStringList pieces;
    QString current;
    const QStringList words = line.split(QLatin1Char(' '));
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString candidate = i == 0 ? words[i] : current + QLatin1Char(' ') + words[i];
        if (i == 0 || p.textWidth(candidate) <= width) {
            current = candidate;
        } else {
            pieces << current;
            current = words[i];
        }
        while (current.size() > 1 && p.textWidth(current) > width) {
            const QString head = cutToWidth(current, width);
            const qsizetype fit = std::max<qsizetype>(head.size(), 1);
            pieces << current.left(fit);
            current = current.mid(fit);
        }
    }
    pieces << current;
    return pieces;
}

}  // namespace

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
