#include <gtest/gtest.h>
#include <sched.h>
#include <sys/resource.h>

#include <csignal>

#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <set>
#include <thread>
#include <vector>
#include <climits>
#include <cmath>
#include <cstring>
#include <QTemporaryDir>

#include "platform/db/Connection.h"
#include "platform/db/DbError.h"
#include "platform/db/JetSql.h"
#include "platform/db/ParallelRead.h"
#include "support/fixtures.h"
#include "support/qt_printers.h"

using db::Connection;
using db::DbError;
using db::Value;

TEST(JetSql, TranslatesEachConstruct) {
    struct Case {
        const char* jet;
        const char* engine;
    } cases[] = {
        {"SELECT * FROM [Match] WHERE [Date] = #12/1/2010#",
         "SELECT * FROM [Match] WHERE [Date] = '2010-12-01'"},
        {"WHERE d BETWEEN #11/01/2009# AND #1/5/10#", "WHERE d BETWEEN '2009-11-01' AND '2010-01-05'"},
        {"SELECT FirstName & ' ' & LastName",
         "SELECT ifnull(FirstName, '') || ifnull(' ', '') || ifnull(LastName, '')"},
        {"WHERE [Match].Seq + 1 & Nz(x, 'y') = 'z'",
         "WHERE ifnull([Match].Seq + 1, '') || ifnull(Nz(x, 'y'), '') = 'z'"},
        {"SELECT -a&(b)", "SELECT ifnull(-a, '')||ifnull((b), '')"},
        {"WHERE x LIKE '*ab?c*'", "WHERE x LIKE '%ab_c%'"},
        {"WHERE x LIKE '%a\\_*' ESCAPE '\\'", "WHERE x LIKE '%a\\_*' ESCAPE '\\'"},
        {"SELECT DISTINCTROW Name FROM t", "SELECT DISTINCT Name FROM t"},
        {"WHERE OppDiv LIKE '%3_'", "WHERE OppDiv LIKE '%3_'"},
        {"WHERE x LIKE '[*]5[%]'", "WHERE x LIKE '*5\\%' ESCAPE '\\'"},
        {"WHERE a = True OR b = false", "WHERE a = 1 OR b = 0"},
        {"WHERE n = \"O'Neil\"", "WHERE n = 'O''Neil'"},
        {"WHERE n = 'it''s & #1/1/2000# True'", "WHERE n = 'it''s & #1/1/2000# True'"},
        {"CREATE TABLE DualScore(Seq Counter, CompDate Date, ScoreH Real)",
         "CREATE TABLE DualScore(Seq INTEGER PRIMARY KEY AUTOINCREMENT, CompDate Date, ScoreH Real)"},
        {"ALTER TABLE Wrestler ADD COLUMN FNameSeason Text(120)",
         "ALTER TABLE Wrestler ADD COLUMN FNameSeason TEXT(120) COLLATE NOCASE"},
        {"DROP INDEX FullName ON Wrestler", "DROP INDEX FullName"},
        {"SELECT [True], Text FROM t", "SELECT [True], Text FROM t"},
    };
    for (const auto& c : cases) EXPECT_EQ(db::translateJetSql(c.jet).toStdString(), c.engine) << c.jet;
    EXPECT_THROW(db::translateJetSql("WHERE d = #2/30/2010#"), DbError);
}

TEST(JetSql, RefusesStatementsThatEndTooEarly) {
    for (const char* jet : {"DROP INDEX FullName ON", "DROP INDEX FullName ON  ", "DROP INDEX FullName ON (",
                            "WHERE n = 'abc", "WHERE n = 'it''", "WHERE n = \"abc", "WHERE n = '",
                            "SELECT [Name FROM t", "WHERE d = #1/2/2010", "WHERE d = #"}) {
        EXPECT_THROW(db::translateJetSql(jet), DbError) << jet;
    }
}

// Runs the calling thread, and the threads it starts, on the first `count` of the CPUs it may run
// on now, as taskset would, until the object goes out of scope.
class OnCpus {
public:
    explicit OnCpus(int count) {
        CPU_ZERO(&kept_);
        EXPECT_EQ(sched_getaffinity(0, sizeof kept_, &kept_), 0);
        cpu_set_t fewer;
        CPU_ZERO(&fewer);
        for (int cpu = 0, taken = 0; cpu < CPU_SETSIZE && taken < count; ++cpu)
            if (CPU_ISSET(cpu, &kept_)) {
                CPU_SET(cpu, &fewer);
                ++taken;
            }
        EXPECT_EQ(sched_setaffinity(0, sizeof fewer, &fewer), 0);
    }
    ~OnCpus() { sched_setaffinity(0, sizeof kept_, &kept_); }
    OnCpus(const OnCpus&) = delete;
    OnCpus& operator=(const OnCpus&) = delete;

private:
    cpu_set_t kept_;
};

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath("test.mdb");
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));  // an empty file is an empty database
        f.close();
        conn.open(path);
        conn.execute("CREATE TABLE School (Seq Counter, Name Text(20), Div Integer, Joined Date, Score Real)");
        conn.execute("CREATE TABLE Bout (Seq Counter, SchoolSeq Integer REFERENCES School(Seq), WinType Text(10))");
    }
    void add(const QString& name, const Value& div = Value(), const Value& joined = Value()) {
        db::Recordset rs = conn.openForUpdate("SELECT * FROM School");
        rs.addNew();
        rs.setField("Name", name);
        rs.setField("Div", div);
        rs.setField("Joined", joined);
        rs.update();
    }
    QTemporaryDir dir;
    QString path;
    Connection conn;
};

