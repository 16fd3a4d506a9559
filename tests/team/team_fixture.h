#pragma once
// A database in a temporary home folder for the team-data forms, with helpers to set up rows and
// read them back.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "core/connection.h"
#include "matches/frmMatchInfo.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"

class TeamFixture : public ::testing::Test {
protected:
    void SetUp() override {
        db = makeDatabase(home.path());
        useDatabase(db);
        gSeason = 2010;
    }
    void TearDown() override { ui::forms().unloadAll(); }

    // The match entry form loaded in the 2010 season, its start-up warnings switched off.
    frmMatchInfo* entryForm() {
        frmMatchInfo* entry = ui::forms().get<frmMatchInfo>();
        entry->Timer1->stop();
        return entry;
    }

    // Shows a form and makes it the active window, so that focus moves and access keys work as
    // they do for the user.
    template <class F>
    static F* showActive(F* form) {
        form->show();
        QApplication::setActiveWindow(form);
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
        return form;
    }

    // Clicks into a box and types `text` over what it held. Letters beyond ASCII come as the text
    // of a key, as a keyboard layout gives them.
    static void typeInto(QLineEdit* box, const QString& text) {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        for (const QChar c : text) {
            QTest::sendKeyEvent(QTest::Press, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    void sql(const QString& text) { execSql(db, text); }
    QVariant value(const QString& query) { return queryValue(db, query); }
    int count(const QString& query) { return value(query).toInt(); }

    TestHome home;
    QString db;
};
