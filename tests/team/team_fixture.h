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
#include "support/user_input.h"

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

    void sql(const QString& text) { execSql(db, text); }
    QVariant value(const QString& query) { return queryValue(db, query); }
    int count(const QString& query) { return value(query).toInt(); }

    TestHome home;
    QString db;
};
