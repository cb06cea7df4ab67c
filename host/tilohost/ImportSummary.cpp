#include "tilohost/ImportSummary.h"

#include <windows.h>
#include <oleauto.h>

#include <cmath>
#include <cstdio>

namespace
{
bool DayOf(double date, SYSTEMTIME& day)
{
    day = SYSTEMTIME{};
    return date != 0.0 && VariantTimeToSystemTime(std::floor(date), &day);
}
}

void ImportSummary::Add(const ReceivedTransaction& transaction)
{
    const bool dated = transactions > undated;
    ++transactions;
    if (transaction.direction == 0)
    {
        ++debits;
        debitTotal += transaction.amount;
    }
    else if (transaction.direction == 1)
    {
        ++credits;
        creditTotal += transaction.amount;
    }
    if (transaction.date == 0.0)
    {
        ++undated;
        return;
    }
    const double day = std::floor(transaction.date);
    if (!dated || day < firstDate)
        firstDate = day;
    if (!dated || day > lastDate)
        lastDate = day;
}

std::string ShownDay(double date)
{
    SYSTEMTIME day;
    if (!DayOf(date, day))
        return "(no date)";
    char text[16];
    snprintf(text, sizeof text, "%02u/%02u/%04u", day.wDay, day.wMonth, day.wYear);
    return text;
}

std::string IsoDay(double date)
{
    SYSTEMTIME day;
    if (!DayOf(date, day))
        return std::string();
    char text[16];
    snprintf(text, sizeof text, "%04u-%02u-%02u", day.wYear, day.wMonth, day.wDay);
    return text;
}
