#include "support/user_input.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>

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
}

void typeKeys(const QString& text) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no control has the focus";
    QTest::keyClicks(focus, text);
}
