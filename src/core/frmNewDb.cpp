#include "core/frmNewDb.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/frmInit.h"
#include "core/frmUtilities.h"
#include "core/settings_rows.h"
#include "core/startup.h"
#include "platform/db/DatabaseFile.h"
#include "platform/files/Paths.h"
#include "platform/ui/ui.h"
#include "team/frmImport.h"

namespace {

const QString kBlankTemplate = QStringLiteral("Blank_MatchInfo.md_");
constexpr int kMaxDescription = 50;

// A file name the user may give: no folder in it, and not a name of a folder itself.
bool isPlainFileName(const QString& name) {
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) &&
           name != QLatin1String(".") && name != QLatin1String("..");
}

// Removes a new file that is not to be used, with what the engine may have left beside it. The
// connection lets go of it first.
void removeNewFile(const QString& path) {
    gConn.close();
    QFile::remove(path);
    QFile::remove(path + QStringLiteral("-journal"));
}

}  // namespace

frmNewDb::frmNewDb() {
    setWindowTitle(QStringLiteral("Create New File"));

    Frame1 = ui::frame(this, QStringLiteral("Frame1"), QStringLiteral("File Name"));
    txtFileName = ui::textBox(Frame1, QStringLiteral("txtFileName"));
    Frame2 = ui::frame(this, QStringLiteral("Frame2"), QStringLiteral("Description"));
    txtDesc = ui::textBox(Frame2, QStringLiteral("txtDesc"));
    // The buttons are made in the order they stand on the form, which Tab follows.
    cmdCreate = ui::button(this, QStringLiteral("cmdCreate"), QStringLiteral("&Create New"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));

    ui::place(Frame1, 240, 240, 6000, 900);
    ui::place(txtFileName, 120, 360, 5760, 345);
    ui::place(Frame2, 240, 1260, 6000, 900);
    ui::place(txtDesc, 120, 360, 5760, 345);
    ui::place(cmdCreate, 480, 2400, 1500, 495);
    ui::place(cmdReturn, 2490, 2400, 1500, 495);
    ui::place(cmdHelp, 4500, 2400, 1500, 495);
    setFixedSize(ui::twips(6480), ui::twips(3120));

    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdCreate, [this] { cmdCreate_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmNewDb::Form_Load() {
    // The first free name of MATCHinfo.mdb, MATCHinfo1.mdb, MATCHinfo2.mdb, ... A name that
    // differs from a file's only in letter case is no free name.
    QString name = QStringLiteral("MATCHinfo");
    for (int k = 1; !files::nameTakenAlike(gDbFolder + name + QStringLiteral(".mdb")).isEmpty(); ++k)
        name = QStringLiteral("MATCHinfo") + QString::number(k);
    txtFileName->setText(name);
    txtDesc->setText(QStringLiteral("New File created ") +
                     QDate::currentDate().toString(QStringLiteral("M/d/yyyy")));
}

void frmNewDb::cmdReturn_Click() {
    ui::forms().get<frmUtilities>()->show();
    ui::forms().unload<frmNewDb>();
}

void frmNewDb::cmdCreate_Click() {
    if (db::characterCount(txtDesc->text()) > kMaxDescription) {
        ui::msgBox(QStringLiteral("Description Field must be less than 50 characters"),
                   ui::Buttons::OKCancel, QStringLiteral("ERROR"));
        txtDesc->setFocus();
        return;
    }
    // A data folder without its blank database gets the one installed with the program.
    const QString blank = gDbFolder + kBlankTemplate;
    if (!QFileInfo::exists(blank)) {
        const QString failure = provideBlankTemplate(gDbFolder);
        if (!failure.isEmpty()) {
            ui::msgBox(QStringLiteral("Blank Database does not exist, and the one installed with "
                                      "Kestrivane could not be put in its place.\n\n") +
                           failure,
                       ui::Buttons::OK, QStringLiteral("ERROR"));
            return;
        }
    }
    // A name refused is corrected in its box.
    const auto refuseName = [this](const QString& refusal) {
        ui::msgBox(refusal, ui::Buttons::OK, QStringLiteral("ERROR"));
        txtFileName->setFocus();
    };
    if (txtFileName->text().trimmed().isEmpty()) {
        refuseName(QStringLiteral("Please enter a file name"));
        return;
    }
    // The file goes into the data folder and nowhere else.
    if (!isPlainFileName(txtFileName->text())) {
        refuseName(QStringLiteral("Please enter a file name without a folder"));
        return;
    }
    const QString path = gDbFolder + txtFileName->text() + QStringLiteral(".mdb");
    // A file whose name differs only in letter case would be taken for this one.
    if (const QString taken = files::nameTakenAlike(path); !taken.isEmpty()) {
        refuseName(taken + QStringLiteral(" file already exists.  Please rename"));
        return;
    }

    // The new file is made complete (copied, given the school and the description, its schools
    // imported) before it becomes the file in use. A failure on the way removes it and leaves the
    // file in use and the configuration file as they were.
    const QString failure = db::copyDatabase(blank, path, files::NewFile::Existing::Keep,
                                               db::CopySource::Template);
    if (!failure.isEmpty()) {
        ui::msgBox(QStringLiteral("The file could not be created.\n\n") + failure, ui::Buttons::OK,
                   QStringLiteral("ERROR"));
        return;
    }
    const QString keptPath = gDbPath;
    gDbPath = path;
    try {
        fillNewFile();
    } catch (const std::exception& error) {
        gDbPath = keptPath;
        removeNewFile(path);
        ui::msgBox(QStringLiteral("The file could not be created.\n\n") + path +
                       QStringLiteral(": ") + QString::fromUtf8(error.what()),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }
    gDbPath = keptPath;
    if (!setDatabaseInUse(path)) {
        // The new file is in use nowhere: it goes again, so that the same name can be tried
        // once the configuration file can be written.
        removeNewFile(path);
        return;
    }

    ui::msgBox(path + QStringLiteral(" file created"), ui::Buttons::OK, QStringLiteral("Copy completed"));
    showMenuAfresh();
    ui::forms().unload<frmUtilities>();
    ui::forms().unload<frmNewDb>();
}

void frmNewDb::fillNewFile() {
    saveSchoolName(gSchoolName);
    // The new file is a copy nobody else has opened yet: its description row, if the blank file
    // has one, is simply written over.
    saveDbDescription(txtDesc->text());

    if (ui::msgBox(QStringLiteral("Import Schools?"), ui::Buttons::YesNo, QStringLiteral("IMPORT")) !=
        ui::Answer::Yes)
        return;
    gImportFile = findSchoolList();
    if (gImportFile.isEmpty()) {
        ui::msgBox(QStringLiteral("Unable to find school listing.  Create New imports a file of ") +
                       gDbFolder +
                       QStringLiteral(" named with two characters and \" school list.txt\" "
                                      "(for example \"01 school list.txt\"), holding each "
                                      "school's division, a comma and its name, one school to a "
                                      "line (3,Central High).  To import a list into the new file "
                                      "later: Enter Opp. Roster, Add Schools, Import School List."),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        return;
    }
    // The lists are applied as the import form builds them; nobody reviews them here.
    frmImport* import = ui::forms().get<frmImport>();
    try {
        if (!import->refused()) {
            import->show();
            applySchoolImport();
        }
    } catch (...) {
        ui::forms().unload<frmImport>();
        throw;
    }
    ui::forms().unload<frmImport>();
}

QString frmNewDb::findSchoolList() {
    const QStringList names = QDir(gDbFolder).entryList(
        {QStringLiteral("?? school list.txt")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    QString kept;
    int keptValue = 0;
    for (const QString& name : names) {
        // The value of a name: the digits its first two characters begin with (0 for none).
        int value = 0;
        for (const QChar c : name.left(2)) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9')) break;
            value = value * 10 + c.digitValue();
        }
        if (kept.isEmpty() || value < keptValue) {
            kept = name;
            keptValue = value;
        }
    }
    return kept.isEmpty() ? QString() : gDbFolder + kept;
}

void frmNewDb::cmdHelp_Click() {
    showHelp(QStringLiteral("New File\n\n"
                            "Enter a new file name and description for your stats\n\n"
                            "This would be used if you want to start a new season or \n"
                            "if you have your team split into multiple groups\n"
                            "change which file you are using under Utilities, Change File\n"));
}
