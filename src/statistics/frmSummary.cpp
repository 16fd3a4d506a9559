#include "statistics/frmSummary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <cmath>
#include <map>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "core/match_seasons.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"

namespace {

enum Column {
    colSeq = 0,
    colFirst = 1,
    colLast = 2,
    colFull = 3,
    colGrade = 4,
    colWeight = 5,
    colWins = 7,
    colLosses = 8,
    colPins = 9,
    colPct = 10
};

const QString kFromJoin = QStringLiteral(
    " FROM Wrestler INNER JOIN (Weight INNER JOIN [Match] ON Weight.Seq = [Match].seqWeight) ON "
    "Wrestler.Seq = [Match].seqWrestler ");

QString levelCondition(const QString& level) {
    if (level == QLatin1String("Varsity")) return QStringLiteral("Level='V' AND ");
    if (level == QLatin1String("JV")) return QStringLiteral("Level='JV' AND ");
    if (level == QLatin1String("Frosh")) return QStringLiteral("Level='Frosh' AND ");
    return QString();
}

// The first and last day of the season a label names ("2010-2011": 11/1/2010 to 4/30/2011), or
// false when the label's first and last four characters are not years.
bool seasonWindow(const QString& label, QDate& from, QDate& to) {
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    const QString first = label.left(4);
    const QString last = label.right(4);
    if (!year.match(first).hasMatch() || !year.match(last).hasMatch()) return false;
    from = QDate(first.toInt(), 11, 1);
    to = QDate(last.toInt(), 4, 30);
    return from.isValid() && to.isValid();
}

// A fraction given in thousandths in its shortest form, without a zero before the point:
// 667 ".667", 500 ".5", 1000 "1", 0 "0".
QString thousandthsText(long long thousandths) {
    if (thousandths % 1000 == 0) return QString::number(thousandths / 1000);
    QString text = QString::number(thousandths / 1000) + QLatin1Char('.') +
                   QStringLiteral("%1").arg(thousandths % 1000, 3, 10, QLatin1Char('0'));
    while (text.endsWith(QLatin1Char('0'))) text.chop(1);
    if (text.startsWith(QLatin1String("0."))) text.remove(0, 1);
    return text;
}

bool numericColumn(int column) {
    return column == colGrade || column == colWins || column == colLosses || column == colPins ||
           column == colPct;
}

}  // namespace

QString summaryPct(double wins, double losses) {
    if (wins + losses == 0) return QStringLiteral("0");
    // The fraction is held in single precision, then rounded half up to thousandths.
    const float p = static_cast<float>(wins / (wins + losses));
    return thousandthsText(static_cast<long long>(std::floor((double(p) + 0.0005) * 1000)));
}

