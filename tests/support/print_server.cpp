#include "support/print_server.h"

#include <cups/cups.h>
#include <csignal>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <chrono>
#include <cstring>
#include <string>

namespace {

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) == text.toUtf8().size();
}

// Makes libcups, and Qt through it, ask the server named by CUPS_SERVER from now on.
void forgetServer() { cupsSetServer(nullptr); }

// The program's printing goes to the server on the socket `path` from now on.
void useServer(const QString& path) {
    qputenv("CUPS_SERVER", QFile::encodeName(path));
    forgetServer();
}

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
                                 "Printcap %1/printcap\nServerKeychain %1/ssl\nCreateSelfSignedCerts no\n"
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
    useServer(socket_);
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
    // Asked of the scheduler itself, past any proxy in front of it.
    http_t* http = httpConnect2(QFile::encodeName(socket_).constData(), 0, nullptr, AF_UNSPEC,
                                HTTP_ENCRYPTION_NEVER, 1, 10000, nullptr);
    if (!http) return {};
    cups_job_t* list = nullptr;
    const int count = cupsGetJobs2(http, &list, queue_.toUtf8().constData(), 0, CUPS_WHICHJOBS_ACTIVE);
    std::vector<Job> jobs;
    for (int i = 0; i < count; ++i) {
        Job job;
        job.title = QString::fromUtf8(list[i].title);
        job.document = dir_.filePath(QStringLiteral("spool/d%1-001").arg(list[i].id, 5, 10, QLatin1Char('0')));
        ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, "ipp://localhost/");
        ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "job-id", list[i].id);
        ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
        ipp_t* response = cupsDoRequest(http, request, "/");
        for (ipp_attribute_t* a = ippFirstAttribute(response); a; a = ippNextAttribute(response)) {
            char value[1024];
            ippAttributeString(a, value, sizeof value);
            if (ippGetName(a)) job.attributes.insert(QString::fromUtf8(ippGetName(a)), QString::fromUtf8(value));
        }
        ippDelete(response);
        jobs.push_back(job);
    }
    cupsFreeJobs(count, list);
    httpClose(http);
    return jobs;
}

namespace {

constexpr int kCreateJob = 0x0005;
constexpr int kSendDocument = 0x0006;

// Where the IPP message of an HTTP message starts in `bytes` (its first chunk's data when it is
// sent in chunks), or npos while its head is not all there.
size_t ippStart(const std::string& bytes) {
    const size_t head = bytes.find("\r\n\r\n");
    if (head == std::string::npos) return std::string::npos;
    std::string lower = bytes.substr(0, head);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (lower.find("transfer-encoding: chunked") == std::string::npos) return head + 4;
    const size_t size = bytes.find("\r\n", head + 4);
    return size == std::string::npos ? std::string::npos : size + 2;
}

// The operation (of a request) or status (of an answer) of the IPP message in `bytes`; -1 while
// it is not all there.
int ippCode(const std::string& bytes) {
    const size_t at = ippStart(bytes);
    if (at == std::string::npos || bytes.size() < at + 4) return -1;
    return (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
}

bool sendAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0) return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

sockaddr_un unixAddress(const QString& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(path).constData(), sizeof address.sun_path - 1);
    return address;
}

int connectTo(const QString& path) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = unixAddress(path);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) return fd;
    if (fd >= 0) ::close(fd);
    return -1;
}

}  // namespace

PrintServiceProxy::PrintServiceProxy(LocalPrintServer& server, Fault fault, int delayMs)
    : server_(server), fault_(fault), delayMs_(delayMs), socket_(server.folder() + QStringLiteral("/proxy.sock")) {
    listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address = unixAddress(socket_);
    ::unlink(address.sun_path);
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 16) != 0 ||
        ::pipe2(wake_, O_CLOEXEC) != 0) {
        server_.failure_ = QStringLiteral("the proxy cannot listen on ") + socket_;
        return;
    }
    accepting_ = std::thread([this] { serve(); });
    useServer(socket_);
}

