#include "matches/frmScoreSheet.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <vector>

#include "core/frmHelp.h"
#include "core/helpers.h"
#include "matches/frmMatchInfo.h"
#include "matches/move_notation.h"

namespace {

constexpr int kBoxes = 7;
constexpr int kChoices = 5;

// The light yellow of the highlighted frame caption, and the grey of the opponent's controls.
const QColor kHighlightCaption(255, 255, 128);
const QColor kOpponentGrey(192, 192, 192);

QFont boxFont() {
    QFont font = QFont();
    font.setPointSize(12);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);
    return font;
}

// Colours of a control inside a period frame, set on the control itself so that the frame's
// caption style does not reach it.
void keepOwnLook(QWidget* control, const QColor& base) {
    control->setFont(boxFont());
    QPalette pal = control->palette();
    const QPalette app;
    pal.setColor(QPalette::WindowText, app.color(QPalette::WindowText));
    pal.setColor(QPalette::Text, app.color(QPalette::Text));
    pal.setColor(QPalette::Base, base);
    control->setPalette(pal);
}

}  // namespace

frmScoreSheet::frmScoreSheet() {
    setWindowTitle("ScoreSheet");
    const char* periodCaptions[6] = {"Period 1", "Period 2", "Period 3", "OT", "D/OT", "Final OT"};
    for (int f = 0; f < 6; ++f)
        fraPeriod[f] = ui::frame(this, ui::arrayName("fraPeriod", f), periodCaptions[f]);
    for (int i = 0; i < kBoxes; ++i) {
        QWidget* fra = fraPeriod[frameOfBox(i)];
        txtHome[i] = ui::textBox(fra, ui::arrayName("txtHome", i));
        txtOpp[i] = ui::textBox(fra, ui::arrayName("txtOpp", i));
    }
    const QStringList choices = {"Top", "Bot", "Neu", "Def", " "};
    for (int k = 0; k < kChoices; ++k) {
        QWidget* fra = fraPeriod[frameOfBox(boxOfChoice(k))];
        comChoiceHome[k] = ui::comboBox(fra, ui::arrayName("comChoiceHome", k), true);
        comChoiceOpp[k] = ui::comboBox(fra, ui::arrayName("comChoiceOpp", k), true);
        for (QComboBox* combo : {comChoiceHome[k], comChoiceOpp[k]}) {
            ui::keepTypedText(combo);  // a period's choice is stored as it is typed
            combo->addItems(choices);
            combo->setCurrentIndex(-1);
            combo->setEditText(QString());
        }
    }
    chkHome = ui::checkBox(this, "chkHome", QString());
    chkOpp = ui::checkBox(this, "chkOpp", QString());
    txtHomeScore = ui::textBox(this, "txtHomeScore");
    txtOppScore = ui::textBox(this, "txtOppScore");
    fraNotes = ui::frame(this, "fraNotes", "Notes");
    txtNotes = ui::textBox(fraNotes, "txtNotes");
    fraHome = ui::frame(this, "fraHome", "Home Score");
    fraOpp = ui::frame(this, "fraOpp", "Opponent Score");
    Frame4 = ui::frame(this, "Frame4", "Home Score");
    Frame5 = ui::frame(this, "Frame5", "Opponent Score");
    for (int s = 0; s < 2; ++s) {
        QWidget* row = s == 0 ? fraHome : fraOpp;
        cmdTD[s] = ui::button(row, ui::arrayName("cmdTD", s), "Takedown");
        cmdRev[s] = ui::button(row, ui::arrayName("cmdRev", s), "Reverse");
        cmdEscape[s] = ui::button(row, ui::arrayName("cmdEscape", s), "Escape");
        cmdNF2[s] = ui::button(row, ui::arrayName("cmdNF2", s), "NearFall 2");
        cmdNF3[s] = ui::button(row, ui::arrayName("cmdNF3", s), "NearFall 3");
        cmdPenalty[s] = ui::button(row, ui::arrayName("cmdPenalty", s), "Penalty");
        cmdWarning[s] = ui::button(row, ui::arrayName("cmdWarning", s), "Warning");
        cmdCaution[s] = ui::button(row, ui::arrayName("cmdCaution", s), "Caution");
        cmdRO[s] = ui::button(s == 0 ? Frame4 : Frame5, ui::arrayName("cmdRO", s), "RideOut");
    }
    cmdHelp = ui::button(this, "cmdHelp", "&Help");
    cmdMatch = ui::button(this, "cmdMatch", "&Return");
    Label10 = ui::label(this, "Label10", "1st Point");
    Label6 = ui::label(this, "Label6", "Total");
    Label1 = ui::label(fraPeriod[1], "Label1", "Choice");
    Label2 = ui::label(fraPeriod[2], "Label2", "Choice");
    Label3 = ui::label(fraPeriod[4], "Label3", "Choice");
    Label4 = ui::label(fraPeriod[4], "Label4", "Choice");
    Label5 = ui::label(fraPeriod[5], "Label5", "Choice");

    layOut();
    setTabOrder();
    connectHandlers();
}

