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
