// The banking-day calendar: classification, Easter, the next crediting date,
// and the checks the payment dialog makes on a processing date.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>
#include <vector>

#include "dialog/BankingCalendar.h"
#include "robot/MessageBoxAnswerer.h"
#include "support/TestClock.h"
#include "support/WindowTest.h"

namespace
{
enum Weekday { Sun, Mon, Tue, Wed, Thu, Fri, Sat };

// Weekday of a Gregorian date, 0 = Sunday (Sakamoto's method), worked out
// apart from the calendar under test.
int WeekdayOf(int year, int month, int day)
{
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3)
        --year;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

// The first date from 2001 on with this month and day that falls on `weekday`.
DATE OnWeekday(int month, int day, int weekday)
{
    for (int year = 2001;; ++year)
    {
        if (WeekdayOf(year, month, day) == weekday)
            return DateOf(year, month, day);
    }
}

struct Verdict
{
    bool banking;
    int days;
    NonBankingKind kind;
};

bool operator==(const Verdict& a, const Verdict& b)
{
    return a.banking == b.banking && a.days == b.days && a.kind == b.kind;
}

std::ostream& operator<<(std::ostream& out, const Verdict& verdict)
{
    return out << (verdict.banking ? "banking" : "not banking") << ", " << verdict.days << " days, kind "
               << static_cast<int>(verdict.kind);
}

const Verdict Banking = {true, 0, NonBankingKind::None};

Verdict Holiday(int days) { return {false, days, NonBankingKind::BankHoliday}; }
Verdict Weekend(int days) { return {false, days, NonBankingKind::Weekend}; }

Verdict Classified(DATE date)
{
    Verdict verdict = {false, -1, static_cast<NonBankingKind>(-1)};
    verdict.banking = ClassifyBankingDay(date, verdict.days, verdict.kind);
    return verdict;
}

Verdict DefaultRule(int weekday)
{
    return weekday == Sat ? Weekend(2) : weekday == Sun ? Weekend(1) : Banking;
}

struct Row
{
    int day;
    int weekday;
    Verdict expected;
};

void ExpectRows(int month, std::initializer_list<Row> rows)
{
    for (const Row& row : rows)
    {
        SCOPED_TRACE(testing::Message() << "month " << month << ", day " << row.day << ", weekday " << row.weekday);
        EXPECT_EQ(row.expected, Classified(OnWeekday(month, row.day, row.weekday)));
    }
}

// Easter Sunday by the anonymous Gregorian algorithm (Meeus/Jones/Butcher).
DATE AnonymousGregorianEaster(int year)
{
    const int a = year % 19;
    const int b = year / 100;
    const int c = year % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int month = (h + l - 7 * m + 114) / 31;
    const int day = (h + l - 7 * m + 114) % 31 + 1;
    return DateOf(year, month, day);
}
}

TEST(BankingCalendar, TodayAsDateKeepsTheTimeOfDay)
{
    ScopedToday today(2024, 3, 14, 9, 15);
    EXPECT_DOUBLE_EQ(DateOf(2024, 3, 14, 9, 15), TodayAsDate());
}

TEST(BankingCalendar, WeekdaysAreMondayToFridayWhateverTheTime)
{
    // Saturday 4 January 2025 to Friday 10 January 2025.
    const bool expected[] = {false, false, true, true, true, true, true};
    for (int offset = 0; offset < 7; ++offset)
    {
        EXPECT_EQ(expected[offset], IsWeekday(DateOf(2025, 1, 4 + offset))) << offset;
        EXPECT_EQ(expected[offset], IsWeekday(DateOf(2025, 1, 4 + offset, 23, 59))) << offset;
    }
}

TEST(BankingCalendar, EasterSundayOfKnownYears)
{
    EXPECT_DOUBLE_EQ(DateOf(2013, 3, 31), EasterSunday(2013));
    EXPECT_DOUBLE_EQ(DateOf(2014, 4, 20), EasterSunday(2014));
    EXPECT_DOUBLE_EQ(DateOf(2015, 4, 5), EasterSunday(2015));
    EXPECT_DOUBLE_EQ(DateOf(2016, 3, 27), EasterSunday(2016));
    EXPECT_DOUBLE_EQ(DateOf(2024, 3, 31), EasterSunday(2024));
    EXPECT_DOUBLE_EQ(DateOf(2025, 4, 20), EasterSunday(2025));
    // The earliest and latest possible dates.
    EXPECT_DOUBLE_EQ(DateOf(2285, 3, 22), EasterSunday(2285));
    EXPECT_DOUBLE_EQ(DateOf(1943, 4, 25), EasterSunday(1943));
}