TEST(DbOpen, MissingFileIsAnErrorAndNotCreated) {
    QTemporaryDir dir;
    Connection conn;
    const QString path = dir.filePath("none.mdb");
    EXPECT_THROW(conn.open(path), DbError);
    EXPECT_FALSE(QFile::exists(path));
    EXPECT_FALSE(conn.isOpen());

    QFile text(dir.filePath("notes.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is no database file, only some text that fills more than a header would");
    text.close();
    EXPECT_THROW(conn.open(text.fileName()), DbError);
    EXPECT_FALSE(conn.isOpen());
}

TEST_F(DbTest, AddNewGivesTheCounterAndSnapshotCountsExactly) {
    db::Recordset rs = conn.openForUpdate("Select * From School");
    EXPECT_TRUE(rs.isEOF());
    EXPECT_EQ(rs.recordCount(), 0);
    rs.addNew();
    rs.setField("name", "Central");
    rs.update();
    EXPECT_EQ(rs.field("Seq").toInt(), 1);
    rs.addNew();
    rs.setField("Name", "East");
    rs.update();
    EXPECT_EQ(rs.field("SEQ").toInt(), 2);
    EXPECT_EQ(rs.recordCount(), 2);

    for (int i = 0; i < 5; ++i) add(QString("School %1").arg(i));
    db::Recordset snap = conn.openSnapshot("SELECT Name AS SchoolName FROM School ORDER BY Seq");
    EXPECT_EQ(snap.recordCount(), 7);
    EXPECT_EQ(snap.absolutePosition(), 1);
    EXPECT_EQ(snap.field("schoolname").toString(), "Central");
    snap.moveLast();
    EXPECT_EQ(snap.absolutePosition(), 7);
    EXPECT_EQ(snap.field(0).toString(), "School 4");
    snap.moveNext();
    EXPECT_TRUE(snap.isEOF());
    EXPECT_THROW(snap.field(0), DbError);
    snap.moveFirst();
    snap.movePrevious();
    EXPECT_TRUE(snap.isBOF());
    EXPECT_THROW(snap.setField("SchoolName", "x"), DbError);

    db::Recordset none = conn.openSnapshot("SELECT * FROM School WHERE Seq = 99");
    EXPECT_TRUE(none.isEOF());
    EXPECT_TRUE(none.isBOF());
    EXPECT_EQ(none.recordCount(), 0);

    // Read forward, one row at a time: the same rows as the snapshot, then the end.
    db::Recordset forward = conn.openForward("SELECT Name AS SchoolName FROM School WHERE Seq > ? ORDER BY Seq", {5});
    EXPECT_EQ(forward.field("schoolname").toString(), "School 3");
    forward.moveNext();
    EXPECT_EQ(forward.field(0).toString(), "School 4");
    forward.moveNext();
    EXPECT_TRUE(forward.isEOF());
    EXPECT_THROW(forward.field(0), DbError);
    EXPECT_THROW(forward.moveNext(), DbError);
    EXPECT_TRUE(conn.openForward("SELECT * FROM School WHERE Seq = 99").isEOF());
}

TEST_F(DbTest, UpdateAndDeleteWriteBackByRow) {
    add("Central");
    add("East");
    add("West");
    conn.execute("ALTER TABLE School ADD COLUMN Grade Decimal");  // stores the text "12" as a number
    {
        db::Recordset rs = conn.openForUpdate("SELECT * FROM School WHERE Name <> 'East' ORDER BY Seq");
        ASSERT_EQ(rs.recordCount(), 2);
        rs.setField("Grade", "12");
        rs.update();
        rs.setField("Div", 3);
        rs.update();
        rs.moveNext();
        rs.deleteRow();
        EXPECT_EQ(rs.recordCount(), 1);
        rs.moveNext();
        EXPECT_TRUE(rs.isEOF());
    }
    db::Recordset rs = conn.openSnapshot("SELECT Name, Div FROM School ORDER BY Seq");
    ASSERT_EQ(rs.recordCount(), 2);
    EXPECT_EQ(rs.field("Div").toInt(), 3);
    rs.moveNext();
    EXPECT_EQ(rs.field("Name").toString(), "East");
    EXPECT_TRUE(rs.field("Div").isNull());
}

// A table that declares a column under a name of the row id (a file from elsewhere) takes that
// name from it: rows are still written back by the key, or by the row id under a name left free.
// A row that another connection changes, deletes, or deletes and adds again under the same key
// between its reading and its writing is left as the other wrote it, and the write refused.
TEST_F(DbTest, EachWriteChangesExactlyTheRowItWasReadAs) {
    conn.execute("ALTER TABLE School ADD COLUMN rowid INTEGER DEFAULT 1");
    conn.execute("CREATE TABLE Keyless (Seq Integer, Name Text(20), oid Integer, _rowid_ Integer DEFAULT 1)");
    Connection other;
    other.open(path);
    for (const char* table : {"School", "Keyless"}) {
        SCOPED_TRACE(table);
        conn.execute(QStringLiteral("INSERT INTO %1 (Seq, Name) VALUES (1, 'A'), (2, 'B'), (3, 'C')").arg(table));
        auto rowOf = [&](int seq) {
            return conn.openForUpdate(QStringLiteral("SELECT * FROM %1 WHERE Seq = ?").arg(table), {seq});
        };
        db::Recordset rs = rowOf(2);
        rs.setField("Name", "Mine");
        rs.update();
        rowOf(3).deleteRow();
        const QStringList meanwhile[] = {{"UPDATE %1 SET Name = 'a' WHERE Seq = 1"},
                                         {"DELETE FROM %1 WHERE Seq = 1", "INSERT INTO %1 (Seq, Name) VALUES (1, 'New')"},
                                         {"DELETE FROM %1 WHERE Seq = 1"}};
        for (const QStringList& statements : meanwhile) {
            rs = rowOf(1);
            rs.setField("Name", "Mine");
            for (const QString& sql : statements) other.execute(sql.arg(table));
            EXPECT_THROW(rs.update(), DbError) << statements.join("; ").toStdString();
        }
        EXPECT_EQ(conn.openSnapshot(QStringLiteral("SELECT group_concat(Name) FROM %1").arg(table)).field(0).toString(), "Mine");
    }
    // Values that read alike but are not the same: a whole number past 2^53 changed by one, or
    // stored as the real number nearest it, and a blob changed by one byte. A whole number
    // stored as the same real number is the same.
    const std::tuple<const char*, const char*, bool> alike[] = {
        {"Div = 9007199254740992", "Div = 9007199254740993", false},
        {"Div = 9007199254740993", "Div = 9007199254740992.0", false},
        {"Score = x'fe'", "Score = x'ff'", false},
        {"Score = 5", "Score = 5.0", true}};
    for (const auto& [before, after, same] : alike) {
        conn.execute(QStringLiteral("UPDATE School SET %1 WHERE Name = 'Mine'").arg(before));
        db::Recordset rs = conn.openForUpdate("SELECT * FROM School WHERE Name = 'Mine'");
        rs.setField("Joined", QDate(2010, 1, 1));
        other.execute(QStringLiteral("UPDATE School SET %1 WHERE Name = 'Mine'").arg(after));
        if (same) EXPECT_NO_THROW(rs.update()) << after;
        else EXPECT_THROW(rs.update(), DbError) << after;
    }
    conn.execute("ALTER TABLE Keyless ADD COLUMN rowid INTEGER");
    EXPECT_THROW(conn.openForUpdate("SELECT * FROM Keyless"), DbError) << "no name left to the row id";
}

// A counter at its largest value is the file's own limit: nothing was saved, and that is why.
TEST_F(DbTest, ACounterAtItsLargestValueSaysNothingWasSaved) {
    conn.execute("INSERT INTO School (Seq) VALUES (9223372036854775807)");
    try {
        add("Central");
        ADD_FAILURE() << "added";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().startsWith("Nothing was saved: a limit of the database file")) << e.message().toStdString();
    }
}

TEST_F(DbTest, TextComparesWithoutCaseAndKeepsApostrophes) {
    conn.execute("INSERT INTO School (Name) VALUES ('Central')");
    conn.execute("INSERT INTO Bout (SchoolSeq, WinType) VALUES (1, 'Fall')");
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM Bout WHERE WinType = 'FALL'").recordCount(), 1);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM Bout WHERE WinType LIKE 'f*'").recordCount(), 1);

    add("North", 13);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Div LIKE '%3%'").recordCount(), 1);
    add("St. Mary's");
    add("O'Neil 100%_");
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name = 'St. Mary''s'").recordCount(), 1);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name LIKE '%[_]%'").recordCount(), 1);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name = ?", {"o'neil 100%_"}).recordCount(), 1);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name LIKE ? ESCAPE '\\'",
                                {db::likeContainsPattern("0%_")})
                  .recordCount(),
              1);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name LIKE ? ESCAPE '\\'",
                                {db::likeContainsPattern("%")})
                  .recordCount(),
              1);
}

TEST_F(DbTest, NullIsNotEmptyText) {
    add("");
    db::Recordset rs = conn.openForUpdate("SELECT * FROM School");
    rs.addNew();
    rs.update();
    db::Recordset snap = conn.openSnapshot("SELECT Name FROM School ORDER BY Seq");
    EXPECT_FALSE(snap.field("Name").isNull());
    EXPECT_EQ(snap.field("Name").toString(), "");
    snap.moveNext();
    EXPECT_TRUE(snap.field("Name").isNull());
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name Is Null").recordCount(), 1);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name = ''").recordCount(), 1);
}

