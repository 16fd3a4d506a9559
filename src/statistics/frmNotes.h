#pragma once

#include <optional>

#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

// The wrestlers' notes: the two notes kept on each wrestler's season row, shown for the chosen
// wrestler and printed for him or for every listed wrestler.
class frmNotes : public ui::Form {
    Q_OBJECT
public:
    frmNotes();

    QGroupBox* Frame1;
    QListWidget* lstNames;
    QGroupBox* Frame2;
    QLabel* lblNotes;
    QGroupBox* Frame3;
    QLabel* lblNotes2;
    QGroupBox* Frame4;
    QComboBox* comSeason;
    QCheckBox* chkAll;
    QCheckBox* chkActive;
    QPushButton* cmdReturn;
    QPushButton* cmdPrint;
    QPushButton* cmdPrint2;
    QPushButton* cmdHelp;

    void Form_Load() override;
    void comSeason_Click();
    void chkActive_Click();
    void lstNames_Click();
    void cmdPrint_Click();
    void cmdPrint2_Click();
    void cmdHelp_Click();
    void cmdReturn_Click();

    // The season year the screen works on: the first four characters of the season box, when
    // they are a year.
    std::optional<int> seasonYear() const;

private:
    void loadSeasons();
    void loadNames();
    void printNote(const QString& which);
};
