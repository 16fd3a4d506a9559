-- Kestrivane database, version 8.
--
-- Conventions: every text column compares without regard to case (COLLATE NOCASE); a size is
-- declared as TEXT(n) only where the program relies on one, and the database layer reads it back
-- to refuse longer values; counters are INTEGER PRIMARY KEY AUTOINCREMENT, so a key is never
-- reused and the largest key is the newest row; dates are declared DATE and stored as ISO text
-- YYYY-MM-DD. Other tables refer to a counter through plain integer columns; the only foreign key
-- is DualScore.seqOppSchool.

-- Settings rows: row 1 holds the home school and the database version, row 2 the description.
-- Seq is written by the program, not numbered by the database.
CREATE TABLE License (
    Seq INTEGER,
    school TEXT COLLATE NOCASE,
    Version TEXT COLLATE NOCASE
);

-- One row per home wrestler per season.
CREATE TABLE Wrestler (
    Seq INTEGER PRIMARY KEY AUTOINCREMENT,
    FullName TEXT COLLATE NOCASE,
    FirstName TEXT COLLATE NOCASE,
    LastName TEXT COLLATE NOCASE,
    Grade TEXT COLLATE NOCASE,
    MinWt TEXT COLLATE NOCASE,
    RegPlace TEXT COLLATE NOCASE,
    StPlace TEXT COLLATE NOCASE,
    wr_inactive TEXT COLLATE NOCASE,
    Notes TEXT COLLATE NOCASE,
    wresMemo1 TEXT COLLATE NOCASE,
    Season INTEGER,
    FNameSeason TEXT(120) COLLATE NOCASE
);
CREATE UNIQUE INDEX FnameSeason ON Wrestler (FNameSeason);

-- Weight classes; Weight is text and sorts as text.
CREATE TABLE Weight (
    Seq INTEGER PRIMARY KEY AUTOINCREMENT,
    Weight TEXT COLLATE NOCASE
);

-- Opposing schools. OppDiv is a whole number so that LIKE on it reads "3", not "3.0".
CREATE TABLE OppSchool (
    Seq INTEGER PRIMARY KEY AUTOINCREMENT,
    OppSchool TEXT COLLATE NOCASE,
    OppDiv INTEGER,
    LeagueSchool TEXT COLLATE NOCASE
);

-- Opponents' roster entries; a roster is the rows sharing RosterDate and SeqSchool.
CREATE TABLE Roster (
    Seq INTEGER PRIMARY KEY AUTOINCREMENT,
    RosterDate DATE,
    SeqSchool INTEGER,
    SeqWeight INTEGER,
    FName TEXT COLLATE NOCASE,
    LName TEXT COLLATE NOCASE
);

-- Home weigh-ins.
CREATE TABLE HomeWI (
    Seq INTEGER PRIMARY KEY AUTOINCREMENT,
    CompDate DATE,
    SeqWrestler INTEGER,
    Weight REAL
);

-- Dual-meet team scores.
CREATE TABLE DualScore (
    Seq INTEGER PRIMARY KEY AUTOINCREMENT,
    CompDate DATE,
    seqOppSchool INTEGER CONSTRAINT Seq REFERENCES OppSchool (Seq),
    ScoreH REAL,
    ScoreO REAL
);

