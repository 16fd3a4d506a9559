#pragma once

// A CUPS scheduler of the test's own, for printing to a real queue.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// Runs cupsd on a socket in a folder of its own, with one queue that is the default destination
// and takes jobs into the queue without printing them (it is paused). While it lives, the
// program's printing (through libcups and Qt) goes to it; when it goes, to the system's server
// again.
//
//     LocalPrintServer server("Coach_Printer");
//     ASSERT_TRUE(server.failure().isEmpty()) << server.failure().toStdString();
//     ... print ...                      // a job in the queue
//     server.jobTitles();                // {"Kestrivane - Dual Match Summary"}
//     server.admin("cupsreject");        // the queue takes no more jobs
class LocalPrintServer {
public:
    explicit LocalPrintServer(const QString& queue);
    ~LocalPrintServer();
    LocalPrintServer(const LocalPrintServer&) = delete;
    LocalPrintServer& operator=(const LocalPrintServer&) = delete;

    // "" when the server runs with its queue, else what went wrong.
    QString failure() const { return failure_; }
    // Runs a CUPS command on this server (lpadmin, cupsreject, cupsdisable, ...), with `args`
    // or, when none are given, the queue's name; false (and failure() says why) when it fails.
    bool admin(const QString& command, QStringList args = {});
    // The titles of the jobs in the queue not yet printed, oldest first.
    QStringList jobTitles() const;

private:
    QTemporaryDir dir_;
    QString queue_;
    QString socket_;
    QProcess cupsd_;
    QString failure_;
    QByteArray oldServer_;
    bool hadServer_ = false;
};
