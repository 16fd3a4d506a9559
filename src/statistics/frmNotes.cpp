#include "statistics/frmNotes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/helpers.h"
#include "platform/fonts/StandInFonts.h"
#include "core/match_seasons.h"
#include "platform/ui/ui.h"
#include "printing/wrestler_notes_printout.h"
#include "statistics/frmReports.h"
#include "team/wrestler_names.h"

namespace {

// A note panel filling its frame: read-only, on the window's colour.
QLabel* notePanel(QGroupBox* frame, const QString& name) {
    QLabel* panel = ui::textPanel(frame, name);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(panel);
    return panel;
}

}  // namespace

frmNotes::frmNotes() {
    setWindowTitle(QStringLiteral("Wrestler Notes"));
    setFont(sansSerifFont(12));

    Frame1 = ui::frame(this, QStringLiteral("Frame1"), QStringLiteral("Names"));
    lstNames = ui::listBox(Frame1, QStringLiteral("lstNames"));
    (new QVBoxLayout(Frame1))->addWidget(lstNames);
    Frame2 = ui::frame(this, QStringLiteral("Frame2"), QStringLiteral("Wreslter Notes"));
    lblNotes = notePanel(Frame2, QStringLiteral("lblNotes"));
    Frame3 = ui::frame(this, QStringLiteral("Frame3"), QStringLiteral("Wreslter Notes 2"));
    lblNotes2 = notePanel(Frame3, QStringLiteral("lblNotes2"));
    Frame4 = ui::frame(this, QStringLiteral("Frame4"), QStringLiteral("Season"));
    comSeason = ui::comboBox(Frame4, QStringLiteral("comSeason"), true);
    comSeason->setEditText(QStringLiteral("Combo1"));
    (new QVBoxLayout(Frame4))->addWidget(comSeason);

    chkAll = ui::checkBox(this, QStringLiteral("chkAll"), QStringLiteral("Print All Wrestlers"));
    chkActive = ui::checkBox(this, QStringLiteral("chkActive"), QStringLiteral("Active Only"));
    chkAll->setFont(sansSerifFont(9.75));
    chkActive->setFont(sansSerifFont(9.75));
    chkActive->setChecked(true);
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdPrint = ui::button(this, QStringLiteral("cmdPrint"), QStringLiteral("&Print Note 1"));
    cmdPrint2 = ui::button(this, QStringLiteral("cmdPrint2"), QStringLiteral("&Print Note 2"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));

    // The names and the two notes side by side along the top; the choices and buttons below.
    auto* top = new QHBoxLayout;
    top->addWidget(Frame1, 2);
    top->addWidget(Frame2, 3);
    top->addWidget(Frame3, 3);
    auto* checks = new QVBoxLayout;
    checks->addWidget(chkAll);
    checks->addWidget(chkActive);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Frame4);
    bottom->addLayout(checks);
    bottom->addStretch();
    for (QPushButton* b : {cmdReturn, cmdPrint, cmdPrint2, cmdHelp}) bottom->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(900, 520);

    QWidget* tabOrder[] = {lstNames, cmdReturn, cmdPrint, chkAll, cmdHelp, chkActive, cmdPrint2, comSeason};
    for (size_t i = 1; i < std::size(tabOrder); ++i) setTabOrder(tabOrder[i - 1], tabOrder[i]);
    lstNames->setFocus();

    ui::onClick(comSeason, [this] { comSeason_Click(); });
    // A season typed into the box lists its wrestlers; a text that is no season is refused.
    ui::settleTypedText(comSeason, seasonChoice([this] { return ui::shownChoice(comSeason); },
                                                [this] { comSeason_Click(); }));
    ui::onClick(chkActive, [this] { chkActive_Click(); });
    ui::onClick(lstNames, [this] { lstNames_Click(); });
    ui::onClick(cmdPrint, [this] { cmdPrint_Click(); });
    ui::onClick(cmdPrint2, [this] { cmdPrint2_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
}

void frmNotes::Form_Load() {
    comSeason->setEditText(seasonLabel(gSeason));
    loadSeasons();
    loadNames();
}

std::optional<int> frmNotes::seasonYear() const {
    const QString year = comSeason->currentText().left(4);
    if (year.size() != 4) return std::nullopt;
    for (const QChar c : year)
        if (!c.isDigit()) return std::nullopt;
    return year.toInt();
}

void frmNotes::loadSeasons() {
    bool currentFound = false;
    {
        ConnectionScope connection;
        db::Recordset rs = openRecordset(
            QStringLiteral("SELECT Season FROM Wrestler WHERE Season Is Not Null GROUP BY Season "
                           "ORDER BY Season"));
        for (; !rs.isEOF(); rs.moveNext()) {
            // A season no year can be (a file edited by another tool) is left out of the list.
            const std::optional<short> season = storedSeason(rs.field(QStringLiteral("season")));
            if (!season) continue;
            comSeason->addItem(seasonLabel(*season));
            if (*season == gSeason) currentFound = true;
        }
        closeRecordset(rs);
    }

    if (currentFound)
        comSeason->setEditText(seasonLabel(gSeason));
    else if (comSeason->count() > 0)
        comSeason->setCurrentIndex(0);  // runs comSeason_Click
    else
        comSeason->setEditText(QStringLiteral("No Wrestlers Loaded"));
}

void frmNotes::loadNames() {
    lstNames->clear();
    // Without a season year (no wrestlers at all, or a typed text) there is nobody to list.
    const std::optional<int> year = seasonYear();
    if (!year) return;
    const QStringList names = loadWrestlerNames(chkActive->isChecked(), *year);
    for (const QString& name : names)
        if (!name.isEmpty()) lstNames->addItem(name);
    if (lstNames->count() > 0) lstNames->setCurrentRow(0);  // runs lstNames_Click
}

void frmNotes::comSeason_Click() { loadNames(); }

void frmNotes::chkActive_Click() { loadNames(); }

void frmNotes::lstNames_Click() {
    QListWidgetItem* item = lstNames->currentItem();
    const std::optional<int> year = seasonYear();
    // A name with no row in the season in the box (a typed season) shows two empty notes.
    lblNotes->clear();
    lblNotes2->clear();
    if (item == nullptr || !year) return;

    ConnectionScope connection;
    db::Recordset rs = openRecordset(
        QStringLiteral("SELECT Notes, wresMemo1 FROM Wrestler WHERE FullName = ? AND season = ?"),
        db::Params{item->text(), *year});
    if (!rs.isEOF()) {
        lblNotes->setText(nzString(rs.field(QStringLiteral("Notes"))).toString());
        lblNotes2->setText(nzString(rs.field(QStringLiteral("wresMemo1"))).toString());
    }
    closeRecordset(rs);
}

void frmNotes::printNote(const QString& which) {
    QListWidgetItem* item = lstNames->currentItem();
    const QString name = item != nullptr ? item->text() : QString();
    if (lstNames->count() == 0 || (name.isEmpty() && !chkAll->isChecked())) {
        ui::msgBox(QStringLiteral("There is no wrestler to print."), ui::Buttons::OK,
                   QStringLiteral("Print"));
        return;
    }
    printWrestlerNotes(name, which);
}

void frmNotes::cmdPrint_Click() { printNote(QStringLiteral("1")); }

void frmNotes::cmdPrint2_Click() { printNote(QStringLiteral("2")); }

void frmNotes::cmdHelp_Click() {
    showHelp(QStringLiteral("Wrestlers' Notes\r\n\r\n"
                            "This screen displays the notes entered for each of the wrestlers.\r\n"
                            "Edit these notes from the 'Edit Names' function on the Enter Match screen\r\n"));
}

void frmNotes::cmdReturn_Click() {
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmNotes>();
}
