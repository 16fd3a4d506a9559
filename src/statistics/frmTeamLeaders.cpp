#include "statistics/frmTeamLeaders.h"

#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include "core/connection.h"
#include "core/helpers.h"
#include "match_reports/report_support.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "statistics/stat_codes.h"

using match_reports::dateFromText;
using match_reports::showUnselected;

namespace {

enum class StatKind { Sum, Count };

struct Category {
    const char* text;
    const char* code;  // always the home wrestler's side
    StatKind kind;
};

// Every category a board can show. "Warning" is not in the boxes' lists; it can only be typed.
const Category kCategories[] = {
    {"Takedown", "tdH", StatKind::Sum},        {"Reversal", "revH", StatKind::Sum},
    {"Escape", "escH", StatKind::Sum},         {"Near Fall", "nfH", StatKind::Sum},
    {"Near Fall 2", "nf2H", StatKind::Sum},    {"Near Fall 3", "nf3H", StatKind::Sum},
    {"Team Points", "TeamPts", StatKind::Sum}, {"Penalty", "PH", StatKind::Sum},
    {"Warning", "WH", StatKind::Sum},          {"First Point", "FirstPtH", StatKind::Count},
    {"Wins", "WinsH", StatKind::Count},        {"Pins", "PinsH", StatKind::Count},
    {"Tech Falls", "TFH", StatKind::Count},    {"Major Dec", "MajDecH", StatKind::Count},
    {"Decision", "DecH", StatKind::Count},     {"Forfeit", "ForfeitH", StatKind::Count},
    {"Other", "OtherH", StatKind::Count},
};

// The lists of the category boxes, in their order.
const QStringList kCategoryList = {
    QStringLiteral("Takedown"),    QStringLiteral("Reversal"),    QStringLiteral("Escape"),
    QStringLiteral("Near Fall"),   QStringLiteral("Near Fall 2"), QStringLiteral("Near Fall 3"),
    QStringLiteral("Penalty"),     QStringLiteral("First Point"), QStringLiteral("Wins"),
    QStringLiteral("Pins"),        QStringLiteral("Tech Falls"),  QStringLiteral("Major Dec"),
    QStringLiteral("Decision"),    QStringLiteral("Forfeit"),     QStringLiteral("Other"),
    QStringLiteral("Team Points"),
};

// The categories the four boards open with.
const QString kStartCategories[frmTeamLeaders::kBoards] = {
    QStringLiteral("Wins"), QStringLiteral("Pins"), QStringLiteral("Takedown"),
    QStringLiteral("Near Fall")};

const Category* findCategory(const QString& text) {
    for (const Category& category : kCategories)
        if (text == QLatin1String(category.text)) return &category;
    return nullptr;
}

// The category a coach types: one of the table, letter case and blanks around it aside.
std::optional<QString> typedCategory(const QString& text) {
    const QString wanted = text.trimmed();
    for (const Category& category : kCategories)
        if (wanted.compare(QLatin1String(category.text), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(category.text);
    return std::nullopt;
}

// Where board i stands, as the message on its category names it.
const QString kBoardCorners[frmTeamLeaders::kBoards] = {
    QStringLiteral("top left"), QStringLiteral("top right"), QStringLiteral("bottom left"),
    QStringLiteral("bottom right")};

// A board's value as the tie test compares it: single precision, no value as 0.
float tieValue(const db::Value& stat) {
    return stat.isNull() ? 0.0f : static_cast<float>(stat.toDouble());
}

// A board's value as the screen writes it: one blank before a value that is not negative.
QString statText(const db::Value& stat) {
    if (stat.isNull()) return QString();
    if (stat.kind() == db::Value::Kind::Integer) return signedNumberText(stat.toInt());
    return signedNumberText(stat.toDouble());
}

void setPointSize(QPlainTextEdit* box, int points) {
    QFont font = box->font();
    font.setPointSize(points);
    box->setFont(font);
}

}  // namespace

frmTeamLeaders::frmTeamLeaders() {
    setWindowTitle(QStringLiteral("Multi Leader Boards"));
    setFixedSize(ui::twips(12480), ui::twips(9660));
    const QFont boxFont = sansSerifFont(12);

    fraDateStart = ui::frame(this, QStringLiteral("fraDateStart"), QStringLiteral("From Date"));
    ui::place(fraDateStart, 240, 120, 2775, 735);
    comDateStart = ui::comboBox(fraDateStart, QStringLiteral("comDateStart"), true);
    ui::place(comDateStart, 120, 240, 2535, 375);
    comDateStart->setEditText(QStringLiteral("fromDate"));

    fraDateEnd = ui::frame(this, QStringLiteral("fraDateEnd"), QStringLiteral("To Date"));
    ui::place(fraDateEnd, 3240, 120, 2775, 735);
    comDateEnd = ui::comboBox(fraDateEnd, QStringLiteral("comDateEnd"), true);
    ui::place(comDateEnd, 120, 240, 2535, 375);
    comDateEnd->setEditText(QStringLiteral("toDate"));

    fraListLength = ui::frame(this, QStringLiteral("fraListLength"), QString());
    ui::place(fraListLength, 9480, 60, 2760, 795);
    opt5 = ui::optionButton(fraListLength, QStringLiteral("opt5"), QStringLiteral("Top 5"));
    ui::place(opt5, 240, 300, 1095, 375);
    opt10 = ui::optionButton(fraListLength, QStringLiteral("opt10"), QStringLiteral("Top 10"));
    ui::place(opt10, 1440, 300, 1095, 375);
    opt5->setChecked(true);

    // Board 0 top left, 1 top right, 2 bottom left, 3 bottom right.
    for (int i = 0; i < kBoards; ++i) {
        const int left = i % 2 == 0 ? 240 : 6300;
        const int top = i < 2 ? 1020 : 5040;
        comType[i] = ui::comboBox(this, ui::arrayName(QStringLiteral("comType"), i), true);
        comType[i]->addItems(kCategoryList);
        comType[i]->setEditText(QStringLiteral("Report Type"));
        ui::place(comType[i], left, top, 3000, 375);
        txtresults[i] = ui::multiLineBox(this, ui::arrayName(QStringLiteral("txtresults"), i));
        // A list with more ties than the board shows can be scrolled.
        txtresults[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        txtresults[i]->setFont(boxFont);
        txtresults[i]->setPlainText(QStringLiteral("Text1"));
        ui::place(txtresults[i], left, top + 420, 5940, 3420);
    }

    cmdPrint = ui::button(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print"));
    ui::place(cmdPrint, 8520, 9000, 1695, 495);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    ui::place(cmdReturn, 10440, 9000, 1695, 495);

    for (int i = 0; i < kBoards; ++i) ui::onClick(comType[i], [this, i] { comType_Click(i); });
    ui::onClick(comDateStart, [this] { comDateStart_Click(); });
    ui::onClick(comDateEnd, [this] { comDateEnd_Click(); });
    // Text typed into a date or category box is taken as a pick of the item it names, or refused
    // and the box shows the boards' own choice again.
    const auto dateMessage = [](const QString&) { return match_reports::kDateFormatMessage; };
    ui::settleTypedText(comDateStart, {match_reports::typedDate, [this] { return boardStart_; }, dateMessage,
                                       [this] { comDateStart_Click(); }});
    ui::settleTypedText(comDateEnd, {match_reports::typedDate, [this] { return boardEnd_; }, dateMessage,
                                     [this] { comDateEnd_Click(); }});
    for (int i = 0; i < kBoards; ++i) {
        const auto refusal = [i](const QString& typed) {
            return QStringLiteral("\"%1\" is no category of the %2 board: choose one from its list")
                .arg(typed.trimmed(), kBoardCorners[i]);
        };
        ui::settleTypedText(comType[i], {typedCategory, [this, i] { return boardCategory_[i]; }, refusal,
                                         [this, i] { comType_Click(i); }});
    }
    ui::onClick(opt5, [this] { opt5_Click(); });
    ui::onClick(opt10, [this] { opt10_Click(); });
    ui::onClick(cmdPrint, [this] { cmdPrint_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmTeamLeaders::Form_Load() {
    for (int i = 0; i < kBoards; ++i) showUnselected(comType[i], kStartCategories[i]);
    loadDates();
    for (int i = 0; i < kBoards; ++i) runCategory(i);
}

void frmTeamLeaders::Form_QueryUnload(bool& cancel) {
    ui::forms().get<frmReports>()->show();
    cancel = false;
}

void frmTeamLeaders::comType_Click(int index) {
    checkDates();
    runCategory(index);
}

void frmTeamLeaders::comDateStart_Click() {
    const QDate start = dateFromText(comDateStart->currentText());
    const QDate end = dateFromText(comDateEnd->currentText());
    if (start.isValid() && end.isValid() && end < start)
        showUnselected(comDateEnd, comDateStart->currentText());
    runAllBoards();
}

void frmTeamLeaders::comDateEnd_Click() {
    const QDate start = dateFromText(comDateStart->currentText());
    const QDate end = dateFromText(comDateEnd->currentText());
    if (start.isValid() && end.isValid() && start > end)
        showUnselected(comDateStart, comDateEnd->currentText());
    runAllBoards();
}

void frmTeamLeaders::opt5_Click() {
    for (int i = 0; i < kBoards; ++i) setPointSize(txtresults[i], 13);
    runAllBoards();
}

void frmTeamLeaders::opt10_Click() {
    for (int i = 0; i < kBoards; ++i) setPointSize(txtresults[i], 11);
    runAllBoards();
}

void frmTeamLeaders::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmTeamLeaders>();
}

void frmTeamLeaders::loadDates() {
    const QDate seasonStart(gSeason, 11, 1);
    const QDate seasonEnd(gSeason + 1, 4, 30);
    QDate start = seasonStart;
    QDate end = seasonEnd;
    QStringList dates;
    {
        ConnectionScope connection;
        db::Recordset rs =
            openRecordset(QStringLiteral("SELECT DISTINCT Date FROM [Match] ORDER BY Date"));
        for (; !rs.isEOF(); rs.moveNext()) {
            const QDate date = rs.field(QStringLiteral("Date")).toDate();
            if (!date.isValid()) continue;  // a match stored without a date offers nothing to pick
            dates << db::shortDate(date);
            if (start == seasonStart) {
                if (date > start) start = end = date;
            } else if (date > end && date < seasonEnd) {
                end = date;
            }
        }
        closeRecordset(rs);
    }
    comDateStart->addItems(dates);
    comDateEnd->addItems(dates);
    showUnselected(comDateStart, db::shortDate(start));
    showUnselected(comDateEnd, db::shortDate(end));
}

int frmTeamLeaders::listLength() const { return opt5->isChecked() ? 5 : 10; }

void frmTeamLeaders::runAllBoards() {
    checkDates();
    runBoards({0, 1, 2, 3});
}

bool frmTeamLeaders::checkDates() {
    if (dateFromText(comDateStart->currentText()).isValid() &&
        dateFromText(comDateEnd->currentText()).isValid())
        return true;
    ui::msgBox(QStringLiteral("Date must be in the MM/DD/YYYY format"), ui::Buttons::OK,
               QStringLiteral("Error"));
    return false;
}

bool frmTeamLeaders::buildSql(const QString& category, QString& sql, db::Params& params) {
    const Category* found = findCategory(category);
    // An unknown category has no code: getStatExpr says so, and there is nothing to run.
    const QString expr = getStatExpr(found ? QString::fromLatin1(found->code) : QString());
    if (!found) return false;
    const QDate start = dateFromText(comDateStart->currentText());
    const QDate end = dateFromText(comDateEnd->currentText());
    if (!start.isValid() || !end.isValid()) return false;

    const bool count = found->kind == StatKind::Count;
    sql = count
              ? QStringLiteral(
                    "SELECT  Count([match].seq) AS Stat, FullName,  Last(WinType) AS LastOfWinType")
              : QStringLiteral("SELECT  Sum(") + expr +
                    QStringLiteral(") AS Stat, FullName,  Last(WinType) AS LastOfWinType ");
    sql +=
        QStringLiteral(" FROM Wrestler INNER JOIN [Match] ON Wrestler.Seq = [Match].seqWrestler ");
    sql += QStringLiteral(" WHERE Level = 'v'and FullName <> 'VOID' and [Date] BETWEEN ? AND ? ");
    params = {db::Value(start), db::Value(end)};
    if (count) sql += expr;
    sql += QStringLiteral(" GROUP BY FullName ");
    sql += count ? QStringLiteral(" ORDER BY Count([match].seq) DESC")
                 : QStringLiteral(" ORDER BY Sum(") + expr + QStringLiteral(") DESC");
    return true;
}

void frmTeamLeaders::walkBoard(
    const BoardLines& lines, int length,
    const std::function<void(const QString& name, const db::Value& stat)>& row) {
    int listed = 0;
    float last = 0;
    for (const BoardLine& line : lines) {
        if (listed >= length && tieValue(line.stat) != last) break;
        row(line.name, line.stat);
        last = tieValue(line.stat);
        ++listed;
    }
}

namespace {

// The lines of a board's query, as they come.
frmTeamLeaders::BoardLines readBoardLines(const QString& sql, const db::Params& params) {
    frmTeamLeaders::BoardLines lines;
    db::Recordset rs = openRecordset(sql, params);
    const int name = rs.fieldIndex(QStringLiteral("FullName"));
    const int stat = rs.fieldIndex(QStringLiteral("Stat"));
    for (; !rs.isEOF(); rs.moveNext()) lines.push_back({nzString(rs.field(name)).toString(), rs.field(stat)});
    closeRecordset(rs);
    return lines;
}

}  // namespace

std::vector<std::optional<frmTeamLeaders::BoardLines>> frmTeamLeaders::rankCategories(
    const QStringList& categories) {
    std::vector<std::optional<BoardLines>> ranked(categories.size());
    // Each category that can run becomes one column of the totals: the sum of its expression,
    // or the number of matches that pass its condition.
    struct Column {
        int category;
        QString sql;
        db::Params params;
        bool count;
    };
    std::vector<Column> columns;
    QStringList totals;
    for (int i = 0; i < categories.size(); ++i) {
        Column column{i, QString(), {}, false};
        if (!buildSql(categories[i], column.sql, column.params)) continue;
        const Category* found = findCategory(categories[i]);
        const QString expr = getStatExpr(QString::fromLatin1(found->code));
        column.count = found->kind == StatKind::Count;
        // A count's condition comes as " AND ...".
        totals << (column.count ? QStringLiteral("Count(CASE WHEN ") + expr.trimmed().mid(4) +
                                      QStringLiteral(" THEN [match].seq END)")
                                : QStringLiteral("Sum(") + expr + QStringLiteral(")"));
        columns.push_back(column);
    }
    if (columns.empty()) return ranked;

    ConnectionScope connection;
    // One row per full name, in the order of the boards' grouping, into a table of this
    // connection alone. Then each board ranks those rows as its own query ranks its groups, so
    // that equal values come in the same order.
    QStringList names;
    for (size_t k = 0; k < columns.size(); ++k) names << QStringLiteral("Stat%1").arg(k);
    gConn.execute(QStringLiteral("DROP TABLE IF EXISTS temp.kvBoardTotals"));
    gConn.execute(QStringLiteral("CREATE TEMP TABLE kvBoardTotals (FullName TEXT COLLATE NOCASE, OneSpelling, ") +
                  names.join(QStringLiteral(", ")) + QStringLiteral(")"));
    gConn.execute(
        QStringLiteral("INSERT INTO kvBoardTotals SELECT FullName, Min(FullName COLLATE BINARY) = "
                       "Max(FullName COLLATE BINARY), ") +
            totals.join(QStringLiteral(", ")) +
            QStringLiteral(" FROM Wrestler INNER JOIN [Match] ON Wrestler.Seq = [Match].seqWrestler "
                           " WHERE Level = 'v'and FullName <> 'VOID' and [Date] BETWEEN ? AND ? "
                           " GROUP BY FullName "),
        columns.front().params);
    // A name that its rows write in more than one way (letter case apart) is shown as one of
    // the board's own matches writes it, which only the board's own query tells: then each
    // board runs that query instead.
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT Count(*) AS n FROM kvBoardTotals WHERE OneSpelling = 0"));
    const bool oneSpellingEach = rs.field(QStringLiteral("n")).toInt() == 0;
    closeRecordset(rs);
    for (size_t k = 0; k < columns.size(); ++k) {
        const Column& column = columns[k];
        ranked[column.category] =
            oneSpellingEach
                ? readBoardLines(QStringLiteral("SELECT FullName, Sum(%1) AS Stat FROM kvBoardTotals %2"
                                                "GROUP BY FullName ORDER BY Sum(%1) DESC")
                                     .arg(names[k], column.count ? QStringLiteral("WHERE %1 > 0 ").arg(names[k])
                                                                 : QString()),
                                 {})
                : readBoardLines(column.sql, column.params);
    }
    gConn.execute(QStringLiteral("DROP TABLE temp.kvBoardTotals"));
    return ranked;
}

void frmTeamLeaders::runCategory(int index) { runBoards({index}); }

void frmTeamLeaders::runBoards(const std::vector<int>& boards) {
    QStringList categories;
    for (const int i : boards) {
        txtresults[i]->clear();
        SetTabStops(txtresults[i], {100});
        categories << comType[i]->currentText();
        boardCategory_[i] = categories.back();
    }
    boardStart_ = comDateStart->currentText();
    boardEnd_ = comDateEnd->currentText();
    const std::vector<std::optional<BoardLines>> ranked = rankCategories(categories);
    for (size_t k = 0; k < boards.size(); ++k) {
        if (!ranked[k]) continue;
        QStringList lines;
        walkBoard(*ranked[k], listLength(), [&lines](const QString& name, const db::Value& stat) {
            lines << name + QLatin1Char('\t') + statText(stat);
        });
        txtresults[boards[k]]->setPlainText(lines.join(QLatin1Char('\n')));
    }
}
