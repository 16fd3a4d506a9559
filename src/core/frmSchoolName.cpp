#include "core/frmSchoolName.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/connection.h"
#include "core/frmInit.h"
#include "core/save_rules.h"
#include "core/settings_rows.h"
#include "platform/ui/ui.h"

frmSchoolName::frmSchoolName() {
    setWindowTitle(QStringLiteral("School Name"));

    lblQuestion = ui::label(this, QStringLiteral("lblQuestion"),
                            QStringLiteral("What is the name of your school?"));
    txtSchool = ui::textBox(this, QStringLiteral("txtSchool"));
    cmdOk = ui::button(this, QStringLiteral("cmdOk"), QStringLiteral("&Ok"));
    cmdCancel = ui::button(this, QStringLiteral("cmdCancel"), QStringLiteral("&Cancel"));

    ui::place(lblQuestion, 240, 240, 6000, 285);
    ui::place(txtSchool, 240, 585, 6000, 345);
    ui::place(cmdOk, 1200, 1200, 1500, 495);
    ui::place(cmdCancel, 3780, 1200, 1500, 495);
    setFixedSize(ui::twips(6480), ui::twips(1935));

    ui::onClick(cmdOk, [this] { cmdOk_Click(); });
    ui::onClick(cmdCancel, [this] { cmdCancel_Click(); });
    // Enter after the name answers the question.
    ui::onKeyPress(txtSchool, [this](int& key) {
        if (key != 13) return;
        key = 0;
        cmdOk->click();
    });
}

// Escape, wherever the focus is on the form, answers as Cancel does, as in a message box.
void frmSchoolName::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cmdCancel->click();
        return;
    }
    ui::Form::keyPressEvent(event);
}

void frmSchoolName::Form_Load() {
    ConnectionScope connection;
    db::Recordset rs = openRecordset(QStringLiteral("SELECT * FROM License WHERE Seq = 1"));
    if (!rs.isEOF()) schoolShown_ = rs.image();
    closeRecordset(rs);
}

// The close box answers as Cancel does.
void frmSchoolName::Form_QueryUnload(bool& cancel) {
    cancel = true;
    cmdCancel_Click();
}

void frmSchoolName::cmdOk_Click() {
    // No name keeps the template's, as Cancel does.
    if (txtSchool->text().trimmed().isEmpty()) {
        cmdCancel_Click();
        return;
    }
    const QString school = typedSchoolName(txtSchool);
    if (school.isEmpty()) return;
    // A name another copy gave the file meanwhile is not written over: the coach is told, and
    // the menu shows the name the file now has.
    tellRowChanged([&] { saveSchoolName(school, schoolShown_); });
    ui::forms().unload<frmSchoolName>();
    showMenuAfresh();
}

void frmSchoolName::cmdCancel_Click() {
    ui::forms().unload<frmSchoolName>();
    showMenuAfresh();
    ui::msgBox(
        QStringLiteral("To set your school's name later: Utilities, Change File Description, "
                       "type it under School Name and click Update."),
        ui::Buttons::OK, QStringLiteral("School Name"));
}

QString typedSchoolName(QLineEdit* box) {
    const QString name = box->text().trimmed();
    QString refusal;
    if (name.isEmpty())
        refusal = QStringLiteral("Please enter the name of your school");
    else if (db::characterCount(name) > kMaxSchoolNameLength)
        refusal =
            QStringLiteral("School Name must be at most %1 characters").arg(kMaxSchoolNameLength);
    if (refusal.isEmpty()) return name;
    ui::msgBox(refusal, ui::Buttons::OK, QStringLiteral("ERROR"));
    box->setFocus();
    return QString();
}

void showMenuAfterFirstRun() {
    if (gSchoolName.trimmed().isEmpty() || gSchoolName == kTemplateSchoolName)
        ui::forms().get<frmSchoolName>()->show();
    else
        showMenuAfresh();
}