TEST(BankingCalendar, EasterSundayAgreesWithTheAnonymousGregorianAlgorithm)
{
    for (int year = 1900; year <= 2199; ++year)
        ASSERT_DOUBLE_EQ(AnonymousGregorianEaster(year), EasterSunday(year)) << year;
}

TEST(BankingCalendar, January)
{
    ExpectRows(1, {{1, Sat, Holiday(3)}, {1, Sun, Holiday(2)}, {1, Mon, Holiday(1)}, {1, Tue, Holiday(1)},
                    {1, Wed, Holiday(1)}, {1, Thu, Holiday(1)}, {1, Fri, Holiday(1)}, {2, Sat, Holiday(2)},
                    {2, Sun, Holiday(2)}, {2, Mon, Holiday(1)}, {2, Tue, Banking}, {2, Wed, Banking},
                    {2, Thu, Banking}, {2, Fri, Banking}, {3, Sat, Weekend(2)}, {3, Sun, Weekend(1)},
                    {3, Tue, Banking}, {3, Fri, Banking}, {4, Mon, Banking}, {31, Sat, Weekend(2)},
                    {31, Sun, Weekend(1)}});
}

TEST(BankingCalendar, NewYearsDayOnASaturdayMakesMonday3JanuaryABankHoliday)
{
    // 2022: Saturday 1, Sunday 2 and Monday 3 January all point to Tuesday 4.
    EXPECT_EQ(Holiday(3), Classified(DateOf(2022, 1, 1)));
    EXPECT_EQ(Holiday(2), Classified(DateOf(2022, 1, 2)));
    EXPECT_EQ(Holiday(1), Classified(DateOf(2022, 1, 3)));
    EXPECT_EQ(Banking, Classified(DateOf(2022, 1, 4)));
}

TEST(BankingCalendar, GoodFridayAndEasterMonday)
{
    for (int year = 2000; year <= 2040; ++year)
    {
        SCOPED_TRACE(year);
        const DATE easter = EasterSunday(year);
        EXPECT_EQ(Banking, Classified(easter - 3));
        EXPECT_EQ(Holiday(4), Classified(easter - 2));
        EXPECT_EQ(Weekend(2), Classified(easter - 1));
        EXPECT_EQ(Weekend(1), Classified(easter));
        EXPECT_EQ(Holiday(1), Classified(easter + 1));
        EXPECT_EQ(Banking, Classified(easter + 2));
    }
    // Good Friday in March and in April.
    EXPECT_EQ(Holiday(4), Classified(DateOf(2016, 3, 25)));
    EXPECT_EQ(Holiday(4), Classified(DateOf(2015, 4, 3)));
}

TEST(BankingCalendar, May)
{
    ExpectRows(5, {{1, Mon, Holiday(1)}, {7, Mon, Holiday(1)}, {8, Mon, Banking}, {24, Mon, Banking},
                    {25, Mon, Holiday(1)}, {31, Mon, Holiday(1)}, {1, Sat, Weekend(2)}, {6, Sun, Weekend(1)},
                    {30, Sat, Weekend(2)}, {31, Sun, Weekend(1)}, {2, Tue, Banking}, {26, Tue, Banking},
                    {29, Fri, Banking}});
}

TEST(BankingCalendar, August)
{
    ExpectRows(8, {{1, Mon, Banking}, {24, Mon, Banking}, {25, Mon, Holiday(1)}, {31, Mon, Holiday(1)},
                    {29, Sat, Weekend(2)}, {30, Sun, Weekend(1)}, {26, Tue, Banking}, {29, Fri, Banking}});
}

TEST(BankingCalendar, ChristmasWeek)
{
    // Days 25 to 28, Sunday to Saturday.
    const Verdict table[4][7] = {
        {Weekend(3), Holiday(2), Holiday(2), Holiday(2), Holiday(4), Holiday(4), Weekend(4)},
        {Weekend(3), Holiday(2), Holiday(1), Holiday(1), Holiday(1), Holiday(3), Weekend(3)},
        {Weekend(2), Holiday(2), Holiday(1), Banking, Banking, Banking, Weekend(2)},
        {Weekend(1), Holiday(1), Holiday(1), Banking, Banking, Banking, Weekend(2)},
    };
    for (int day = 25; day <= 28; ++day)
    {
        for (int weekday = Sun; weekday <= Sat; ++weekday)
        {
            SCOPED_TRACE(testing::Message() << "day " << day << ", weekday " << weekday);
            EXPECT_EQ(table[day - 25][weekday], Classified(OnWeekday(12, day, weekday)));
        }
    }
    // The rest of December takes the default rule.
    ExpectRows(12, {{24, Sat, Weekend(2)}, {24, Sun, Weekend(1)}, {24, Fri, Banking}, {29, Mon, Banking},
                    {31, Sat, Weekend(2)}, {1, Mon, Banking}});
}

