#include "dialog/ProcessingDateChecks.h"

#include "dialog/BankingCalendar.h"

#include <cmath>
#include <cstdio>

namespace
{
const int HorizonDays = 45;

void Warn(HWND owner, const char* text, const char* caption)
{
    MessageBoxA(owner, text, caption, MB_OK | MB_ICONWARNING);
}
}

bool CheckBankingDate(HWND owner, DATE date)
{
    if (std::floor(TodayAsDate()) > std::floor(date))
    {
        Warn(owner,
             "The processing date you specify for payments MUST be on or after the current system date.",
             "Invalid Banking Date Specified");
        return false;
    }

    int daysToNext = 0;
    NonBankingKind kind = NonBankingKind::None;
    if (ClassifyBankingDay(date, daysToNext, kind))
        return true;

    const char* reason = kind == NonBankingKind::BankHoliday
        ? "The date you specified falls on a Bank holiday. Try advancing the date \r\n"
        : "The date you specified falls on a weekend. Try advancing the date \r\n";
    const char* advice = daysToNext == 1 ? "%s%d day to the next likely Banking Day."
                                         : "%s%d days to the next likely Banking Day.";
    char text[256];
    std::snprintf(text, sizeof text, advice, reason, daysToNext);
    Warn(owner, text, "Non-Banking Date Specified");
    return false;
}

bool CheckDateHorizon(HWND owner, DATE date)
{
    if (std::floor(date) > std::floor(TodayAsDate()) + HorizonDays)
    {
        Warn(owner,
             "The processing date specified is too far in the future.\r"
             "Processing dates can be at most 45 days after today's date.",
             "Invalid Processing Date Specified");
        return false;
    }
    return true;
}
