#pragma once

#include <array>

#include <QString>

class QDate;
class QLabel;
class QLineEdit;
class QRadioButton;

// The line the entry form shows for the most recently saved bout: date, weight class, level,
// wrestler, result, opponent's first and last name, school, win type and score, separated by
// two blanks (one between the opponent's names). Empty when no bout is stored, or when the
// newest bout's wrestler, weight class or school row no longer exists.
QString previousMatchLine();

// Field checks the match entry form and the match editor share. Each shows its own message,
// titled "Error", and returns false when the entry is refused.
// Shows `message` titled "Error" and returns false.
bool refuseEntry(const QString& message);
// An empty date gives "You must enter a date"; any other text must read as MM/DD/YYYY (the
// date check's own message). The text itself is not rewritten.
bool checkDateText(const QString& date);
bool checkActWeightText(const QString& weight);
// At least one of the opponent's names; both boxes are then trimmed of blanks in place.
bool checkOppNames(QLineEdit* first, QLineEdit* last);
bool checkLevelChosen(const std::array<QRadioButton*, 3>& optLevel);
bool checkWinLossChosen(const QRadioButton* optWin, const QRadioButton* optLoss);
bool checkWinTypeChosen(const std::array<QRadioButton*, 6>& optType);
// A number passes; empty team points ask "Team Points is null.  Continue?" (OK passes); any
// other text fails.
bool checkTeamPointsText(const QString& points);
// True when a score or fall time is longer than the match row takes: 10 characters or more,
// counted as a person counts them (an emoji is one).
bool isScoreTooLong(const QString& score);

// Inside the save of a bout, after its last question: the rows the keys its checks looked up
// name (the wrestler's row, the weight class, the school) are all still there; one another copy
// deleted meanwhile raises the refusal (SaveRefused), and nothing is written.
void requireBoutKeys(long long seqWrestler, long long seqWeight, long long seqOppSchool);

// Leaving a date box: the text goes through the date check and is written back as it rewrites it
// (MM/DD/YYYY). A bad date (the check has said so) takes the focus back and hides the weekday
// label; an empty text hides it; a date shows its weekday there. Returns the date, or a null date
// when the box is empty or bad; `bad`, when given, tells which.
QDate settleDateBox(QLineEdit* box, QLabel* weekday, bool* bad = nullptr);