frmScoreSheet::~frmScoreSheet() { disconnect(focusWatch_); }

void frmScoreSheet::setTabOrder() {
    std::vector<QWidget*> order;
    for (int i = 0; i < kBoxes; ++i) {
        // The positions chosen at the start of a period come before its moves.
        for (int k = 0; k < kChoices; ++k) {
            if (boxOfChoice(k) != i) continue;
            order.push_back(comChoiceHome[k]);
            order.push_back(comChoiceOpp[k]);
        }
        order.push_back(txtHome[i]);
        order.push_back(txtOpp[i]);
    }
    for (QWidget* w :
         std::initializer_list<QWidget*>{chkHome, chkOpp, txtHomeScore, txtOppScore, txtNotes})
        order.push_back(w);
    for (int s = 0; s < 2; ++s)
        for (QWidget* w : std::initializer_list<QWidget*>{cmdTD[s], cmdRev[s], cmdEscape[s],
                                                          cmdNF2[s], cmdNF3[s], cmdPenalty[s],
                                                          cmdWarning[s], cmdCaution[s]})
            order.push_back(w);
    for (QWidget* w : std::initializer_list<QWidget*>{cmdRO[0], cmdRO[1], cmdHelp, cmdMatch})
        order.push_back(w);
    for (size_t n = 1; n < order.size(); ++n) QWidget::setTabOrder(order[n - 1], order[n]);
}

void frmScoreSheet::markFocus(QWidget* now) {
    // The text part of a position box stands for its box.
    if (now && qobject_cast<QComboBox*>(now->parentWidget())) now = now->parentWidget();
    if (now && (now->window() != this || now == this)) now = nullptr;
    if (!focusMark_) {
        focusMark_ = new QFocusFrame(this);
        QPalette pal = focusMark_->palette();
        pal.setColor(QPalette::WindowText, kHighlightCaption);
        focusMark_->setPalette(pal);
    }
    focusMark_->setWidget(now);
}