TEST_F(DbTest, DatesAreStoredIsoAndReadBackAsDates) {
    add("Central", 1, "12/01/2010");
    add("East", 2, QDate(2011, 1, 15));
    add("West", 3, "1/5/2011");
    db::Recordset raw = conn.openSnapshot("SELECT 'stored ' & Joined AS J FROM School ORDER BY Seq");
    EXPECT_EQ(raw.field("J").toString().toStdString(), "stored 2010-12-01");

    db::Recordset forward = conn.openForward("SELECT Joined, Name FROM School WHERE Joined = #12/1/2010#");
    EXPECT_EQ(forward.field("Joined").toDate(), QDate(2010, 12, 1));
    forward.close();
    db::Recordset rs = conn.openSnapshot("SELECT * FROM School WHERE Joined = #12/1/2010#");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_TRUE(rs.field("Joined").isDate());
    EXPECT_EQ(rs.field("Joined").toDate(), QDate(2010, 12, 1));
    EXPECT_EQ(rs.field("Joined").toString(), "12/1/2010");

    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Joined BETWEEN #11/1/2010# AND #1/10/2011#")
                  .recordCount(),
              2);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Joined > ?", {QDate(2011, 1, 1)}).recordCount(), 2);
    db::Recordset mx = conn.openSnapshot("SELECT MAX(Joined) AS MaxDate, MIN(Joined) AS MinDate FROM School");
    EXPECT_EQ(mx.field("MaxDate").toDate(), QDate(2011, 1, 15));
    EXPECT_EQ(mx.field("mindate").toDate(), QDate(2010, 12, 1));
    // A blob whose bytes spell a date is no date, read (the latest of all, as blobs sort after
    // texts) or given to a date function; elsewhere it is read as the text of its bytes.
    conn.execute("UPDATE School SET Joined = CAST('2011-02-28' AS BLOB), Name = CAST(Name AS BLOB) "
                 "WHERE Name = 'West'");
    db::Recordset blob = conn.openSnapshot(
        "SELECT Joined, Max(Joined) AS Latest, Year(Joined) AS Y, Name FROM School");
    EXPECT_TRUE(blob.field("Joined").isNull());
    EXPECT_FALSE(blob.field("Latest").toDate().isValid());
    EXPECT_TRUE(blob.field("Y").isNull());
    EXPECT_EQ(blob.field("Name").toString(), "West");

    // Dates in a column another program declared otherwise are read and written as dates all the
    // same, once the column is named as one; a date with a time of day reads as its date.
    for (const char* declared : {"Text(10)", "Timestamp", "Varchar"}) {
        SCOPED_TRACE(declared);
        conn.execute("DROP TABLE IF EXISTS Meet");
        conn.execute(QString("CREATE TABLE Meet (Seq Counter, Held %1, Note Text)").arg(declared));
        conn.requireTables({"Meet"}, {}, {}, {"meet.held"});
        db::Recordset meet = conn.openForUpdate("SELECT * FROM Meet");
        meet.addNew();
        meet.setField("Held", QDate(2026, 12, 5));
        meet.update();
        conn.execute("INSERT INTO Meet (Held, Note) VALUES ('2026-12-12 18:30:00', '2026-12-19'), "
                     "('2026-12-19 183000', NULL)");
        EXPECT_EQ(conn.openSnapshot("SELECT * FROM Meet WHERE Held = #12/5/2026#").recordCount(), 1) << "stored ISO";
        db::Recordset read = conn.openSnapshot("SELECT Held, Note FROM Meet ORDER BY Seq");
        EXPECT_EQ(read.field("Held").toDate(), QDate(2026, 12, 5));
        read.moveNext();
        EXPECT_EQ(read.field("Held").toDate(), QDate(2026, 12, 12));
        EXPECT_FALSE(read.field("Note").isDate()) << "a text column holding a date's text";
        read.moveNext();
        EXPECT_FALSE(read.field("Held").isDate()) << "a time without hh:mm is not cut off";
    }

    // What is stored anew as its date when a file is opened: a date in another form only.
    const std::pair<const char*, const char*> toStore[] = {
        {"'2026-12-05'", ""}, {"'2026-12-05 00:00:00'", "2026-12-05"}, {"'2026-12-05 9:30'", "2026-12-05"},
        {"'2026-12-05 183000'", ""}, {"'12/05/2026'", "2026-12-05"}, {"'1/2/2027 0:00:00'", "2027-01-02"},
        {"'13/05/2026'", ""}, {"'12/5/26'", ""}, {"'12/5/20261'", ""}, {"'123/5/2026'", ""},
        {"'12/5/2026 noon'", ""}, {"CAST('12/05/2026' AS BLOB)", ""}, {"20261205", ""}};
    for (const auto& [text, date] : toStore)
        EXPECT_EQ(conn.openSnapshot(QString("SELECT '=' || ifnull(DateToStore(%1), '') AS D").arg(text)).field("D").toString(),
                  QString("=") + date)
            << text;

    db::Recordset up = conn.openForUpdate("SELECT * FROM School");
    EXPECT_THROW(up.setField("Joined", "02/30/2010"), DbError);
    EXPECT_THROW(up.setField("Div", "three"), DbError);
    up.setField("Div", "1e2");
    EXPECT_EQ(up.field("Div").toInt(), 100);
}

TEST_F(DbTest, TooLongTextIsRefusedAndTheSizeIsKnown) {
    db::Recordset rs = conn.openForUpdate("SELECT * FROM School");
    EXPECT_EQ(rs.fieldSize("Name"), 20);
    rs.addNew();
    EXPECT_THROW(rs.setField("Name", QString(21, 'x')), DbError);
    EXPECT_NO_THROW(rs.setField("Name", QString(20, 'x')));
    // The size counts characters: twenty emoji fit, twenty-one do not.
    const QString emoji = QString::fromUtf8("\xF0\x9F\xA4\xBC");
    EXPECT_NO_THROW(rs.setField("Name", emoji.repeated(20)));
    EXPECT_THROW(rs.setField("Name", emoji.repeated(21)), DbError);
}

TEST_F(DbTest, JetFunctionsAreRegistered) {
    add("Central", 3, "11/20/2010");
    add("East", Value(), "1/2/2011");
    db::Recordset rs = conn.openSnapshot(
        "SELECT IIf(Div > 2, 'big', 'small') AS Size, Nz(Div, 0) AS D, Nz(Div) AS E, "
        "Val(' 12abc') AS V, Year(Joined) AS Y, Month(Joined) AS M, Day(Joined) AS DD, "
        "Name & '-' & Name AS Twice, Val('1e300') AS Huge, Val('-99999999999999999999') AS Low, "
        "CInt('1e300') AS Clamped, Val('9223372036854775808') AS TwoTo63, "
        "Val('9223372036854775807') AS NearTwoTo63, Val('-9223372036854775808') AS LowEnd "
        "FROM School ORDER BY Seq");
    EXPECT_EQ(rs.field("Size").toString(), "big");
    EXPECT_EQ(rs.field("D").toInt(), 3);
    EXPECT_EQ(rs.field("V").toInt(), 12);
    EXPECT_EQ(rs.field("Y").toInt(), 2010);
    EXPECT_EQ(rs.field("M").toInt(), 11);
    EXPECT_EQ(rs.field("DD").toInt(), 20);
    EXPECT_EQ(rs.field("Twice").toString(), "Central-Central");
    // Numbers beyond a whole number's range stay real numbers; CInt holds them at its end.
    EXPECT_EQ(rs.field("Huge").toDouble(), 1e300);
    EXPECT_EQ(rs.field("Low").toDouble(), -1e20);
    EXPECT_EQ(rs.field("Clamped").toInt(), LLONG_MAX);
    // Val gives the number a text reads as, a double, never held at a whole number's end.
    EXPECT_EQ(rs.field("TwoTo63").toDouble(), 9223372036854775808.0);
    EXPECT_EQ(rs.field("TwoTo63").toString(), Value(9223372036854775808.0).toString());
    EXPECT_EQ(rs.field("NearTwoTo63").toDouble(), 9223372036854775808.0);
    EXPECT_EQ(rs.field("LowEnd").toDouble(), -9223372036854775808.0);
    rs.moveNext();
    EXPECT_EQ(rs.field("Size").toString(), "small");
    EXPECT_EQ(rs.field("D").toInt(), 0);
    EXPECT_EQ(rs.field("E").toString(), "");

    db::Recordset agg = conn.openSnapshot(
        "SELECT First(Name) AS F, Last(Name) AS L FROM (SELECT Name FROM School ORDER BY Seq)");
    EXPECT_EQ(agg.field("F").toString(), "Central");
    EXPECT_EQ(agg.field("L").toString(), "East");
    // Each keeps the kind of its row's value: a real, a whole number, a Null, a text after a
    // longer one.
    db::Recordset kinds = conn.openSnapshot(
        "SELECT First(v) AS F, Last(v) AS L, Last(w) AS W, First(n) AS N, Last(n) AS LN FROM ("
        "SELECT 2.5 AS v, 'a text longer than the next, beyond any short-text room' AS w, Null AS n "
        "UNION ALL SELECT 'x', 7, 3 UNION ALL SELECT 12, 'Fall', Null)");
    EXPECT_EQ(kinds.field("F").kind(), Value::Kind::Real);
    EXPECT_EQ(kinds.field("F").toDouble(), 2.5);
    EXPECT_EQ(kinds.field("L").kind(), Value::Kind::Integer);
    EXPECT_EQ(kinds.field("L").toInt(), 12);
    EXPECT_EQ(kinds.field("W").toString(), "Fall");
    EXPECT_TRUE(kinds.field("N").isNull());
    EXPECT_TRUE(kinds.field("LN").isNull());
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE (Div = 3) = True").recordCount(), 1);
}

