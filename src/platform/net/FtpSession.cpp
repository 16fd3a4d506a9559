#include "platform/net/FtpSession.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cstdio>
#include <curl/curl.h>

namespace net {

namespace {

CURL* handle(void* curl) { return static_cast<CURL*>(curl); }

void initialiseOnce() {
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

// The server address with exactly one "/" at its end, so a file name can follow it.
QString folderUrl(const QString& server) {
    QString url = server;
    while (url.endsWith(QLatin1Char('/'))) url.chop(1);
    return url + QLatin1Char('/');
}

QString curlReason(CURLcode code, const char* detail) {
    QString reason = QString::fromUtf8(curl_easy_strerror(code));
    if (detail && *detail) reason += QStringLiteral(": ") + QString::fromUtf8(detail).trimmed();
    return reason;
}

}  // namespace

FtpSession::FtpSession(const QString& server, const QString& user, const QString& password)
    : server_(folderUrl(server)), user_(user), password_(password) {
    initialiseOnce();
    curl_ = curl_easy_init();
}

FtpSession::~FtpSession() {
    if (curl_) curl_easy_cleanup(handle(curl_));
}

void FtpSession::applyCommonOptions() {
    CURL* c = handle(curl_);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_USERNAME, user_.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_PASSWORD, password_.toUtf8().constData());
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, connectSeconds_);
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, answerSeconds_);
    // A transfer that moves less than one byte a second for that long is given up.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, stalledSeconds_);
}

bool FtpSession::connect() {
    lastError_.clear();
    if (!curl_) {
        lastError_ = QStringLiteral("The network library could not be started.");
        return false;
    }
    CURL* c = handle(curl_);
    char detail[CURL_ERROR_SIZE] = {};
    curl_easy_reset(c);
    applyCommonOptions();
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(c, CURLOPT_URL, server_.toUtf8().constData());
    // Log in and go to the folder, but list nothing.
    curl_easy_setopt(c, CURLOPT_NOBODY, 1L);
    const CURLcode code = curl_easy_perform(c);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
    if (code == CURLE_OK) return true;
    lastError_ = curlReason(code, detail);
    return false;
}

bool FtpSession::putFile(const QString& localPath, const QString& remoteName, Mode mode) {
    lastError_.clear();
    if (!curl_) {
        lastError_ = QStringLiteral("The network library could not be started.");
        return false;
    }
    FILE* file = std::fopen(QFile::encodeName(localPath).constData(), "rb");
    if (!file) {
        lastError_ = QStringLiteral("The file %1 cannot be read.").arg(localPath);
        return false;
    }
    CURL* c = handle(curl_);
    char detail[CURL_ERROR_SIZE] = {};
    const QByteArray url =
        server_.toUtf8() + QUrl::toPercentEncoding(remoteName);
    // The handle keeps its connection across the reset, so the login is not repeated.
    curl_easy_reset(c);
    applyCommonOptions();
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, detail);
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_READDATA, file);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE,
                     static_cast<curl_off_t>(QFileInfo(localPath).size()));
    curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, mode == Mode::Text ? 1L : 0L);
    const CURLcode code = curl_easy_perform(c);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, nullptr);
    std::fclose(file);
    if (code == CURLE_OK) return true;
    lastError_ = curlReason(code, detail);
    return false;
}

}  // namespace net
