#pragma once

#include <array>

#include <QPointer>
#include <QString>

#include "platform/ui/ui.h"

class QCheckBox;
class QComboBox;
class QFocusFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The score sheet: one match move by move, for the home wrestler and the opponent. It belongs to
// the match entry form, which shows it and reads its controls when the match is saved.
class frmScoreSheet : public ui::Form {
    Q_OBJECT
public:
    frmScoreSheet();
    ~frmScoreSheet() override;

    void Form_Load() override;
    void Form_Activate() override;

    // Period boxes: index 0..2 periods 1..3, 3 overtime, 4 and 5 the tiebreakers, 6 final overtime.
    std::array<QLineEdit*, 7> txtHome{};
    std::array<QLineEdit*, 7> txtOpp{};
    // Positions chosen at the start of periods 2, 3 and the tiebreakers (boxes 1, 2, 4, 5, 6).
    std::array<QComboBox*, 5> comChoiceHome{};
    std::array<QComboBox*, 5> comChoiceOpp{};
    QCheckBox* chkHome = nullptr;
    QCheckBox* chkOpp = nullptr;
    QLineEdit* txtHomeScore = nullptr;
    QLineEdit* txtOppScore = nullptr;
    QLineEdit* txtNotes = nullptr;

    std::array<QGroupBox*, 6> fraPeriod{};
    QGroupBox* fraHome = nullptr;
    QGroupBox* fraOpp = nullptr;
    QGroupBox* fraNotes = nullptr;
    QGroupBox* Frame4 = nullptr;
    QGroupBox* Frame5 = nullptr;

    // Move buttons: index 0 in the home row, 1 in the opponent row.
    std::array<QPushButton*, 2> cmdTD{};
    std::array<QPushButton*, 2> cmdRev{};
    std::array<QPushButton*, 2> cmdEscape{};
    std::array<QPushButton*, 2> cmdNF2{};
    std::array<QPushButton*, 2> cmdNF3{};
    std::array<QPushButton*, 2> cmdPenalty{};
    std::array<QPushButton*, 2> cmdWarning{};
    std::array<QPushButton*, 2> cmdCaution{};
    std::array<QPushButton*, 2> cmdRO{};
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdMatch = nullptr;

    QLabel* Label10 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;

    // The period box of each side the move buttons write into (0..6).
    short curPeriod = 0;
    // Whether the match's first point has been decided.
    bool firstPointSet = false;

    // Move buttons (index 0 home row, 1 opponent row).
    void cmdTD_Click(int index);
    void cmdRev_Click(int index);
    void cmdEscape_Click(int index);
    void cmdNF2_Click(int index);
    void cmdNF3_Click(int index);
    void cmdPenalty_Click(int index);
    void cmdWarning_Click(int index);
    void cmdCaution_Click(int index);
    void cmdRO_Click(int index);
    void cmdHelp_Click();
    void cmdMatch_Click();

    // Period boxes; the move buttons also run the GotFocus routines directly.
    void txtHome_GotFocus(int index);
    void txtOpp_GotFocus(int index);
    void txtHome_LostFocus(int index);
    void txtOpp_LostFocus(int index);
    void comChoiceHome_GotFocus(int index);
    void comChoiceOpp_GotFocus(int index);
    void comChoiceHome_LostFocus(int index);
    void comChoiceOpp_LostFocus(int index);
    void txtNotes_GotFocus();
    void txtNotes_LostFocus();
    void chkHome_GotFocus();
    void chkOpp_GotFocus();
    void chkHome_Click();
    void chkOpp_Click();

    // Shows the first malformed move as leaving a period box does: the focus goes into its box,
    // then its message. The sheet is shown.
    void showFirstMoveFault();

private:
    void layOut();
    // Tab goes through the sheet as a match goes: each period's home and opponent moves, the
    // positions chosen for the next period, and so on; then the first point, the totals, the
    // notes and the buttons.
    void setTabOrder();
    // Frames the control that has the focus, so that it shows on the sheet's background.
    void markFocus(QWidget* now);
    void connectHandlers();
    // A move button of one side: the token goes into that side's box of the current period.
    void appendMove(int index, const QString& token);
    void addTrailingSpace(int index);
    // Checks every period box, home 0..6 then opponent 0..6, and stops at the first error.
    void checkMoves(int index);
    void calcScore();
    static void sumPoints(const QString& text, int& total);
    // True while checkMoves runs: a box it moves the focus out of does not start it again.
    bool checkingMoves_ = false;
    // The frame (fraPeriod index) of period box `box`.
    static int frameOfBox(int box);
    // The frame of the period box that has the focus; -1 when no period box has it.
    int frameOfFocusedBox() const;
    // The period box of choice combo `combo`.
    static int boxOfChoice(int combo);
    void setFrameStyle(QGroupBox* frame, bool highlighted);
    void setAllPeriodFramesNormal();
    QPointer<QFocusFrame> focusMark_;
    // Follows the focus of the whole program; ends before the controls are taken down.
    QMetaObject::Connection focusWatch_;
};
