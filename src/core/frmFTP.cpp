#include "core/frmFTP.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <algorithm>

#include "core/backup_repair_upgrade.h"
#include "core/connection.h"
#include "core/contacts.h"
#include "core/helpers.h"
#include "platform/db/DatabaseFile.h"
#include "platform/files/FileCopy.h"
#include "platform/files/Paths.h"
#include "platform/net/FtpSession.h"
#include "platform/ui/ui.h"

namespace {

// The support server: the placeholder account, or the one KESTRIVANE_FTP_URL names.
struct FtpAccount {
    QString server;
    QString user;
    QString password;
};

FtpAccount supportAccount() {
    const QString override = qEnvironmentVariable("KESTRIVANE_FTP_URL");
    if (override.isEmpty())
        return {QStringLiteral("ftp://") + kSupportFtpHost + QLatin1Char('/'), kSupportFtpUser,
                kSupportFtpPassword};
    QUrl url(override);
    FtpAccount account{QString(), url.userName(), url.password()};
    url.setUserInfo(QString());
    account.server = url.toString();
    return account;
}

// The description file: the database's path, its version and the program's version, each line
// ended by CR LF. Returns "" when written, else the reason.
QString writeDescription(const QString& path) {
    const QString text = gDbPath + QStringLiteral("\r\n") + QStringLiteral("DB: ") +
                         signedNumberText(static_cast<long long>(gDbVersion)) + QStringLiteral("\r\n") +
                         QStringLiteral("Application: ") + gAppVersion + QStringLiteral("\r\n");
    return files::writeFileReplacing(path, text.toUtf8());
}

}  // namespace

QString sendName(const QString& schoolName, const QDateTime& when) {
    QString name = schoolName;
    for (QChar& c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("/\\:*?\"<>|").contains(c)) c = QLatin1Char('_');
    }
    return name + backupTimeStamp(when);
}

void frmFTP::Form_Load() {
    const QString folder = files::folderOf(gDbPath);
    if (!folder.isEmpty()) QDir::setCurrent(folder);
    const QString name = sendName(gSchoolName, QDateTime::currentDateTime());
    const QString copyPath = folder + name + QStringLiteral(".mdb");
    const QString descriptionPath = folder + name + QStringLiteral(".txt");

    // Nothing is sent unless both files are complete.
    QString failure = db::copyDatabase(gDbPath, copyPath, files::NewFile::Existing::ReplaceOwn);
    if (failure.isEmpty()) failure = writeDescription(descriptionPath);
    if (!failure.isEmpty()) {
        ui::msgBox(QStringLiteral("The database could not be prepared for sending.\n\n") + failure,
                   ui::Buttons::OK, QStringLiteral("Error"));
        return;
    }

    const FtpAccount account = supportAccount();
    net::FtpSession ftp(account.server, account.user, account.password);
    if (!ftp.connect()) {
        ui::msgBox(QStringLiteral("Unable to create FTP connection"), ui::Buttons::OK,
                   QStringLiteral("Error"));
        return;
    }
    if (ftp.putFile(copyPath, name + QStringLiteral(".mdb"), net::FtpSession::Mode::Binary))
        ui::msgBox(QStringLiteral("Database Transfer Successful, remember to send an email to ") +
                       kSupportEmail,
                   ui::Buttons::OK, QStringLiteral("Sucess"));
    else
        // A failed transfer is not reported under a success title.
        ui::msgBox(QStringLiteral("Error while sending.  Please try again or send an email to ") +
                       kSupportEmail + QStringLiteral(" for assistance"),
                   ui::Buttons::OK, QStringLiteral("Error"));
    ftp.putFile(descriptionPath, name + QStringLiteral(".txt"), net::FtpSession::Mode::Text);
}
