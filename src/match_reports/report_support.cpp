#include "match_reports/report_support.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QWidget>
#include <cmath>

#include "core/connection.h"
#include "core/helpers.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ReportBox.h"

namespace match_reports {

void showUnselected(QComboBox* box, const QString& text) {
    {
        const QSignalBlocker quiet(box);
        box->setCurrentIndex(-1);
    }
    box->setEditText(text);
}

QString matchReportHelpText() {
    const QStringList lines = {
        QStringLiteral("Individual Match Summary"),
        QString(),
        QStringLiteral("Select individual, and adjust parameters as neccesary"),
        QStringLiteral("If report does not adjust to parameters, click on a different field"),
        QString(),
        QStringLiteral("To print list, click 'Print'"),
        QString(),
        QStringLiteral("To copy information to another program, click 'Copy to Clipboard' and "),
        QStringLiteral("then paste into another application such as WordPad"),
    };
    QString text;
    for (const QString& line : lines) text += line + CRLF;
    return text;
}

namespace {
double twipsPerPixel(const QWidget* widget) {
    const int dpi = widget ? widget->logicalDpiX() : 96;
    return 1440.0 / (dpi > 0 ? dpi : 96);
}
}  // namespace

int textWidthTwips(const QWidget* widget, const QFont& font, const QString& text) {
    const qreal pixels = QFontMetricsF(font, widget).horizontalAdvance(text);
    return static_cast<int>(std::lround(pixels * twipsPerPixel(widget)));
}

double dialogUnitTwips(const ui::ReportBox* box, const std::vector<int>& stops) {
    return ui::tabUnit(box, stops) * twipsPerPixel(box);
}

QDate dateFromText(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4}|\\d{2})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return {};
    int year = m.captured(3).toInt();
    if (m.captured(3).size() == 2) year += 2000;
    return QDate(year, m.captured(1).toInt(), m.captured(2).toInt());
}

std::optional<QString> typedDate(const QString& text) {
    const QDate date = dateFromText(text);
    if (!date.isValid()) return std::nullopt;
    return db::shortDate(date);
}

QString singleText(double value) {
    const float single = static_cast<float>(value);
    return QString::number(static_cast<double>(single), 'g', 7);
}

QString scoreBoxText(double value) {
    QString text = singleText(value);
    if (text.startsWith(QLatin1String("0."))) text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0."))) text.remove(1, 1);
    return text;
}

bool isPlainDecimal(const QString& text) {
    static const QRegularExpression re(QStringLiteral("^\\s*[-+]?(\\d+\\.?\\d*|\\.\\d+)\\s*$"));
    // Digits enough to be beyond any double read as infinite, and would be stored so.
    return re.match(text).hasMatch() && std::isfinite(leadingNumber(text));
}

}  // namespace match_reports
