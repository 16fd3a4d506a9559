#include "core/frmChangeDesc.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "core/connection.h"
#include "core/frmHelp.h"
#include "core/frmUtilities.h"
#include "core/helpers.h"
#include "core/settings_rows.h"
#include "platform/ui/ui.h"

frmChangeDesc::frmChangeDesc() {
    setWindowTitle(QStringLiteral("Change File Description"));

    Frame1 = ui::frame(this, QStringLiteral("Frame1"), QStringLiteral("Change Description"));
    txtDesc = ui::textBox(Frame1, QStringLiteral("txtDesc"));
    cmdReturn = ui::button(this, QStringLiteral("cmdReturn"), QStringLiteral("&Return"));
    cmdCreate = ui::button(this, QStringLiteral("cmdCreate"), QStringLiteral("&Update"));
    cmdHelp = ui::button(this, QStringLiteral("cmdHelp"), QStringLiteral("&Help"));

    ui::place(Frame1, 240, 240, 6000, 900);
    ui::place(txtDesc, 120, 360, 5760, 345);
    ui::place(cmdCreate, 480, 1380, 1500, 495);
    ui::place(cmdReturn, 2490, 1380, 1500, 495);
    ui::place(cmdHelp, 4500, 1380, 1500, 495);
    setFixedSize(ui::twips(6480), ui::twips(2100));

    ui::onClick(cmdReturn, [this] { cmdReturn_Click(); });
    ui::onClick(cmdCreate, [this] { cmdCreate_Click(); });
    ui::onClick(cmdHelp, [this] { cmdHelp_Click(); });
}

void frmChangeDesc::Form_Load() {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT * FROM License WHERE seq = 2"));
    if (rs.isEOF())
        txtDesc->clear();
    else
        txtDesc->setText(nzString(rs.field(QStringLiteral("school"))).toString());
    closeRecordset(rs);
}

void frmChangeDesc::cmdReturn_Click() {
    ui::forms().get<frmUtilities>()->show();
    ui::forms().unload<frmChangeDesc>();
}

void frmChangeDesc::cmdCreate_Click() { saveDbDescription(txtDesc->text()); }

void frmChangeDesc::cmdHelp_Click() {
    showHelp(QStringLiteral("Change File Description\n\n"
                            "Type a description of this file and click Update.\n\n"
                            "The description tells your files apart under Utilities, Change File.\n"));
}
