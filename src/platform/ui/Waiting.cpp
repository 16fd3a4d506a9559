#include "platform/ui/Waiting.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QThread>
#include <QVBoxLayout>
#include <exception>
#include <memory>

#include "platform/ui/Form.h"

namespace ui {

namespace {

// How long the work may take before the wait window is shown.
constexpr int kMomentMs = 300;

// A window that says what the program waits for, with a busy bar, and that nobody can close.
class WaitWindow : public QDialog {
public:
    WaitWindow(const QString& title, const QString& text, QWidget* parent)
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
        setWindowTitle(title);
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        auto* label = new QLabel(text, this);
        label->setObjectName(QStringLiteral("lblWaiting"));
        label->setWordWrap(true);
        label->setMinimumWidth(360);
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        bar->setTextVisible(false);
        layout->addWidget(label);
        layout->addWidget(bar);
    }

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

void waitWhile(const QString& title, const QString& text, const std::function<void()>& work) {
    // A failure of the work is raised here, on the caller's thread, once the thread has ended.
    std::exception_ptr failure;
    std::unique_ptr<QThread> thread(QThread::create([&work, &failure] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    }));
    QEventLoop loop;
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    if (thread->wait(QDeadlineTimer(kMomentMs))) {
        if (failure) std::rethrow_exception(failure);
        return;
    }
    QWidget* parent = Form::activeForm();
    if (!parent || !parent->isVisible()) parent = QApplication::activeWindow();
    WaitWindow window(title, text, parent);
    window.show();
    // Ends when the thread has: its end is queued to this loop if it came before the loop ran.
    loop.exec();
    thread->wait();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace ui
