// The UK banking-day calendar, computed from rules alone: weekends, New
// Year's Day, Good Friday, Easter Monday, the early and late May and the
// August bank holidays, Christmas Day and Boxing Day, and the substitute
// days that follow New Year's Day, Christmas Day and Boxing Day on a
// weekend; and the checks the payment dialog makes on a processing date.
// Dates are OLE Automation dates (whole part: days since 30 December 1899;
// fraction: the time of day).
#pragma once

#include <windows.h>
#include <oleauto.h>

// Why a date is not a banking day. The kind chooses the wording of the
// message shown for the date, which is not always the calendar meaning
// (25 to 28 December on a weekend is `Weekend`; every non-banking 1 or
// 2 January is `BankHoliday`).
enum class NonBankingKind
{
    None = 0,
    BankHoliday = 1,
    Weekend = 2,
};

// The local date and time now, time of day included.
DATE TodayAsDate();

// TodayAsDate reads the local time through this function (GetLocalTime);
// tests fix "now" with it. Gives the previous function; null restores
// GetLocalTime.
using LocalTimeFunction = void(WINAPI*)(LPSYSTEMTIME);
LocalTimeFunction SetLocalTimeFunction(LocalTimeFunction function);

// True for Monday to Friday.
bool IsWeekday(DATE date);

// Easter Sunday of the year (Gregorian), at 00:00.
DATE EasterSunday(int year);

// True when the date (its day; the time of day does not count) is a banking
// day. Otherwise `daysToNext` is the number of days to the next likely
// banking day (1 to 4) and `kind` says why. Both are always set: 0 and
// `None` for a banking day.
bool ClassifyBankingDay(DATE date, int& daysToNext, NonBankingKind& kind);

// The next available BACS crediting date for payments submitted on `start`,
// with the start's time of day.
DATE NextCreditingDate(DATE start);

// The checks that a processing date passes before the payment dialog takes
// it. Each shows its own warning, owned by `owner`, when it rejects; the
// dialog runs CheckDateHorizon only after CheckBankingDate accepted.
// Accepts a banking day from today on; rejects an earlier day and a weekend
// or bank holiday with a message that says how far the next likely banking
// day is.
bool CheckBankingDate(HWND owner, DATE date);

// Accepts a date at most 45 days after today.
bool CheckDateHorizon(HWND owner, DATE date);