void frmScoreSheet::layOut() {
    // The form, the frames and the check boxes on the highlight colour; captions and labels in
    // the highlight-text colour.
    const QPalette app;
    const QColor back = app.color(QPalette::Highlight);
    const QColor fore = app.color(QPalette::HighlightedText);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, back);
    pal.setColor(QPalette::WindowText, fore);
    setPalette(pal);
    setAutoFillBackground(true);

    for (int i = 0; i < kBoxes; ++i) {
        keepOwnLook(txtHome[i], app.color(QPalette::Base));
        keepOwnLook(txtOpp[i], kOpponentGrey);
    }
    for (int k = 0; k < kChoices; ++k) {
        keepOwnLook(comChoiceHome[k], app.color(QPalette::Base));
        keepOwnLook(comChoiceOpp[k], kOpponentGrey);
    }
    keepOwnLook(txtHomeScore, app.color(QPalette::Base));
    keepOwnLook(txtOppScore, kOpponentGrey);
    keepOwnLook(txtNotes, app.color(QPalette::Base));
    for (QLabel* label : {Label1, Label2, Label3, Label4, Label5}) {
        label->setFont(boxFont());
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, fore);
        label->setPalette(lp);
    }
    for (QGroupBox* frame : fraPeriod) setFrameStyle(frame, false);
    setFrameStyle(fraNotes, false);

    // Sizes and places in twips, as the sheet was drawn, the move buttons a little narrower so
    // that the sheet fits a screen 1024 pixels wide with its frame.
    resize(ui::twips(15090), ui::twips(8835));
    ui::place(Label10, 120, 240, 800, 600);
    ui::place(chkHome, 360, 960, 360, 375);
    ui::place(chkOpp, 360, 1560, 360, 375);

    ui::place(fraPeriod[0], 960, 120, 3360, 2040);
    ui::place(txtHome[0], 150, 600, 3060, 480);
    ui::place(txtOpp[0], 150, 1200, 3060, 480);
    for (int p = 1; p <= 2; ++p) {
        const int left = p == 1 ? 4440 : 8640;
        ui::place(fraPeriod[p], left, 120, 4080, 2040);
        ui::place(p == 1 ? Label1 : Label2, 150, 300, 900, 270);
        ui::place(comChoiceHome[p - 1], 150, 600, 900, 480);
        ui::place(comChoiceOpp[p - 1], 150, 1200, 900, 480);
        ui::place(txtHome[p], 1140, 600, 2790, 480);
        ui::place(txtOpp[p], 1140, 1200, 2790, 480);
    }
    ui::place(Label6, 12960, 300, 1200, 300);
    ui::place(txtHomeScore, 12960, 720, 1200, 480);
    ui::place(txtOppScore, 12960, 1320, 1200, 480);

    // The two rows of move buttons.
    for (int s = 0; s < 2; ++s) {
        QGroupBox* row = s == 0 ? fraHome : fraOpp;
        ui::place(row, 120, s == 0 ? 2280 : 3480, 8640, 1080);
        const std::array<QPushButton*, 8> buttons = {cmdTD[s],   cmdRev[s],     cmdEscape[s],
                                                     cmdNF2[s],  cmdNF3[s],     cmdPenalty[s],
                                                     cmdWarning[s], cmdCaution[s]};
        for (int b = 0; b < 8; ++b) ui::place(buttons[b], 120 + b * 1060, 360, 1010, 540);
    }

    // Overtime and the tiebreakers.
    ui::place(fraPeriod[3], 8880, 2280, 2280, 2280);
    ui::place(txtHome[3], 150, 720, 1980, 480);
    ui::place(txtOpp[3], 150, 1440, 1980, 480);
    ui::place(fraPeriod[4], 11280, 2280, 3690, 2280);
    ui::place(Label3, 100, 360, 840, 270);
    ui::place(Label4, 1900, 360, 840, 270);
    for (int s = 0; s < 2; ++s) {
        const int top = s == 0 ? 720 : 1440;
        const auto& choice = s == 0 ? comChoiceHome : comChoiceOpp;
        const auto& box = s == 0 ? txtHome : txtOpp;
        ui::place(choice[2], 100, top, 840, 480);
        ui::place(box[4], 960, top, 900, 480);
        ui::place(choice[3], 1900, top, 840, 480);
        ui::place(box[5], 2760, top, 840, 480);
    }

    // Bottom row: notes, final overtime, ride-outs, Help and Return.
    ui::place(fraNotes, 120, 4800, 6000, 1200);
    ui::place(txtNotes, 150, 480, 5700, 480);
    ui::place(fraPeriod[5], 6240, 4800, 4200, 2040);
    ui::place(Label5, 150, 300, 900, 270);
    ui::place(comChoiceHome[4], 150, 600, 900, 480);
    ui::place(txtHome[6], 1140, 600, 2910, 480);
    ui::place(comChoiceOpp[4], 150, 1200, 900, 480);
    ui::place(txtOpp[6], 1140, 1200, 2910, 480);
    ui::place(Frame4, 10560, 4800, 1800, 960);
    ui::place(cmdRO[0], 120, 360, 1560, 480);
    ui::place(Frame5, 10560, 5880, 1800, 960);
    ui::place(cmdRO[1], 120, 360, 1560, 480);
    ui::place(cmdHelp, 13080, 4920, 1800, 600);
    ui::place(cmdMatch, 13080, 5760, 1800, 600);
}