TEST_F(DbTest, QueriesAsTheFormsWriteThem) {
    add("Central", 3, "11/20/2010");
    add("East", Value(), "1/2/2011");
    add("void", 1, "1/9/2011");
    conn.execute("INSERT INTO Bout (SchoolSeq, WinType) VALUES (1, 'Fall'), (1, 'DEC'), (2, 'fall')");

    // & joins a Null as empty text and ranks below arithmetic.
    db::Recordset rs = conn.openSnapshot(
        "SELECT Name & ' (' & Div & ')' AS Label, Div + 1 & '0' AS Next FROM School ORDER BY Seq");
    EXPECT_EQ(rs.field("Label").toString(), "Central (3)");
    EXPECT_EQ(rs.field("Next").toString(), "40");
    rs.moveNext();
    EXPECT_EQ(rs.field("Label").toString(), "East ()");

    // Nested IIf inside an aggregate, a grouped Last in ORDER BY, HAVING without regard to case,
    // COUNT with a blank before its parenthesis and a literal run into the next word.
    db::Recordset totals = conn.openSnapshot(
        "SELECT Name, COUNT (*) AS Bouts, Sum(IIf([WinType]='FALL',IIf(Div > 2,2,1),0)) AS Pins, "
        "Last(WinType) AS LastType FROM School INNER JOIN Bout ON School.Seq = Bout.SchoolSeq "
        "WHERE WinType <> 'x'and Name <> '' GROUP BY Name HAVING Name <> 'VOID' "
        "ORDER BY Last(WinType)");
    ASSERT_EQ(totals.recordCount(), 2);
    EXPECT_EQ(totals.field("Name").toString(), "Central");
    EXPECT_EQ(totals.field("Bouts").toInt(), 2);
    EXPECT_EQ(totals.field("Pins").toInt(), 2);
    totals.moveNext();
    EXPECT_EQ(totals.field("Name").toString(), "East");
    EXPECT_EQ(totals.field("Pins").toInt(), 1);

    // Whether a query finds a row: it stops at the first, so a second row that could not be
    // read is never reached.
    EXPECT_TRUE(conn.hasRow("SELECT * FROM Bout WHERE SchoolSeq = ? AND WinType = 'FALL'", {2}));
    EXPECT_FALSE(conn.hasRow("SELECT * FROM Bout WHERE SchoolSeq = ?", {3}));
    const QString unreadable = "SELECT 1 AS n UNION ALL SELECT abs(-9223372036854775807 - 1)";
    EXPECT_TRUE(conn.hasRow(unreadable));
    EXPECT_THROW(conn.openSnapshot(unreadable), DbError);
    EXPECT_THROW(conn.hasRow("SELECT * FROM Nowhere"), DbError);
}

TEST_F(DbTest, ForeignKeysAndIndexDdl) {
    EXPECT_THROW(conn.execute("INSERT INTO Bout (SchoolSeq) VALUES (42)"), DbError);
    conn.execute("CREATE UNIQUE INDEX NameIdx ON School (Name)");
    add("Central");
    EXPECT_THROW(add("CENTRAL"), DbError);
    conn.execute("DROP INDEX NameIdx ON School");
    EXPECT_NO_THROW(add("CENTRAL"));
    EXPECT_THROW(conn.execute("DROP INDEX NameIdx ON School"), DbError);
    conn.execute("CREATE UNIQUE INDEX DivIdx ON School (Div)");
    add("West", 7);
    EXPECT_THROW(conn.execute("DROP INDEX DivIdx ON"), DbError);
    EXPECT_THROW(add("North", 7), DbError);  // the index is still there
    EXPECT_THROW(conn.execute("UPDATE School SET Name = 'Ea"), DbError);
    EXPECT_THROW(conn.openSnapshot("SELECT * FROM Nowhere"), DbError);
    EXPECT_THROW(conn.openForUpdate("SELECT * FROM School INNER JOIN Bout ON School.Seq = Bout.SchoolSeq"),
                 DbError);
}

TEST_F(DbTest, AKeptHandleServesTheSameFileAndNeverAnother) {
    add("Central");
    conn.close(true);
    EXPECT_FALSE(conn.isOpen());
    // Another connection writes meanwhile: the kept handle sees it.
    {
        Connection other;
        other.open(path);
        other.execute("INSERT INTO School (Name) VALUES ('East')");
    }
    EXPECT_TRUE(conn.open(path, true)) << "the file changed: opened afresh";
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 2);
    conn.close(true);
    EXPECT_FALSE(conn.open(path, true)) << "unchanged: the kept handle";
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 2);
    conn.close();
    EXPECT_TRUE(conn.open(path, true)) << "closed without keeping: nothing kept";

    // In write-ahead-log mode another program's commits leave the file's stamp alone: its rows
    // are seen through the kept handle, and a trigger it adds has the file checked again.
    conn.execute("PRAGMA journal_mode = WAL");
    conn.requireTables({"School"});
    conn.close(true);
    Connection walWriter;
    walWriter.open(path);
    walWriter.execute("INSERT INTO School (Name) VALUES ('North')");
    EXPECT_FALSE(conn.open(path, true));
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 3);
    conn.close(true);
    walWriter.execute("CREATE TRIGGER Wipe AFTER UPDATE ON School BEGIN DELETE FROM School; END");
    EXPECT_THROW(conn.open(path, true), DbError) << "refused as at a first open";
    walWriter.execute("DROP TRIGGER Wipe");
    walWriter.execute("PRAGMA journal_mode = DELETE");
    walWriter.close();
    conn.requireTables({});
    EXPECT_TRUE(conn.open(path, true));

    // The file replaced by another under the same name: never the old one's rows.
    conn.close(true);
    const QString other = dir.filePath("other.mdb");
    QFile(other).open(QIODevice::WriteOnly);
    {
        Connection c;
        c.open(other);
        c.execute("CREATE TABLE School (Seq Counter, Name Text(20))");
        c.execute("INSERT INTO School (Name) VALUES ('West')");
    }
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    EXPECT_TRUE(conn.open(path, true));
    db::Recordset rs = conn.openSnapshot("SELECT Name FROM School");
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.field("Name").toString(), "West");

    // The same while the handle is still in use (a handler stopped by an error before its
    // close): the handle closed then is not kept for the new file.
    QFile::copy(path, other);
    {
        Connection c;
        c.open(other);
        c.execute("UPDATE School SET Name = 'North'");
    }
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::rename(other, path));
    conn.close(true);
    EXPECT_TRUE(conn.open(path, true));
    EXPECT_EQ(conn.openSnapshot("SELECT Name FROM School").field("Name").toString(), "North");

    // A file gone is an error, kept handle or not.
    conn.close(true);
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_THROW(conn.open(path, true), DbError);
}