-- One row per match of a home wrestler, columns in the order a save writes them.
-- ActWeight and Score keep the text as typed ("000" for a bout that was not wrestled, a fall
-- time); TeamPoints is a number (whole or fractional) that the reports add up.
-- The tally columns count moves: kind (tp rp ep nf2p nf3p pp wp cp), period (1 2 3 ot dot1 dot2
-- dot) and side (home Opp).
CREATE TABLE [Match] (
    Seq INTEGER PRIMARY KEY AUTOINCREMENT,
    SeqWrestler INTEGER,
    [Date] DATE,
    OppFName TEXT COLLATE NOCASE,
    OppLName TEXT COLLATE NOCASE,
    SeqOppSchool INTEGER,
    ActWeight TEXT COLLATE NOCASE,
    SeqWeight INTEGER,
    Level TEXT COLLATE NOCASE,
    WL TEXT COLLATE NOCASE,
    WinType TEXT COLLATE NOCASE,
    Score TEXT COLLATE NOCASE,
    TeamPoints NUMERIC,
    LeagueMatch TEXT COLLATE NOCASE,
    Period1Home TEXT COLLATE NOCASE,
    Period2Home TEXT COLLATE NOCASE,
    Period3Home TEXT COLLATE NOCASE,
    PeriodOTHome TEXT COLLATE NOCASE,
    PeriodDOT1Home TEXT COLLATE NOCASE,
    PeriodDOT2Home TEXT COLLATE NOCASE,
    periodDOTHome TEXT COLLATE NOCASE,
    Period1Opp TEXT COLLATE NOCASE,
    Period2Opp TEXT COLLATE NOCASE,
    Period3Opp TEXT COLLATE NOCASE,
    PeriodOTOpp TEXT COLLATE NOCASE,
    PeriodDOT1Opp TEXT COLLATE NOCASE,
    PeriodDOT2Opp TEXT COLLATE NOCASE,
    PeriodDOTOpp TEXT COLLATE NOCASE,
    Choice1home TEXT COLLATE NOCASE,
    Choice2Home TEXT COLLATE NOCASE,
    ChoiceDOT1Home TEXT COLLATE NOCASE,
    ChoiceDOT2Home TEXT COLLATE NOCASE,
    ChoiceOTHome TEXT COLLATE NOCASE,
    Choice1Opp TEXT COLLATE NOCASE,
    Choice2Opp TEXT COLLATE NOCASE,
    ChoiceDOT1Opp TEXT COLLATE NOCASE,
    ChoiceDOT2Opp TEXT COLLATE NOCASE,
    ChoiceOTOpp TEXT COLLATE NOCASE,
    FirstPoint TEXT COLLATE NOCASE,
    Notes TEXT COLLATE NOCASE,
    tp1home INTEGER, rp1home INTEGER, ep1home INTEGER, nf2p1home INTEGER, nf3p1home INTEGER, pp1home INTEGER, wp1home INTEGER, cp1home INTEGER,
    tp1Opp INTEGER, rp1Opp INTEGER, ep1Opp INTEGER, nf2p1Opp INTEGER, nf3p1Opp INTEGER, pp1Opp INTEGER, wp1Opp INTEGER, cp1Opp INTEGER,
    tp2home INTEGER, rp2home INTEGER, ep2home INTEGER, nf2p2home INTEGER, nf3p2home INTEGER, pp2home INTEGER, wp2home INTEGER, cp2home INTEGER,
    tp2Opp INTEGER, rp2Opp INTEGER, ep2Opp INTEGER, nf2p2Opp INTEGER, nf3p2Opp INTEGER, pp2Opp INTEGER, wp2Opp INTEGER, cp2Opp INTEGER,
    tp3home INTEGER, rp3home INTEGER, ep3home INTEGER, nf2p3home INTEGER, nf3p3home INTEGER, pp3home INTEGER, wp3home INTEGER, cp3home INTEGER,
    tp3Opp INTEGER, rp3Opp INTEGER, ep3Opp INTEGER, nf2p3Opp INTEGER, nf3p3Opp INTEGER, pp3Opp INTEGER, wp3Opp INTEGER, cp3Opp INTEGER,
    tpothome INTEGER, rpothome INTEGER, epothome INTEGER, nf2pothome INTEGER, nf3pothome INTEGER, ppothome INTEGER, wpothome INTEGER, cpothome INTEGER,
    tpotOpp INTEGER, rpotOpp INTEGER, epotOpp INTEGER, nf2potOpp INTEGER, nf3potOpp INTEGER, ppotOpp INTEGER, wpotOpp INTEGER, cpotOpp INTEGER,
    tpdot1home INTEGER, rpdot1home INTEGER, epdot1home INTEGER, nf2pdot1home INTEGER, nf3pdot1home INTEGER, ppdot1home INTEGER, wpdot1home INTEGER, cpdot1home INTEGER,
    tpdot1Opp INTEGER, rpdot1Opp INTEGER, epdot1Opp INTEGER, nf2pdot1Opp INTEGER, nf3pdot1Opp INTEGER, ppdot1Opp INTEGER, wpdot1Opp INTEGER, cpdot1Opp INTEGER,
    tpdot2home INTEGER, rpdot2home INTEGER, epdot2home INTEGER, nf2pdot2home INTEGER, nf3pdot2home INTEGER, ppdot2home INTEGER, wpdot2home INTEGER, cpdot2home INTEGER,
    tpdot2Opp INTEGER, rpdot2Opp INTEGER, epdot2Opp INTEGER, nf2pdot2Opp INTEGER, nf3pdot2Opp INTEGER, ppdot2Opp INTEGER, wpdot2Opp INTEGER, cpdot2Opp INTEGER,
    tpdothome INTEGER, rpdothome INTEGER, epdothome INTEGER, nf2pdothome INTEGER, nf3pdothome INTEGER, ppdothome INTEGER, wpdothome INTEGER, cpdothome INTEGER,
    tpdotOpp INTEGER, rpdotOpp INTEGER, epdotOpp INTEGER, nf2pdotOpp INTEGER, nf3pdotOpp INTEGER, ppdotOpp INTEGER, wpdotOpp INTEGER, cpdotOpp INTEGER
);

-- Indexes for the lists and reports of a file that holds many seasons. A file made without them
-- gets them when the program opens it (every CREATE INDEX below is run with IF NOT EXISTS).
CREATE INDEX ixMatchWrestler ON [Match] (SeqWrestler);
CREATE INDEX ixMatchDate ON [Match] ([Date], SeqOppSchool);
CREATE INDEX ixMatchOppSchool ON [Match] (SeqOppSchool);
CREATE INDEX ixMatchWeight ON [Match] (SeqWeight);
CREATE INDEX ixRosterDate ON Roster (RosterDate);
CREATE INDEX ixHomeWIDate ON HomeWI (CompDate);
CREATE INDEX ixDualScoreDate ON DualScore (CompDate);
-- The matches whose overtime tallies are still to be filled in (see repairNullOvertime): none,
-- once a file is repaired, so that the check at every start reads nothing.
CREATE INDEX ixMatchOvertimeNull ON [Match] (Seq) WHERE (TPDOT1Home) Is Null OR (TPDOT1Opp) Is Null OR (RPDOT1Home) Is Null OR (RPDOT1Opp) Is Null OR (EPDOT1Home) Is Null OR (EPDOT1Opp) Is Null OR (NF2PDOT1Home) Is Null OR (NF2PDOT1Opp) Is Null OR (NF3PDOT1Home) Is Null OR (NF3PDOT1Opp) Is Null OR (PPDOT1Home) Is Null OR (PPDOT1Opp) Is Null OR (WPDOT1Home) Is Null OR (WPDOT1Opp) Is Null OR (CPDOT1Home) Is Null OR (CPDOT1Opp) Is Null;
