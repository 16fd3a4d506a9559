#pragma once

#include <QByteArray>
#include <QString>
#include <utility>
#include <vector>

#include "platform/print/Page.h"

// The conversation with the print service (CUPS) on a connection of its own, on which every wait
// for the service ends after kAnswerSeconds: a service that takes the connection and never
// answers costs that long, one that is down nothing. The functions block their thread; they
// touch no window, so they may run on a thread of their own.
namespace print {

inline constexpr int kAnswerSeconds = 3;

// The user's default printer as the print service describes it, looked up once for a printout.
struct DefaultPrinter {
    enum class State {
        Found,        // the printer below
        None,         // the service has no default printer, or this computer has no service
        Unreachable,  // the service named (or the local one, which is set up) did not answer
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
    QString failure;  // why it could not be reached, as a sentence

    // The printer as the desktop names it: its description, else its queue (and instance).
    QString shownName() const;
};

DefaultPrinter lookUpDefaultPrinter();

struct JobAnswer {
    // MayPrint: the service stopped answering once the job was in its queue, and the job could
    // not be cancelled: it may print, whole or not.
    enum class Kind { Queued, Refused, Unreachable, MayPrint };
    Kind kind = Kind::Queued;
    QString reason;  // why it was refused or not reached, as a sentence
};

// Sends the PDF document to the printer as one job on letter paper, named `jobName` (cut to the
// length a job name may have), with the options of the user's instance. A job the service does
// not take whole is cancelled.
JobAnswer sendJob(const DefaultPrinter& printer, const QString& jobName, const QByteArray& pdf);

}  // namespace print
