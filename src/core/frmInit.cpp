#include "core/frmInit.h"

#include <QFont>
#include <QFontMetrics>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "core/connection.h"
#include "core/frmDirLoc.h"
#include "core/frmFileLoc.h"
#include "core/frmUtilities.h"
#include "core/frm_revisions.h"
#include "core/startup.h"
#include "matches/frmFindMatch.h"
#include "matches/frmMatchInfo.h"
#include "platform/db/DbError.h"
#include "platform/db/FileInUse.h"
#include "platform/ui/ui.h"
#include "statistics/frmReports.h"
#include "team/FrmRoster.h"
#include "team/frmHomeWI.h"

// The program's pictures live in the library's resources; a static library registers them by
// hand.
static void loadPictures() {
    static bool loaded = false;
    if (!loaded) Q_INIT_RESOURCE(resources);
    loaded = true;
}

namespace {

const QString kUpgradeTip = QStringLiteral("Upgrade to current version to use");

// Shows the school's name in the label's large bold font, made smaller (down to `leastSize`)
// when the name is too wide for the label. A name wider still is cut with "..." and given whole
// as the label's tool tip.
void showSchoolName(QLabel* label, const QString& name, int largestSize, int leastSize) {
    QFont font = label->font();
    for (int size = largestSize; size >= leastSize; --size) {
        font.setPointSize(size);
        if (QFontMetrics(font).horizontalAdvance(name) <= label->width()) break;
    }
    label->setFont(font);
    const QFontMetrics metrics(font);
    const bool fits = metrics.horizontalAdvance(name) <= label->width();
    label->setText(fits ? name : metrics.elidedText(name, Qt::ElideRight, label->width()));
    label->setToolTip(fits ? QString() : name);
}

}  // namespace

frmInit::frmInit() {
    setWindowTitle(QStringLiteral("Kestrivane"));
    // The menu is where the coach is brought back to when no other form can be shown.
    ui::forms().setMainForm<frmInit>();

    loadPictures();
    imgKestrivane = ui::label(this, QStringLiteral("imgKestrivane"));
    imgKestrivane->setPixmap(QPixmap(QStringLiteral(":/logo.png")));
    imgKestrivane->setScaledContents(true);

    cmdRoster = ui::button(this, QStringLiteral("cmdRoster"), QStringLiteral("Enter &Opp. Roster"));
    cmdEnter = ui::button(this, QStringLiteral("cmdEnter"), QStringLiteral("&Enter Matches"));
    cmdReports = ui::button(this, QStringLiteral("cmdReports"), QStringLiteral("&Reports"));
    cmdHomeWI = ui::button(this, QStringLiteral("cmdHomeWI"), QStringLiteral("Enter &Home Weigh-in"));
    cmdEdit = ui::button(this, QStringLiteral("cmdEdit"), QStringLiteral("E&dit Matches"));
    cmdUtilities = ui::button(this, QStringLiteral("cmdUtilities"), QStringLiteral("&Utilites"));
    cmdEnd = ui::button(this, QStringLiteral("cmdEnd"), QStringLiteral("E&nd"));

    Label2 = ui::label(this, QStringLiteral("Label2"), QStringLiteral("Created for "));
    lblSchool = ui::label(this, QStringLiteral("lblSchool"));
    lblVersion = ui::label(this, QStringLiteral("lblVersion"));
    lblFile = ui::label(this, QStringLiteral("lblFile"));

    QFont schoolFont = lblSchool->font();
    schoolFont.setBold(true);
    lblSchool->setFont(schoolFont);
    lblVersion->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    // Layout in twips: the logo across the top, the buttons in two rows of three, End centred
    // below them, the school and the file bottom left, the version bottom right.
    constexpr int kButtonWidth = 2000, kButtonHeight = 700;
    constexpr int kLeft = 960, kMiddle = 3200, kRight = 5440;
    constexpr int kRow1 = 3240, kRow2 = 4080, kRow3 = 4920;
    ui::place(imgKestrivane, 120, 120, 8160, 2850);
    ui::place(cmdRoster, kLeft, kRow1, kButtonWidth, kButtonHeight);
    ui::place(cmdEnter, kMiddle, kRow1, kButtonWidth, kButtonHeight);
    ui::place(cmdReports, kRight, kRow1, kButtonWidth, kButtonHeight);
    ui::place(cmdHomeWI, kLeft, kRow2, kButtonWidth, kButtonHeight);
    ui::place(cmdEdit, kMiddle, kRow2, kButtonWidth, kButtonHeight);
    ui::place(cmdUtilities, kRight, kRow2, kButtonWidth, kButtonHeight);
    ui::place(cmdEnd, kMiddle, kRow3, kButtonWidth, kButtonHeight);
    ui::place(Label2, 240, 5820, 3000, 285);
    ui::place(lblSchool, 240, 6105, 5400, 420);
    ui::place(lblVersion, 5640, 6165, 2640, 285);
    ui::place(lblFile, 240, 6585, 8040, 285);
    setFixedSize(ui::twips(8400), ui::twips(7020));

    setTabOrder(cmdReports, cmdEnd);
    setTabOrder(cmdEnd, cmdUtilities);
    setTabOrder(cmdUtilities, cmdHomeWI);
    setTabOrder(cmdHomeWI, cmdRoster);
    setTabOrder(cmdRoster, cmdEdit);
    setTabOrder(cmdEdit, cmdEnter);
    // The focus starts on the first button of that order when the menu is shown.
    cmdReports->setFocus();

    ui::onClick(cmdRoster, [this] { cmdRoster_Click(); });
    ui::onClick(cmdEnter, [this] { cmdEnter_Click(); });
    ui::onClick(cmdReports, [this] { cmdReports_Click(); });
    ui::onClick(cmdHomeWI, [this] { cmdHomeWI_Click(); });
    ui::onClick(cmdEdit, [this] { cmdEdit_Click(); });
    ui::onClick(cmdUtilities, [this] { cmdUtilities_Click(); });
    ui::onClick(cmdEnd, [this] { cmdEnd_Click(); });
}