TEST_F(DbTest, ClosingRollsBackWhatNoOneCommitted) {
    add("Central");
    for (bool keep : {false, true}) {
        conn.execute("BEGIN");
        add("Half written");
        conn.close(keep);
        conn.open(path, true);
        EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 1) << "keep " << keep;
    }
    // A transaction that fails keeps none of its writes and passes the error on; one that
    // succeeds is in the file.
    EXPECT_THROW(conn.inTransaction([&] {
        add("Half written");
        conn.execute("INSERT INTO Nowhere (Name) VALUES ('x')");
    }), DbError);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 1);
    conn.inTransaction([&] { add("East"); });
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 2);
    // Writes outside a transaction are in the file when the connection closes.
    add("North");
    conn.close(true);
    Connection reader;
    reader.open(path);
    EXPECT_EQ(reader.openSnapshot("SELECT * FROM School").recordCount(), 3);
}

// A save that the file-size limit stops (in a child process) says that the file could not grow,
// not "disk I/O error", and keeps none of its rows.
TEST_F(DbTest, AFileThatCannotGrowSaysSo) {
    add("Central");
    conn.close();
    const int child = runInChildProcess([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit atSize{static_cast<rlim_t>(QFileInfo(path).size()),
                            static_cast<rlim_t>(QFileInfo(path).size())};
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &atSize), 0);
        conn.open(path);
        try {
            conn.inTransaction([&] {
                for (int i = 0; i < 2000; ++i) add(QString("School number %1").arg(i));
            });
            ADD_FAILURE() << "the file grew past the limit";
        } catch (const DbError& error) {
            EXPECT_EQ(error.message(), "database file could not grow: it would pass the file-size limit");
        }
    });
    EXPECT_EQ(child, 0);
    conn.open(path);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 1);
}

// One of the connections' time limits set for a test, and put back after it.
template <int (*Get)(), void (*Set)(int)>
struct ScopedLimit {
    int kept = Get();
    explicit ScopedLimit(int milliseconds) { Set(milliseconds); }
    ~ScopedLimit() { Set(kept); }
};

// Two programs on one file: a transaction that reads and then writes while the other writes
// waits for it to finish; when it does not finish in time, the transaction fails with a message
// that says so and keeps nothing.
TEST_F(DbTest, ATransactionWaitsForAnotherWriterOfTheFile) {
    add("Central");
    // The other program: its own connection, writing on a thread of its own until `done` is set
    // or `holdMs` have passed.
    auto otherWriter = [&](int holdMs, std::atomic<bool>& writing, const std::atomic<bool>& done) {
        return std::thread([&, holdMs] {
            Connection other;
            other.open(path);
            other.execute("BEGIN IMMEDIATE");
            other.execute("INSERT INTO School (Name) VALUES ('Other')");
            writing = true;
            for (int waited = 0; waited < holdMs && !done; waited += 5)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            other.execute("COMMIT");
        });
    };
    auto save = [&] {
        conn.inTransaction([&] {
            const int schools = conn.openSnapshot("SELECT * FROM School").recordCount();
            conn.execute("INSERT INTO Bout (WinType) VALUES (?)", {Value(QString::number(schools))});
            conn.execute("UPDATE School SET Div = 1");
        });
    };
    {
        // A write of a fifth of a second, well within the wait however slowly either runs.
        ScopedLimit<&Connection::busyWait, &Connection::setBusyWait> longWait(60000);
        conn.close();
        conn.open(path);
        std::atomic<bool> writing = false;
        const std::atomic<bool> done = false;
        std::thread other = otherWriter(200, writing, done);
        while (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_NO_THROW(save());
        other.join();
        EXPECT_EQ(conn.openSnapshot("SELECT WinType FROM Bout").field("WinType").toString(), "2");
    }
    {
        // A write that lasts until the save has given up.
        ScopedLimit<&Connection::busyWait, &Connection::setBusyWait> shortWait(500);
        conn.close();
        conn.open(path);
        std::atomic<bool> writing = false;
        std::atomic<bool> done = false;
        std::thread other = otherWriter(60000, writing, done);
        while (!writing) std::this_thread::sleep_for(std::chrono::milliseconds(5));
        try {
            save();
            ADD_FAILURE() << "no error while the other program writes";
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(), "The database file " + path +
                                       " is in use: another program, or another copy of this one, "
                                       "has held it for more than 0.5 seconds.  Nothing was saved.  "
                                       "Try again when it is done.");
        }
        done = true;
        other.join();
    }
    {
        // A row read to be written while another program holds the file: the wait came at the
        // read, and nothing was saved all the same.
        ScopedLimit<&Connection::busyWait, &Connection::setBusyWait> shortWait(200);
        conn.close();
        conn.open(path);
        Connection other;
        other.open(path);
        other.execute("BEGIN EXCLUSIVE");
        try {
            db::Recordset rs = conn.openForUpdate("SELECT * FROM School WHERE Name = 'Central'");
            rs.setField("Name", "Renamed");
            ADD_FAILURE() << "the row was read while the other program held the file";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().contains(" is in use: ") && e.message().contains("Nothing was saved."))
                << e.message().toStdString();
            EXPECT_EQ(e.kind(), DbError::Kind::InUse);
        }
        other.execute("ROLLBACK");
    }
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM Bout").recordCount(), 1) << "nothing half-written";
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Div = 1").recordCount(), 2);
}

