#include "platform/print/PrintService.h"

#include <cups/cups.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLatin1Char>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <strings.h>

namespace print {

namespace {

// A reason as a sentence: trimmed, ending in a full stop.
QString sentence(const QString& text) {
    QString s = text.trimmed();
    if (!s.isEmpty() && !s.endsWith(QLatin1Char('.'))) s += QLatin1Char('.');
    return s;
}

// Options that set the paper's size or turn the page.
bool setsThePage(const char* option) {
    for (const char* name : {"media", "media-col", "PageSize", "PageRegion", "orientation-requested", "landscape"})
        if (strcasecmp(name, option) == 0) return true;
    return false;
}

// The longest a job name may be (an IPP name), cut where a character begins.
QByteArray jobNameBytes(const QString& name) {
    constexpr int kMaxName = 255;
    QByteArray bytes = name.toUtf8();
    if (bytes.size() <= kMaxName) return bytes;
    int end = kMaxName;
    while (end > 0 && (static_cast<unsigned char>(bytes[end]) & 0xC0) == 0x80) --end;
    bytes.truncate(end);
    return bytes;
}

// The default printer the user names, as "queue" or "queue/instance": LPDEST or PRINTER, or the
// "Default" line of the user's lpoptions, else of the computer's; "" when he names none.
QString namedDefault() {
    for (const char* variable : {"LPDEST", "PRINTER"})
        if (!qEnvironmentVariableIsEmpty(variable)) return qEnvironmentVariable(variable);
    for (const QString& path : {QDir::homePath() + QStringLiteral("/.cups/lpoptions"),
                                qEnvironmentVariable("CUPS_SERVERROOT", QStringLiteral("/etc/cups")) +
                                    QStringLiteral("/lpoptions")}) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) continue;
        while (!file.atEnd()) {
            const QByteArray line = file.readLine().trimmed();
            if (line.startsWith("Default ")) return QString::fromUtf8(line.mid(8).trimmed().split(' ').value(0));
        }
    }
    return QString();
}

// How often a wait for the service stops to ask whether the time is up, in seconds.
constexpr double kSliceSeconds = 0.25;

// A connection to the print service of the user's settings (CUPS_SERVER, client.conf, this
// computer's own), on which the waits end once `budget` is spent.
class Conversation {
public:
    explicit Conversation(WaitBudget& budget) : budget_(budget) {
        // A service that asks for a password gets none: nobody could type it here.
        cupsSetPasswordCB2([](const char*, http_t*, const char*, const char*, void*) -> const char* { return nullptr; },
                           nullptr);
        budget_.run(true);
        http_ = httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC, cupsEncryption(), 1,
                             static_cast<int>(std::max<qint64>(1, budget_.left())), nullptr);
        if (http_) {
            httpSetTimeout(http_, kSliceSeconds, &Conversation::keepWaiting, this);
            return;
        }
        // What libcups says of a refused connection ("Host is down") says nothing more.
        connectFailure_ = QString::fromUtf8(cupsLastErrorString());
        if (connectFailure_ == QString::fromLocal8Bit(strerror(EHOSTDOWN))) connectFailure_.clear();
    }
    ~Conversation() {
        if (http_) httpClose(http_);
        budget_.run(false);
    }
    Conversation(const Conversation&) = delete;
    Conversation& operator=(const Conversation&) = delete;

    http_t* http() const { return http_; }
    bool timedOut() const { return timedOut_; }
    // Data moves from now on (false), or the program waits for an answer again (true).
    void waiting(bool on) { budget_.run(on); }
    // Whether a service was set up: one named by the settings, this computer's own whose socket
    // is there, or one that is stopped (its socket goes with it) while the user names a default
    // printer or this computer has queues set up. A computer without any takes no connection on
    // "localhost" and has no printer.
    static bool serviceSetUp() {
        return !qEnvironmentVariableIsEmpty("CUPS_SERVER") || qstrcmp(cupsServer(), "localhost") != 0 ||
               !namedDefault().isEmpty() || QFileInfo::exists(QStringLiteral("/etc/cups/printers.conf"));
    }
    // Why the last step failed.
    QString failure() const {
        if (timedOut_) return QStringLiteral("it did not answer within %1 seconds.").arg(kWaitSeconds);
        if (!http_)
            return connectFailure_.isEmpty() ? QStringLiteral("it takes no connections.")
                                             : QStringLiteral("it takes no connections (%1).").arg(connectFailure_);
        return sentence(QString::fromUtf8(cupsLastErrorString()));
    }
    // Why the service gave no answer the program can use to the request just made; "" when the
    // answer only said that what was asked for is not there.
    QString noAnswer() const {
        const http_status_t status = httpGetStatus(http_);
        const ipp_status_t error = cupsLastError();
        if (timedOut_) return failure();
        if (status == HTTP_STATUS_FORBIDDEN || status == HTTP_STATUS_UNAUTHORIZED ||
            error == IPP_STATUS_ERROR_FORBIDDEN || error == IPP_STATUS_ERROR_NOT_AUTHORIZED ||
            error == IPP_STATUS_ERROR_NOT_AUTHENTICATED)
            return QStringLiteral("the print service refused the program's request (%1).")
                .arg(QString::fromUtf8(httpStatus(status == HTTP_STATUS_OK ? HTTP_STATUS_FORBIDDEN : status)));
        // An answer that is not IPP, or none on a connection that was closed.
        if (status == HTTP_STATUS_ERROR)
            return QStringLiteral("the print service answered with something the program cannot read.");
        if (error == IPP_STATUS_ERROR_NOT_FOUND) return QString();
        return QStringLiteral("the print service could not be asked: ") + failure();
    }