void frmScoreSheet::connectHandlers() {
    for (int s = 0; s < 2; ++s) {
        ui::onClick(cmdTD[s], [this, s] { cmdTD_Click(s); });
        ui::onClick(cmdRev[s], [this, s] { cmdRev_Click(s); });
        ui::onClick(cmdEscape[s], [this, s] { cmdEscape_Click(s); });
        ui::onClick(cmdNF2[s], [this, s] { cmdNF2_Click(s); });
        ui::onClick(cmdNF3[s], [this, s] { cmdNF3_Click(s); });
        ui::onClick(cmdPenalty[s], [this, s] { cmdPenalty_Click(s); });
        ui::onClick(cmdWarning[s], [this, s] { cmdWarning_Click(s); });
        ui::onClick(cmdCaution[s], [this, s] { cmdCaution_Click(s); });
        ui::onClick(cmdRO[s], [this, s] { cmdRO_Click(s); });
    }
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdMatch, [this] { cmdMatch_Click(); });
    for (int i = 0; i < kBoxes; ++i) {
        ui::onGotFocus(txtHome[i], [this, i] { txtHome_GotFocus(i); });
        ui::onGotFocus(txtOpp[i], [this, i] { txtOpp_GotFocus(i); });
        ui::onLostFocus(txtHome[i], [this, i] { txtHome_LostFocus(i); });
        ui::onLostFocus(txtOpp[i], [this, i] { txtOpp_LostFocus(i); });
    }
    for (int k = 0; k < kChoices; ++k) {
        ui::onGotFocus(comChoiceHome[k], [this, k] { comChoiceHome_GotFocus(k); });
        ui::onGotFocus(comChoiceOpp[k], [this, k] { comChoiceOpp_GotFocus(k); });
        ui::onLostFocus(comChoiceHome[k], [this, k] { comChoiceHome_LostFocus(k); });
        ui::onLostFocus(comChoiceOpp[k], [this, k] { comChoiceOpp_LostFocus(k); });
    }
    ui::onGotFocus(txtNotes, [this] { txtNotes_GotFocus(); });
    ui::onLostFocus(txtNotes, [this] { txtNotes_LostFocus(); });
    ui::onGotFocus(chkHome, [this] { chkHome_GotFocus(); });
    ui::onGotFocus(chkOpp, [this] { chkOpp_GotFocus(); });
    ui::onClick(chkHome, [this] { chkHome_Click(); });
    ui::onClick(chkOpp, [this] { chkOpp_Click(); });
    focusWatch_ = connect(qApp, &QApplication::focusChanged, this,
                          [this](QWidget*, QWidget* now) { markFocus(now); });
}

void frmScoreSheet::Form_Load() { firstPointSet = false; }

void frmScoreSheet::Form_Activate() {
    ui::giveFocus(txtHome[0]);
    // The box's routine runs here as well: when the box had the focus already (back from the
    // help window), or the window is not active yet, no focus event comes now, and running it
    // twice changes nothing. When leaving another box found a bad move, the focus stays there.
    if (focusWidget() == txtHome[0]) txtHome_GotFocus(0);

    // The entry form is there whenever the sheet is shown from it; a sheet shown on its own has
    // no names to add.
    QString homeName, oppFirst, oppLast;
    if (ui::forms().isLoaded<frmMatchInfo>()) {
        frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
        homeName = entry->comHomeName->currentText();
        oppFirst = entry->txtOppFName->text();
        oppLast = entry->txtOppLName->text();
    }
    fraHome->setTitle(QStringLiteral("Home Score") + QStringLiteral("  -  ") + homeName);
    fraOpp->setTitle(QStringLiteral("Opponent Score") + QStringLiteral("  -  ") + oppFirst +
                     QStringLiteral(" ") + oppLast);
    curPeriod = 0;
    Label10->setText(QStringLiteral("1st\nPoint"));
}

