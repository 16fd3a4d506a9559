#pragma once

#include <QString>
#include <QStringList>

#include "platform/db/Recordset.h"
#include "platform/ui/Form.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// The wrestler editor: one row of Wrestler per wrestler and season. The coach picks a season and
// a name, adds, changes or deletes the row, and carries a wrestler to the next season with the
// grade raised by one. Listing a season writes its "VOID" placeholder row when it has none.
//
// Opened by the match entry form and the weigh-in form, which hide themselves meanwhile. The
// caller box txtFromFrm names the opener ("frmMatchInfo" or "frmHomeWI"); open the editor with
// frmEditNames::showFrom so that the name stands in the box before the form loads (the match
// entry form's season is then the default season).
class frmEditNames : public ui::Form {
    Q_OBJECT
public:
    frmEditNames();

    // Loads the editor with `caller` in its caller box (when it is not loaded yet) and shows it.
    static frmEditNames* showFrom(const QString& caller);

    QGroupBox* Frame10;
    QComboBox* comSeason;
    QLineEdit* txtSeason;
    QComboBox* comFullName;
    QGroupBox* Frame8;
    QLineEdit* txtFirst;
    QGroupBox* Frame9;
    QLineEdit* txtLast;
    QGroupBox* FramePrevPlace;
    QGroupBox* Frame1;
    QLineEdit* txtGrade;
    QGroupBox* Frame2;
    QLineEdit* txtMinWt;
    QGroupBox* Frame3;
    QLineEdit* txtRegPl;
    QGroupBox* Frame4;
    QLineEdit* txtStPl;
    QGroupBox* Frame5;
    QCheckBox* chkInActWres;
    QGroupBox* Frame6;
    QPlainTextEdit* txtNote;
    QGroupBox* Frame7;
    QPlainTextEdit* txtNote2;
    QPushButton* cmdSave;
    QPushButton* cmdDelete;
    QPushButton* cmdInc;
    QPushButton* cmdHelp;
    QPushButton* cmdReturn;
    QLineEdit* txtSeq;
    QLineEdit* txtfullname;
    QLineEdit* txtFromFrm;

    void Form_Load() override;
    void Form_QueryUnload(bool& cancel) override;

    void comSeason_Click();
    void comFullName_Click();
    void cmdSave_Click();
    void cmdDelete_Click();
    void cmdInc_Click();
    void cmdReturn_Click();
    void cmdHelp_Click();

    // Unsaved changes in the fields.
    bool isDirty() const { return isDirty_; }

    void promptSave();
    // Checks and writes the row in the fields; false when nothing was written.
    bool saveWrestler();
    // Whether another row of the save's season holds the typed name (the caller says so); the
    // typed names get their backquotes first. Run in the save's transaction.
    bool isDuplicateName(const QString& mode);
    void loadNames();
    // Adds the season's placeholder row "VOID"; a row that cannot be made is reported by its
    // name (once while the form is open) and the form goes on without it.
    void addVoidRow(const QString& year);
    void loadSeasons();
    void addSeasonItem(const QString& label);
    void setDefaultSeason(QString& label);

private:
    void buildControls();
    void connectHandlers();
    void markDirty();
    void clearFields();
    // Shows the recordset's row when it belongs to the season shown; false when it does not.
    bool showRowOfSeason(const db::Recordset& rs, const QString& chosen);
    // Empties what a new season starts without: minimum weight class, placings, inactive, notes.
    void clearSeasonFields();
    // Writes a season label into the season box without choosing an entry of its list.
    void setSeasonText(const QString& label);
    // The four-digit year a season text begins with, or "" when it begins with none.
    static QString seasonYear(const QString& text);
    // The season a save writes into: the shown season for a new name, the loaded row's otherwise.
    QString saveSeason() const;
    // Checks the row's texts against the sizes of their columns; shows the refusal.
    bool fitsColumns(const db::Recordset& rs, const QString& season);
    void chooseName(int index);

    bool isDirty_ = false;
    // The stored row shown: a save or delete changes it only while it is still so.
    db::RowImage shownRow_;
    QStringList unmadeRows_;
    static QString pendingCaller_;
};