// What a file from elsewhere can cost: a table the caller relies on that is a view or a virtual
// table refuses the file; a query that runs too long is stopped with an error; the file's own
// schema can neither call the program's functions nor be written directly.
TEST_F(DbTest, AFileFromElsewhereCannotHangOrReachBeyondItself) {
    conn.execute("CREATE VIEW Endless AS WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 "
                 "FROM n) SELECT x FROM n");
    conn.execute("CREATE VIEW Flag AS SELECT IIf(Div, 'yes', 'no') AS Flag FROM School");
    conn.execute("CREATE VIRTUAL TABLE Notes USING fts4(Body)");
    conn.close();

    // A table the caller may do without can be missing; one it needs cannot.
    conn.requireTables({"school", "bout", "Missing"}, {"missing"});
    conn.open(path);
    const std::pair<const char*, const char*> refused[] = {
        {"endless", "Endless is a view, not a table."},
        {"NOTES", "Notes is a virtual table, not a table."},
        {"Missing", "The table Missing is missing."},
    };
    for (const auto& [name, reason] : refused) {
        Connection other;
        other.requireTables({"School", name});
        try {
            other.open(path);
            ADD_FAILURE() << name << " is let through";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().startsWith("Could not open database file '" + path + "': "));
            EXPECT_TRUE(e.message().endsWith(reason)) << e.message().toStdString();
        }
        EXPECT_FALSE(other.isOpen());
    }

    // A counter the caller needs numbered must be its table's row id, however it is written; a
    // key that is not would store a row added without its number.
    conn.execute("CREATE TABLE Lower (seq integer primary key, x)");
    conn.execute("CREATE TABLE Apart (Seq INTEGER, x, PRIMARY KEY (Seq DESC))");
    conn.execute("CREATE TABLE Falling (Seq INTEGER /* a key */ Primary Key Desc, x)");
    conn.execute("CREATE TABLE Pair (Seq INTEGER, x, PRIMARY KEY (Seq, x))");
    conn.execute("CREATE TABLE Plain (Seq INTEGER, x)");
    conn.execute("CREATE TABLE Number (Seq INT PRIMARY KEY, x)");
    conn.execute("CREATE TABLE Keyed (Seq INTEGER PRIMARY KEY, x) Without RowID");
    for (const auto& [table, numbered] : std::initializer_list<std::pair<const char*, bool>>{
             {"Lower", true}, {"Apart", true}, {"Falling", false}, {"Pair", false}, {"Plain", false},
             {"Number", false}, {"Keyed", false}}) {
        SCOPED_TRACE(table);
        Connection other;
        other.requireTables({"School", table}, {}, {QString(table) + ".Seq"});
        if (numbered) {
            EXPECT_NO_THROW(other.open(path));
            continue;
        }
        try {
            other.open(path);
            ADD_FAILURE() << "a key that is not the row id is let through";
        } catch (const DbError& e) {
            EXPECT_TRUE(e.message().endsWith(QString("%1 does not number Seq itself: it is not the table's "
                                                     "INTEGER PRIMARY KEY, as this program makes it.")
                                                 .arg(table)))
                << e.message().toStdString();
        }
    }

    {
        ScopedLimit<&Connection::runLimit, &Connection::setRunLimit> shortRun(300);
        conn.close();
        conn.open(path);
        const auto started = std::chrono::steady_clock::now();
        try {
            conn.openSnapshot("SELECT count(*) FROM Endless");
            ADD_FAILURE() << "an endless query came to an end";
        } catch (const DbError& e) {
            EXPECT_EQ(e.message(), "A query on the database file " + path +
                                       " was stopped: it ran for more than 0.3 seconds.");
        }
        // Stopped at its limit, not minutes later (on however busy a machine).
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
        EXPECT_THROW(conn.execute("INSERT INTO School (Name) SELECT x FROM Endless"), DbError);
    }
    {
        // The connection goes on serving other queries, each with its own time. Read forward, the
        // time a report spends between rows is its own, not the query's: here longer than the
        // limit, while each row takes a moment.
        ScopedLimit<&Connection::runLimit, &Connection::setRunLimit> shortRun(1000);
        add("Central");
        EXPECT_EQ(conn.openSnapshot("SELECT * FROM School").recordCount(), 1);
        db::Recordset forward = conn.openForward(
            "WITH RECURSIVE c(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM c WHERE i < 1000) "
            "SELECT i FROM c WHERE i % 500 = 0");
        std::this_thread::sleep_for(std::chrono::milliseconds(1100));
        forward.moveNext();
        EXPECT_EQ(forward.field("i").toInt(), 1000);
        forward.close();
    }

    EXPECT_THROW(conn.openSnapshot("SELECT * FROM Flag"), DbError);
    EXPECT_EQ(conn.openSnapshot("SELECT IIf(Div, 'yes', 'no') AS F FROM School").field("F").toString(), "no");
    conn.execute("PRAGMA writable_schema = ON");
    EXPECT_THROW(conn.execute("UPDATE sqlite_master SET sql = 'CREATE TABLE School (x)' "
                              "WHERE name = 'School'"),
                 DbError);

    // A trigger on a table the caller needs would run at the caller's writes: the file is
    // refused before anything is written. One on another table is the file's own business.
    conn.execute("CREATE TABLE Log (Body Text(50))");
    conn.execute("CREATE TRIGGER LogNotes AFTER INSERT ON Log BEGIN DELETE FROM Log; END");
    conn.execute("CREATE TRIGGER WipeSchools AFTER INSERT ON Bout BEGIN DELETE FROM School; END");
    conn.close();
    Connection other;
    other.requireTables({"School"});
    other.open(path);
    other.close();
    other.requireTables({"School", "BOUT"});
    try {
        other.open(path);
        ADD_FAILURE() << "a trigger is let through";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().endsWith("Bout has the trigger WipeSchools, which this program does "
                                         "not make."))
            << e.message().toStdString();
    }
    EXPECT_FALSE(other.isOpen());

    // Clauses that change nothing the caller's writes do are the file's own: an explicit ABORT,
    // texts, names and comments that spell a clause, keys that only refuse. Any other conflict
    // clause on a table the caller needs makes the file refused.
    {
        Connection writer;
        writer.open(path);
        writer.execute("CREATE TABLE Kept (Seq Integer PRIMARY KEY ON CONFLICT ABORT, "
                       "Note Text DEFAULT 'on conflict replace', [on conflict ignore] Integer, "
                       "SchoolSeq Integer REFERENCES School (Seq) ON DELETE RESTRICT "
                       "ON UPDATE NO ACTION /* on conflict fail */)");
        writer.execute("CREATE TABLE Failing (Name Text UNIQUE ON CONFLICT FAIL)");
    }
    other.requireTables({"School", "Kept"});
    other.open(path);
    other.close();
    other.requireTables({"School", "Failing"});
    try {
        other.open(path);
        ADD_FAILURE() << "a conflict clause is let through";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().endsWith("Failing has the clause ON CONFLICT FAIL, which this "
                                         "program does not make."))
            << e.message().toStdString();
    }
    EXPECT_FALSE(other.isOpen());
}

// Parts read on threads of their own, each through a read-only connection of its own to the
// same file. The call says false, for the caller to read in one run, when a part cannot be read
// so, when the file changed meanwhile or when the caller's own transaction is open; an error of a
// part comes back to the caller, and a reader refuses the file as the source connection does.
TEST_F(DbTest, PartsAreReadOnConnectionsOfTheirOwnAndTheFileAsItStood) {
    for (int i = 0; i < 40; ++i) add(QString("School %1").arg(i), i);
    std::vector<long long> sums(40, -1);
    std::vector<sqlite3*> handles(40, nullptr);
    EXPECT_TRUE(db::readInParallel(conn, 40, [&](int part, Connection& reader) {
        const db::Recordset rs = reader.openSnapshot("SELECT Sum(Div) + ? AS n FROM School WHERE Div <= ?", {part, part});
        sums[part] = rs.field("n").toInt();
        handles[part] = reader.handle();
        EXPECT_THROW(reader.execute("DELETE FROM School"), DbError);
        return true;
    }));
    for (int part = 0; part < 40; ++part) {
        EXPECT_EQ(sums[part], part * (part + 1) / 2 + part);
        EXPECT_NE(handles[part], conn.handle());
    }
    EXPECT_EQ(conn.openSnapshot("SELECT Count(*) AS n FROM School").field("n").toInt(), 40);

    // A part that cannot be read so: the call says so, and the parts not begun are left. On one
    // CPU the parts are read in turn on this thread: none after it is begun.
    EXPECT_FALSE(db::readInParallel(conn, 400, [&](int part, Connection&) { return part != 3; }));
    {
        OnCpus one(1);
        std::vector<int> begun;
        EXPECT_FALSE(db::readInParallel(conn, 40, [&](int part, Connection&) {
            begun.push_back(part);
            return part != 3;
        }));
        EXPECT_EQ(begun, (std::vector<int>{0, 1, 2, 3}));
    }

    // Another program's write while the parts are read; then a transaction of the caller's own.
    EXPECT_FALSE(db::readInParallel(conn, 8, [&](int part, Connection&) {
        if (part == 5) {
            Connection other;
            other.open(path);
            other.execute("UPDATE School SET Div = Div + 1 WHERE Seq = 1");
        }
        return true;
    }));
    bool ran = false;
    conn.inTransaction([&] {
        conn.execute("UPDATE School SET Div = 0");
        EXPECT_FALSE(db::readInParallel(conn, 8, [&](int, Connection&) { return ran = true; }));
    });
    EXPECT_FALSE(ran);

    // A part's error is raised to the caller once the threads are done.
    try {
        db::readInParallel(conn, 40, [&](int part, Connection& reader) {
            if (part == 7) reader.openSnapshot("SELECT * FROM Missing");
            return true;
        });
        ADD_FAILURE() << "the error was lost";
    } catch (const DbError& e) {
        EXPECT_EQ(e.message(), "no such table: Missing");
    }

    // A trigger put on a required table after the source opened the file: no reader opens it.
    conn.requireTables({"School", "Bout"});
    conn.close();
    conn.open(path);
    {
        Connection other;
        other.open(path);
        other.execute("CREATE TRIGGER Quiet AFTER INSERT ON Bout BEGIN SELECT 1; END");
    }
    try {
        db::readInParallel(conn, 3, [&](int, Connection&) { return ran = true; });
        ADD_FAILURE() << "a reader opened a file its source refuses";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.message().contains("Quiet")) << e.message().toStdString();
    }
    EXPECT_FALSE(ran);
}