TEST(BankingCalendar, MonthsWithoutHolidaysFollowTheDefaultRule)
{
    for (int month : {2, 6, 7, 9, 10, 11})
    {
        for (int day = 1; day <= 28; ++day)
        {
            EXPECT_EQ(DefaultRule(WeekdayOf(2026, month, day)), Classified(DateOf(2026, month, day)))
                << month << "/" << day;
        }
    }
}

TEST(BankingCalendar, TheTimeOfDayDoesNotCount)
{
    EXPECT_EQ(Holiday(4), Classified(DateOf(2015, 4, 3, 18, 0)));
    EXPECT_EQ(Holiday(4), Classified(DateOf(2015, 12, 25, 12, 0)));
    EXPECT_EQ(Banking, Classified(DateOf(2015, 12, 24, 23, 59)));
    EXPECT_EQ(Weekend(2), Classified(DateOf(2015, 12, 19, 23, 59)));
    EXPECT_EQ(Holiday(1), Classified(DateOf(2022, 1, 3, 0, 1)));
}

TEST(BankingCalendar, ABankingDayResetsBothOutValues)
{
    int days = 99;
    NonBankingKind kind = NonBankingKind::Weekend;
    EXPECT_TRUE(ClassifyBankingDay(DateOf(2026, 10, 5), days, kind));
    EXPECT_EQ(0, days);
    EXPECT_EQ(NonBankingKind::None, kind);
}

TEST(NextCreditingDate, OrdinaryWeek)
{
    // Monday 12 October 2026 to Sunday 18 October 2026.
    const int expectedDay[] = {14, 15, 16, 19, 20, 20, 20};
    for (int offset = 0; offset < 7; ++offset)
        EXPECT_DOUBLE_EQ(DateOf(2026, 10, expectedDay[offset]), NextCreditingDate(DateOf(2026, 10, 12 + offset)));
}

TEST(NextCreditingDate, BankHolidaysOnTheWayPushItOn)
{
    EXPECT_DOUBLE_EQ(DateOf(2015, 12, 29), NextCreditingDate(DateOf(2015, 12, 23)));
    EXPECT_DOUBLE_EQ(DateOf(2015, 4, 8), NextCreditingDate(DateOf(2015, 4, 2)));
    EXPECT_DOUBLE_EQ(DateOf(2015, 9, 2), NextCreditingDate(DateOf(2015, 8, 28)));
    // Saturday 2 January counts as a bank holiday on the way.
    EXPECT_DOUBLE_EQ(DateOf(2027, 1, 6), NextCreditingDate(DateOf(2026, 12, 31)));
}

TEST(NextCreditingDate, KeepsTheStartsTimeOfDay)
{
    EXPECT_DOUBLE_EQ(DateOf(2015, 4, 8, 14, 30), NextCreditingDate(DateOf(2015, 4, 2, 14, 30)));
    EXPECT_DOUBLE_EQ(DateOf(2026, 10, 20, 23, 59), NextCreditingDate(DateOf(2026, 10, 16, 23, 59)));
}

// The day counts lead to a banking day within three tries for every start
// date, so the fall-back to the start date is never taken.
TEST(NextCreditingDate, IsALaterBankingDayForEveryStart)
{
    int days = 0;
    NonBankingKind kind = NonBankingKind::None;
    for (DATE start = DateOf(2000, 1, 1, 9, 0); start < DateOf(2101, 1, 1); start += 1)
    {
        const DATE next = NextCreditingDate(start);
        ASSERT_TRUE(ClassifyBankingDay(next, days, kind)) << start;
        ASSERT_GE(next - start, 2) << start;
        ASSERT_LE(next - start, 10) << start;
        ASSERT_DOUBLE_EQ(start - std::floor(start), next - std::floor(next)) << start;
    }
}

namespace
{
const char* const NotBeforeToday =
    "The processing date you specify for payments MUST be on or after the current system date.";
const char* const TooFarAhead =
    "The processing date specified is too far in the future.\r"
    "Processing dates can be at most 45 days after today's date.";

struct Outcome
{
    bool accepted;
    std::vector<SeenMessageBox> boxes;
};

// Today is Monday 5 October 2026, 10:30; today + 45 days is Thursday
// 19 November, + 46 Friday 20 November.
class ProcessingDateChecks : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (HasFatalFailure())
            return;
        m_owner = CreateWindowExA(0, "STATIC", "Payment dialog", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(nullptr, m_owner);
    }
    void TearDown() override { DestroyWindow(m_owner); }