PrintServiceProxy::~PrintServiceProxy() {
    useServer(server_.socket_);
    ending_ = true;
    if (wake_[1] >= 0 && ::write(wake_[1], "x", 1) < 0) {
    }
    if (accepting_.joinable()) accepting_.join();
    for (std::thread& relay : relays_) relay.join();
    for (int fd : {listener_, wake_[0], wake_[1]})
        if (fd >= 0) ::close(fd);
}

void PrintServiceProxy::serve() {
    while (!ending_) {
        pollfd fds[] = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) <= 0 || (fds[1].revents & POLLIN)) continue;
        const int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client >= 0) relays_.emplace_back([this, client] { relay(client); });
    }
}

void PrintServiceProxy::relay(int client) {
    const int upstream = connectTo(server_.socket_);
    std::string request;  // the head of the request under way
    std::string answer;   // the head of its answer
    int operation = -1;
    char buffer[65536];
    while (!ending_ && upstream >= 0) {
        pollfd fds[] = {{client, POLLIN, 0}, {upstream, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(fds, 3, -1) <= 0 || (fds[2].revents & POLLIN)) continue;
        if (fds[0].revents & (POLLIN | POLLHUP)) {
            const ssize_t got = ::recv(client, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            std::string bytes(buffer, static_cast<size_t>(got));
            if (bytes.rfind("POST ", 0) == 0 || bytes.rfind("GET ", 0) == 0) request.clear(), answer.clear(), operation = -1;
            if (request.size() < 65536) request += bytes;
            if (operation < 0) operation = ippCode(request);
            if (fault_ == Fault::Forbidden || fault_ == Fault::NotIpp) {
                if (ippStart(request) == std::string::npos) continue;
                const std::string page = "<html><body>It works!</body></html>";
                const std::string reply =
                    fault_ == Fault::Forbidden
                        ? std::string("HTTP/1.1 403 Forbidden\r\nContent-Length: 0\r\nConnection: close\r\n\r\n")
                        : "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(page.size()) +
                              "\r\nConnection: close\r\n\r\n" + page;
                sendAll(client, reply.data(), reply.size());
                break;
            }
            if (fault_ == Fault::DropDuringSend && operation == kSendDocument) break;
            if (!sendAll(upstream, bytes.data(), bytes.size())) break;
        }
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            const ssize_t got = ::recv(upstream, buffer, sizeof buffer, 0);
            if (got <= 0) break;
            std::string bytes(buffer, static_cast<size_t>(got));
            // An answer begins with its status line; "100 Continue" only lets the request go on.
            size_t begins = std::string::npos;
            for (size_t at = bytes.find("HTTP/1."); at != std::string::npos; at = bytes.find("HTTP/1.", at + 1))
                if (bytes.compare(at + 9, 3, "100") != 0 && (at == 0 || bytes[at - 1] == '\n')) {
                    begins = at;
                    break;
                }
            if (begins != std::string::npos) answer.clear();
            if (begins != std::string::npos && fault_ == Fault::SlowAnswers)
                std::this_thread::sleep_for(std::chrono::milliseconds(delayMs_));
            const bool known = ippCode(answer) >= 0;
            const size_t before = answer.size();  // of the answer, before this read
            const size_t from = begins == std::string::npos ? 0 : begins;
            if (answer.size() < 65536) answer += bytes.substr(from);
            const bool created = operation == kCreateJob && ippCode(answer) == 0;
            // The status is changed in the read that brings it.
            if (fault_ == Fault::SubstitutedAttributes && (operation == kCreateJob || operation == kSendDocument) &&
                !known && ippCode(answer) == 0)
                bytes[from + ippStart(answer) + 3 - before] = 1;
            if (!sendAll(client, bytes.data(), bytes.size())) break;
            if (fault_ == Fault::StopAfterCreateJob && created)
                ::kill(static_cast<pid_t>(server_.cupsd_.processId()), SIGSTOP);
        }
    }
    if (upstream >= 0) ::close(upstream);
    ::close(client);
}
