#include "statements/ParseDate.h"

#include <oleauto.h>
#include <stdlib.h>
#include <string.h>

#include <memory>

namespace
{
struct DateParts
{
    long first = 0;
    long second = 0;
    long third = 0;
};

bool BeginsWithDigit(const char* part)
{
    return part && *part >= '0' && *part <= '9';
}

// strtol rather than atoi: an overlong number is clamped instead of
// overflowing, and the range checks then refuse it.
bool SplitDate(char* text, const char* separator, DateParts& parts)
{
    char* first = strtok(text, separator);
    if (first && *first == '"')
        ++first;
    char* second = strtok(nullptr, separator);
    char* third = strtok(nullptr, separator);
    if (!BeginsWithDigit(first) || !BeginsWithDigit(second) || !BeginsWithDigit(third))
        return false;
    parts.first = strtol(first, nullptr, 10);
    parts.second = strtol(second, nullptr, 10);
    parts.third = strtol(third, nullptr, 10);
    return true;
}

// Converts only a real calendar date: the platform would roll day 0, month
// 0 or 31 February over into a neighbouring date, so the result must convert
// back to the same month and day.
bool ConvertDate(long year, long month, long day, double& date)
{
    if (year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    double converted = 0.0;
    if (!SystemTimeToVariantTime(&time, &converted))
        return false;
    SYSTEMTIME back = {};
    if (!VariantTimeToSystemTime(converted, &back) || back.wMonth != month || back.wDay != day)
        return false;
    date = converted;
    return true;
}
}

double ParseDate(const CString& text)
{
    const int length = text.GetLength();
    std::unique_ptr<char, decltype(&free)> copy(static_cast<char*>(malloc(length + 1)), &free);
    if (!copy)
        return 0.0;

    double date = 0.0;
    DateParts parts;
    memcpy(copy.get(), text.GetString(), length + 1);
    if (SplitDate(copy.get(), "/", parts) && ConvertDate(parts.third, parts.second, parts.first, date)
        && date >= 0.000005)
        return date;

    memcpy(copy.get(), text.GetString(), length + 1);
    if (SplitDate(copy.get(), "-", parts))
        ConvertDate(parts.first, parts.second, parts.third, date);
    return date;
}