// ---- move buttons ----------------------------------------------------------------------------

void frmScoreSheet::addTrailingSpace(int index) {
    QLineEdit* box = index == 0 ? txtHome[curPeriod] : txtOpp[curPeriod];
    if (!box->text().endsWith(u' ')) box->setText(box->text() + QStringLiteral(" "));
}

void frmScoreSheet::appendMove(int index, const QString& token) {
    addTrailingSpace(index);
    QLineEdit* box = index == 0 ? txtHome[curPeriod] : txtOpp[curPeriod];
    box->setText(box->text() + token);
    if (index == 0) txtHome_GotFocus(curPeriod);
    else txtOpp_GotFocus(curPeriod);
}

void frmScoreSheet::cmdTD_Click(int index) { appendMove(index, QStringLiteral("T2 ")); }
void frmScoreSheet::cmdRev_Click(int index) { appendMove(index, QStringLiteral("R2 ")); }
void frmScoreSheet::cmdEscape_Click(int index) { appendMove(index, QStringLiteral("E1 ")); }
void frmScoreSheet::cmdNF2_Click(int index) { appendMove(index, QStringLiteral("N2 ")); }
void frmScoreSheet::cmdNF3_Click(int index) { appendMove(index, QStringLiteral("N3 ")); }
void frmScoreSheet::cmdPenalty_Click(int index) { appendMove(index, QStringLiteral("P1 ")); }
void frmScoreSheet::cmdWarning_Click(int index) { appendMove(index, QStringLiteral("W ")); }
void frmScoreSheet::cmdCaution_Click(int index) { appendMove(index, QStringLiteral("C ")); }

void frmScoreSheet::cmdRO_Click(int index) {
    // Always into the final overtime of that side; nothing else changes until the next count.
    QLineEdit* box = index == 0 ? txtHome[6] : txtOpp[6];
    box->setText(box->text() + QStringLiteral("RO1 "));
}

// ---- period boxes ----------------------------------------------------------------------------

int frmScoreSheet::frameOfBox(int box) { return box < 5 ? box : box - 1; }

int frmScoreSheet::boxOfChoice(int combo) { return combo < 2 ? combo + 1 : combo + 2; }

void frmScoreSheet::txtHome_GotFocus(int index) {
    setAllPeriodFramesNormal();
    setFrameStyle(fraPeriod[frameOfBox(index)], true);
    curPeriod = static_cast<short>(index);
    calcScore();
}

void frmScoreSheet::txtOpp_GotFocus(int index) { txtHome_GotFocus(index); }

void frmScoreSheet::txtHome_LostFocus(int index) {
    checkMoves(index);
    // When the check put the focus into a box of this same period, the period stays marked.
    if (frameOfFocusedBox() == frameOfBox(index)) return;
    setFrameStyle(fraPeriod[frameOfBox(index)], false);
}

void frmScoreSheet::txtOpp_LostFocus(int index) { txtHome_LostFocus(index); }

int frmScoreSheet::frameOfFocusedBox() const {
    const QWidget* focused = focusWidget();
    for (int i = 0; i < kBoxes; ++i)
        if (focused == txtHome[i] || focused == txtOpp[i]) return frameOfBox(i);
    return -1;
}

void frmScoreSheet::showFirstMoveFault() { checkMoves(curPeriod); }

void frmScoreSheet::checkMoves(int /*index*/) {
    if (checkingMoves_) return;
    checkingMoves_ = true;
    const QPointer<frmScoreSheet> alive(this);
    auto done = qScopeGuard([&] {
        if (alive) checkingMoves_ = false;
    });
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < kBoxes; ++i) {
            QLineEdit* box = side == 0 ? txtHome[i] : txtOpp[i];
            QString text = box->text();
            QString error;
            validateMoves(text, error);
            if (text != box->text()) box->setText(text);
            if (!error.isEmpty()) {
                ui::giveFocus(box);
                ui::msgBox(error, ui::Buttons::OK, QStringLiteral("Error"));
                calcScore();
                return;
            }
        }
    }
    calcScore();
}

