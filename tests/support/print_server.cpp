#include "support/print_server.h"

#include <cups/cups.h>
#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

namespace {

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Makes libcups, and Qt through it, ask the server named by CUPS_SERVER from now on.
void forgetServer() { cupsSetServer(nullptr); }

// Whether a scheduler takes connections on the socket `path`. The socket's file is there a moment
// before it does: it is bound before it listens.
bool listening(const QString& path) {
    http_t* http = httpConnect2(QFile::encodeName(path).constData(), 0, nullptr, AF_UNSPEC,
                                HTTP_ENCRYPTION_NEVER, 1, 1000, nullptr);
    if (!http) return false;
    httpClose(http);
    return true;
}

}  // namespace

LocalPrintServer::LocalPrintServer(const QString& queue, const QString& description) : queue_(queue) {
    hadServer_ = qEnvironmentVariableIsSet("CUPS_SERVER");
    oldServer_ = qgetenv("CUPS_SERVER");
    if (!dir_.isValid()) {
        failure_ = QStringLiteral("no temporary folder");
        return;
    }
    const QString root = dir_.path();
    for (const char* sub : {"spool/temp", "cache", "state", "log", "ppd"}) QDir(root).mkpath(sub);
    socket_ = root + QStringLiteral("/cups.sock");
    // Run by root, the scheduler runs its helpers as the user lp; by anyone else, as that user.
    QString owner;
    if (geteuid() != 0) {
        const passwd* user = getpwuid(geteuid());
        const group* grp = getgrgid(getegid());
        if (user && grp)
            owner = QStringLiteral("User %1\nGroup %2\nSystemGroup %2\n")
                        .arg(QString::fromLocal8Bit(user->pw_name), QString::fromLocal8Bit(grp->gr_name));
    }
    const bool written =
        writeText(root + "/cupsd.conf",
                  QStringLiteral("Listen %1\nLogLevel warn\nBrowsing No\nWebInterface No\n"
                                 "DefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Policy default>\n  JobPrivateAccess all\n  JobPrivateValues none\n"
                                 "  SubscriptionPrivateAccess all\n  SubscriptionPrivateValues none\n"
                                 "  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n")
                      .arg(socket_)) &&
        writeText(root + "/cups-files.conf",
                  QStringLiteral("ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/spool/temp\n"
                                 "CacheDir %1/cache\nStateDir %1/state\nErrorLog %1/log/error_log\n"
                                 "AccessLog %1/log/access_log\nPageLog %1/log/page_log\n"
                                 "FileDevice Yes\nFatalErrors none\n%2")
                      .arg(root, owner));
    if (!written) {
        failure_ = QStringLiteral("the configuration could not be written");
        return;
    }
    cupsd_.setProcessChannelMode(QProcess::ForwardedChannels);
    // A test that crashes or is killed takes its scheduler with it: none is left running, holding
    // the test's output open.
    cupsd_.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    cupsd_.start(QStringLiteral("/usr/sbin/cupsd"),
                 {"-f", "-c", root + "/cupsd.conf", "-s", root + "/cups-files.conf"});
    if (!cupsd_.waitForStarted(10000)) {
        failure_ = QStringLiteral("cupsd does not start (tools/setup.sh installs cups-daemon): ") +
                   cupsd_.errorString();
        return;
    }
    const QDeadlineTimer deadline(20000);
    while (!listening(socket_) && cupsd_.state() == QProcess::Running && !deadline.hasExpired())
        QThread::msleep(20);
    if (!listening(socket_)) {
        failure_ = QStringLiteral("cupsd does not listen on its socket");
        return;
    }
    qputenv("CUPS_SERVER", QFile::encodeName(socket_));
    forgetServer();
    // A queue that takes jobs and keeps them: its device is never reached.
    QStringList queueArgs = {"-p", queue_, "-v", "file:///dev/null", "-E"};
    if (!description.isEmpty()) queueArgs << "-D" << description;
    if (!admin("lpadmin", queueArgs) || !admin("lpadmin", {"-d", queue_}) || !admin("cupsdisable")) return;
}

LocalPrintServer::~LocalPrintServer() {
    if (hadServer_) qputenv("CUPS_SERVER", oldServer_);
    else qunsetenv("CUPS_SERVER");
    forgetServer();
    stop();
    if (!userOptions_.isEmpty()) QFile::remove(userOptions_);
}

bool LocalPrintServer::setUserOptions(const QString& text) {
    userOptions_ = QDir::home().filePath(QStringLiteral(".cups/lpoptions"));
    return QDir::home().mkpath(QStringLiteral(".cups")) && writeText(userOptions_, text);
}

void LocalPrintServer::silence() {
    if (cupsd_.state() == QProcess::Running) ::kill(static_cast<pid_t>(cupsd_.processId()), SIGSTOP);
}

void LocalPrintServer::stop() {
    if (cupsd_.state() != QProcess::NotRunning) {
        ::kill(static_cast<pid_t>(cupsd_.processId()), SIGCONT);
        cupsd_.terminate();
        if (!cupsd_.waitForFinished(10000)) {
            cupsd_.kill();
            cupsd_.waitForFinished(10000);
        }
    }
}

bool LocalPrintServer::admin(const QString& command, QStringList args) {
    if (args.isEmpty()) args = {queue_};
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The commands lie beside cupsd, outside an ordinary user's PATH.
    process.start(QStringLiteral("/usr/sbin/") + command, QStringList{"-h", socket_} + args);
    const bool done = process.waitForFinished(20000);
    if (done && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return true;
    failure_ = command + " " + args.join(' ') + ": " +
               (done ? QString::fromLocal8Bit(process.readAll()) : process.errorString());
    return false;
}

QStringList LocalPrintServer::jobTitles() const {
    QStringList titles;
    for (const Job& job : jobs()) titles << job.title;
    return titles;
}

std::vector<LocalPrintServer::Job> LocalPrintServer::jobs() const {
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &list, queue_.toUtf8().constData(), 0,
                                   CUPS_WHICHJOBS_ACTIVE);
    std::vector<Job> jobs;
    for (int i = 0; i < count; ++i) {
        Job job;
        job.title = QString::fromUtf8(list[i].title);
        job.document = dir_.filePath(QStringLiteral("spool/d%1-001").arg(list[i].id, 5, 10, QLatin1Char('0')));
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", list[i].id);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
        for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
            char value[1024];
            ippAttributeString(a, value, sizeof value);
            if (ippGetName(a)) job.attributes.insert(QString::fromUtf8(ippGetName(a)), QString::fromUtf8(value));
        }
        ippDelete(response);
        jobs.push_back(job);
    }
    cupsFreeJobs(count, list);
    return jobs;
}
