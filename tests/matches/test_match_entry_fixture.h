#pragma once
// A configured run of the program for the match entry tests: a database in a temporary home
// folder with wrestlers, weight classes and schools, the main menu, and helpers that work the
// entry form as the user does (focus into a box, type, move on).

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/connection.h"
#include "core/frmInit.h"
#include "core/helpers.h"
#include "matches/frmMatchInfo.h"
#include "matches/frmScoreSheet.h"
#include "platform/ui/ui.h"
#include "support/fixtures.h"
#include "support/user_input.h"
#include "support/qt_printers.h"
#include "support/user_input.h"

class MatchEntryFixture : public ::testing::Test {
public:
    void SetUp() override {
        resetCoreState();
        QDir(home.path()).mkpath(QStringLiteral("data"));
        db = makeDatabase(home.file(QStringLiteral("data")));
        QFile ini(home.file(QStringLiteral("MatchInfo.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write((db + QStringLiteral("\r\n\r\n")).toUtf8());
        ini.close();
        if (seedTeam) seed();
    }
    void TearDown() override { ui::forms().unloadAll(); }

    // Wrestlers of the 2010 season and of the current one (so the form's start-up warnings stay
    // quiet), four weight classes, three schools of which Central High is a league school.
    void seed() {
        const QString now = QString::number(getSeason(QDate::currentDate()));
        execSql(db, QStringLiteral(
                        "INSERT INTO Weight (Weight) VALUES ('103'), ('145'), ('152'), ('285');"
                        "INSERT INTO Wrestler (FullName, FirstName, LastName, wr_inactive, Season, FNameSeason) VALUES "
                        "('Adam Brook', 'Adam', 'Brook', '0', 2010, 'Adam Brook2010'),"
                        "('Carl Dunn', 'Carl', 'Dunn', NULL, 2010, 'Carl Dunn2010'),"
                        "('Old Timer', 'Old', 'Timer', '1', 2010, 'Old Timer2010'),"
                        "('VOID', 'VOID', '', NULL, 2010, 'VOID2010'),"
                        "('Eli Frost', 'Eli', 'Frost', '0', %1, 'Eli Frost%1'),"
                        "('VOID', 'VOID', '', NULL, %1, 'VOID%1');"
                        "INSERT INTO OppSchool (OppSchool, OppDiv, LeagueSchool) VALUES "
                        "('Central High', 2, 'Y'), ('Westfield', 3, NULL), ('St. Mary''s', 1, NULL);")
                        .arg(now));
    }

    int key(const QString& sql) { return queryValue(db, sql).toInt(); }
    int weightKey(const QString& w) { return key(QStringLiteral("SELECT Seq FROM Weight WHERE Weight = '%1'").arg(w)); }
    int schoolKey(const QString& s) {
        return key(QStringLiteral("SELECT Seq FROM OppSchool WHERE OppSchool = '%1'").arg(QString(s).replace("'", "''")));
    }
    int wrestlerKey(const QString& name, int season) {
        return key(QStringLiteral("SELECT Seq FROM Wrestler WHERE FullName = '%1' AND Season = %2").arg(name).arg(season));
    }
    int matchCount() { return key(QStringLiteral("SELECT count(*) FROM [Match]")); }
    // Columns of the one stored bout; empty when there is none, or more than one.
    QVariantList onlyBout(const QString& columns) {
        const QList<QVariantList> rows = queryRows(db, QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM [Match]"));
        return rows.size() == 1 ? rows.first() : QVariantList();
    }

    // A bout already stored, written directly.
    void storeBout(const QString& isoDate, const QString& wrestler, int season, const QString& weight,
                   const QString& actWeight, const QString& school, const QString& first, const QString& last) {
        execSql(db, QStringLiteral("INSERT INTO [Match] (SeqWrestler, [Date], SeqWeight, ActWeight, SeqOppSchool, "
                                   "OppFName, OppLName, Level, WL, WinType, Score) VALUES (%1, '%2', %3, '%4', %5, "
                                   "'%6', '%7', 'V', 'W', 'DEC', '4-1')")
                        .arg(wrestlerKey(wrestler, season))
                        .arg(isoDate)
                        .arg(weightKey(weight))
                        .arg(actWeight)
                        .arg(schoolKey(school))
                        .arg(first, last));
    }

    // The main menu, then its Enter button.
    frmMatchInfo* openFromMenu() {
        ui::forms().get<frmInit>()->show();
        ui::forms().get<frmInit>()->cmdEnter->click();
        EXPECT_FALSE(ui::forms().isLoaded<frmInit>());
        activate(entry());
        return entry();
    }

    static frmMatchInfo* entry() { return ui::forms().get<frmMatchInfo>(); }
    static frmScoreSheet* sheet() { return ui::forms().get<frmScoreSheet>(); }

    // Focus into a box, type, and move on to the next control, as the user does.
    static void enterText(QLineEdit* box, const QString& text) {
        box->setFocus(Qt::MouseFocusReason);
        box->setText(text);
        moveOn();
    }
    static void pickName(const QString& name) {
        QComboBox* combo = entry()->comHomeName;
        combo->setFocus(Qt::MouseFocusReason);
        combo->setCurrentIndex(combo->findText(name));
        moveOn();
    }
    static void pickWeight(const QString& weight) {
        QListWidget* list = entry()->lstWeight;
        list->setCurrentItem(list->findItems(weight, Qt::MatchExactly).value(0));
    }
    // The focus goes to a control whose leaving runs nothing.
    static void moveOn() { entry()->txtFind->setFocus(Qt::MouseFocusReason); }

    static QStringList items(const QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    static QStringList items(const QComboBox* combo) {
        QStringList out;
        for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
        return out;
    }

    static QString nameEntry(const QString& weight, const QString& first, const QString& last) {
        return weight + QStringLiteral(" - ") + first + QChar(0x00A0) + last;
    }

    bool seedTeam = true;
    TestHome home;
    QString db;
};