// As many threads read as the CPUs the process may run on allow (at most eight), the calling
// thread one of them, and each of them reads through one reader of its own; none besides the
// calling thread on one CPU.
TEST_F(DbTest, PartsAreReadOnAsManyThreadsAsTheCpusAllowEachReading) {
    add("Central", 1);
    // The threads that read in one call, each found with the one reader it used.
    const auto threadsOfOneCall = [&](int parts) {
        std::mutex inUse;
        std::map<std::thread::id, std::set<sqlite3*>> readers;
        EXPECT_TRUE(db::readInParallel(conn, parts, [&](int, Connection& reader) {
            EXPECT_EQ(reader.openSnapshot("SELECT * FROM School").recordCount(), 1);
            const std::lock_guard<std::mutex> lock(inUse);
            readers[std::this_thread::get_id()].insert(reader.handle());
            return true;
        }));
        for (const auto& [thread, handles] : readers) EXPECT_EQ(handles.size(), 1u);
        EXPECT_TRUE(readers.contains(std::this_thread::get_id())) << "the calling thread reads too";
        return static_cast<int>(readers.size());
    };
    const int cpus = db::readerThreads();
    EXPECT_GE(cpus, 1);
    EXPECT_LE(cpus, 8);
    EXPECT_EQ(threadsOfOneCall(40), cpus);
    EXPECT_EQ(threadsOfOneCall(3), std::min(cpus, 3));
    {
        OnCpus one(1);
        EXPECT_EQ(db::readerThreads(), 1);
        EXPECT_EQ(threadsOfOneCall(40), 1);
    }
    if (cpus >= 2) {
        OnCpus two(2);
        EXPECT_EQ(db::readerThreads(), 2);
        EXPECT_EQ(threadsOfOneCall(40), 2);
    }
    EXPECT_EQ(db::readerThreads(), cpus);
}

// A CPU quota of the process's cgroup, or of one above it, limits the readers: in the unified
// hierarchy (cpu.max) and in the older one's cpu controller (cfs quota and period), wherever the
// hierarchy is mounted and whatever part of it the mount shows.
TEST(ReaderThreads, ACgroupQuotaLimitsThem) {
    QTemporaryDir root;
    const auto write = [&root](const QString& name, const QByteArray& text) {
        const QString path = root.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    };
    EXPECT_EQ(db::cgroupCpuLimit(root.path()), 0) << "no cgroups at all";

    write("proc/self/cgroup", "0::/team.slice/kestrivane\n");
    write("proc/self/mountinfo", "24 1 0:21 / /sys/fs/cgroup rw,nosuid shared:4 - cgroup2 cgroup2 rw,nsdelegate\n");
    write("sys/fs/cgroup/team.slice/kestrivane/cpu.max", "max 100000\n");
    EXPECT_EQ(db::cgroupCpuLimit(root.path()), 0) << "no quota";
    write("sys/fs/cgroup/team.slice/cpu.max", "250000 100000\n");
    EXPECT_EQ(db::cgroupCpuLimit(root.path()), 3) << "the quota of the folder above, rounded";
    write("sys/fs/cgroup/team.slice/kestrivane/cpu.max", "40000 100000\n");
    EXPECT_EQ(db::cgroupCpuLimit(root.path()), 1) << "the lower of the two, at least one";
    write("sys/fs/cgroup/cpu.max", "100000 100000\n");
    EXPECT_EQ(db::cgroupCpuLimit(root.path()), 1);

    // A container's view of the older hierarchy: the mount shows its own cgroup as the root.
    write("proc/self/cgroup", "12:pids:/docker/4f2a\n5:cpuacct,cpu:/docker/4f2a\n0::/\n");
    write("proc/self/mountinfo",
          "30 25 0:26 /docker/4f2a /sys/fs/cgroup/cpu,cpuacct ro,nosuid - cgroup cgroup rw,cpuacct,cpu\n"
          "31 25 0:27 /docker/4f2a /sys/fs/cgroup/pids ro,nosuid - cgroup cgroup rw,pids\n");
    write("sys/fs/cgroup/cpu,cpuacct/cpu.cfs_quota_us", "-1\n");
    write("sys/fs/cgroup/cpu,cpuacct/cpu.cfs_period_us", "100000\n");
    write("sys/fs/cgroup/pids/cpu.cfs_quota_us", "100000\n");
    EXPECT_EQ(db::cgroupCpuLimit(root.path()), 0) << "no quota; another controller's folder is not the cpu one";
    write("sys/fs/cgroup/cpu,cpuacct/cpu.cfs_quota_us", "600000\n");
    EXPECT_EQ(db::cgroupCpuLimit(root.path()), 6);
}

TEST_F(DbTest, UpdatableRecordsetReadsItsRowsOnlyWhenNeeded) {
    for (int i = 0; i < 3; ++i) add(QString("School %1").arg(i));
    // Adding through it reads nothing; the new row's counter is known after Update.
    db::Recordset rs = conn.openForUpdate("SELECT * FROM School WHERE Name <> 'School 1' ORDER BY Name DESC");
    rs.addNew();
    rs.setField("Name", "Zenith");
    rs.update();
    EXPECT_EQ(rs.field("Seq").toInt(), 4);
    EXPECT_EQ(rs.field("Name").toString(), "Zenith");
    // Rows written by others before the first read are there; the added row stays current.
    add("Aardvark");
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.field("Name").toString(), "Zenith");
    rs.moveNext();
    EXPECT_EQ(rs.field("Name").toString(), "School 2");
    rs.moveLast();
    EXPECT_EQ(rs.field("Name").toString(), "Aardvark");

    // A query that cannot run fails at open, not at the first read.
    EXPECT_THROW(conn.openForUpdate("SELECT Nothing FROM School"), DbError);
    // Editing without adding reads the rows first.
    db::Recordset edit = conn.openForUpdate("SELECT * FROM School WHERE Name = 'School 0'");
    edit.setField("Div", 7);
    edit.update();
    EXPECT_EQ(conn.openSnapshot("SELECT Div FROM School WHERE Name = 'School 0'").field("Div").toInt(), 7);
    db::Recordset empty = conn.openForUpdate("SELECT * FROM School WHERE Seq = 0");
    EXPECT_TRUE(empty.isEOF());
    EXPECT_THROW(empty.setField("Div", 1), DbError);

    // Rows added before the first read stay its rows where its query does not find them, and
    // one deleted again counts no more, as when every row was read at open.
    db::Recordset none = conn.openForUpdate("SELECT * FROM School WHERE Seq = 0");
    for (const char* name : {"Kept", "Dropped"}) {
        none.addNew();
        none.setField("Name", name);
        none.update();
    }
    none.deleteRow();
    EXPECT_EQ(none.recordCount(), 1);
    EXPECT_THROW(none.field("Name"), DbError) << "still on the deleted row";
    none.moveFirst();
    ASSERT_FALSE(none.isEOF());
    EXPECT_EQ(none.field("Name").toString(), "Kept");
    none.setField("Div", 4);
    none.update();
    none.moveNext();
    EXPECT_TRUE(none.isEOF());
    EXPECT_EQ(conn.openSnapshot("SELECT Div FROM School WHERE Name = 'Kept'").field("Div").toInt(), 4);
    EXPECT_EQ(conn.openSnapshot("SELECT * FROM School WHERE Name = 'Dropped'").recordCount(), 0);
}

