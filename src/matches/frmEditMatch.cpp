#include "matches/frmEditMatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <iterator>

#include "core/connection.h"
#include "core/helpers.h"
#include "matches/frmFindMatch.h"
#include "matches/match_entry_checks.h"
#include "matches/match_result_frames.h"
#include "matches/move_notation.h"
#include "platform/ui/ui.h"

namespace {

// The light grey of the opponent's period boxes and choice lists.
const QColor kOpponentGrey(192, 192, 192);

void paintGrey(QWidget* control) {
    QPalette pal = control->palette();
    pal.setColor(QPalette::Base, kOpponentGrey);
    control->setPalette(pal);
}

}  // namespace

frmEditMatch::frmEditMatch() {
    setWindowTitle(QStringLiteral("Edit Match"));
    buildControls();
    buildPeriodGrid();
    setTabOrderOfControls();
    connectHandlers();
}

void frmEditMatch::buildControls() {
    buildEntryFrames(this, {QStringLiteral("Date"), true, 1660, 2800});
    txtSeason->setText(QStringLiteral("2999-2999"));
    fraWeight = ui::frame(this, QStringLiteral("fraWeight"), QStringLiteral("Weight Wrestled"));
    ui::place(fraWeight, 1880, 2000, 1660, 700);
    txtWtWrest = ui::textBox(fraWeight, QStringLiteral("txtWtWrest"));
    ui::place(txtWtWrest, 120, 280, 1420, 330);

    buildResultFrames(this, 1780);
    Frame13 = ui::frame(this, QStringLiteral("Frame13"), QString());
    ui::place(Frame13, 3700, 3600, 3100, 700);
    chkLeague = ui::checkBox(Frame13, QStringLiteral("chkLeague"), QStringLiteral("League Match"));
    ui::place(chkLeague, 120, 250, 2800, 300);
    Frame13->hide();
    chkLeague->hide();

    cmdSaveMatch = ui::button(this, QStringLiteral("cmdSaveMatch"), QStringLiteral("&Save Match"));
    ui::place(cmdSaveMatch, 7100, 240, 2200, 500);
    cmdDelete = ui::button(this, QStringLiteral("cmdDelete"), QStringLiteral("&Delete"));
    ui::place(cmdDelete, 7100, 900, 2200, 500);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return / Cancel"));
    ui::place(cmdReturn, 7100, 1560, 2200, 500);

    txtSeq = ui::textBox(this, QStringLiteral("txtSeq"), QStringLiteral("Match Sequence--hidden field"));
    txtSeq->hide();

    setFixedSize(ui::twips(9800), ui::twips(8400));
}

void frmEditMatch::buildPeriodGrid() {
    const QStringList choices = {QStringLiteral("Top"), QStringLiteral("Bot"), QStringLiteral("Neu"),
                                 QStringLiteral("Def"), QStringLiteral(" ")};
    for (int i = 0; i < 7; ++i) {
        txtHome[i] = ui::textBox(this, ui::arrayName(QStringLiteral("txtHome"), i));
        txtOpp[i] = ui::textBox(this, ui::arrayName(QStringLiteral("txtOpp"), i));
        paintGrey(txtOpp[i]);
    }
    for (int k = 0; k < 5; ++k) {
        comChoiceHome[k] = ui::comboBox(this, ui::arrayName(QStringLiteral("comChoiceHome"), k), true);
        comChoiceOpp[k] = ui::comboBox(this, ui::arrayName(QStringLiteral("comChoiceOpp"), k), true);
        for (QComboBox* combo : {comChoiceHome[k], comChoiceOpp[k]}) {
            ui::keepTypedText(combo);  // a period's choice is stored as it is typed
            combo->addItems(choices);
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
        }
        paintGrey(comChoiceOpp[k]);
    }
    chkHome = ui::checkBox(this, QStringLiteral("chkHome"), QString());
    chkOpp = ui::checkBox(this, QStringLiteral("chkOpp"), QString());

    // Each row: a caption over each column, the home wrestler's line above the opponent's.
    struct Column {
        const char* caption;
        QWidget* home;
        QWidget* opp;
        int width;
    };
    const int gap = 100;
    const Column rows[2][7] = {
        {{"1st Point", chkHome, chkOpp, 800},
         {"1st Period", txtHome[0], txtOpp[0], 1900},
         {"Choice", comChoiceHome[0], comChoiceOpp[0], 800},
         {"2nd Period", txtHome[1], txtOpp[1], 1900},
         {"Choice", comChoiceHome[1], comChoiceOpp[1], 800},
         {"3rd Period", txtHome[2], txtOpp[2], 1900},
         {nullptr, nullptr, nullptr, 0}},
        {{"OT", txtHome[3], txtOpp[3], 1500},
         {"Choice", comChoiceHome[2], comChoiceOpp[2], 800},
         {"D/OT", txtHome[4], txtOpp[4], 1500},
         {"Choice", comChoiceHome[3], comChoiceOpp[3], 800},
         {"D/OT", txtHome[5], txtOpp[5], 1500},
         {"Choice", comChoiceHome[4], comChoiceOpp[4], 800},
         {"D/OT", txtHome[6], txtOpp[6], 1500}}};
    int labelNo = 1;
    for (int r = 0; r < 2; ++r) {
        const int top = r == 0 ? 4500 : 5750;
        int left = 120;
        for (const Column& column : rows[r]) {
            if (!column.caption) break;
            QLabel* caption = ui::label(this, QStringLiteral("lblGrid%1").arg(labelNo++),
                                        QString::fromLatin1(column.caption));
            ui::place(caption, left, top, column.width, 250);
            ui::place(column.home, left, top + 280, column.width, 330);
            ui::place(column.opp, left, top + 660, column.width, 330);
            left += column.width + gap;
        }
    }

    // The frame and its box start and end on whole pixels also at 125% (their places in pixels
    // multiples of four): a box placed between pixels there loses its lower edge.
    fraNotes = ui::frame(this, QStringLiteral("fraNotes"), QStringLiteral("Notes"));
    ui::place(fraNotes, 120, 7020, 9560, 1260);
    txtNotes = ui::multiLineBox(fraNotes, QStringLiteral("txtNotes"));
    ui::place(txtNotes, 120, 240, 9320, 900);
}

