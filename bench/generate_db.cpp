// Writes a large database file of the kind a team builds over many seasons: weight classes,
// opposing schools, wrestlers season by season, rosters, weigh-ins, dual-meet scores and matches
// scored move by move. The matches are stored through the program's own row writer, so their
// move strings are in the score sheet's canonical form and their tallies agree with them.
//
// The output is the same for the same arguments (a fixed random seed).
#include "bench/generate_db.h"

#include <QCoreApplication>
#include <QDate>
#include <QFile>
#include <QStringList>
#include <cstdio>
#include <random>

#include "core/connection.h"
#include "matches/match_row.h"
#include "matches/move_notation.h"
#include "platform/files/FileCopy.h"

namespace {

const QStringList kWeights = {"103", "112", "119", "125", "130", "135", "140",
                              "145", "152", "160", "171", "189", "215", "285"};
const QStringList kFirst = {"Aaron", "Adam",  "Alex",   "Ben",    "Blake",  "Brady", "Caleb",
                            "Carl",  "Casey", "Cody",   "Colin",  "Dan",    "Derek", "Dylan",
                            "Eli",   "Ethan", "Evan",   "Finn",   "Gabe",   "Grant", "Hank",
                            "Ian",   "Isaac", "Jack",   "Jake",   "Jared",  "Joel",  "Kyle",
                            "Liam",  "Logan", "Luke",   "Mason",  "Matt",   "Nate",  "Noah",
                            "Owen",  "Paul",  "Quinn",  "Reed",   "Ryan",   "Sam",   "Seth",
                            "Shane", "Tanner", "Tom",   "Trey",   "Tyler",  "Vince", "Wade",
                            "Wes",   "Zach",  "Zane"};
const QStringList kLast = {"Alder",  "Baker",   "Brook",  "Carver", "Cole",    "Dale",   "Dorn",
                           "Ellis",  "Ezra",    "Fisher", "Ford",   "Grant",   "Hale",   "Hart",
                           "Hayes",  "Irwin",   "Jansen", "Keller", "Lang",    "Lowe",   "Marsh",
                           "Moss",   "Nash",    "Noble",  "O'Neil", "Olsen",   "Page",   "Pike",
                           "Quist",  "Reyes",   "Rhodes", "Rowe",   "Sauer",   "Shaw",   "Stone",
                           "Tate",   "Thorne",  "Tull",   "Vance",  "Vogel",   "Wade",   "Walsh",
                           "West",   "Wolfe",   "Yates",  "Young",  "Zeller",  "Ziegler"};
const QStringList kTowns = {"Northfield", "Eastbrook",  "Westlake",  "Southgate",  "Pine Ridge",
                            "Oak Hill",   "Cedar Falls", "Maple Grove", "Riverside", "Lakeview",
                            "Fairview",   "Hillcrest",  "Brookside", "Stonebridge", "Ashford",
                            "Glenwood",   "Kingsley",   "Milford",   "Newport",    "Oakdale",
                            "Redwood",    "Sherwood",   "Thornton",  "Upton",      "Valley",
                            "Windham",    "Yorktown",   "Bayside",   "Clearwater", "Dover",
                            "Elmwood",    "Foxboro",    "Granby",    "Harbor",     "Ironton",
                            "Jasper",     "O'Malley Prep", "Lincoln",  "Madison",   "Prescott"};

const QStringList kSchoolKinds = {"High",      "Academy",   "Christian", "Catholic",  "Central",  "North",
                                   "South",     "East",      "West",      "Prep",      "Tech",     "County",
                                   "Regional",  "Union",     "Memorial",  "Heights",   "Park",     "Lake",
                                   "Hills",     "Charter",   "Community", "Senior",    "Area",     "Township",
                                   "City",      "Village",   "Friends",   "Lutheran",  "Baptist",  "Military",
                                   "Science",   "Arts",      "Career",    "Magnet",    "Public",   "Classical",
                                   "Day",       "Mountain",  "Harbor",    "Consolidated"};

class Generator {
public:
    Generator(int matches, const bench::FileShape& shape) : matches_(matches), shape_(shape), rng_(15) {}
    void run();

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    QString token(bool riding);
    void periodMoves(QString& home, QString& opp, bool riding);
    static int points(const QString& moves);
    void addReferenceRows();
    void addSeason(int season, int quota);
    void addMatch(MatchRow& row, bool forfeit, double ties);
    void addIdleRows();

