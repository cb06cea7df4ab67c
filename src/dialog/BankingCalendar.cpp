#include "dialog/BankingCalendar.h"

#include <cmath>
#include <cstdio>

namespace
{
enum Weekday
{
    Sunday = 0,
    Monday = 1,
    Tuesday = 2,
    Wednesday = 3,
    Thursday = 4,
    Friday = 5,
    Saturday = 6,
};

LocalTimeFunction g_localTime = GetLocalTime;

SYSTEMTIME FieldsOf(DATE date)
{
    // Zeroed, so a date the conversion refuses still gives defined fields.
    SYSTEMTIME fields = {};
    VariantTimeToSystemTime(date, &fields);
    return fields;
}

struct Outcome
{
    int daysToNext;
    NonBankingKind kind;
};

constexpr Outcome Banking = {0, NonBankingKind::None};
constexpr Outcome Holiday1 = {1, NonBankingKind::BankHoliday};
constexpr Outcome Holiday2 = {2, NonBankingKind::BankHoliday};
constexpr Outcome Holiday3 = {3, NonBankingKind::BankHoliday};
constexpr Outcome Holiday4 = {4, NonBankingKind::BankHoliday};
constexpr Outcome Weekend1 = {1, NonBankingKind::Weekend};
constexpr Outcome Weekend2 = {2, NonBankingKind::Weekend};
constexpr Outcome Weekend3 = {3, NonBankingKind::Weekend};
constexpr Outcome Weekend4 = {4, NonBankingKind::Weekend};

Outcome DefaultRule(int weekday)
{
    if (weekday == Saturday)
        return Weekend2;
    if (weekday == Sunday)
        return Weekend1;
    return Banking;
}

Outcome January(int day, int weekday)
{
    switch (day)
    {
    case 1:
        if (weekday == Saturday)
            return Holiday3;
        if (weekday == Sunday)
            return Holiday2;
        return Holiday1;
    case 2:
        if (weekday == Saturday || weekday == Sunday)
            return Holiday2;
        if (weekday == Monday)
            return Holiday1;
        return Banking;
    case 3:
        // The substitute day of New Year's Day on a Saturday.
        if (weekday == Monday)
            return Holiday1;
        break;
    }
    return DefaultRule(weekday);
}

Outcome Easter(DATE day, int year, int weekday)
{
    const DATE easter = EasterSunday(year);
    if (std::fabs(day - (easter - 2)) < 1)
        return Holiday4;
    if (std::fabs(day - (easter + 1)) < 1)
        return Holiday1;
    return DefaultRule(weekday);
}

Outcome May(int day, int weekday)
{
    if (weekday != Monday)
        return DefaultRule(weekday);
    return day <= 7 || day >= 25 ? Holiday1 : Banking;
}

Outcome August(int day, int weekday)
{
    if (weekday != Monday)
        return DefaultRule(weekday);
    return day >= 25 ? Holiday1 : Banking;
}

// Christmas week, 25 to 28 December, by weekday (Sunday first).
const Outcome ChristmasWeek[4][7] = {
    {Weekend3, Holiday2, Holiday2, Holiday2, Holiday4, Holiday4, Weekend4},
    {Weekend3, Holiday2, Holiday1, Holiday1, Holiday1, Holiday3, Weekend3},
    {Weekend2, Holiday2, Holiday1, Banking, Banking, Banking, Weekend2},
    {Weekend1, Holiday1, Holiday1, Banking, Banking, Banking, Weekend2},
};

Outcome December(int day, int weekday)
{
    if (day >= 25 && day <= 28)
        return ChristmasWeek[day - 25][weekday];
    return DefaultRule(weekday);
}

Outcome Classify(DATE day)
{
    const SYSTEMTIME fields = FieldsOf(day);
    const int weekday = fields.wDayOfWeek;
    switch (fields.wMonth)
    {
    case 1:
        return January(fields.wDay, weekday);
    case 3:
    case 4:
        return Easter(day, fields.wYear, weekday);
    case 5:
        return May(fields.wDay, weekday);
    case 8:
        return August(fields.wDay, weekday);
    case 12:
        return December(fields.wDay, weekday);
    }
    return DefaultRule(weekday);
}
}

DATE TodayAsDate()
{
    SYSTEMTIME now = {};
    g_localTime(&now);
    DATE today = 0;
    SystemTimeToVariantTime(&now, &today);
    return today;
}

LocalTimeFunction SetLocalTimeFunction(LocalTimeFunction function)
{
    const LocalTimeFunction previous = g_localTime;
    g_localTime = function ? function : GetLocalTime;
    return previous;
}

bool IsWeekday(DATE date)
{
    const int weekday = FieldsOf(date).wDayOfWeek;
    return weekday != Saturday && weekday != Sunday;
}

DATE EasterSunday(int year)
{
    // The Gregorian computus; all divisions drop the remainder.
    const int golden = year % 19 + 1;
    const int century = year / 100 + 1;
    const int skippedLeapDays = 3 * century / 4 - 12;
    const int moonCorrection = (8 * century + 5) / 25 - 5;
    const int sundayKey = 5 * year / 4 - skippedLeapDays - 10;
    int epact = (11 * golden + 20 + moonCorrection - skippedLeapDays) % 30;
    if (epact < 0)
        epact += 30;
    if ((epact == 25 && golden > 11) || epact == 24)
        ++epact;
    int fullMoon = 44 - epact;
    if (fullMoon < 21)
        fullMoon += 30;
    const int sunday = fullMoon + 7 - (sundayKey + fullMoon) % 7;

    SYSTEMTIME fields = {};
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = sunday > 31 ? 4 : 3;
    fields.wDay = static_cast<WORD>(sunday > 31 ? sunday - 31 : sunday);
    DATE easter = 0;
    SystemTimeToVariantTime(&fields, &easter);
    return easter;
}

bool ClassifyBankingDay(DATE date, int& daysToNext, NonBankingKind& kind)
{
    const Outcome outcome = Classify(std::floor(date));
    daysToNext = outcome.daysToNext;
    kind = outcome.kind;
    return outcome.kind == NonBankingKind::None;
}

DATE NextCreditingDate(DATE start)
{
    int days = 2;
    switch (FieldsOf(start).wDayOfWeek)
    {
    case Thursday:
    case Friday:
        days = 4;
        break;
    case Saturday:
        days = 3;
        break;
    }
    DATE candidate = start + days;

    // Every bank holiday on the way pushes the date one day further.
    int holidays = 0;
    int daysToNext = 0;
    NonBankingKind kind = NonBankingKind::None;
    for (DATE day = std::floor(start) + 1; day <= std::floor(candidate); day += 1)
    {
        if (!ClassifyBankingDay(day, daysToNext, kind) && kind != NonBankingKind::Weekend)
            ++holidays;
    }
    candidate += holidays;

    // The day counts only point to the next likely banking day: check again.
    for (int attempt = 0; attempt < 3; ++attempt)
    {
        if (ClassifyBankingDay(candidate, daysToNext, kind))
            return candidate;
        candidate += daysToNext;
    }
    return start;
}

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
