#include "core/frmChangeDesc.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/connection.h"
#include "core/save_rules.h"
#include "core/frmHelp.h"
#include "core/frmSchoolName.h"
#include "core/frmUtilities.h"
#include "core/helpers.h"
#include "core/settings_rows.h"
#include "platform/ui/ui.h"

frmChangeDesc::frmChangeDesc() {
    setWindowTitle(QStringLiteral("Change File Description"));

    // Made in the order they stand on the form, which Tab follows.
    Frame1 = ui::frame(this, QStringLiteral("Frame1"), QStringLiteral("Change Description"));
    txtDesc = ui::textBox(Frame1, QStringLiteral("txtDesc"));
    Frame2 = ui::frame(this, QStringLiteral("Frame2"), QStringLiteral("School Name"));
    txtSchool = ui::textBox(Frame2, QStringLiteral("txtSchool"));
    cmdCreate = ui::button(this, QStringLiteral("cmdCreate"), QStringLiteral("&Update"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));

    ui::place(Frame1, 240, 240, 6000, 900);
    ui::place(txtDesc, 120, 360, 5760, 345);
    ui::place(Frame2, 240, 1260, 6000, 900);
    ui::place(txtSchool, 120, 360, 5760, 345);
    ui::place(cmdCreate, 480, 2400, 1500, 495);
    ui::place(cmdReturn, 2490, 2400, 1500, 495);
    ui::place(cmdHelp, 4500, 2400, 1500, 495);
    setFixedSize(ui::twips(6480), ui::twips(3120));

    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdCreate, [this] { cmdCreate_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmChangeDesc::Form_Load() {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT * FROM License WHERE seq = 2"));
    descShown_.reset();
    if (rs.isEOF()) {
        txtDesc->clear();
    } else {
        txtDesc->setText(nzString(rs.field(QStringLiteral("school"))).toString());
        descShown_ = rs.image();
    }
    closeRecordset(rs);
    rs = openRecordset(QStringLiteral("SELECT * FROM License WHERE Seq = 1"));
    if (!rs.isEOF()) {
        txtSchool->setText(nzString(rs.field(QStringLiteral("school"))).toString());
        schoolShown_ = rs.image();
    }
    closeRecordset(rs);
}

void frmChangeDesc::cmdReturn_Click() {
    ui::forms().get<frmUtilities>()->show();
    ui::forms().unload<frmChangeDesc>();
}

void frmChangeDesc::cmdCreate_Click() {
    const QString school = typedSchoolName(txtSchool);
    if (school.isEmpty()) return;
    txtSchool->setText(school);
    // The rows are then as this save left them, read in its transaction: the next Update writes
    // over those.
    db::RowImage school1, desc2;
    const bool saved = saveChecked([&] {
        school1 = saveSchoolName(school, schoolShown_);
        desc2 = saveDbDescription(txtDesc->text(), descShown_);
    });
    if (!saved) return;
    schoolShown_ = school1;
    descShown_ = desc2;
    // A file made or sent from Utilities before the menu reads the settings again carries it.
    gSchoolName = school;
}

void frmChangeDesc::cmdHelp_Click() {
    showHelp(QStringLiteral("Change File Description\n\n"
                            "Type a description of this file and the name of your school, and "
                            "click Update.\n\n"
                            "The description tells your files apart under Utilities, Change File.\n"
                            "The school's name stands on the main menu, the reports and the "
                            "printouts.\n"));
}
