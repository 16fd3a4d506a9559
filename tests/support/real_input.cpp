#include "support/real_input.h"

#include <gtest/gtest.h>
#include <sched.h>
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QDir>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "platform/ui/KeyRules.h"

namespace {

// xdotool, run to its end: it sends its events and waits until the X server has taken them.
void xdotool(const QStringList& arguments) {
    QProcess run;
    run.start(QStringLiteral("xdotool"), arguments);
    ASSERT_TRUE(run.waitForFinished(30000)) << "xdotool did not finish";
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
}

// The pointer position in X's own pixels for a point of a widget.
QPoint nativePoint(QWidget* widget, QPoint at) {
    if (at == QPoint(-1, -1)) at = widget->rect().center();
    const QPoint global = widget->mapToGlobal(at);
    const qreal ratio = widget->devicePixelRatioF();
    return QPoint(qRound(global.x() * ratio), qRound(global.y() * ratio));
}

void moveTo(QWidget* widget, QPoint at) {
    // A move with --sync to where the pointer is already waits for a motion that never comes.
    static QPoint last(-1, -1);
    const QPoint native = nativePoint(widget, at);
    if (native == last) return;
    last = native;
    xdotool({QStringLiteral("mousemove"), QStringLiteral("--sync"), QString::number(native.x()),
             QString::number(native.y())});
}

// Settling: a property of our own is changed on the program's window by a connection of our
// own, after the input was given. The X server sends the program its events in order, so once
// the program has seen that change it has seen every event before it.
class SettleMark : public QAbstractNativeEventFilter {
public:
    SettleMark() {
        connection_ = xcb_connect(nullptr, nullptr);
        const char name[] = "_KESTRIVANE_TEST_SETTLE";
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            connection_, xcb_intern_atom(connection_, 0, sizeof name - 1, name), nullptr);
        atom_ = reply ? reply->atom : 0;
        free(reply);
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    void settle() {
        // The mark goes on the window that has the focus: the program listens for property
        // changes on each of its top-level windows.
        QWindow* window = QGuiApplication::focusWindow();
        if (!window) window = QGuiApplication::topLevelWindows().value(0);
        ASSERT_NE(window, nullptr) << "no window to settle";
        const uint32_t mark = ++sent_;
        const auto id = static_cast<xcb_window_t>(window->winId());
        xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, id, atom_, XCB_ATOM_CARDINAL, 32, 1, &mark);
        xcb_flush(connection_);
        ASSERT_TRUE(QTest::qWaitFor([this] { return seen_ >= sent_; }, 30000)) << "the program saw no mark";
        // What the handled events posted, and the picks that wait for the keys to stop.
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
        ASSERT_TRUE(QTest::qWaitFor([] { return !ui::picksWaiting(); }, 30000)) << "a pick still waits";
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        auto* event = static_cast<xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            auto* change = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (change->atom == atom_) ++seen_;
        }
        return false;
    }

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t atom_ = 0;
    uint32_t sent_ = 0;
    uint32_t seen_ = 0;
};

SettleMark& settleMark() {
    static SettleMark* mark = new SettleMark;  // lives as long as the application's connection
    return *mark;
}

}  // namespace

bool onRealScreen() { return QGuiApplication::platformName() == QLatin1String("xcb"); }

void showOnScreen(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window, 30000)) << window->objectName().toStdString();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window, 30000)) << window->objectName().toStdString();
    xSettle();
}

void xKeys(const QString& keys) {
    QStringList arguments{QStringLiteral("key"), QStringLiteral("--clearmodifiers")};
    arguments += keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    xdotool(arguments);
    xSettle();
}

void xType(const QString& text) {
    // Keys a few milliseconds apart, as a quick typist gives them.
    xdotool({QStringLiteral("type"), QStringLiteral("--clearmodifiers"), QStringLiteral("--delay"),
             QStringLiteral("15"), QStringLiteral("--"), text});
    xSettle();
}

bool xHold(const QString& key, const std::function<bool()>& until) {
    xdotool({QStringLiteral("keydown"), key});
    const bool reached = waitFor(until);
    xdotool({QStringLiteral("keyup"), key});
    xSettle();
    return reached;
}

namespace {

QList<int> threadsOfThisProgram() {
    QList<int> threads;
    for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        threads << task.toInt();
    return threads;
}

}  // namespace

OnOneCpu::OnOneCpu() : before_(sizeof(cpu_set_t), 0) {
    auto* before = reinterpret_cast<cpu_set_t*>(before_.data());
    sched_getaffinity(0, sizeof(cpu_set_t), before);
    cpu_set_t one;
    CPU_ZERO(&one);
    for (int cpu = 0; cpu < CPU_SETSIZE; ++cpu)
        if (CPU_ISSET(cpu, before)) {
            CPU_SET(cpu, &one);
            break;
        }
    for (const int thread : threadsOfThisProgram()) sched_setaffinity(thread, sizeof one, &one);
}

OnOneCpu::~OnOneCpu() {
    for (const int thread : threadsOfThisProgram())
        sched_setaffinity(thread, sizeof(cpu_set_t), reinterpret_cast<const cpu_set_t*>(before_.constData()));
}

void xClick(QWidget* widget, QPoint at, int clicks) {
    moveTo(widget, at);
    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(clicks), QStringLiteral("--delay"),
             QStringLiteral("80"), QStringLiteral("1")});
    xSettle();
}

bool xPick(QComboBox* combo, const QString& text) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    xClick(combo, combo->isEditable() ? combo->style()
                                            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo)
                                            .center()
                                      : QPoint(-1, -1));
    QAbstractItemView* list = combo->view();
    const int row = combo->findText(text, Qt::MatchExactly);
    if (!waitFor([list] { return list->isVisible(); }) || row < 0) return false;
    // A list opened by a press ignores releases for a double-click interval: a person's next
    // click comes later than that.
    QElapsedTimer opened;
    opened.start();
    waitFor([&opened] { return opened.elapsed() > QApplication::doubleClickInterval(); });
    const QModelIndex item = list->model()->index(row, combo->modelColumn(), list->rootIndex());
    list->scrollTo(item);
    for (int tries = 0; tries < 20 && list->isVisible(); ++tries) xClick(list->viewport(), list->visualRect(item).center());
    return !list->isVisible();
}

void xWheel(QWidget* widget, int notches, QPoint at) {
    moveTo(widget, at);
    if (notches == 0) return;
    // X gives a wheel notch as a click of button 4 (away) or 5 (towards the user).
    xdotool({QStringLiteral("click"), QStringLiteral("--repeat"), QString::number(std::abs(notches)),
             QStringLiteral("--delay"), QStringLiteral("30"), notches > 0 ? QStringLiteral("5") : QStringLiteral("4")});
    xSettle();
}

void xSettle() { settleMark().settle(); }

AnswerRealMessageBox::AnswerRealMessageBox(std::function<void(QMessageBox*)> answer) {
    QObject::connect(&poll_, &QTimer::timeout, [this, answer = std::move(answer)] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isActiveWindow()) return;
        poll_.stop();
        answer(box);
    });
    poll_.start(20);
}

bool waitFor(const std::function<bool()>& condition, int milliseconds) {
    return QTest::qWaitFor(condition, milliseconds);
}
