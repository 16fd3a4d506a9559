#pragma once

// Stored seasons for report tests: a small builder that writes wrestlers, weight classes,
// schools and matches straight into a database file, and one ready-made database of several
// seasons (makeSeasonFixture).
//
//     TestHome home;
//     SeasonFixture db(makeDatabase(home.path()));
//     int w = db.addWrestler("Adam", "Alder", 2010, "12");
//     int wt = db.addWeight("119");
//     int s = db.addSchool("Northfield");
//     db.addMatch({.wrestler = w, .date = QDate(2010, 12, 4), .school = s, .weight = wt,
//                  .wl = "W", .winType = "Fall", .tallies = {{"tp1home", 2}}});

#include <QDate>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>

// One stored match as the match entry's save writes it. Every field has the value a plain
// varsity decision win would get; name only what a test needs.
struct FixtureMatch {
    int wrestler = 0;         // Wrestler.Seq
    QDate date;               // stored as its ISO text
    QString oppFName = QStringLiteral("Opp");
    QString oppLName = QStringLiteral("Onent");
    int school = 0;           // OppSchool.Seq
    QString actWeight = QStringLiteral("119");
    int weight = 0;           // Weight.Seq
    QString level = QStringLiteral("V");      // "V", "JV", "Frosh"
    QString wl = QStringLiteral("W");         // "W" or "L"
    QString winType = QStringLiteral("DEC");  // "DEC", "MD", "Fall", "TF", "Forfeit", "Other"
    QString score;                            // Null when empty
    std::optional<double> teamPoints;         // Null when not given
    QString leagueMatch;                      // Null when empty, else "Y"
    QString firstPoint;                       // "H", "O" or ""
    QString notes;
    // Tally columns by name ("tp1home", "nf3pdot2Opp", ...), case as you like; the other tally
    // columns are 0.
    std::map<QString, int> tallies;
    // Move strings and choices by column name ("Period1Home", "Choice2Opp", ...); the others
    // are empty text.
    std::map<QString, QString> texts;
};

class SeasonFixture {
public:
    // `path`: an existing database file (makeDatabase).
    explicit SeasonFixture(const QString& path);

    const QString& path() const { return path_; }

    // Each returns the new row's Seq.
    // FullName is first + " " + last (just `first` when last is empty, as for "VOID");
    // FNameSeason is FullName followed by the season; an empty grade or inactive is stored Null.
    int addWrestler(const QString& first, const QString& last, int season,
                    const QString& grade = QString(), const QString& inactive = QStringLiteral("0"));
    int addWeight(const QString& weight);
    int addSchool(const QString& name, int division = 1, const QString& league = QStringLiteral("N"));
    int addMatch(const FixtureMatch& match);

    // Between these two, the rows are collected and written at the end in one transaction
    // (much faster for many rows); the keys are returned at once all the same.
    void beginBatch();
    void endBatch();

private:
    int nextSeq(const QString& table);
    void write(const QString& sql);

    QString path_;
    std::map<QString, int> lastSeq_;
    bool batching_ = false;
    QStringList pending_;
    QStringList tallyColumns_;  // the 112 tally columns
};

// The keys of the ready-made database.
struct SeasonFixtureIds {
    int alder2009, alder2010, brook2010, cole2010, ezra2010, dorn2010, void2010;
    int w98, w106, w119, w125, w285;
    int northfield, eastbrook, omalley;
};

// Fills an existing database file with three schools ("Northfield" league, "Eastbrook",
// "O'Malley Prep"), the weight classes 98, 106, 119, 125, 285, and these matches
// (varsity unless said; TD = takedowns of the home wrestler, tp*home):
//
// Season 2010 (2010-2011):
//   Adam Alder, grade 12, active "0":
//     12/4/2010  Northfield  119 W Fall    TD 3 (tp1home 2, tp2home 1), tp1Opp 1, first H, team 6
//     12/11/2010 Eastbrook   119 W DEC     TD 2 (tp1home, tpdot1home), ep2Opp 1, first H, team 3
//     1/8/2011   O'Malley    119 L DEC     tp1Opp 2, first O, team 0
//     1/15/2011  Northfield  125 W Forfeit no tallies, team 6
//     1/22/2011  Eastbrook   125 W MD      TD 4 (tp1home 2, tp3home 2), nf2p2home 1, nf3p2home 1,
//                                          first H, team 4
//     2/5/2011   Northfield  125 L Other   first O
//     5/10/2011  Eastbrook   119 W DEC     TD 3 (dated in May: in no season's window)
//     => in the window: 4 W, 2 L, 1 pin, PCT .667, TD 9, most-wrestled weight 119 (3 and 3)
//   Ben Brook, grade 9, wr_inactive Null:
//     12/4/2010  Northfield   98 W DEC     TD 1, first H, team 3
//     12/11/2010 Eastbrook    98 L Fall    tp1Opp 2, first O
//     1/8/2011   O'Malley    285 W TF      TD 5, first H, team 5
//     => 2 W, 1 L, 0 pins, PCT .667, TD 6, weight 98
//   Carl Cole, grade 10, inactive "1":
//     12/4/2010  Northfield  106 W DEC     TD 4
//     1/8/2011   O'Malley    106 W Other
//   Eli Ezra, no grade, active "0":
//     2/5/2011   Northfield  285 L Fall;   2/12/2011 Eastbrook 285 L DEC   => 0 W, 2 L, TD 0
//   Dan Dorn, grade 11, active "0": 12/4/2010 Northfield 106 JV W Fall TD 7
//   VOID: 12/4/2010 Northfield 125 W Forfeit TD 10
// Season 2009 (2009-2010):
//   Adam Alder, grade 11, active "0":
//     12/5/2009  Northfield  119 W Fall    TD 2;   1/9/2010 Eastbrook 119 L DEC TD 1
SeasonFixtureIds makeSeasonFixture(const QString& path);
