#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <utility>
#include <vector>

#include "platform/print/Page.h"

// The conversation with the print service (CUPS) on a connection of its own. One printout waits
// for the service's answers kWaitSeconds in all, its look-up and its send together (a WaitBudget):
// a service that takes the connection and never answers, or answers slowly, costs that long, one
// that is down nothing. Time in which the printout's data moves to the service is not waiting; a
// stall while it moves is. The functions block their thread; they touch no window, so they may
// run on a thread of their own.
namespace print {

inline constexpr int kWaitSeconds = 5;
// A job left in the queue once the wait is over is cancelled, with a wait of its own.
inline constexpr int kCancelSeconds = 1;

// The time left to wait for the service, used by one thread at a time.
class WaitBudget {
public:
    explicit WaitBudget(qint64 milliseconds = kWaitSeconds * 1000) : left_(milliseconds) {}
    // In milliseconds; 0 once it is spent.
    qint64 left() const;
    // The clock runs while the program waits for an answer, and stands while data moves.
    void run(bool waiting);
    bool running() const { return clock_.isValid(); }
    // Data stood still that long while it was to move.
    void spend(qint64 milliseconds) { left_ -= milliseconds; }

private:
    qint64 left_;
    QElapsedTimer clock_;
};

// The user's default printer as the print service describes it, looked up once for a printout.
struct DefaultPrinter {
    enum class State {
        Found,        // the printer below
        None,         // this computer has no print service, or one without any printer
        Unreachable,  // the service named (or the local one, which is set up) did not answer
        Failed,       // the service answered, but gave no printer to print on: `failure` says why
    };
    State state = State::None;
    QString queue;
    QString instance;     // the user's instance of the queue ("queue/instance"), or ""
    QString description;  // the printer's description ("printer-info"), or ""
    // The options of the user's instance of it (lpoptions), for its jobs; those that set the
    // paper's size or turn the page are left out: the printouts are made for letter paper.
    std::vector<std::pair<QByteArray, QByteArray>> options;
    bool paused = false;
    // The widest margin the printer cannot print on around a letter sheet, in inches (that of a
    // common letter printer when it does not say).
    double marginInches = kLetterMarginInches;
    QString failure;  // why it could not be reached, or why no printer was found, as a sentence

    // The printer as the desktop names it: its description, else its queue (and instance).
    QString shownName() const;
};

DefaultPrinter lookUpDefaultPrinter(WaitBudget& budget);

struct JobAnswer {
    // MayPrint: the service stopped answering once the job was in its queue, and the job could
    // not be cancelled: it may print, whole or not.
    enum class Kind { Queued, Refused, Unreachable, MayPrint };
    Kind kind = Kind::Queued;
    QString reason;  // why it was refused or not reached, as a sentence
};

// Sends the PDF document to the printer as one job on letter paper, named `jobName` (cut to the
// length a job name may have), with the options of the user's instance. The job is queued only
// once the service has answered its document; a job the service does not take whole is cancelled.
JobAnswer sendJob(const DefaultPrinter& printer, const QString& jobName, const QByteArray& pdf, WaitBudget& budget);

}  // namespace print