void frmInit::Form_Load() {
    if (!screenCheck(ui::screenSize())) return;

    startUp();
    if (programEnded()) return;
    // The first run put up its own form in place of the menu; that form shows the menu afresh
    // once a database has been chosen.
    if (ui::forms().isLoaded<frmDirLoc>() || ui::forms().isLoaded<frmFileLoc>()) return;

    const QString openFailure = databaseOpenFailure();
    // The coach comes back to the menu from another form while another program writes to the
    // file: he stays where he is, told to try again when it is done. (The menu shown at the start,
    // or when no other form is left, says so and leaves Utilities to him.)
    const ui::Form* from = ui::Form::activeForm();
    if (!openFailure.isEmpty() && from && from != this && from->isVisible() &&
        db::fileInUse(gDbPath))
        throw db::DbError(openFailure);
    // A file held by another program is not refused: each button tries it again.
    heldAtLoad_ = databaseHeld();
    const bool oldDatabase = !heldAtLoad_ && gDbVersion < 7;
    for (QPushButton* button : {cmdHomeWI, cmdRoster}) {
        button->setEnabled(!oldDatabase);
        button->setToolTip(oldDatabase && openFailure.isEmpty() ? kUpgradeTip : QString());
    }

    // A held file has told neither its school nor its version yet: the labels stay empty until
    // a button opens it and they are filled.
    const QString version = ui::forms().get<frm_revisions>()->lblVersion->text();
    ui::forms().unload<frm_revisions>();
    const int formSize = Label2->font().pointSize();
    showSchoolName(lblSchool, heldAtLoad_ ? QString() : gSchoolName, formSize + 4, formSize);
    lblVersion->setText(heldAtLoad_ ? QString() : QStringLiteral("Version: ") + version);
    lblFile->setText(gDbPath);

    show();

    if (heldAtLoad_) {
        ui::msgBox(QStringLiteral("The database file ") + gDbPath +
                       QStringLiteral(" is in use: another program, or another copy of this one, "
                                      "holds it.\n\nWait until it is free and try again: each "
                                      "button of the menu opens it then."),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
    } else if (!openFailure.isEmpty()) {
        // Only another file can help: Utilities stays open to choose or create one.
        ui::msgBox(QStringLiteral("The database file ") + gDbPath +
                       QStringLiteral(" cannot be opened.\n\n") + openFailure +
                       QStringLiteral("\n\nChoose or create another file under Utilities."),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
    } else if (gDbVersion != 8) {
        ui::msgBox(QStringLiteral("The database file must be upgraded to use this version.  "
                                  "Please re-open Kestrivane.  DB version: ") +
                       QString::number(gDbVersion),
                   ui::Buttons::OK, QStringLiteral("ERROR"));
        if (gDbVersion < 7)
            ui::msgBox(QStringLiteral("Your database needs to be manually updated.  This version "
                                      "of Kestrivane cannot open a file older than version 7.  "
                                      "Choose or create another file under Utilities."),
                       ui::Buttons::OK, QStringLiteral("DB Upgrade Needed"));
    }
    if (!heldAtLoad_ && (!openFailure.isEmpty() || gDbVersion != 8)) {
        for (QPushButton* button : {cmdRoster, cmdHomeWI, cmdEnter, cmdEdit, cmdReports})
            button->setEnabled(false);
    }
}

void frmInit::Form_Activate() { lblFile->setText(gDbPath); }

void frmInit::Form_QueryUnload(bool& cancel) {
    cancel = true;
    ui::msgBox(QStringLiteral("Click 'End' to exit program"), ui::Buttons::OK, QStringLiteral("Exit"));
}

void frmInit::cmdRoster_Click() {
    if (!databaseReady()) return;
    ui::forms().get<FrmRoster>()->show();
    ui::forms().unload<frmInit>();
}

void frmInit::cmdEnter_Click() {
    if (!databaseReady()) return;
    ui::forms().get<frmMatchInfo>()->show();
    ui::forms().unload<frmInit>();
}

void frmInit::cmdReports_Click() {
    if (!databaseReady()) return;
    ui::forms().get<frmReports>()->show();
    ui::forms().unload<frmInit>();
}

void frmInit::cmdHomeWI_Click() {
    if (!databaseReady()) return;
    ui::forms().get<frmHomeWI>()->show();
    ui::forms().unload<frmInit>();
}

void frmInit::cmdEdit_Click() {
    if (!databaseReady()) return;
    ui::forms().get<frmFindMatch>()->show();
    ui::forms().unload<frmInit>();
}

void frmInit::cmdUtilities_Click() {
    ui::forms().get<frmUtilities>()->show();
    ui::forms().unload<frmInit>();
}

void frmInit::cmdEnd_Click() { endProgram(); }

bool frmInit::databaseReady() {
    if (!heldAtLoad_) return true;
    Form_Load();
    return !heldAtLoad_ && databaseOpenFailure().isEmpty() && gDbVersion == 8;
}

void showMenuAfresh() {
    ui::forms().unload<frmInit>();
    ui::forms().get<frmInit>();  // its load shows it
}