    struct Person {
        QString first, last;
        int grade;
        int weightIndex;
    };
    int matches_;
    bench::FileShape shape_;
    std::mt19937 rng_;
    std::vector<int> weightSeq_;
    std::vector<int> schoolSeq_;
    std::vector<bool> league_;
    std::vector<Person> team_;
    db::Recordset matchRs_;
    int pendingRows_ = 0;
};

QString Generator::token(bool riding) {
    // Takedowns and escapes are the common moves; reversals and near falls come from the mat.
    static const char* neutral[] = {"T2", "T2", "T2", "T2", "E1", "N2", "P1", "C", "W"};
    static const char* mat[] = {"E1", "E1", "R2", "R2", "N2", "N3", "T2", "P1", "C"};
    return QString::fromLatin1(riding ? mat[pick(9)] : neutral[pick(9)]);
}

void Generator::periodMoves(QString& home, QString& opp, bool riding) {
    const int moves = pick(5);
    for (int i = 0; i < moves; ++i) (chance(0.55) ? home : opp) += token(riding) + QLatin1Char(' ');
}

int Generator::points(const QString& moves) {
    int sum = 0;
    for (QChar c : moves)
        if (c.isDigit()) sum += c.digitValue();
    return sum;
}

void Generator::addReferenceRows() {
    for (const QString& w : kWeights) {
        gConn.execute(QStringLiteral("INSERT INTO Weight (Weight) VALUES (?)"), {db::Value(w)});
        weightSeq_.push_back(int(gConn.openSnapshot(QStringLiteral("SELECT last_insert_rowid() AS k"))
                                     .field(0)
                                     .toInt()));
    }
    for (int i = 0; i < kTowns.size(); ++i) {
        const bool league = i % 4 == 0;
        gConn.execute(QStringLiteral("INSERT INTO OppSchool (OppSchool, OppDiv, LeagueSchool) VALUES (?, ?, ?)"),
                      {db::Value(kTowns[i]), db::Value(1 + i % 3), league ? db::Value("Y") : db::Value()});
        schoolSeq_.push_back(int(gConn.openSnapshot(QStringLiteral("SELECT last_insert_rowid()")).field(0).toInt()));
        league_.push_back(league);
    }
    gConn.execute(QStringLiteral("UPDATE License SET school = 'Central Valley' WHERE Seq = 1"));
    gConn.execute(QStringLiteral("INSERT INTO License (Seq, school) VALUES (2, 'Twenty seasons of the team')"));
}

void Generator::addMatch(MatchRow& row, bool forfeit, double ties) {
    const bool overtime = !forfeit && chance(ties);
    const bool doubleOvertime = overtime && chance(0.25);
    if (!forfeit) {
        for (int p = 0; p < 3; ++p) periodMoves(row.home[p], row.opp[p], p > 0);
        row.choiceHome[0] = QStringLiteral("Top");
        row.choiceOpp[0] = QStringLiteral("Bot");
        row.choiceHome[1] = QStringLiteral("Neu");
        row.choiceOpp[1] = QStringLiteral("Def");
    }
    int home = 0, opp = 0;
    for (int p = 0; p < 3; ++p) home += points(row.home[p]), opp += points(row.opp[p]);
    if (home == opp && !forfeit) {
        // Level after three periods: sudden victory decides it.
        if (doubleOvertime) {
            row.home[4] = QStringLiteral("E1 ");
            row.opp[5] = QStringLiteral("E1 ");
            row.choiceHome[2] = QStringLiteral("Bot");
            row.choiceOpp[3] = QStringLiteral("Bot");
        }
        (chance(0.5) ? row.home[3] : row.opp[3]) += QStringLiteral("T2 ");
    }
    QString error;
    for (int p = 0; p < 7; ++p) {
        validateMoves(row.home[p], error);
        validateMoves(row.opp[p], error);
    }
    home = opp = 0;
    for (int p = 0; p < 7; ++p) home += points(row.home[p]), opp += points(row.opp[p]);
    row.win = forfeit ? chance(0.8) : home > opp;
    const int margin = std::abs(home - opp);
    if (forfeit) {
        row.winType = 4;
    } else if (chance(0.2)) {
        row.winType = 2;  // a fall: the score is the time
        row.score = QStringLiteral("%1:%2").arg(1 + pick(5)).arg(pick(60), 2, 10, QLatin1Char('0'));
    } else {
        row.winType = margin >= 15 ? 3 : margin >= 8 ? 1 : 0;
        row.score = QStringLiteral("%1-%2").arg(std::max(home, opp)).arg(std::min(home, opp));
    }
    static const int teamPoints[] = {3, 4, 6, 5, 6, 0};
    if (row.win) row.teamPoints = QString::number(teamPoints[row.winType]);
    row.firstHome = home > 0 && (opp == 0 || chance(0.6));
    row.firstOpp = !row.firstHome && opp > 0;
    if (chance(0.03)) row.notes = QStringLiteral("Watch the single leg; ") + row.oppLName;

    matchRs_.addNew();
    setMatchColumns(matchRs_, row);
    matchRs_.update();
    // The recordset keeps every row it added: start a fresh one now and then.
    if (++pendingRows_ == 2000) {
        matchRs_ = gConn.openForUpdate(QStringLiteral("SELECT * FROM [Match] WHERE Seq = 0"));
        pendingRows_ = 0;
    }
}

void Generator::addSeason(int season, int quota) {
    // Seniors leave, the rest move up a grade, freshmen fill the room up to sixty.
    std::vector<Person> next;
    for (Person p : team_)
        if (p.grade < 12 && !chance(0.1)) {
            ++p.grade;
            if (chance(0.4) && p.weightIndex + 1 < kWeights.size()) ++p.weightIndex;
            next.push_back(p);
        }
    while (next.size() < 60) {
        Person p{kFirst[pick(kFirst.size())], kLast[pick(kLast.size())], 9 + pick(2) * pick(3),
                 pick(kWeights.size())};
        bool taken = false;
        for (const Person& q : next) taken = taken || (q.first == p.first && q.last == p.last);
        if (!taken) next.push_back(p);
    }
    team_ = next;

    std::vector<int> wrestlerSeq;
    for (const Person& p : team_) {
        const QString full = p.first + QLatin1Char(' ') + p.last;
        gConn.execute(QStringLiteral("INSERT INTO Wrestler (FullName, FirstName, LastName, Grade, MinWt, "
                                     "wr_inactive, Season, FNameSeason) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                      {db::Value(full), db::Value(p.first), db::Value(p.last), db::Value(QString::number(p.grade)),
                       db::Value(kWeights[p.weightIndex]), db::Value(chance(0.1) ? "1" : "0"), db::Value(season),
                       db::Value(full + QString::number(season))});
        wrestlerSeq.push_back(int(gConn.openSnapshot(QStringLiteral("SELECT last_insert_rowid()")).field(0).toInt()));
    }

    // Twenty-five meets from late November to late February: mostly duals, some tournaments.
    const int meets = 25;
    int written = 0;
    QDate date(season, 11, 20);
    for (int m = 0; m < meets && written < quota; ++m) {
        date = date.addDays(3 + pick(2));
        const bool tournament = m % 5 == 4;
        const int school = pick(schoolSeq_.size());
        const QString iso = date.toString(Qt::ISODate);
        if (!tournament) {
            gConn.execute(QStringLiteral("INSERT INTO DualScore (CompDate, seqOppSchool, ScoreH, ScoreO) VALUES (?, ?, ?, ?)"),
                          {db::Value(iso), db::Value(schoolSeq_[school]), db::Value(double(20 + pick(40))),
                           db::Value(double(10 + pick(40)))});
            for (int w = 0; w < kWeights.size(); ++w)
                for (int k = 0; k < 2; ++k)
                    gConn.execute(QStringLiteral("INSERT INTO Roster (RosterDate, SeqSchool, SeqWeight, FName, LName) "
                                                 "VALUES (?, ?, ?, ?, ?)"),
                                  {db::Value(iso), db::Value(schoolSeq_[school]), db::Value(weightSeq_[w]),
                                   db::Value(kFirst[pick(kFirst.size())]), db::Value(kLast[pick(kLast.size())])});
        }
        for (size_t i = 0; i < team_.size() && written < quota; ++i) {
            const Person& p = team_[i];
            gConn.execute(QStringLiteral("INSERT INTO HomeWI (CompDate, SeqWrestler, Weight) VALUES (?, ?, ?)"),
                          {db::Value(iso), db::Value(wrestlerSeq[i]),
                           db::Value(kWeights[p.weightIndex].toDouble() - pick(30) / 10.0)});
            // Enough bouts a meet to reach the season's share.
            const int left = quota - written;
            const int turnsLeft = int(team_.size() - i) + int(team_.size()) * (meets - m - 1);
            const int bouts = std::min(left, (left + turnsLeft - 1) / turnsLeft + (chance(0.3) ? 1 : 0));
            for (int b = 0; b < bouts; ++b) {
                MatchRow row;
                row.seqWrestler = wrestlerSeq[i];
                row.date = date.toString(QStringLiteral("MM/dd/yyyy"));
                const int s = tournament ? pick(schoolSeq_.size()) : school;
                row.seqOppSchool = schoolSeq_[s];
                row.league = league_[s] && !tournament;
                const int weightIndex = std::min<int>(p.weightIndex + (chance(0.1) ? 1 : 0), kWeights.size() - 1);
                row.seqWeight = weightSeq_[weightIndex];
                row.actWeight = kWeights[p.weightIndex];
                row.oppFName = kFirst[pick(kFirst.size())];
                row.oppLName = kLast[pick(kLast.size())];
                row.level = p.grade >= 11 ? 0 : p.grade == 10 ? 1 : 2;
                addMatch(row, chance(0.03), 0.04);
                ++written;
            }
        }
    }
}

// Schools of a whole association's list that the team never met, and wrestlers who never had a
// bout (a season's roster of beginners), written after the matches so that these are the same
// as in a file without them.
void Generator::addIdleRows() {
    for (int i = 0; i < shape_.idleSchools; ++i)
        gConn.execute(QStringLiteral("INSERT INTO OppSchool (OppSchool, OppDiv) VALUES (?, ?)"),
                      {db::Value(bench::idleSchoolName(i)), db::Value(1 + i % 4)});
    const int firstSeason = 2004;
    for (int i = 0; i < shape_.idleWrestlers; ++i) {
        // Double last names: no one of the wrestling team has one.
        const QString first = kFirst[i % kFirst.size()];
        const QString last = kLast[(i / kFirst.size()) % kLast.size()] + QLatin1Char('-') +
                             kLast[(i / kFirst.size() / kLast.size() + i) % kLast.size()];
        const QString full = first + QLatin1Char(' ') + last;
        const int season = firstSeason + i % shape_.seasons;
        gConn.execute(QStringLiteral("INSERT INTO Wrestler (FullName, FirstName, LastName, Grade, MinWt, "
                                     "wr_inactive, Season, FNameSeason) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"),
                      {db::Value(full), db::Value(first), db::Value(last), db::Value(QStringLiteral("9")),
                       db::Value(kWeights[i % kWeights.size()]), db::Value("0"), db::Value(season),
                       db::Value(full + QString::number(season))});
    }
}

void Generator::run() {
    addReferenceRows();
    matchRs_ = gConn.openForUpdate(QStringLiteral("SELECT * FROM [Match] WHERE Seq = 0"));
    const int seasons = shape_.seasons;
    const int firstSeason = 2004;
    for (int s = 0; s < seasons; ++s) {
        const int quota = matches_ / seasons + (s < matches_ % seasons ? 1 : 0);
        addSeason(firstSeason + s, quota);
    }
    matchRs_.close();
    addIdleRows();
}

}  // namespace

namespace bench {

QString idleSchoolName(int i) {
    return kTowns[i % kTowns.size()] + QLatin1Char(' ') + kSchoolKinds[(i / kTowns.size()) % kSchoolKinds.size()];
}

void generateDatabase(const QString& path, const QString& templateFile, int matches, const FileShape& shape) {
    QFile::remove(path);
    const QString failure = files::copyFileReplacing(templateFile, path);
    if (!failure.isEmpty()) throw db::DbError(failure);
    gDbPath = path;
    openConnection();
    gConn.execute(QStringLiteral("BEGIN"));
    Generator(matches, shape).run();
    gConn.execute(QStringLiteral("COMMIT"));
    closeConnection();
}

}  // namespace bench