frmSummary::frmSummary() {
    setWindowTitle(QStringLiteral("Team Summary"));

    txtResult = ui::multiLineBox(this, QStringLiteral("txtResult"));
    txtResult->setLineWrapMode(QPlainTextEdit::NoWrap);

    lblSeason = ui::label(this, QStringLiteral("lblSeason"), QStringLiteral("Season"));
    comSeason = ui::comboBox(this, QStringLiteral("comSeason"), true);
    lblLevel = ui::label(this, QStringLiteral("lblLevel"), QStringLiteral("Level"));
    comLevel = ui::comboBox(this, QStringLiteral("comLevel"), true);
    comLevel->addItems({QStringLiteral("All"), QStringLiteral("Varsity"), QStringLiteral("JV"),
                        QStringLiteral("Frosh")});
    comLevel->setCurrentText(QStringLiteral("Varsity"));
    chkActive = ui::checkBox(this, QStringLiteral("chkActive"), QStringLiteral("Active Only"));
    chkActive->setChecked(true);
    lblSort = ui::label(this, QStringLiteral("lblSort"), QStringLiteral("Sort"));
    comSort = ui::comboBox(this, QStringLiteral("comSort"), true);
    comSort->addItems({QStringLiteral("First Name"), QStringLiteral("Last Name"),
                       QStringLiteral("Full Name"), QStringLiteral("Grade"), QStringLiteral("Wins"),
                       QStringLiteral("Losses"), QStringLiteral("Pins"), QStringLiteral("Weight"),
                       QStringLiteral("PCT")});
    comSort->setCurrentText(QStringLiteral("PCT"));
    lblOrder = ui::label(this, QStringLiteral("lblOrder"), QStringLiteral("Direction"));
    comOrder = ui::comboBox(this, QStringLiteral("comOrder"), true);
    comOrder->addItems({QStringLiteral("Ascending"), QStringLiteral("Decending")});
    comOrder->setCurrentText(QStringLiteral("Ascending"));

    cmdCopyClip = ui::button(this, QStringLiteral("cmdCopyClip"), QStringLiteral("&Copy to Clipboard"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));

    // The report on top; the labelled boxes in one column below, Active Only beside the season
    // and level boxes, the buttons at the right.
    auto* choices = new QGridLayout;
    choices->addWidget(lblSeason, 0, 0);
    choices->addWidget(comSeason, 0, 1);
    choices->addWidget(lblLevel, 1, 0);
    choices->addWidget(comLevel, 1, 1);
    choices->addWidget(chkActive, 0, 2, 2, 1);
    choices->addWidget(lblSort, 2, 0);
    choices->addWidget(comSort, 2, 1);
    choices->addWidget(lblOrder, 3, 0);
    choices->addWidget(comOrder, 3, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addWidget(cmdReturn);
    buttonRow->addWidget(cmdHelp);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdCopyClip);
    buttons->addLayout(buttonRow);
    buttons->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(choices);
    bottom->addStretch();
    bottom->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(txtResult, 1);
    layout->addLayout(bottom);
    resize(760, 600);

    ui::onClick(comSeason, [this] { comSeason_Click(); });
    // A season typed into the box is taken as a pick of it; a text that is no season is refused.
    ui::settleTypedText(comSeason, seasonChoice([this] { return reportSeason_; }, [this] { comSeason_Click(); }));
    ui::onClick(comLevel, [this] { comLevel_Click(); });
    ui::onClick(chkActive, [this] { chkActive_Click(); });
    ui::onClick(comSort, [this] { comSort_Click(); });
    ui::onClick(comOrder, [this] { comOrder_Click(); });
    ui::onClick(cmdCopyClip, [this] { cmdCopyClip_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmSummary::Form_Load() {
    comOrder->setCurrentText(QStringLiteral("Decending"));
    loadSeasons();
    runSummary();
    // The form opens with the focus in the season, its first choice, its text selected so that
    // a season typed replaces it.
    ui::giveFocus(comSeason);
}

void frmSummary::comSeason_Click() { runSummary(); }
void frmSummary::comLevel_Click() { runSummary(); }
void frmSummary::chkActive_Click() { runSummary(); }
void frmSummary::comSort_Click() { writeTable(); }
void frmSummary::comOrder_Click() { writeTable(); }

void frmSummary::cmdCopyClip_Click() {
    QString text = txtResult->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    ui::setClipboardText(text + QStringLiteral("\r\n\r\n"));
}

void frmSummary::cmdHelp_Click() {
    showHelp(QStringLiteral(
        "Leaders\r\n"
        "\r\n"
        "Select Sort Criteria and then Sort Order\r\n"
        "If report does not adjust to parameters, click on a different field\r\n"
        "\r\n"
        "To print list, click on 'Copy to Clipboard' and then paste into \r\n"
        "another application such as WordPad to print\r\n"));
}

void frmSummary::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmSummary>();
}

void frmSummary::loadSeasons() {
    for (const QString& label : matchSeasonLabels())
        if (comSeason->findText(label, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) comSeason->addItem(label);
    comSeason->setCurrentText(seasonLabel(gSeason));
}

void frmSummary::runSummary() {
    QDate from;
    QDate to;
    if (!seasonWindow(comSeason->currentText(), from, to)) {
        ui::msgBox(kSeasonFormatMessage, ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }
    reportSeason_ = comSeason->currentText();
    const QString level = levelCondition(comLevel->currentText());
    const db::Params window{db::Value(from), db::Value(to)};

    QString totals = QStringLiteral(
        "SELECT Wrestler.Seq, FirstName, LastName, FullName, Grade, Sum(IIf([wl]='W',1,0)) AS "
        "Wcnt, Sum(IIf([wl]='L',1,0)) AS Lcnt, Sum(IIf([WL]='W',IIf([WinType]='FALL',1,0),0)) AS "
        "Pcnt ");
    totals += kFromJoin + QStringLiteral(" WHERE ") + level + QStringLiteral(" [Date] Between ? AND ? ");
    if (chkActive->isChecked())
        totals += QStringLiteral(" AND (Wrestler.wr_Inactive Is Null OR Wrestler.wr_Inactive <> '1') ");
    totals += QStringLiteral(" GROUP BY FirstName, LastName, FullName, Grade, Wrestler.Seq ");
    totals += QStringLiteral(" HAVING FullName <>'VOID' ");

    // The most-wrestled weight of every wrestler at once: per wrestler, the weight classes by
    // number of matches, most first, ties by the weight's text; the first one counts.
    const QString weights =
        QStringLiteral("SELECT Wrestler.Seq, Count([Match].Seq) AS CMatch, Weight ") + kFromJoin +
        QStringLiteral(" WHERE ") + level +
        QStringLiteral(" [Date] Between ? AND ?  GROUP BY Wrestler.Seq, Weight.Weight "
                       " ORDER BY Wrestler.Seq, Count([Match].Seq) DESC , Weight.Weight;");

    SummaryTable table;
    std::map<QString, QString> weightOf;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordset(totals, window);
        loadRows(table, rs);
        closeRecordset(rs);
        db::Recordset ws = openRecordset(weights, window);
        for (; !ws.isEOF(); ws.moveNext()) {
            const QString seq = ws.field(QStringLiteral("Seq")).toString();
            if (!weightOf.count(seq)) weightOf[seq] = ws.field(QStringLiteral("Weight")).toString();
        }
        closeRecordset(ws);
    }

    for (SummaryRow& row : table) row[colWeight] = weightOf[row[colSeq]];
    summaryTable_ = std::move(table);
    writeTable();
}

void frmSummary::loadRows(SummaryTable& table, db::Recordset& rs) {
    for (; !rs.isEOF(); rs.moveNext()) {
        SummaryRow row;
        row[colSeq] = rs.field(QStringLiteral("Seq")).toString();
        row[colFirst] = rs.field(QStringLiteral("FirstName")).toString();
        row[colLast] = rs.field(QStringLiteral("LastName")).toString();
        row[colFull] = rs.field(QStringLiteral("FullName")).toString();
        row[colGrade] = rs.field(QStringLiteral("Grade")).toString();
        row[colWins] = rs.field(QStringLiteral("Wcnt")).toString();
        row[colLosses] = rs.field(QStringLiteral("Lcnt")).toString();
        row[colPins] = rs.field(QStringLiteral("Pcnt")).toString();
        row[colPct] = summaryPct(leadingNumber(row[colWins]), leadingNumber(row[colLosses]));
        table.push_back(row);
    }
}

void frmSummary::sortTable(SummaryTable& table) {
    static const std::pair<const char*, int> kSortKeys[] = {
        {"Weight", colWeight}, {"PCT", colPct},   {"First Name", colFirst},
        {"Last Name", colLast}, {"Full Name", colFull}, {"Grade", colGrade},
        {"Wins", colWins},     {"Losses", colLosses}, {"Pins", colPins}};
    const QString sortText = comSort->currentText();
    int column = -1;
    for (const auto& [name, col] : kSortKeys)
        if (sortText == QLatin1String(name)) {
            column = col;
            break;
        }
    if (column < 0) {
        ui::msgBox(QStringLiteral("Not in list"), ui::Buttons::OK, QStringLiteral("ERROR"));
        column = colSeq;
    }
    const bool ascending = comOrder->currentText() == QLatin1String("Ascending");
    const bool numeric = numericColumn(column);

    // key(i) compared with key(j): negative, zero or positive.
    auto compare = [&](const SummaryRow& a, const SummaryRow& b) {
        if (numeric) {
            const double x = leadingNumber(a[column]);
            const double y = leadingNumber(b[column]);
            return x < y ? -1 : (x > y ? 1 : 0);
        }
        return QString::compare(a[column], b[column], Qt::CaseSensitive);
    };
    // Exchange sort: rows with equal keys are never exchanged, and the order they end in comes
    // from this very procedure.
    const size_t n = table.size();
    for (size_t i = 0; i + 1 < n; ++i)
        for (size_t j = i + 1; j < n; ++j) {
            const int c = compare(table[i], table[j]);
            if (ascending ? c > 0 : c < 0) swapRows(table, i, j);
        }
}

void frmSummary::swapRows(SummaryTable& table, size_t i, size_t j) { std::swap(table[i], table[j]); }

void frmSummary::writeTable() {
    sortTable(summaryTable_);
    SetTBTabStops(txtResult, {40, 120, 160, 200, 240, 280});
    QString text = QStringLiteral(" Weight\tName\tGrade\tWins\tLosses\tPins\tPCT\r\n");
    text += QStringLiteral(" -------\t--------\t-------\t-------\t--------\t-------\t--------\r\n\r\n");
    for (const SummaryRow& row : summaryTable_) {
        text += row[colWeight] + QLatin1Char('\t') + row[colFull] + QLatin1Char('\t') +
                row[colGrade] + QLatin1Char('\t') + row[colWins] + QLatin1Char('\t') +
                row[colLosses] + QLatin1Char('\t') + row[colPins] + QLatin1Char('\t') +
                row[colPct] + QStringLiteral("\r\n");
    }
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    txtResult->setPlainText(text);
}

void frmSummary::SetTBTabStops(QPlainTextEdit* box, const std::vector<int>& stops) {
    SetTabStops(box, stops);
}

void frmSummary::GetLevel() {
    ui::msgBox(QStringLiteral("Removed from use 10/9/2010"), ui::Buttons::OK,
               QStringLiteral("frmSummary  GetLevel"));
}

void frmSummary::loadWeights(SummaryTable& table, db::Recordset& rs, const QString& column,
                             const QString& kind) {
    const int col = column.toInt();
    const bool weights = kind == QLatin1String("Weight");
    if (col < 0 || col + (weights ? 1 : 0) >= int(std::tuple_size_v<SummaryRow>)) return;
    for (SummaryRow& row : table) row[col] = QStringLiteral("0");
    for (; !rs.isEOF(); rs.moveNext()) {
        const QString seq = rs.field(QStringLiteral("SeqWrestler")).toString();
        const QString count = rs.field(QStringLiteral("c")).toString();
        for (SummaryRow& row : table) {
            if (row[colSeq] != seq) continue;
            if (!weights) {
                row[col] = count;
            } else if (leadingNumber(count) > leadingNumber(row[col + 1])) {
                row[col] = rs.field(QStringLiteral("Weight")).toString();
                row[col + 1] = count;
            }
        }
    }
}

void frmSummary::computePct(SummaryTable& table, int winColumn, int lossColumn, int pctColumn) {
    for (SummaryRow& row : table) {
        const long long wins = std::llround(leadingNumber(row[winColumn]));
        const long long losses = std::llround(leadingNumber(row[lossColumn]));
        row[pctColumn] = wins + losses == 0 ? QString()
                                            : thousandthsText(wins * 1000 / (wins + losses));
    }
}