TEST_F(DbTest, FieldsByNameAsCallersWriteThem) {
    add("Central", 3, QDate(2010, 12, 1));
    db::Recordset rs = conn.openSnapshot(
        "SELECT School.Name, Div AS Division, Joined, '2010-02-30' AS NoDate, Max(Joined) AS Latest FROM School");
    for (int round = 0; round < 2; ++round) {  // asked again, the names give the same fields
        EXPECT_EQ(rs.field("name").toString(), "Central");
        EXPECT_EQ(rs.field("School.Name").toString(), "Central");
        EXPECT_EQ(rs.field(QStringLiteral("DIVISION")).toInt(), 3);
        const char* latest = "latest";
        EXPECT_EQ(rs.field(latest).toDate(), QDate(2010, 12, 1));
        EXPECT_TRUE(rs.field("NoDate").isText()) << "no such day: the text stays text";
        EXPECT_THROW(rs.field("Nowhere"), DbError);
        EXPECT_THROW(rs.field(QString("Div")), DbError) << "only under its alias";
    }
    // A char buffer reused for another name finds that name's field.
    char name[16] = "Division";
    EXPECT_EQ(rs.field(name).toInt(), 3);
    std::strcpy(name, "Joined");
    EXPECT_EQ(rs.field(name).toDate(), QDate(2010, 12, 1));
}

TEST(DbValue, NumbersAndDatesAsTextsGiveThem) {
    struct NumberCase {
        const char* text;
        bool number;
        double leading;
    } numbers[] = {
        {"12", true, 12},     {" 12 ", true, 12},   {"-3.5", true, -3.5}, {"+4", true, 4},
        {".5", true, 0.5},    {"5.", true, 5},      {"1e3", true, 1000},  {"2E-1", true, 0.2},
        {"1e", false, 1},     {"12abc", false, 12}, {"abc", false, 0},    {"", false, 0},
        {"-", false, 0},      {".", false, 0},      {"1 2", false, 1},    {"3:45", false, 3},
    };
    for (const auto& c : numbers) {
        EXPECT_EQ(db::isNumberText(c.text), c.number) << c.text;
        EXPECT_DOUBLE_EQ(Value(QString(c.text)).toDouble(), c.leading) << c.text;
    }
    // Whole numbers are counted digit by digit; every other form is read by Qt. Both give the
    // double Qt's reading gives, to the last bit.
    for (const char* text : {"007", "-12", "+4", "999999999999999", "-123456789012345",
                             "12345678901234567", "9007199254740993", "0.1", "3.14159", "1e22"}) {
        EXPECT_EQ(Value(QString(text)).toDouble(), QString(text).toDouble()) << text;
        EXPECT_TRUE(db::isNumberText(text)) << text;
    }
    EXPECT_TRUE(std::signbit(Value(QStringLiteral("-0")).toDouble()));
    EXPECT_EQ(Value(QStringLiteral("-7 kg")).toInt(), -7);

    // A whole number of a number beyond its range is the nearest end of it, never a wrapped one.
    struct WholeCase {
        Value value;
        long long whole;
    } wholes[] = {
        {Value(QStringLiteral("1e300")), LLONG_MAX},   {Value(QStringLiteral("-1e300")), LLONG_MIN},
        {Value(1e19), LLONG_MAX},                      {Value(-9.3e18), LLONG_MIN},
        {Value(std::nan("")), 0},                      {Value(2.5), 3},
        {Value(QStringLiteral("99999999999999999999")), LLONG_MAX},
        {Value(LLONG_MIN), LLONG_MIN},                 {Value(QStringLiteral("-2147483648")), -2147483648LL},
    };
    for (const auto& c : wholes) EXPECT_EQ(c.value.toInt(), c.whole) << c.value.toString().toStdString();
    EXPECT_EQ(db::wholeNumber(1e300, LLONG_MIN, LLONG_MAX), std::nullopt);
    EXPECT_EQ(db::wholeNumber(-1e19, LLONG_MIN, LLONG_MAX), std::nullopt);
    EXPECT_EQ(db::wholeNumber(std::nan(""), 0, 10), std::nullopt);
    EXPECT_EQ(db::wholeNumber(32768, SHRT_MIN, SHRT_MAX), std::nullopt);
    EXPECT_EQ(db::wholeNumber(-32768, SHRT_MIN, SHRT_MAX), -32768);
    EXPECT_EQ(db::wholeNumber(9.6, 0, 10), 10);
    EXPECT_EQ(db::wholeNumber(9223372036854775808.0, LLONG_MIN, LLONG_MAX), std::nullopt);
    EXPECT_EQ(db::wholeNumber(-9223372036854775808.0, LLONG_MIN, LLONG_MAX), LLONG_MIN);
    EXPECT_EQ(db::wholeNumber(9223372036854774784.0, LLONG_MIN, LLONG_MAX), 9223372036854774784LL)
        << "the largest double below 2^63";
    EXPECT_EQ(db::wholeNumber(10.5, 0, 10), std::nullopt);
    EXPECT_EQ(db::wholeNumber(-0.5, 0, 10), std::nullopt);
    EXPECT_EQ(db::clampedSum(LLONG_MAX, 2), LLONG_MAX);
    EXPECT_EQ(db::clampedSum(LLONG_MIN, -1), LLONG_MIN);
    EXPECT_EQ(db::clampedSum(-5, 7), 2);

    // Characters as a person counts them: an emoji (two UTF-16 units) is one.
    EXPECT_EQ(db::characterCount(QStringLiteral("7-3")), 3);
    EXPECT_EQ(db::characterCount(QString::fromUtf8("\xF0\x9F\x98\x80\xF0\x9F\x98\x80x")), 3);
    EXPECT_EQ(db::characterCount(QString(QChar(0xD83D))), 1) << "a lone half counts as one";
    EXPECT_EQ(Value(QDate(2010, 1, 5)).toString(), "1/5/2010");
    EXPECT_EQ(Value(QDate(2024, 12, 31)).toString(), "12/31/2024");
    EXPECT_EQ(Value(QDate(1999, 10, 1)).toString(), "10/1/1999");
    EXPECT_EQ(Value(QDate(987, 11, 30)).toString(), "11/30/0987");
    EXPECT_EQ(db::isoDate(QDate(987, 1, 5)), "0987-01-05");
    EXPECT_TRUE(db::isoDate(QDate()).isEmpty());
    EXPECT_EQ(Value(QDate(2010, 1, 5)), Value(QDate(2010, 1, 5)));
    EXPECT_FALSE(Value(QDate(2010, 1, 5)) == Value(QDate(2010, 1, 6)));
    EXPECT_TRUE(Value(QDate()).isNull());
}
