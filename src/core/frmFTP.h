#pragma once

#include <QDateTime>
#include <QString>

#include "platform/ui/Form.h"

// Sends a copy of the database in use, with a short text file describing it, to the FTP server
// that KESTRIVANE_FTP_URL names. The whole transfer is the form's load; the form is never shown.
class frmFTP : public ui::Form {
    Q_OBJECT
public:
    frmFTP() = default;

    void Form_Load() override;
};

// Whether a server to send the database to is set up. When none is, says so (what to set and
// where) and returns false; nothing is written then.
bool sendServerSetUp();

// The name the database is sent under: the home school's name followed by the backup time stamp
// of `when`. Characters that file systems refuse in a name ("/", "\", ":", "*", "?", '"', "<",
// ">", "|" and control characters) become "_".
QString sendName(const QString& schoolName, const QDateTime& when);
