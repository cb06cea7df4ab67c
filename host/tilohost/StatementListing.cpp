#include "tilohost/StatementListing.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "tilohost/CsvReader.h"
#include "tilohost/Failures.h"
#include "tilohost/FileAccess.h"
#include "tilohost/TextConversion.h"

namespace
{
const size_t TransactionFields = 14;
const size_t SortCodeWidth = 6;
const size_t AccountNumberWidth = 8;
const char ByteOrderMark[] = "\xEF\xBB\xBF";

std::string ShownSortCode(const std::string& sortCode)
{
    if (sortCode.size() != 6 || sortCode.find_first_not_of("0123456789") != std::string::npos)
        return sortCode;
    return sortCode.substr(0, 2) + "-" + sortCode.substr(2, 2) + "-" + sortCode.substr(4, 2);
}

std::string DigitsOf(const std::string& text)
{
    std::string digits;
    for (const char ch : text)
    {
        if (ch >= '0' && ch <= '9')
            digits += ch;
    }
    return digits;
}

// Appends one line of the file with its line feed; false at the end.
bool AppendLine(FILE* file, std::string& text)
{
    char chunk[4096];
    bool any = false;
    while (fgets(chunk, sizeof chunk, file))
    {
        any = true;
        text += chunk;
        if (!text.empty() && text.back() == '\n')
            break;
    }
    return any;
}

// The next record: a line, and the lines after it while a quoted field is
// left open; `lines` counts what was read.
bool ReadRecordText(FILE* file, std::string& text, int& lines)
{
    text.clear();
    if (!AppendLine(file, text))
        return false;
    ++lines;
    while (std::count(text.begin(), text.end(), '"') % 2 != 0 && AppendLine(file, text))
        ++lines;
    return true;
}

class AccountCounts
{
public:
    void Add(const std::string& account)
    {
        for (auto& known : m_counts)
        {
            if (known.first == account)
            {
                ++known.second;
                return;
            }
        }
        m_counts.push_back({account, 1});
    }

    std::vector<std::string> Held() const
    {
        std::vector<std::string> held;
        for (const auto& known : m_counts)
            held.push_back(known.first + ": " + std::to_string(known.second) + (known.second == 1 ? " line" : " lines"));
        return held;
    }

private:
    std::vector<std::pair<std::string, long>> m_counts;
};
}

StatementListing ListStatement(const std::string& path, const std::string& sortCode,
                               const std::string& accountNumber, const std::vector<long>& asked,
                               std::string& problem)
{
    StatementListing listing;
    AccountCounts accounts;
    const std::string digits = DigitsOf(sortCode);
    long accountLines = 0;
    size_t next = 0;
    try
    {
        const StdioFile file(_wfopen(WideFromUtf8(path).c_str(), L"rb"));
        if (!file)
            throw BadInput("cannot be opened");
        std::string text;
        int linesRead = 0;
        bool first = true;
        bool utf8 = false;
        while (true)
        {
            const int start = linesRead + 1;
            if (!ReadRecordText(file.Get(), text, linesRead))
                break;
            if (first)
            {
                // A file without the UTF-8 mark is ANSI text, as the component reads it.
                utf8 = text.compare(0, 3, ByteOrderMark) == 0;
                first = false;
                continue;
            }
            const std::vector<CsvRecord> records = ReadCsv(utf8 ? text : Utf8FromAnsi(text), start);
            if (records.empty() || records.front().fields.size() < TransactionFields)
                continue;
            const std::vector<std::string>& fields = records.front().fields;
            ++listing.transactionLines;
            accounts.Add(ShownSortCode(fields[0]) + " " + fields[1]);
            if (fields[0].substr(0, SortCodeWidth) != digits || fields[1].substr(0, AccountNumberWidth) != accountNumber)
                continue;
            ++accountLines;
            if (next < asked.size() && asked[next] == accountLines)
                listing.accountLines[asked[next++]] = {records.front().line, fields[9]};
        }
        if (ferror(file.Get()))
            throw BadInput("cannot be read");
    }
    catch (const std::exception& failure)
    {
        problem = failure.what();
        return StatementListing();
    }
    listing.accountsHeld = accounts.Held();
    return listing;
}
