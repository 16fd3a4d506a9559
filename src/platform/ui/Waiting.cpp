#include "platform/ui/Waiting.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDeadlineTimer>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>
#include <memory>

#include "platform/ui/Form.h"

namespace ui {

namespace {

// How long a task may take before the wait window is shown.
constexpr int kMomentMs = 300;
// How often the window is drawn anew while the task works on the main thread.
constexpr int kRepaintMs = 100;

// A window that says what the program waits for, with a busy bar, and that nobody can close.
class WaitWindow : public QDialog {
public:
    WaitWindow(const QString& title, QWidget* parent)
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
        setWindowTitle(title);
        setWindowModality(Qt::ApplicationModal);
        auto* layout = new QVBoxLayout(this);
        label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblWaiting"));
        label->setWordWrap(true);
        label->setMinimumWidth(360);
        progress = new QLabel(this);
        progress->setObjectName(QStringLiteral("lblProgress"));
        auto* bar = new QProgressBar(this);
        bar->setRange(0, 0);
        bar->setTextVisible(false);
        layout->addWidget(label);
        layout->addWidget(progress);
        layout->addWidget(bar);
    }

    void say(const QString& text, const QString& where) {
        label->setText(text);
        progress->setText(where);
        progress->setVisible(!where.isEmpty());
    }

private:
    QLabel* label;
    QLabel* progress;

protected:
    void reject() override {}
    void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

// Drops what the user gives the program's windows: keys, the mouse, the wheel, touches, and the
// window manager's close.
class InputDropper : public QObject {
public:
    bool on = false;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (!on || !event->spontaneous()) return false;
        switch (event->type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::NonClientAreaMouseButtonPress:
            case QEvent::NonClientAreaMouseButtonRelease:
            case QEvent::NonClientAreaMouseButtonDblClick:
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::Close:
                return true;
            default:
                return false;
        }
    }
};

// The task under way (one at a time: a task within it joins it).
struct Task {
    int depth = 0;
    QString title;
    QString text;
    QString progress;
    QElapsedTimer since;
    QElapsedTimer drawn;  // since the window was last drawn
    std::unique_ptr<WaitWindow> window;
    InputDropper dropper;
};
Task* gTask = nullptr;

// Lets what the window system has for the program be handled (input, dropped, among it).
void handleWaiting(QEventLoop::ProcessEventsFlags flags) {
    QCoreApplication::processEvents(flags);
}

// Shows the window, made when it is first needed (again after a message box hid it).
void showWindow() {
    if (!gTask || (gTask->window && gTask->window->isVisible())) return;
    if (!gTask->window) {
        QWidget* parent = Form::activeForm();
        if (!parent || !parent->isVisible()) parent = QApplication::activeWindow();
        gTask->window = std::make_unique<WaitWindow>(gTask->title, parent);
    }
    gTask->window->say(gTask->text, gTask->progress);
    gTask->window->show();
    gTask->drawn.invalidate();
}

// Shows what the task does now, drawn at once on the main thread's work: events other than
// input and timers are handled meanwhile.
void drawWindow() {
    showWindow();
    gTask->window->say(gTask->text, gTask->progress);
    gTask->window->repaint();
    handleWaiting(QEventLoop::ExcludeUserInputEvents | QEventLoop::X11ExcludeTimers);
    gTask->drawn.start();
}

}  // namespace

BusyTask::BusyTask(const QString& title, const QString& text) {
    if (!gTask) {
        gTask = new Task;
        gTask->title = title;
        gTask->text = text;
        gTask->since.start();
        qApp->installEventFilter(&gTask->dropper);
        gTask->dropper.on = true;
    }
    ++gTask->depth;
}

BusyTask::~BusyTask() {
    if (--gTask->depth > 0) return;
    // What the user gave meanwhile reaches the program now, and is dropped.
    if (gTask->window) gTask->window->hide();
    QGuiApplication::sync();
    delete gTask;
    gTask = nullptr;
}

void BusyTask::say(const QString& text, const QString& progress) {
    if (!gTask) return;
    gTask->text = text;
    gTask->progress = progress;
    if (gTask->window) gTask->drawn.invalidate();
    tick();
}

void BusyTask::tick() {
    if (!gTask || gTask->since.elapsed() < kMomentMs) return;
    if (gTask->window && gTask->drawn.isValid() && gTask->drawn.elapsed() < kRepaintMs) return;
    drawWindow();
}

InputForMessage::InputForMessage() {
    if (!gTask || !gTask->dropper.on) return;
    // The box stands alone; what came before it is not its answer.
    if (gTask->window) gTask->window->hide();
    handleWaiting(QEventLoop::AllEvents);
    gTask->dropper.on = false;
    paused_ = true;
}

InputForMessage::~InputForMessage() {
    if (paused_ && gTask) gTask->dropper.on = true;
}

void waitWhile(const QString& title, const QString& text, const std::function<void()>& work) {
    BusyTask task(title, text);
    BusyTask::say(text);
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
    // Within the task's first moment the program waits without answering; input given then is
    // dropped as the task ends.
    if (!(gTask->window && gTask->window->isVisible()) &&
        thread->wait(QDeadlineTimer(std::max<qint64>(0, kMomentMs - gTask->since.elapsed())))) {
        if (failure) std::rethrow_exception(failure);
        return;
    }
    showWindow();
    // Ends when the thread has: its end is queued to this loop if it came before the loop ran.
    loop.exec();
    thread->wait();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace ui
