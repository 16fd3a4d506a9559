#include "support/season_fixture.h"

#include <QStringList>
#include <stdexcept>

#include "matches/move_tallies.h"
#include "support/fixtures.h"

namespace {

// A text as an SQL literal; an empty text is Null.
QString literalOrNull(const QString& text) {
    if (text.isEmpty()) return QStringLiteral("NULL");
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString literal(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

}  // namespace

SeasonFixture::SeasonFixture(const QString& path)
    : path_(path), tallyColumns_(tallyColumnNames()) {}

int SeasonFixture::nextSeq(const QString& table) {
    auto it = lastSeq_.find(table);
    if (it == lastSeq_.end())
        it = lastSeq_
                 .emplace(table, queryValue(path_, QStringLiteral("SELECT max(Seq) FROM %1")
                                                       .arg(table))
                                     .toInt())
                 .first;
    return ++it->second;
}

void SeasonFixture::write(const QString& sql) {
    if (batching_)
        pending_ << sql;
    else
        execSql(path_, sql);
}

void SeasonFixture::beginBatch() { batching_ = true; }

void SeasonFixture::endBatch() {
    batching_ = false;
    if (pending_.isEmpty()) return;
    execSql(path_, QStringLiteral("BEGIN;\n") + pending_.join(QStringLiteral(";\n")) +
                       QStringLiteral(";\nCOMMIT;"));
    pending_.clear();
}

int SeasonFixture::addWrestler(const QString& first, const QString& last, int season,
                               const QString& grade, const QString& inactive) {
    const QString fullName = last.isEmpty() ? first : first + QLatin1Char(' ') + last;
    const int seq = nextSeq(QStringLiteral("Wrestler"));
    write(QStringLiteral("INSERT INTO Wrestler (Seq, FullName, FirstName, LastName, Grade, "
                         "wr_inactive, Season, FNameSeason) VALUES (%1, %2, %3, %4, %5, %6, %7, %8)")
              .arg(seq)
              .arg(literal(fullName), literalOrNull(first), literalOrNull(last),
                   literalOrNull(grade), literalOrNull(inactive))
              .arg(season)
              .arg(literal(fullName + QString::number(season))));
    return seq;
}

int SeasonFixture::addWeight(const QString& weight) {
    const int seq = nextSeq(QStringLiteral("Weight"));
    write(QStringLiteral("INSERT INTO Weight (Seq, Weight) VALUES (%1, %2)").arg(seq).arg(literal(weight)));
    return seq;
}

int SeasonFixture::addSchool(const QString& name, int division, const QString& league) {
    const int seq = nextSeq(QStringLiteral("OppSchool"));
    write(QStringLiteral("INSERT INTO OppSchool (Seq, OppSchool, OppDiv, LeagueSchool) "
                         "VALUES (%1, %2, %3, %4)")
              .arg(seq)
              .arg(literal(name))
              .arg(division)
              .arg(literalOrNull(league)));
    return seq;
}

int SeasonFixture::addMatch(const FixtureMatch& m) {
    static const QStringList kTextColumns =
        periodColumnNames() +
        QStringList{QStringLiteral("Choice1home"),    QStringLiteral("Choice2Home"),
                    QStringLiteral("ChoiceDOT1Home"), QStringLiteral("ChoiceDOT2Home"),
                    QStringLiteral("ChoiceOTHome"),   QStringLiteral("Choice1Opp"),
                    QStringLiteral("Choice2Opp"),     QStringLiteral("ChoiceDOT1Opp"),
                    QStringLiteral("ChoiceDOT2Opp"),  QStringLiteral("ChoiceOTOpp")};

    const int seq = nextSeq(QStringLiteral("[Match]"));
    QStringList columns{QStringLiteral("Seq"), QStringLiteral("SeqWrestler"), QStringLiteral("[Date]"),
                        QStringLiteral("OppFName"),    QStringLiteral("OppLName"),
                        QStringLiteral("SeqOppSchool"), QStringLiteral("ActWeight"),
                        QStringLiteral("SeqWeight"),   QStringLiteral("Level"),
                        QStringLiteral("WL"),          QStringLiteral("WinType"),
                        QStringLiteral("Score"),       QStringLiteral("TeamPoints"),
                        QStringLiteral("LeagueMatch"), QStringLiteral("FirstPoint"),
                        QStringLiteral("Notes")};
    QStringList values{QString::number(seq), QString::number(m.wrestler),
                       literal(m.date.toString(Qt::ISODate)),
                       literalOrNull(m.oppFName),
                       literalOrNull(m.oppLName),
                       QString::number(m.school),
                       literal(m.actWeight),
                       QString::number(m.weight),
                       literal(m.level),
                       literal(m.wl),
                       literal(m.winType),
                       literalOrNull(m.score),
                       m.teamPoints ? QString::number(*m.teamPoints) : QStringLiteral("NULL"),
                       literalOrNull(m.leagueMatch),
                       literal(m.firstPoint),
                       literal(m.notes)};
    for (const QString& column : kTextColumns) {
        columns << column;
        bool found = false;
        for (const auto& [name, text] : m.texts)
            if (name.compare(column, Qt::CaseInsensitive) == 0) {
                values << literal(text);
                found = true;
            }
        if (!found) values << literal(QString());
    }
    for (const auto& [name, n] : m.tallies) {
        (void)n;
        if (!tallyColumns_.contains(name, Qt::CaseInsensitive))
            throw std::runtime_error(("season fixture: no tally column " + name).toStdString());
    }
    for (const QString& column : tallyColumns_) {
        columns << column;
        int count = 0;
        for (const auto& [name, n] : m.tallies)
            if (name.compare(column, Qt::CaseInsensitive) == 0) count = n;
        values << QString::number(count);
    }
    write(QStringLiteral("INSERT INTO [Match] (%1) VALUES (%2)")
              .arg(columns.join(QLatin1Char(',')), values.join(QLatin1Char(','))));
    return seq;
}

SeasonFixtureIds makeSeasonFixture(const QString& path) {
    SeasonFixture db(path);
    db.beginBatch();
    SeasonFixtureIds id{};
    id.northfield = db.addSchool(QStringLiteral("Northfield"), 1, QStringLiteral("Y"));
    id.eastbrook = db.addSchool(QStringLiteral("Eastbrook"), 2);
    id.omalley = db.addSchool(QStringLiteral("O'Malley Prep"), 3);
    id.w98 = db.addWeight(QStringLiteral("98"));
    id.w106 = db.addWeight(QStringLiteral("106"));
    id.w119 = db.addWeight(QStringLiteral("119"));
    id.w125 = db.addWeight(QStringLiteral("125"));
    id.w285 = db.addWeight(QStringLiteral("285"));

    id.alder2009 = db.addWrestler(QStringLiteral("Adam"), QStringLiteral("Alder"), 2009,
                                  QStringLiteral("11"));
    id.alder2010 = db.addWrestler(QStringLiteral("Adam"), QStringLiteral("Alder"), 2010,
                                  QStringLiteral("12"));
    id.brook2010 = db.addWrestler(QStringLiteral("Ben"), QStringLiteral("Brook"), 2010,
                                  QStringLiteral("9"), QString());
    id.cole2010 = db.addWrestler(QStringLiteral("Carl"), QStringLiteral("Cole"), 2010,
                                 QStringLiteral("10"), QStringLiteral("1"));
    id.ezra2010 = db.addWrestler(QStringLiteral("Eli"), QStringLiteral("Ezra"), 2010);
    id.dorn2010 = db.addWrestler(QStringLiteral("Dan"), QStringLiteral("Dorn"), 2010,
                                 QStringLiteral("11"));
    id.void2010 = db.addWrestler(QStringLiteral("VOID"), QString(), 2010);

    auto match = [&](int wrestler, QDate date, int school, int weight, const char* wl,
                     const char* winType, std::map<QString, int> tallies = {},
                     const char* first = "", std::optional<double> team = std::nullopt) {
        FixtureMatch m;
        m.wrestler = wrestler;
        m.date = date;
        m.school = school;
        m.weight = weight;
        m.wl = QString::fromLatin1(wl);
        m.winType = QString::fromLatin1(winType);
        m.tallies = std::move(tallies);
        m.firstPoint = QString::fromLatin1(first);
        m.teamPoints = team;
        m.leagueMatch = school == id.northfield ? QStringLiteral("Y") : QString();
        return m;
    };
    const QString tp1 = QStringLiteral("tp1home");

    db.addMatch(match(id.alder2010, {2010, 12, 4}, id.northfield, id.w119, "W", "Fall",
                      {{tp1, 2}, {QStringLiteral("tp2home"), 1}, {QStringLiteral("tp1Opp"), 1}},
                      "H", 6));
    db.addMatch(match(id.alder2010, {2010, 12, 11}, id.eastbrook, id.w119, "W", "DEC",
                      {{tp1, 1}, {QStringLiteral("tpdot1home"), 1}, {QStringLiteral("ep2Opp"), 1}},
                      "H", 3));
    db.addMatch(match(id.alder2010, {2011, 1, 8}, id.omalley, id.w119, "L", "DEC",
                      {{QStringLiteral("tp1Opp"), 2}}, "O", 0));
    db.addMatch(match(id.alder2010, {2011, 1, 15}, id.northfield, id.w125, "W", "Forfeit", {}, "",
                      6));
    db.addMatch(match(id.alder2010, {2011, 1, 22}, id.eastbrook, id.w125, "W", "MD",
                      {{tp1, 2},
                       {QStringLiteral("tp3home"), 2},
                       {QStringLiteral("nf2p2home"), 1},
                       {QStringLiteral("nf3p2home"), 1}},
                      "H", 4));
    db.addMatch(match(id.alder2010, {2011, 2, 5}, id.northfield, id.w125, "L", "Other", {}, "O"));
    db.addMatch(match(id.alder2010, {2011, 5, 10}, id.eastbrook, id.w119, "W", "DEC", {{tp1, 3}}));

    db.addMatch(match(id.brook2010, {2010, 12, 4}, id.northfield, id.w98, "W", "DEC", {{tp1, 1}},
                      "H", 3));
    db.addMatch(match(id.brook2010, {2010, 12, 11}, id.eastbrook, id.w98, "L", "Fall",
                      {{QStringLiteral("tp1Opp"), 2}}, "O"));
    db.addMatch(match(id.brook2010, {2011, 1, 8}, id.omalley, id.w285, "W", "TF", {{tp1, 5}}, "H",
                      5));

    db.addMatch(match(id.cole2010, {2010, 12, 4}, id.northfield, id.w106, "W", "DEC", {{tp1, 4}}));
    db.addMatch(match(id.cole2010, {2011, 1, 8}, id.omalley, id.w106, "W", "Other"));

    db.addMatch(match(id.ezra2010, {2011, 2, 5}, id.northfield, id.w285, "L", "Fall"));
    db.addMatch(match(id.ezra2010, {2011, 2, 12}, id.eastbrook, id.w285, "L", "DEC"));

    FixtureMatch jv = match(id.dorn2010, {2010, 12, 4}, id.northfield, id.w106, "W", "Fall",
                            {{tp1, 7}});
    jv.level = QStringLiteral("JV");
    db.addMatch(jv);

    db.addMatch(match(id.void2010, {2010, 12, 4}, id.northfield, id.w125, "W", "Forfeit",
                      {{tp1, 10}}));

    db.addMatch(match(id.alder2009, {2009, 12, 5}, id.northfield, id.w119, "W", "Fall",
                      {{tp1, 2}}));
    db.addMatch(match(id.alder2009, {2010, 1, 9}, id.eastbrook, id.w119, "L", "DEC", {{tp1, 1}}));
    db.endBatch();
    return id;
}
