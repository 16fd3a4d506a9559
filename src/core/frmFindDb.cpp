#include "core/frmFindDb.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/frmUtilities.h"
#include "core/helpers.h"
#include "platform/db/DbError.h"
#include "platform/ui/ui.h"

namespace {

const QString kNoDate = QStringLiteral("N/A");

// Reads the description and the match dates of the database file `path` into `file`. The
// connection helpers work on gDbPath, so it points at the file meanwhile; the caller restores it.
void readDbFile(const QString& path, frmFindDb::DbFile& file) {
    gDbPath = path;
    openConnectionToRead();
    try {
        // Only what the list shows is read.
        db::Recordset rs = openRecordset(QStringLiteral("SELECT school FROM License WHERE Seq = 2"));
        file.description = rs.isEOF() ? QString() : nzString(rs.field(QStringLiteral("school"))).toString();
        closeRecordset(rs);

        rs = openRecordset(
            QStringLiteral("SELECT MAX([Date]) as MaxDate, MIN([Date]) as MinDate FROM [Match]"));
        const db::Value maxDate = rs.field(QStringLiteral("maxdate"));
        const db::Value minDate = rs.field(QStringLiteral("mindate"));
        if (maxDate.isNull() || minDate.isNull()) {
            file.lastDate = file.firstDate = kNoDate;
        } else {
            file.lastDate = maxDate.toString();
            file.firstDate = minDate.toString();
        }
        closeRecordset(rs);
    } catch (...) {
        closeConnection();
        throw;
    }
    closeConnection();
}

// What the list says of a file that does not open as a database of this program, with the reason
// the start-up would give for it.
QString notInProperFormat(const std::exception& error) {
    const auto* refused = dynamic_cast<const db::FileNotOpened*>(&error);
    return QStringLiteral("File not in proper format: ") +
           (refused ? refused->reason() : QString::fromUtf8(error.what()));
}

// Why the listed file `path` cannot be made the database in use now; "" when it can.
QString whyNotSelectable(const QString& path) {
    if (!QFileInfo(path).isFile())
        return path + QStringLiteral(" is not there any more: it was renamed or deleted after the "
                                     "list was shown.");
    const QString keptPath = gDbPath;
    frmFindDb::DbFile file;
    try {
        readDbFile(path, file);
    } catch (const std::exception& error) {
        gDbPath = keptPath;
        QString why = path + QStringLiteral(" is no longer a database of this program: ") + notInProperFormat(error);
        return why.endsWith(QLatin1Char('.')) ? why : why + QLatin1Char('.');
    }
    gDbPath = keptPath;
    return QString();
}

}  // namespace

frmFindDb::frmFindDb() {
    setWindowTitle(QStringLiteral("Change DB"));

    Label4 = ui::label(this, QStringLiteral("Label4"), QStringLiteral("File Name"));
    Label2 = ui::label(this, QStringLiteral("Label2"), QStringLiteral("Start Date"));
    Label3 = ui::label(this, QStringLiteral("Label3"), QStringLiteral("End Date"));
    Label1 = ui::label(this, QStringLiteral("Label1"), QStringLiteral("DB Description"));
    ui::place(Label4, 1320, 240, 2400, 285);
    ui::place(Label2, 3840, 240, 1320, 285);
    ui::place(Label3, 5280, 240, 1320, 285);
    ui::place(Label1, 6720, 240, 3600, 285);

    for (int r = 0; r < 3; ++r) {
        cmdSelect[r] = ui::button(this, ui::arrayName(QStringLiteral("cmdSelect"), r), QStringLiteral("Select"));
        txtFilename[r] = ui::textBox(this, ui::arrayName(QStringLiteral("txtFilename"), r));
        txtDateStart[r] = ui::textBox(this, ui::arrayName(QStringLiteral("txtDateStart"), r));
        txtDateEnd[r] = ui::textBox(this, ui::arrayName(QStringLiteral("txtDateEnd"), r));
        txtDesc[r] = ui::textBox(this, ui::arrayName(QStringLiteral("txtDesc"), r));

        const int top = 600 + r * 540;
        ui::place(cmdSelect[r], 240, top, 960, 375);
        ui::place(txtFilename[r], 1320, top, 2400, 375);
        ui::place(txtDateStart[r], 3840, top, 1320, 375);
        ui::place(txtDateEnd[r], 5280, top, 1320, 375);
        ui::place(txtDesc[r], 6720, top, 3600, 375);

        // The boxes only show: a click in one goes on to the row's Select button, and Tab
        // passes them by, from Select to Select and on to the scroll bar and the buttons.
        for (QLineEdit* box : {txtFilename[r], txtDateStart[r], txtDateEnd[r], txtDesc[r]}) {
            box->setReadOnly(true);
            box->setFocusPolicy(Qt::ClickFocus);
            ui::onGotFocus(box, [this, r] { display_GotFocus(r); });
        }
        ui::onClick(cmdSelect[r], [this, r] { cmdSelect_Click(r); });
    }

    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    ui::place(VScroll1, 10440, 600, 255, 1455);
    ui::onChange(VScroll1, [this] { VScroll1_Change(); });
    ui::pageWithKeys(VScroll1, {{cmdSelect.begin(), cmdSelect.end()}});

    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));
    ui::place(cmdReturn, 3360, 2340, 1500, 495);
    ui::place(cmdHelp, 5400, 2340, 1500, 495);
    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });

    setFixedSize(ui::twips(10920), ui::twips(3060));
}

