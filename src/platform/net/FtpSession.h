#pragma once

#include <QString>

namespace net {

// One FTP session with a server: it logs in once and then puts files into the account's
// starting folder, over the same connection. Every step is bounded in time, so that a server
// that stops answering ends the step with an error instead of blocking for good.
//
//     net::FtpSession ftp(QStringLiteral("ftp://host/"), user, password);
//     if (!ftp.connect()) ... ftp.lastError() ...
//     ftp.putFile(localPath, QStringLiteral("name.mdb"), net::FtpSession::Mode::Binary);
class FtpSession {
public:
    enum class Mode { Binary, Text };

    // `server` is an ftp:// address of the server (with a port when not the default one, and
    // optionally a folder ending in "/"). User and password are sent as given.
    FtpSession(const QString& server, const QString& user, const QString& password);
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    // Reaches the server and logs in. False when the server cannot be reached or refuses the
    // account; lastError() then says why.
    bool connect();

    // Sends the local file under `remoteName` (a plain file name, any characters) into the
    // server folder: byte for byte (Binary) or as text (Text, the server may change line ends).
    // True when the server took the whole file; otherwise lastError() says why.
    bool putFile(const QString& localPath, const QString& remoteName, Mode mode);

    QString lastError() const { return lastError_; }

private:
    void applyCommonOptions();

    void* curl_ = nullptr;  // the libcurl easy handle; it keeps the logged-in connection
    QString server_;
    QString user_;
    QString password_;
    QString lastError_;
    // Time limits, in seconds: to reach the server, for each answer of the server, and for a
    // transfer that moves no data at all.
    static constexpr long connectSeconds_ = 30;
    static constexpr long answerSeconds_ = 60;
    static constexpr long stalledSeconds_ = 60;
};

}  // namespace net
