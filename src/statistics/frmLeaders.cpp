#include "statistics/frmLeaders.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "match_reports/report_support.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "statistics/stat_codes.h"

namespace {

enum class StatKind { Sum, Count };

struct ReportType {
    const char* name;
    const char* homeCode;
    const char* oppCode;  // empty: always the home side
    StatKind kind;
};

// The report types in the order of the list, with the statistic code of each side.
const ReportType kReportTypes[] = {
    {"Takedown", "tdh", "tdo", StatKind::Sum},
    {"Reversal", "revh", "revo", StatKind::Sum},
    {"Escape", "esch", "esco", StatKind::Sum},
    {"Near Fall", "nfh", "nfo", StatKind::Sum},
    {"Near Fall 2", "nf2h", "nf2o", StatKind::Sum},
    {"Near Fall 3", "nf3h", "nf3o", StatKind::Sum},
    {"Penalty", "ph", "po", StatKind::Sum},
    {"First Point", "firstpth", "firstpto", StatKind::Count},
    {"Wins", "winsh", "winso", StatKind::Count},
    {"Pins", "pinsh", "pinso", StatKind::Count},
    {"Tech Falls", "tfh", "tfo", StatKind::Count},
    {"Major Dec", "majdech", "majdeco", StatKind::Count},
    {"Decision", "dech", "deco", StatKind::Count},
    {"Forfeit", "FORFEITH", "FORFEITO", StatKind::Count},
    {"Other", "otherh", "othero", StatKind::Count},
    {"Team Points", "teampts", "", StatKind::Sum},
};

const QString kTeamPoints = QStringLiteral("Team Points");

const ReportType* findReportType(const QString& text) {
    for (const ReportType& type : kReportTypes)
        if (text == QLatin1String(type.name)) return &type;
    return nullptr;
}

// A date box's text as a date, or an invalid date after the date message.
QDate typedDate(const QString& text) {
    QString checked = text;
    short bad = 0;
    short weekday = 0;
    if (!checked.trimmed().isEmpty()) CheckDateFormat(checked, bad, weekday);
    if (bad != 0) return QDate();  // CheckDateFormat has said so
    const QDate date = QDate::fromString(checked, QStringLiteral("MM/dd/yyyy"));
    if (!date.isValid())
        ui::msgBox(QStringLiteral("Date must be in the MM/DD/YYYY format"), ui::Buttons::OK,
                   QStringLiteral("Error"));
    return date;
}

}  // namespace