void frmFindDb::Form_Load() {
    const QString keptPath = gDbPath;
    // The path in use comes back whatever happens to the listing.
    struct RestorePath {
        const QString& kept;
        ~RestorePath() { gDbPath = kept; }
    } restore{keptPath};

    dbFiles_.clear();
    const QStringList names = QDir(gDbFolder).entryList(
        {QStringLiteral("*.mdb")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& name : names) {
        DbFile file;
        file.fileName = name;
        try {
            readDbFile(gDbFolder + name, file);
        } catch (const std::exception& error) {
            // Not a database of ours (or a damaged one): listed with the reason, but it cannot be
            // chosen.
            file.description = notInProperFormat(error);
            file.lastDate = file.firstDate = kNoDate;
            file.usable = false;
        }
        dbFiles_.push_back(file);
    }

    const int count = static_cast<int>(dbFiles_.size());
    VScroll1->setEnabled(true);
    VScroll1->setMinimum(0);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(3);
    VScroll1->setMaximum(count > 3 ? count - 3 : 0);
    showDbRows(VScroll1->value());
}

void frmFindDb::showDbRows(int start) {
    for (int r = 0; r < 3; ++r) {
        const int index = start + r;
        const bool filled = index >= 0 && index < static_cast<int>(dbFiles_.size()) &&
                            !dbFiles_[index].fileName.isEmpty();
        if (filled) {
            const DbFile& file = dbFiles_[index];
            txtFilename[r]->setText(file.fileName);
            txtDesc[r]->setText(file.description);
            // A reason longer than the box is read whole where the mouse rests on it.
            txtDesc[r]->setToolTip(file.usable ? QString() : file.description);
            txtDateEnd[r]->setText(file.lastDate);
            txtDateStart[r]->setText(file.firstDate);
            cmdSelect[r]->setEnabled(file.usable);
        } else {
            for (QLineEdit* box : {txtFilename[r], txtDesc[r], txtDateEnd[r], txtDateStart[r]})
                box->clear();
            txtDesc[r]->setToolTip(QString());
            cmdSelect[r]->setEnabled(false);
        }
    }
}

void frmFindDb::VScroll1_Change() { showDbRows(VScroll1->value()); }

void frmFindDb::display_GotFocus(int index) {
    if (cmdSelect[index]->isEnabled()) cmdSelect[index]->setFocus();
}

void frmFindDb::cmdSelect_Click(int index) {
    const QString name = txtFilename[index]->text();
    if (!name.isEmpty()) {
        // A file renamed, deleted or spoilt since the list was read is not taken: the database
        // in use stays, and the list shows the folder as it is now.
        const QString path = gDbFolder + name;
        const QString refusal = whyNotSelectable(path);
        if (!refusal.isEmpty()) {
            ui::msgBox(refusal + QStringLiteral("  The database in use stays as it was."),
                       ui::Buttons::OK, QStringLiteral("ERROR"));
            Form_Load();
            return;
        }
        // When the configuration file cannot name the chosen file, the list stays for another try.
        if (!setDatabaseInUse(path)) return;
    }
    showMenuAfresh();
    ui::forms().unload<frmUtilities>();
    ui::forms().unload<frmFindDb>();
}

void frmFindDb::cmdReturn_Click() {
    ui::forms().get<frmUtilities>()->show();
    ui::forms().unload<frmFindDb>();
}

void frmFindDb::cmdHelp_Click() {
    showHelp(QStringLiteral("Change File\n\n"
                            "The database files of your data folder are listed with their "
                            "description and the dates of their first and last match.\n\n"
                            "Click Select next to the file you want to use.\n"));
}