private:
    static int keepWaiting(http_t*, void* self) {
        auto* conversation = static_cast<Conversation*>(self);
        // A wait while data moves means that it stood still that long.
        if (!conversation->budget_.running()) conversation->budget_.spend(static_cast<qint64>(kSliceSeconds * 1000));
        if (conversation->budget_.left() > 0) return 1;
        conversation->timedOut_ = true;
        return 0;
    }

    WaitBudget& budget_;
    http_t* http_ = nullptr;
    bool timedOut_ = false;
    QString connectFailure_;
};

// Whether the service has any printer at all.
bool hasPrinters(http_t* http) {
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    ippAddInteger(request, IPP_TAG_OPERATION, IPP_TAG_INTEGER, "limit", 1);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr, "printer-name");
    ipp_t* response = cupsDoRequest(http, request, "/");
    const bool any = ippFindAttribute(response, "printer-name", IPP_TAG_NAME) != nullptr;
    ippDelete(response);
    return any;
}

// The widest margin around a letter sheet that the printer cannot print on, in inches;
// kLetterMarginInches when it does not say or says something no letter printer has.
double letterMargin(http_t* http, cups_dest_t* dest) {
    cups_dinfo_t* info = cupsCopyDestInfo(http, dest);
    if (!info) return kLetterMarginInches;
    cups_size_t size{};
    const bool known =
        cupsGetDestMediaByName(http, dest, info, CUPS_MEDIA_LETTER, CUPS_MEDIA_FLAGS_DEFAULT, &size) != 0;
    cupsFreeDestInfo(info);
    const int widest = std::max({size.left, size.right, size.top, size.bottom});
    const int narrowest = std::min({size.left, size.right, size.top, size.bottom});
    constexpr double kPerInch = 2540;  // the sizes are in hundredths of a millimetre
    if (!known || narrowest < 0 || widest > kPerInch) return kLetterMarginInches;
    return widest / kPerInch;
}

// Asks the queue to take a job, whose document follows; returns its number, or 0 when it was
// not taken. (cupsCreateJob would look the printer up again first, and on a second connection
// of libcups' own that waits a minute for an answer.)
int createJob(http_t* http, const QByteArray& queue, const QByteArray& title, int optionCount,
              cups_option_t* options) {
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/printers/%s",
                     queue.constData());
    ipp_t* request = ippNewRequest(IPP_OP_CREATE_JOB);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "job-name", nullptr, title.constData());
    cupsEncodeOptions2(request, optionCount, options, IPP_TAG_OPERATION);
    cupsEncodeOptions2(request, optionCount, options, IPP_TAG_JOB);
    ipp_t* response = cupsDoRequest(http, request, ("/printers/" + queue).constData());
    ipp_attribute_t* id = ippFindAttribute(response, "job-id", IPP_TAG_INTEGER);
    const int job = id && cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE ? ippGetInteger(id, 0) : 0;
    ippDelete(response);
    return job;
}

DefaultPrinter notFound(DefaultPrinter::State state, const QString& failure) {
    DefaultPrinter printer;
    printer.state = state;
    printer.failure = failure;
    return printer;
}

DefaultPrinter unreachable(const QString& failure) { return notFound(DefaultPrinter::State::Unreachable, failure); }

}  // namespace

qint64 WaitBudget::left() const {
    return std::max<qint64>(0, left_ - (clock_.isValid() ? clock_.elapsed() : 0));
}

void WaitBudget::run(bool waiting) {
    if (waiting && !clock_.isValid()) clock_.start();
    if (!waiting && clock_.isValid()) {
        left_ -= clock_.elapsed();
        clock_.invalidate();
    }
}

QString DefaultPrinter::shownName() const {
    if (!description.isEmpty()) return description;
    return instance.isEmpty() ? queue : queue + QLatin1Char('/') + instance;
}

