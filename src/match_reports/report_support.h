#pragma once

#include <QDate>
#include <QFont>
#include <QString>
#include <optional>
#include <vector>

#include "platform/fonts/StandInFonts.h"

class QComboBox;
class QWidget;
namespace ui {
class ReportBox;
}

// Small pieces shared by the match report forms.
namespace match_reports {

inline const QString CRLF = QStringLiteral("\r\n");
inline const QString TAB = QStringLiteral("\t");

// Shows `text` in a combo box with no item of its list selected, without running its Click, so
// that choosing any item afterwards, the one just shown included, counts as a choice.
void showUnselected(QComboBox* box, const QString& text);

// The help text of the match report forms, its first line the title.
QString matchReportHelpText();

// Width in twips of `text` drawn in `font` on `widget`'s screen, rounded to a whole number.
int textWidthTwips(const QWidget* widget, const QFont& font, const QString& text);
// The dialog unit the report box's tab stops `stops` are counted in, in twips.
double dialogUnitTwips(const ui::ReportBox* box, const std::vector<int>& stops);

// A date typed or listed as M/D/YYYY (a two-digit year is 20YY); invalid for anything else.
QDate dateFromText(const QString& text);
// A date typed into a date box, written as the date lists write it ("12/05/26" as "12/5/2026");
// nothing for a text that is no date.
std::optional<QString> typedDate(const QString& text);
// What a date box says to a text that is no date.
inline const QString kDateFormatMessage = QStringLiteral("Date must be in the MM/DD/YYYY format");

// A team score as the report writes it: single precision, no blank, "42", "31.5", "0.5".
QString singleText(double value);
// A team score as the score boxes show it: as above without the zero before the point (".5").
QString scoreBoxText(double value);
// True for a plain decimal number: an optional sign, digits with at most one point, blanks
// around it allowed ("21", "22.5", "-3", " 7 ", ".5"); false for "1,000", "$5", "1e3", "" or
// a number too large for a double.
bool isPlainDecimal(const QString& text);

}  // namespace match_reports
