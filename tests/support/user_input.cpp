#include "support/user_input.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTimer>
#include <QWindow>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

#include "platform/ui/KeyRules.h"

KeysComeQuickly::KeysComeQuickly() : interval_(QApplication::keyboardInputInterval()) {
    QApplication::setKeyboardInputInterval(24 * 60 * 60 * 1000);
}

KeysComeQuickly::~KeysComeQuickly() { QApplication::setKeyboardInputInterval(interval_); }

bool pickWithMouse(QComboBox* combo, const QString& text) {
    // A combo the user may type into opens its list only from its arrow.
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QPoint at = combo->isEditable()
                          ? combo->style()
                                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxArrow, combo)
                                .center()
                          : combo->rect().center();
    QTest::mouseClick(combo, Qt::LeftButton, {}, at);
    QAbstractItemView* list = combo->view();
    if (!QTest::qWaitFor([list] { return list->isVisible(); }, 1000)) return false;
    const int row = combo->findText(text, Qt::MatchExactly);
    if (row < 0) return false;
    // A list opened by a press ignores releases for a double-click interval, so that the release
    // of the opening click picks nothing; a person's next click comes later than that. The
    // interval's timer may run a little late: a click it still swallowed is given again.
    QTest::qWait(QApplication::doubleClickInterval());
    const QModelIndex item = list->model()->index(row, combo->modelColumn(), list->rootIndex());
    list->scrollTo(item);
    for (int tries = 0; tries < 20 && list->isVisible(); ++tries) {
        QTest::qWait(20);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(item).center());
    }
    return !list->isVisible();
}

bool openWithKeys(QComboBox* combo) {
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down, Qt::AltModifier);
    QAbstractItemView* list = combo->view();
    if (!QTest::qWaitFor([list] { return list->isVisible(); }, 1000)) return false;
    QTest::qWait(50);
    return list->isVisible();
}

void activate(QWidget* window) {
    QApplication::setActiveWindow(window);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << window->objectName().toStdString();
}

void typeInto(QLineEdit* box, const QString& text) {
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    for (const QChar c : text) {
        QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void typeIntoCombo(QComboBox* combo, const QString& text) {
    QTest::mouseClick(combo->lineEdit(), Qt::LeftButton);
    QTest::keyClick(combo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(combo, Qt::Key_Backspace);
    QTest::keyClicks(combo, text);
}

void pasteInto(QLineEdit* box, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::mouseClick(box, Qt::LeftButton);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no control has the focus";
    QTest::keyClick(focus, key, modifiers);
    keysHandled();
}

void typeKeys(const QString& text) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no control has the focus";
    QTest::keyClicks(focus, text);
    keysHandled();
}

PaintWatch::PaintWatch(QWidget* widget, std::function<void()> drawn) : drawn_(std::move(drawn)) {
    widget->installEventFilter(this);
}

bool PaintWatch::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint) drawn_();
    return false;
}

void keysHandled() {
    if (!ui::picksWaiting()) return;
    ASSERT_TRUE(QTest::qWaitFor([] { return !ui::picksWaiting(); }, 30000));
}

bool chooseFromContextMenu(QWidget* widget, QPoint at, int key) {
    bool opened = false;
    // The menu runs its own event loop; the key is pressed there once it shows.
    QTimer::singleShot(0, [&opened, key] {
        QWidget* menu = QApplication::activePopupWidget();
        opened = qobject_cast<QMenu*>(menu) != nullptr;
        if (opened) QTest::keyClick(menu, static_cast<Qt::Key>(key));
    });
    // Through the window, as the window system gives it: the widget's own events make no menu.
    QTest::mouseClick(widget->window()->windowHandle(), Qt::RightButton, {}, widget->mapTo(widget->window(), at));
    return opened;
}

QImage frameOf(QWidget* widget, int border) {
    QImage image = widget->grab().toImage();
    QPainter painter(&image);
    painter.fillRect(image.rect().adjusted(border, border, -border, -border), Qt::black);
    return image;
}

bool tabInto(QWidget* target, int tabs) {
    QWidget* window = target->window();
    for (int i = 0; i < tabs && !target->hasFocus(); ++i) {
        // A wait window a leave handler showed and closed takes the activation with it; a window
        // manager gives it back to the form.
        if (QApplication::activeWindow() != window) activate(window);
        QWidget* focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window, Qt::Key_Tab);
    }
    return target->hasFocus();
}