frmLeaders::frmLeaders() {
    setWindowTitle(QStringLiteral("Leaders/Losers"));

    lblTitle = ui::label(this, QStringLiteral("lblTitle"), QStringLiteral("Leaders / Losers"));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(18);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblTitle->setAlignment(Qt::AlignCenter);

    fraReportType = ui::frame(this, QStringLiteral("fraReportType"), QStringLiteral("Report Type"));
    comReportType = ui::comboBox(fraReportType, QStringLiteral("comReportType"), true);
    for (const ReportType& type : kReportTypes) comReportType->addItem(QString::fromLatin1(type.name));
    comReportType->setCurrentText(QStringLiteral("Takedown"));

    fraSide = ui::frame(this, QStringLiteral("fraSide"), QString());
    optHome = ui::optionButton(fraSide, QStringLiteral("optHome"), QStringLiteral("Home"));
    optOpp = ui::optionButton(fraSide, QStringLiteral("optOpp"), QStringLiteral("Opponent"));
    optHome->setChecked(true);

    fraFromDate = ui::frame(this, QStringLiteral("fraFromDate"), QStringLiteral("From Date"));
    txtFromDate = ui::textBox(fraFromDate, QStringLiteral("txtFromDate"), QStringLiteral("01/01/2000"));
    fraToDate = ui::frame(this, QStringLiteral("fraToDate"), QStringLiteral("To Date"));
    txtToDate = ui::textBox(fraToDate, QStringLiteral("txtToDate"), QStringLiteral("12/31/2099"));

    fraLevel = ui::frame(this, QStringLiteral("fraLevel"), QStringLiteral("Varsity/Sub"));
    comLevel = ui::comboBox(fraLevel, QStringLiteral("comLevel"), true);
    comLevel->addItems({QStringLiteral("All"), QStringLiteral("Varsity"), QStringLiteral("JV"),
                        QStringLiteral("Frosh")});
    comLevel->setCurrentText(QStringLiteral("Varsity"));

    fraOrder = ui::frame(this, QStringLiteral("fraOrder"), QStringLiteral("Order"));
    optDesc = ui::optionButton(fraOrder, QStringLiteral("optDesc"), QStringLiteral("Descending"));
    optAsc = ui::optionButton(fraOrder, QStringLiteral("optAsc"), QStringLiteral("Ascending"));
    optDesc->setChecked(true);

    fraActive = ui::frame(this, QStringLiteral("fraActive"), QStringLiteral("Active Wrestlers"));
    optActive = ui::optionButton(fraActive, QStringLiteral("optActive"), QStringLiteral("Active Only"));
    optAll = ui::optionButton(fraActive, QStringLiteral("optAll"), QStringLiteral("All"));
    optActive->setChecked(true);

    Frame8 = ui::frame(this, QStringLiteral("Frame8"), QStringLiteral("Averages"));
    chkAverage = ui::checkBox(Frame8, QStringLiteral("chkAverage"), QStringLiteral("Display  Averages"));
    optVoid = ui::optionButton(Frame8, QStringLiteral("optVoid"), QStringLiteral("w/ Voids"));
    optNoVoid = ui::optionButton(Frame8, QStringLiteral("optNoVoid"), QStringLiteral("w/o Voids"));
    optVoid->setChecked(true);
    optVoid->setEnabled(false);
    optNoVoid->setEnabled(false);
    Frame8->setVisible(false);

    txtResult = ui::multiLineBox(this, QStringLiteral("txtResult"));
    txtResult->setLineWrapMode(QPlainTextEdit::NoWrap);
    lblTotal = ui::label(this, QStringLiteral("lblTotal"), QStringLiteral("Total"));
    lblTotalResult = ui::label(this, QStringLiteral("lblTotalResult"));
    lblTotalResult->setMinimumWidth(ui::twips(900));
    cmdCopyClip = ui::button(this, QStringLiteral("cmdCopyClip"), QStringLiteral("&Copy to Clipboard"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));

    // Layout: the choice frames down the left; the results, the total and the buttons right.
    auto frameLayout = [](QGroupBox* frame, std::initializer_list<QWidget*> controls) {
        auto* layout = new QVBoxLayout(frame);
        for (QWidget* control : controls) layout->addWidget(control);
    };
    frameLayout(fraReportType, {comReportType});
    frameLayout(fraSide, {optHome, optOpp});
    frameLayout(fraFromDate, {txtFromDate});
    frameLayout(fraToDate, {txtToDate});
    frameLayout(fraLevel, {comLevel});
    frameLayout(fraOrder, {optDesc, optAsc});
    frameLayout(fraActive, {optActive, optAll});
    frameLayout(Frame8, {chkAverage, optVoid, optNoVoid});

    auto* left = new QVBoxLayout;
    for (QGroupBox* frame : {fraReportType, fraSide, fraFromDate, fraToDate, fraLevel, fraOrder,
                             fraActive, Frame8})
        left->addWidget(frame);
    left->addStretch();

    auto* total = new QHBoxLayout;
    total->addStretch();
    total->addWidget(lblTotal);
    total->addWidget(lblTotalResult);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdCopyClip);
    buttons->addStretch();
    buttons->addWidget(cmdReturn);
    buttons->addWidget(cmdHelp);
    auto* right = new QVBoxLayout;
    right->addWidget(txtResult, 1);
    right->addLayout(total);
    right->addLayout(buttons);

    auto* body = new QHBoxLayout;
    body->addLayout(left);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitle);
    layout->addLayout(body, 1);
    resize(720, 620);

    QWidget* tabOrder[] = {comReportType, optHome, txtFromDate, txtToDate, comLevel, optDesc,
                           cmdReturn, txtResult, cmdHelp, optOpp, optAsc, chkAverage, optVoid,
                           optNoVoid, cmdCopyClip, optAll, optActive};
    for (size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);

    ui::onClick(comReportType, [this] { comReportType_Click(); });
    ui::onClick(comLevel, [this] { comLevel_Click(); });
    ui::onClick(optHome, [this] { optHome_Click(); });
    ui::onClick(optOpp, [this] { optOpp_Click(); });
    ui::onClick(optDesc, [this] { optDesc_Click(); });
    ui::onClick(optAsc, [this] { optAsc_Click(); });
    ui::onClick(optActive, [this] { optActive_Click(); });
    ui::onClick(optAll, [this] { optAll_Click(); });
    ui::onClick(optVoid, [this] { optVoid_Click(); });
    ui::onClick(optNoVoid, [this] { optNoVoid_Click(); });
    ui::onClick(chkAverage, [this] { chkAverage_Click(); });
    // A date box left, or Enter in it, takes its date and rebuilds the report; a text that is no
    // date gets the message and the box its last date back, so no later click meets it again.
    const auto dateBox = [](QLineEdit* box, QString& last, ui::Handler leave) {
        return ui::TypedChoice{match_reports::typedDate, [&last] { return last; },
                               [](const QString&) { return match_reports::kDateFormatMessage; },
                               [box, &last, leave] {
                                   last = box->text();
                                   leave();
                               },
                               true};
    };
    ui::settleTypedText(txtFromDate, dateBox(txtFromDate, fromDate_, [this] { txtFromDate_LostFocus(); }));
    ui::settleTypedText(txtToDate, dateBox(txtToDate, toDate_, [this] { txtToDate_LostFocus(); }));
    ui::onKeyUp(txtResult, [this](int) { txtResult_KeyUp(); });
    ui::onLostFocus(txtResult, [this] { txtResult_LostFocus(); });
    ui::onClick(cmdCopyClip, [this] { cmdCopyClip_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmLeaders::Form_Activate() {
    txtFromDate->setText(QStringLiteral("11/1/") + QString::number(gSeason));
    txtToDate->setText(QStringLiteral("4/30/") + QString::number(gSeason + 1));
    fromDate_ = txtFromDate->text();
    toDate_ = txtToDate->text();
    runLeaders();
}

void frmLeaders::comReportType_Click() { runLeaders(); }
void frmLeaders::comLevel_Click() { runLeaders(); }
void frmLeaders::optHome_Click() { runLeaders(); }
void frmLeaders::optOpp_Click() { runLeaders(); }
void frmLeaders::optDesc_Click() { runLeaders(); }
void frmLeaders::optAsc_Click() { runLeaders(); }
void frmLeaders::optActive_Click() { runLeaders(); }
void frmLeaders::optAll_Click() { runLeaders(); }
void frmLeaders::optVoid_Click() { runLeaders(); }
void frmLeaders::optNoVoid_Click() { runLeaders(); }
void frmLeaders::txtFromDate_LostFocus() { runLeaders(); }
void frmLeaders::txtToDate_LostFocus() { runLeaders(); }
void frmLeaders::txtResult_KeyUp() { runLeaders(); }
void frmLeaders::txtResult_LostFocus() { runLeaders(); }

void frmLeaders::chkAverage_Click() {
    const bool ticked = chkAverage->isChecked();
    optVoid->setEnabled(ticked);
    optNoVoid->setEnabled(ticked);
    runLeaders();
}

void frmLeaders::cmdCopyClip_Click() {
    QString text = txtResult->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    ui::setClipboardText(text + QStringLiteral("\r\n\r\nTotal\t") + lblTotalResult->text());
}

void frmLeaders::cmdHelp_Click() {
    showHelp(QStringLiteral(
        "Leaders\r\n"
        "\r\n"
        "Select which report to run, and adjust parameters as neccesary\r\n"
        "If report does not adjust to parameters, click on a different field\r\n"
        "\r\n"
        "To print list, click 'Copy to Clipboard' and then paste into another \r\n"
        "application such as WordPad\r\n"));
}

void frmLeaders::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmLeaders>();
}

void frmLeaders::runLeaders() {
    const QString type = comReportType->currentText();
    if (type.isEmpty()) return;
    if (type == kTeamPoints && !optHome->isChecked()) {
        optHome->setChecked(true);  // runs the report again, for the home side
        return;
    }
    SetTabStops(txtResult, {110});

    QString select = QStringLiteral("Select FullName");
    QString where = QStringLiteral("Where FullName <> 'VOID' ");
    QString orderBy;
    if (buildSelectOrder(select, orderBy, where)) return;
    db::Params params;
    if (!buildWhere(where, params)) return;
    const QString sql = select +
                        QStringLiteral(" FROM [Match] INNER JOIN Wrestler ON [Match].SeqWrestler = "
                                       "Wrestler.Seq ") +
                        where + QStringLiteral(" GROUP BY FullName ") + orderBy;

    QString text;
    double total = 0;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordset(sql, params);
        for (bool first = true; !rs.isEOF(); rs.moveNext(), first = false) {
            const QString score = rs.field(QStringLiteral("Score")).toString();
            if (!first) text += QLatin1Char('\n');
            text += rs.field(QStringLiteral("FullName")).toString() + QLatin1Char('\t') + score;
            total += leadingNumber(score);
        }
        closeRecordset(rs);
    }
    txtResult->setPlainText(text);
    lblTotalResult->setText(db::Value(total).toString());
}

