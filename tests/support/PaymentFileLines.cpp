#include "support/PaymentFileLines.h"

std::string ExpectedLine(int fieldCount, const std::map<int, std::string>& fields)
{
    std::string line;
    for (int field = 1; field <= fieldCount; ++field)
    {
        if (field > 1)
            line += ',';
        const auto found = fields.find(field);
        if (found != fields.end())
            line += found->second;
    }
    return line + "\r\n";
}

DATE CalendarDate(int year, int month, int day)
{
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    DATE date = 0;
    SystemTimeToVariantTime(&time, &date);
    return date;
}
