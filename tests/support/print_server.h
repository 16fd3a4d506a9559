#pragma once

// A CUPS scheduler of the test's own, for printing to a real queue.
#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

// Runs cupsd on a socket in a folder of its own, with one queue that is the default destination
// and takes jobs into the queue without printing them (it is paused), keeping each job's document
// as it came. While it lives, the program's printing goes to it; when it goes, to the server the
// environment named before.
//
//     LocalPrintServer server("Coach_Printer", "Coach's Office - Room 12");
//     ASSERT_TRUE(server.failure().isEmpty()) << server.failure().toStdString();
//     ... print ...                      // a job in the queue
//     server.jobTitles();                // {"Kestrivane - Dual Match Summary"}
//     server.jobs().back().document;     // the PDF file the queue received
//     server.admin("cupsreject");        // the queue takes no more jobs
//     server.silence();                  // takes connections and never answers
class LocalPrintServer {
public:
    // The queue's description ("printer-info") is `description` when one is given.
    explicit LocalPrintServer(const QString& queue, const QString& description = QString());
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
    // Those jobs, oldest first: the file of the document as the queue received it, and every job
    // attribute as text ("media" -> "na_letter_8.5x11in").
    struct Job {
        QString title;
        QString document;
        QMap<QString, QString> attributes;
    };
    std::vector<Job> jobs() const;

    // The user's own printer settings (~/.cups/lpoptions, as lpoptions writes them) are `text`
    // until the server goes.
    bool setUserOptions(const QString& text);

    // The scheduler stops answering (it is stopped, not ended): connections are taken, requests
    // wait for ever.
    void silence();
    // The scheduler ends: its socket takes no connection.
    void stop();
    // The scheduler's socket, and the folder of its files.
    QString socket() const { return socket_; }
    QString folder() const { return dir_.path(); }

private:
    friend class PrintServiceProxy;
    QTemporaryDir dir_;
    QString queue_;
    QString socket_;
    QProcess cupsd_;
    QString failure_;
    QString userOptions_;
    QByteArray oldServer_;
    bool hadServer_ = false;
};

// Stands between the program and a LocalPrintServer, on a socket of its own in the server's
// folder, and fails there on cue as a print service or the network between can: while it lives,
// the program's printing goes through it; when it goes, straight to the server again.
//
//     LocalPrintServer server("Coach_Printer");
//     PrintServiceProxy proxy(server, PrintServiceProxy::Fault::StopAfterCreateJob);
class PrintServiceProxy {
public:
    enum class Fault {
        SlowAnswers,           // every answer comes `delayMs` late
        StopAfterCreateJob,    // the scheduler is stopped (as silence()) once it has answered Create-Job
        DropDuringSend,        // the connection is closed when Send-Document comes
        Forbidden,             // every request is answered "HTTP 403 Forbidden"
        NotIpp,                // every request is answered with a web page
        SubstitutedAttributes  // Create-Job and Send-Document are answered
                               // successful-ok-ignored-or-substituted-attributes
    };
    PrintServiceProxy(LocalPrintServer& server, Fault fault, int delayMs = 0);
    ~PrintServiceProxy();
    PrintServiceProxy(const PrintServiceProxy&) = delete;
    PrintServiceProxy& operator=(const PrintServiceProxy&) = delete;

private:
    void serve();
    void relay(int client);

    LocalPrintServer& server_;
    Fault fault_;
    int delayMs_;
    QString socket_;
    int listener_ = -1;
    int wake_[2] = {-1, -1};
    std::atomic<bool> ending_{false};
    std::thread accepting_;
    std::vector<std::thread> relays_;
};