bool frmLeaders::buildSelectOrder(QString& select, QString& orderBy, QString& where) {
    const QString typeText = comReportType->currentText();
    const ReportType* type = findReportType(typeText);
    if (!type) {
        ui::msgBox(QStringLiteral("Wrong Selection"), ui::Buttons::OK, QStringLiteral("ERROR"));
        return true;
    }
    QString code;
    if (typeText == kTeamPoints) {
        if (!optHome->isChecked()) optHome->setChecked(true);
        code = QString::fromLatin1(type->homeCode);
    } else {
        code = QString::fromLatin1(optHome->isChecked() ? type->homeCode : type->oppCode);
    }

    const QString expr = getStatExpr(code);
    if (type->kind == StatKind::Sum) {
        select += QStringLiteral(", SUM(") + expr + QStringLiteral(") AS Score");
        orderBy = QStringLiteral(" ORDER BY SUM(") + expr + QStringLiteral(")");
    } else {
        select += QStringLiteral(", COUNT([Match].Seq) AS Score");
        orderBy = QStringLiteral(" ORDER BY COUNT([Match].Seq)");
        where += QLatin1Char(' ') + expr;
    }

    if (optActive->isChecked())
        where += QStringLiteral(" AND (Wrestler.wr_inactive IS Null OR Wrestler.wr_inactive = '0')");
    if (chkAverage->isChecked()) {
        // The score per match, divided as a real number.
        select = select.left(select.indexOf(QLatin1String("AS Score"), 0, Qt::CaseInsensitive)) +
                 QStringLiteral(" * 1.0 / COUNT([match].seq) AS Score");
    }
    if (optDesc->isChecked()) orderBy += QStringLiteral(" DESC");
    return false;
}

bool frmLeaders::buildWhere(QString& where, db::Params& params) {
    const QDate from = typedDate(txtFromDate->text());
    if (!from.isValid()) return false;
    const QDate to = typedDate(txtToDate->text());
    if (!to.isValid()) return false;
    where += QStringLiteral(" AND  Date  BETWEEN ? AND ?");
    params.push_back(db::Value(from));
    params.push_back(db::Value(to));

    const QString level = comLevel->currentText();
    if (level == QLatin1String("Varsity"))
        where += QStringLiteral(" and Level = 'V'");
    else if (level == QLatin1String("JV"))
        where += QStringLiteral(" and LEVEL = 'JV'");
    else if (level == QLatin1String("Frosh"))
        where += QStringLiteral(" and LEVEL = 'Frosh'");
    return true;
}