void frmScoreSheet::sumPoints(const QString& text, int& total) {
    for (QChar c : text)
        if (c >= u'1' && c <= u'9') total += c.unicode() - u'0';
}

void frmScoreSheet::calcScore() {
    int home = 0;
    int opp = 0;
    for (int i = 0; i < kBoxes; ++i) {
        sumPoints(txtHome[i]->text(), home);
        sumPoints(txtOpp[i]->text(), opp);
    }
    txtHomeScore->setText(signedNumberText(static_cast<long long>(home)));
    txtOppScore->setText(signedNumberText(static_cast<long long>(opp)));
    if ((home > 0 || opp > 0) && !firstPointSet) {
        firstPointSet = true;
        if (home > 0) chkHome->setChecked(true);
        else chkOpp->setChecked(true);
    }
}

// ---- choices, notes, first point -------------------------------------------------------------

void frmScoreSheet::comChoiceHome_GotFocus(int index) {
    curPeriod = static_cast<short>(boxOfChoice(index));
    setAllPeriodFramesNormal();
    setFrameStyle(fraPeriod[frameOfBox(curPeriod)], true);
}

void frmScoreSheet::comChoiceOpp_GotFocus(int index) { comChoiceHome_GotFocus(index); }

void frmScoreSheet::comChoiceHome_LostFocus(int index) {
    setFrameStyle(fraPeriod[frameOfBox(boxOfChoice(index))], false);
}

void frmScoreSheet::comChoiceOpp_LostFocus(int index) { comChoiceHome_LostFocus(index); }

void frmScoreSheet::txtNotes_GotFocus() {
    setAllPeriodFramesNormal();
    setFrameStyle(fraNotes, true);
}

void frmScoreSheet::txtNotes_LostFocus() { setFrameStyle(fraNotes, false); }

void frmScoreSheet::chkHome_GotFocus() { chkOpp->setChecked(false); }

void frmScoreSheet::chkOpp_GotFocus() { chkHome->setChecked(false); }

void frmScoreSheet::chkHome_Click() {
    if (chkHome->isChecked()) firstPointSet = true;
}

void frmScoreSheet::chkOpp_Click() {
    if (chkOpp->isChecked()) firstPointSet = true;
}

// ---- frame captions --------------------------------------------------------------------------

void frmScoreSheet::setFrameStyle(QGroupBox* frame, bool highlighted) {
    QFont font = frame->font();
    font.setPointSize(highlighted ? 14 : 12);
    font.setBold(highlighted);
    font.setItalic(highlighted);
    font.setUnderline(highlighted);
    frame->setFont(font);
    QPalette pal = frame->palette();
    pal.setColor(QPalette::WindowText,
                 highlighted ? kHighlightCaption : QPalette().color(QPalette::HighlightedText));
    frame->setPalette(pal);
}

void frmScoreSheet::setAllPeriodFramesNormal() {
    for (QGroupBox* frame : fraPeriod) setFrameStyle(frame, false);
}

// ---- Return and Help -------------------------------------------------------------------------

void frmScoreSheet::cmdMatch_Click() {
    ui::forms().get<frmMatchInfo>()->show();
    hide();
}

void frmScoreSheet::cmdHelp_Click() {
    const QString nl = QStringLiteral("\r\n");
    showHelp(QStringLiteral("Entering Match Score") + nl + nl +
             QStringLiteral("Recording the Score:") + nl +
             QStringLiteral("    1. Click the score buttons to fill in the score sheet.") + nl +
             QStringLiteral("    2. To change the period, click in the field of that period.") + nl +
             QStringLiteral("    3. To correct a wrong entry, delete the wrong text and enter the "
                            "right score.") + nl +
             QStringLiteral("    4. For a 2 point Penalty or 4 point Near Fall, just change the "
                            "number.") + nl +
             QStringLiteral("    5. Click 'Return' to go back to the previous screen.") + nl);
}