void frmEditMatch::setTabOrderOfControls() {
    QWidget* order[] = {txtDate,          comHomeName,      txtWt,            txtOppFName,      txtOppLName,
                        txtOppSchool,     optLevel[0],      optLevel[1],      optLevel[2],      optWin,
                        optLoss,          optType[0],       optType[1],       optType[2],       optType[3],
                        optType[4],       optType[5],       txtScore,         txtTeamPoints,    txtWtWrest,
                        txtHome[0],       txtHome[1],       txtHome[2],       chkHome,          comChoiceHome[0],
                        comChoiceHome[1], comChoiceOpp[4],  comChoiceHome[4], comChoiceOpp[1],  comChoiceOpp[0],
                        chkOpp,           txtHome[6],       txtOpp[6],        txtHome[3],       txtOpp[3],
                        txtOpp[2],        txtOpp[1],        txtOpp[0],        txtNotes,         cmdDelete,
                        cmdReturn,        cmdSaveMatch,     chkLeague,        txtOpp[4],        txtHome[4],
                        comChoiceHome[2], comChoiceOpp[2],  txtOpp[5],        txtHome[5],       comChoiceHome[3],
                        comChoiceOpp[3]};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmEditMatch::connectHandlers() {
    ui::onLostFocus(txtDate, [this] { txtDate_LostFocus(); });
    ui::onChange(txtSeason, [this] { txtSeason_Change(); });
    ui::onLostFocus(txtOppSchool, [this] { txtOppSchool_LostFocus(); });
    for (int i = 0; i < 7; ++i) {
        ui::onLostFocus(txtHome[i], [this, i] { txtHome_LostFocus(i); });
        ui::onLostFocus(txtOpp[i], [this, i] { txtOpp_LostFocus(i); });
    }
    ui::onGotFocus(chkHome, [this] { chkHome_GotFocus(); });
    ui::onGotFocus(chkOpp, [this] { chkOpp_GotFocus(); });
    ui::onClick(cmdSaveMatch, [this] { cmdSaveMatch_Click(); });
    ui::onClick(cmdDelete, [this] { cmdDelete_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmEditMatch::Form_Load() { loadHomeName(); }

// Every activation settles the date as leaving the date box would: on the first showing this
// sets the weekday and the season from the loaded date.
void frmEditMatch::Form_Activate() { txtDate_LostFocus(); }

void frmEditMatch::loadHomeName() {
    comHomeName->clear();
    comHomeName->setEditText(QString());
    ConnectionScope conn;
    db::Recordset rs =
        openRecordset(QStringLiteral("SELECT FullName from Wrestler Where Season =? ORDER BY LastName, FirstName "),
                      {db::Value(txtSeason->text().left(4))});
    for (; !rs.isEOF(); rs.moveNext()) comHomeName->addItem(rs.field(QStringLiteral("FullName")).toString());
    closeRecordset(rs);
}

void frmEditMatch::txtDate_LostFocus() {
    const QDate day = settleDateBox(txtDate, lblDayofWeek);
    if (day.isValid()) txtSeason->setText(seasonLabel(getSeason(day)));
}

void frmEditMatch::txtSeason_Change() { loadHomeName(); }

void frmEditMatch::txtOppSchool_LostFocus() {
    long long seq = 0;
    getOppSchoolSeq(seq);
}

void frmEditMatch::checkPeriodBox(QLineEdit* box) {
    QString text = box->text();
    QString error;
    validateMoves(text, error);
    if (!error.isEmpty()) {
        ui::giveFocus(box);
        ui::msgBox(error, ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }
    box->setText(text);
}

void frmEditMatch::txtHome_LostFocus(int index) { checkPeriodBox(txtHome[index]); }

void frmEditMatch::txtOpp_LostFocus(int index) { checkPeriodBox(txtOpp[index]); }

void frmEditMatch::chkHome_GotFocus() {
    if (chkOpp->isChecked()) chkOpp->setChecked(false);
}

void frmEditMatch::chkOpp_GotFocus() {
    if (chkHome->isChecked()) chkHome->setChecked(false);
}

void frmEditMatch::cmdReturn_Click() {
    ui::forms().get<frmFindMatch>()->show();
    ui::forms().unload<frmEditMatch>();
}
