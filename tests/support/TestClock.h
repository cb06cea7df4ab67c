// Dates for tests of the banking calendar and of what uses it: dates from
// calendar fields, and a fixed "now" for the length of a scope.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "dialog/BankingCalendar.h"

inline DATE DateOf(int year, int month, int day, int hour = 0, int minute = 0)
{
    SYSTEMTIME fields = {};
    fields.wYear = static_cast<WORD>(year);
    fields.wMonth = static_cast<WORD>(month);
    fields.wDay = static_cast<WORD>(day);
    fields.wHour = static_cast<WORD>(hour);
    fields.wMinute = static_cast<WORD>(minute);
    DATE date = 0;
    SystemTimeToVariantTime(&fields, &date);
    return date;
}

// While it lives, TodayAsDate gives this local date and time. Scopes nest.
class ScopedToday
{
public:
    ScopedToday(int year, int month, int day, int hour = 10, int minute = 30) : m_outer(Now())
    {
        SYSTEMTIME& now = Now();
        now = SYSTEMTIME{};
        now.wYear = static_cast<WORD>(year);
        now.wMonth = static_cast<WORD>(month);
        now.wDay = static_cast<WORD>(day);
        now.wHour = static_cast<WORD>(hour);
        now.wMinute = static_cast<WORD>(minute);
        m_previous = SetLocalTimeFunction(Read);
    }
    ScopedToday(const ScopedToday&) = delete;
    ScopedToday& operator=(const ScopedToday&) = delete;
    ~ScopedToday()
    {
        Now() = m_outer;
        SetLocalTimeFunction(m_previous);
    }

private:
    static SYSTEMTIME& Now()
    {
        static SYSTEMTIME now;
        return now;
    }
    static void WINAPI Read(LPSYSTEMTIME out) { *out = Now(); }

    SYSTEMTIME m_outer;
    LocalTimeFunction m_previous;
};
