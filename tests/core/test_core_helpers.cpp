#include <gtest/gtest.h>

#include "core/helpers.h"
#include "platform/ui/Messages.h"
#include "support/qt_printers.h"

namespace {

struct DateCase {
    QString typed;
    QString rebuilt;
    short bad;
    short weekday;
    bool message;
};

}  // namespace

TEST(CheckDateFormat, RebuildsChecksAndWarnsOnce) {
    const DateCase cases[] = {
        {"1/2/10", "01/02/2010", 0, 7, false},
        {"  11/05/2010 ", "11/05/2010", 0, 6, false},
        {"1/1/99", "01/01/2099", 0, 5, false},
        {"13/01/2010", "13/01/2010", -1, 0, true},
        {"02/30/2010", "02/30/2010", -1, 0, true},
        {"12-01-2010", "//", -1, 0, true},
        {"1/x5/2010", "01/x5/2010", -1, 0, true},
        {"2/3/4/2010", "02/03/4/2010", -1, 0, true},
        // Years of one, three or five digits are refused, even where the date would exist.
        {"1/2/5", "01/02/5", -1, 0, true},
        {"1/15/124", "01/15/124", -1, 0, true},
        {"1/15/02010", "01/15/02010", -1, 0, true},
        {"1/15/0124", "01/15/0124", 0, 7, false},
    };
    for (const DateCase& c : cases) {
        ui::ScriptedMessages msgs;
        if (c.message) msgs.expect("Date must be in the MM/DD/YYYY format");
        QString text = c.typed;
        short bad = 5, weekday = 0;
        CheckDateFormat(text, bad, weekday);
        EXPECT_EQ(text, c.rebuilt) << c.typed.toStdString();
        EXPECT_EQ(bad, c.bad) << c.typed.toStdString();
        if (!c.message) {
            EXPECT_EQ(weekday, c.weekday) << c.typed.toStdString();
        }
        ASSERT_EQ(msgs.messages().size(), c.message ? 1u : 0u) << c.typed.toStdString();
        if (c.message) {
            EXPECT_EQ(msgs.last().title, "Error");
        }
    }
}

TEST(CheckDateFormat, BlankTextChangesNothingButTheBlanks) {
    ui::ScriptedMessages msgs;
    QString text = "   ";
    short bad = 3, weekday = 0;
    CheckDateFormat(text, bad, weekday);
    EXPECT_EQ(text, "");
    EXPECT_EQ(bad, 3);
    EXPECT_TRUE(msgs.messages().empty());
}

TEST(Seasons, StartInNovember) {
    EXPECT_EQ(getSeason(QDate(2010, 11, 1)), 2010);
    EXPECT_EQ(getSeason(QDate(2011, 10, 31)), 2010);
    EXPECT_EQ(getSeason(QDate(2010, 10, 31)), 2009);
    EXPECT_EQ(getSeason(QDate(2010, 12, 31)), 2010);
    EXPECT_EQ(seasonLabel(2010), "2010-2011");
}

TEST(TextHelpers, OccurrencesQuotesAndNulls) {
    EXPECT_EQ(countOccurrences("T2 T2 E1", "T2"), 2);
    EXPECT_EQ(countOccurrences("aaa", "aa"), 1);
    EXPECT_EQ(countOccurrences("t2", "T2"), 0);
    EXPECT_EQ(countOccurrences("", "T2"), 0);
    EXPECT_EQ(countOccurrences("T2", ""), 0);
    EXPECT_EQ(fixQuotes("O'Neil's"), "O`Neil`s");
    EXPECT_TRUE(nzString(db::Value()).isText());
    EXPECT_EQ(nzString(db::Value()).toString(), "");
    EXPECT_EQ(nzString(db::Value(5)).kind(), db::Value::Kind::Integer);
    EXPECT_EQ(nzZero(db::Value()).toInt(), 0);
    EXPECT_TRUE(nzZero(db::Value()).isNumber());
    EXPECT_EQ(nzZero(db::Value("T2")).toString(), "T2");
}

TEST(NumberHelpers, SignedTextLeadingNumberAndNumericTest) {
    EXPECT_EQ(signedNumberText(7LL), " 7");
    EXPECT_EQ(signedNumberText(0LL), " 0");
    EXPECT_EQ(signedNumberText(-3LL), "-3");
    EXPECT_EQ(signedNumberText(152.5), " 152.5");
    EXPECT_EQ(leadingNumber(" 12abc"), 12);
    EXPECT_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(leadingNumber("-2.5x"), -2.5);
    EXPECT_TRUE(isNumericText(" 7 "));
    EXPECT_TRUE(isNumericText("-3"));
    EXPECT_TRUE(isNumericText("22.5"));
    EXPECT_FALSE(isNumericText("1,000"));
    EXPECT_FALSE(isNumericText("$5"));
    EXPECT_FALSE(isNumericText(""));
    EXPECT_TRUE(isNumericText("1.5e3"));
    EXPECT_FALSE(isNumericText("1e999")) << "too large: it would be stored as infinite";
    EXPECT_FALSE(isNumericText("-1e999"));
}
