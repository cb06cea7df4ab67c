#include "tilohost/StatementListing.h"

#include <map>

#include "tilohost/CsvReader.h"
#include "tilohost/Failures.h"
#include "tilohost/FileAccess.h"
#include "tilohost/TextConversion.h"

namespace
{
const size_t TransactionFields = 14;
const size_t SortCodeWidth = 6;
const size_t AccountNumberWidth = 8;

std::string ShownSortCode(const std::string& sortCode)
{
    if (sortCode.size() != 6 || sortCode.find_first_not_of("0123456789") != std::string::npos)
        return sortCode;
    return sortCode.substr(0, 2) + "-" + sortCode.substr(2, 2) + "-" + sortCode.substr(4, 2);
}
}

std::vector<ListedLine> ListStatementLines(const std::string& path, std::string& problem)
{
    std::vector<ListedLine> lines;
    try
    {
        std::string bytes = ReadWholeFile(path);
        // A file without the UTF-8 mark is ANSI text, as the component reads it.
        if (bytes.compare(0, 3, "\xEF\xBB\xBF") != 0)
            bytes = Utf8FromAnsi(bytes);
        const std::vector<CsvRecord> records = ReadCsv(bytes);
        for (size_t index = 1; index < records.size(); ++index)
        {
            const CsvRecord& record = records[index];
            if (record.fields.size() < TransactionFields)
                continue;
            lines.push_back({record.line, record.fields[0], record.fields[1], record.fields[9]});
        }
    }
    catch (const std::exception& failure)
    {
        problem = failure.what();
        lines.clear();
    }
    return lines;
}

std::vector<std::string> AccountsHeld(const std::vector<ListedLine>& lines)
{
    std::vector<std::string> order;
    std::map<std::string, long> counts;
    for (const ListedLine& line : lines)
    {
        const std::string account = ShownSortCode(line.sortCode) + " " + line.accountNumber;
        if (counts[account]++ == 0)
            order.push_back(account);
    }
    std::vector<std::string> held;
    for (const std::string& account : order)
        held.push_back(account + ": " + std::to_string(counts[account]) + (counts[account] == 1 ? " line" : " lines"));
    return held;
}

std::vector<ListedLine> LinesOfAccount(const std::vector<ListedLine>& lines, const std::string& sortCode,
                                       const std::string& accountNumber)
{
    std::string digits;
    for (const char ch : sortCode)
    {
        if (ch >= '0' && ch <= '9')
            digits += ch;
    }
    std::vector<ListedLine> taken;
    for (const ListedLine& line : lines)
    {
        if (line.sortCode.substr(0, SortCodeWidth) == digits &&
            line.accountNumber.substr(0, AccountNumberWidth) == accountNumber)
            taken.push_back(line);
    }
    return taken;
}