DefaultPrinter lookUpDefaultPrinter(WaitBudget& budget) {
    Conversation service(budget);
    if (!service.http()) return Conversation::serviceSetUp() ? unreachable(service.failure()) : DefaultPrinter();
    // The user's default (LPDEST, PRINTER, lpoptions) before the service's, with the options of
    // the user's instance of it.
    cups_dest_t* dest = cupsGetNamedDest(service.http(), nullptr, nullptr);
    if (!dest) {
        if (service.timedOut()) return unreachable(service.failure());
        const QString why = service.noAnswer();
        if (!why.isEmpty()) return notFound(DefaultPrinter::State::Failed, why);
        const QString named = namedDefault();
        if (!named.isEmpty())
            return notFound(DefaultPrinter::State::Failed,
                            QStringLiteral("the printer \"%1\" set as the default does not exist.").arg(named));
        // A service with printers of which none is the default is not a desk without a printer.
        const bool any = hasPrinters(service.http());
        if (service.timedOut()) return unreachable(service.failure());
        return any ? notFound(DefaultPrinter::State::Failed,
                              QStringLiteral("no printer is set as the default of the print service."))
                   : DefaultPrinter();
    }
    DefaultPrinter printer;
    printer.state = DefaultPrinter::State::Found;
    printer.queue = QString::fromUtf8(dest->name);
    printer.instance = QString::fromUtf8(dest->instance ? dest->instance : "");
    printer.description = QString::fromUtf8(cupsGetOption("printer-info", dest->num_options, dest->options));
    const char* state = cupsGetOption("printer-state", dest->num_options, dest->options);
    printer.paused = state && QByteArray(state).toInt() == IPP_PSTATE_STOPPED;
    for (int i = 0; i < dest->num_options; ++i)
        if (!setsThePage(dest->options[i].name))
            printer.options.emplace_back(dest->options[i].name, dest->options[i].value);
    printer.marginInches = letterMargin(service.http(), dest);
    cupsFreeDests(1, dest);
    if (service.timedOut()) return unreachable(service.failure());
    return printer;
}

JobAnswer sendJob(const DefaultPrinter& printer, const QString& jobName, const QByteArray& pdf, WaitBudget& budget) {
    Conversation service(budget);
    if (!service.http()) return {JobAnswer::Kind::Unreachable, service.failure()};
    const QByteArray queue = printer.queue.toUtf8();
    const QByteArray resource = "/printers/" + queue;
    const QByteArray title = jobNameBytes(jobName);
    cups_option_t* options = nullptr;
    int optionCount = 0;
    for (const auto& [name, value] : printer.options)
        optionCount = cupsAddOption(name.constData(), value.constData(), optionCount, &options);
    optionCount = cupsAddOption("media", "Letter", optionCount, &options);
    const int job = createJob(service.http(), queue, title, optionCount, options);
    cupsFreeOptions(optionCount, options);
    // Every "successful-ok..." answer takes the job, also one that ignored or substituted an
    // option. The first failure gives the reason. The job is sent only once the service has
    // answered its document itself: no answer, or a connection broken off, is no answer.
    QString failure;
    const QString brokenOff = QStringLiteral("it broke off the connection while the printout was sent.");
    bool answered = true;  // the service said what it made of the job
    if (job == 0) {
        failure = service.failure();
    } else if (cupsStartDocument(service.http(), queue.constData(), job, title.constData(), CUPS_FORMAT_PDF, 1) !=
               HTTP_STATUS_CONTINUE) {
        failure = service.timedOut() || cupsLastError() > IPP_STATUS_OK_EVENTS_COMPLETE ? service.failure() : brokenOff;
        answered = false;
    } else {
        service.waiting(false);
        const http_status_t written =
            cupsWriteRequestData(service.http(), pdf.constData(), static_cast<size_t>(pdf.size()));
        service.waiting(true);
        ipp_t* answer = written == HTTP_STATUS_CONTINUE ? cupsGetResponse(service.http(), resource.constData())
                                                        : nullptr;
        answered = answer != nullptr;
        if (service.timedOut())
            failure = service.failure();
        else if (!answer)
            failure = brokenOff;
        else if (ippGetStatusCode(answer) > IPP_STATUS_OK_EVENTS_COMPLETE)
            failure = sentence(QString::fromUtf8(cupsLastErrorString()));
        ippDelete(answer);
    }
    if (failure.isEmpty()) return {JobAnswer::Kind::Queued, QString()};
    if (job == 0) return {service.timedOut() ? JobAnswer::Kind::Unreachable : JobAnswer::Kind::Refused, failure};
    if (answered) {
        cupsCancelJob2(service.http(), queue.constData(), job, 0);
        return {JobAnswer::Kind::Refused, failure};
    }
    // The queue holds a job of the printout, which may print whole: it is cancelled on a
    // connection of its own, or the coach is told that it may print.
    WaitBudget cancelling(kCancelSeconds * 1000);
    Conversation again(cancelling);
    const bool cancelled =
        again.http() && cupsCancelJob2(again.http(), queue.constData(), job, 0) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    return {cancelled ? JobAnswer::Kind::Unreachable : JobAnswer::Kind::MayPrint, failure};
}

}  // namespace print
