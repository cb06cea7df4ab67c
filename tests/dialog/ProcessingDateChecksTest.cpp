#include <gtest/gtest.h>

#include "dialog/BankingCalendar.h"
#include "robot/MessageBoxAnswerer.h"
#include "support/TestClock.h"
#include "support/WindowTest.h"

#include <string>
#include <vector>

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