    // Runs the checks as the payment dialog does on OK (the horizon only
    // after the banking-day check accepted), answering every box with OK.
    Outcome CheckAsDialog(DATE date)
    {
        MessageBoxAnswerer answerer;
        const bool accepted = CheckBankingDate(m_owner, date) && CheckDateHorizon(m_owner, date);
        return {accepted, answerer.Stop()};
    }

    template <class Check>
    Outcome Run(Check check, DATE date)
    {
        MessageBoxAnswerer answerer;
        const bool accepted = check(m_owner, date);
        return {accepted, answerer.Stop()};
    }

    // One warning with only an OK button, owned by the dialog.
    void ExpectWarning(const Outcome& outcome, const char* caption, const std::string& text)
    {
        EXPECT_FALSE(outcome.accepted);
        ASSERT_EQ(1u, outcome.boxes.size());
        const SeenMessageBox& box = outcome.boxes[0];
        EXPECT_EQ(caption, box.caption);
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(std::vector<int>{IDOK}, box.buttons);
        EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), box.icon);
        EXPECT_EQ(m_owner, box.owner);
    }

    static void ExpectAccepted(const Outcome& outcome)
    {
        EXPECT_TRUE(outcome.accepted);
        EXPECT_TRUE(outcome.boxes.empty());
    }

    ScopedToday m_today{2026, 10, 5, 10, 30};
    HWND m_owner = nullptr;
};

std::string NonBanking(const char* reason, const char* days)
{
    return std::string("The date you specified falls on a ") + reason + ". Try advancing the date \r\n" + days +
           " to the next likely Banking Day.";
}
}

TEST_F(ProcessingDateChecks, TodayIsAcceptedWhateverTheTime)
{
    ExpectAccepted(CheckAsDialog(DateOf(2026, 10, 5)));
    ExpectAccepted(CheckAsDialog(DateOf(2026, 10, 5, 23, 59)));
}

TEST_F(ProcessingDateChecks, ADayBeforeTodayIsRefused)
{
    // Yesterday is a Sunday: this message comes first.
    ExpectWarning(Run(CheckBankingDate, DateOf(2026, 10, 4, 23, 59)), "Invalid Banking Date Specified",
                  NotBeforeToday);
}

TEST_F(ProcessingDateChecks, AWeekendSaysHowManyDaysToTheNextBankingDay)
{
    ExpectWarning(Run(CheckBankingDate, DateOf(2026, 10, 10)), "Non-Banking Date Specified",
                  NonBanking("weekend", "2 days"));
    ExpectWarning(Run(CheckBankingDate, DateOf(2026, 10, 11)), "Non-Banking Date Specified",
                  NonBanking("weekend", "1 day"));
}

TEST_F(ProcessingDateChecks, ABankHolidaySaysHowManyDaysToTheNextBankingDay)
{
    ExpectWarning(Run(CheckBankingDate, DateOf(2026, 12, 25)), "Non-Banking Date Specified",
                  NonBanking("Bank holiday", "4 days"));
}

TEST_F(ProcessingDateChecks, ChristmasDayOnASaturdaySpeaksOfAWeekend)
{
    ExpectWarning(Run(CheckBankingDate, DateOf(2027, 12, 25)), "Non-Banking Date Specified",
                  NonBanking("weekend", "4 days"));
}

TEST_F(ProcessingDateChecks, TheSubstituteForNewYearsDayIsABankHoliday)
{
    ScopedToday today(2021, 12, 20);
    ExpectWarning(Run(CheckBankingDate, DateOf(2022, 1, 3)), "Non-Banking Date Specified",
                  NonBanking("Bank holiday", "1 day"));
}

TEST_F(ProcessingDateChecks, TheHorizonIs45DaysAfterToday)
{
    ExpectAccepted(CheckAsDialog(DateOf(2026, 11, 19, 23, 59)));
    ExpectAccepted(Run(CheckBankingDate, DateOf(2026, 11, 20)));
    ExpectWarning(CheckAsDialog(DateOf(2026, 11, 20)), "Invalid Processing Date Specified", TooFarAhead);
}

TEST_F(ProcessingDateChecks, TheHorizonCountsWholeDays)
{
    ScopedToday lateToday(2026, 10, 5, 23, 59);
    ExpectAccepted(Run(CheckDateHorizon, DateOf(2026, 11, 19, 23, 59)));
    ExpectWarning(Run(CheckDateHorizon, DateOf(2026, 11, 20, 0, 0)), "Invalid Processing Date Specified",
                  TooFarAhead);
}

TEST_F(ProcessingDateChecks, ANonBankingDateBeyondTheHorizonShowsOnlyTheNonBankingMessage)
{
    ExpectWarning(CheckAsDialog(DateOf(2026, 11, 21)), "Non-Banking Date Specified",
                  NonBanking("weekend", "2 days"));
}
