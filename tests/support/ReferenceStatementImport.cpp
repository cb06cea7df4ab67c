#include "support/ReferenceStatementImport.h"

#include <windows.h>
#include <oleauto.h>

#include <ctype.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace
{
const int MaxField = 511;
const int LineLimit = 2047;

int CountFields(const std::string& line)
{
    bool inside = false;
    int count = 1;
    for (char ch : line)
    {
        if (ch == '"')
            inside = !inside;
        else if (ch == ',' && !inside)
            ++count;
    }
    return inside ? count - 1 : count;
}

std::string Kept(const std::string& text)
{
    return text.substr(0, MaxField);
}

// Field n (from 1), quotes included; false for none.
bool GetField(const std::string& line, int n, std::string& field)
{
    bool inside = false;
    int separators = 0;
    size_t start = 0;
    for (size_t p = 0; p < line.size(); ++p)
    {
        if (line[p] == '"')
        {
            inside = !inside;
        }
        else if (line[p] == ',' && !inside)
        {
            if (++separators == n)
            {
                field = Kept(line.substr(start, p - start));
                return true;
            }
            start = p + 1;
        }
    }
    if (separators != n - 1)
        return false;
    const size_t lastSeparator = line.rfind(',');
    if (lastSeparator == std::string::npos)
        return false;
    const std::string rest = line.substr(lastSeparator + 1);
    if (rest.find('"') == std::string::npos)
    {
        field = Kept(rest);
        return true;
    }
    const size_t closing = line.rfind('"');
    for (size_t p = closing - 1; p > 0; --p)
    {
        if (line[p] == '"')
        {
            field = Kept(line.substr(p, closing - p + 1));
            return true;
        }
    }
    field.clear();
    return true;
}

std::string StripQuotes(const std::string& text)
{
    if (text.empty() || text.front() != '"' || text.back() != '"')
        return text;
    return text.size() > 2 ? text.substr(1, text.size() - 2) : std::string();
}

double ParseAmount(const std::string& field)
{
    std::string text;
    for (char ch : StripQuotes(field))
    {
        const bool space = static_cast<signed char>(ch) >= 0 && isspace(ch);
        if (!space && ch != ',' && ch != '-')
            text += ch;
    }
    size_t length = 0;
    if (length < text.size() && text[length] == '+')
        ++length;
    while (length < text.size() && isdigit(static_cast<unsigned char>(text[length])))
        ++length;
    if (length < text.size() && text[length] == '.')
    {
        ++length;
        while (length < text.size() && isdigit(static_cast<unsigned char>(text[length])))
            ++length;
    }
    if (length == 0)
        return 0.0;
    const double value = atof(text.substr(0, length).c_str());
    return isfinite(value) ? value : 0.0;
}

bool SplitDate(std::string text, const char* separator, long parts[3])
{
    char* first = strtok(&text[0], separator);
    if (first && *first == '"')
        ++first;
    char* second = strtok(nullptr, separator);
    char* third = strtok(nullptr, separator);
    for (const char* part : {static_cast<const char*>(first), static_cast<const char*>(second),
                             static_cast<const char*>(third)})
    {
        // A number as atoi reads it: blanks and a sign may stand before it.
        if (!part)
            return false;
        part += strspn(part, " \t\n\v\f\r");
        part += *part == '+' || *part == '-';
        if (*part < '0' || *part > '9')
            return false;
    }
    parts[0] = strtol(first, nullptr, 10);
    parts[1] = strtol(second, nullptr, 10);
    parts[2] = strtol(third, nullptr, 10);
    return true;
}

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

double ParseDate(const std::string& text)
{
    double date = 0.0;
    long parts[3];
    if (SplitDate(text, "/", parts) && ConvertDate(parts[2], parts[1], parts[0], date) && date >= 0.000005)
        return date;
    if (SplitDate(text, "-", parts))
        ConvertDate(parts[0], parts[1], parts[2], date);
    return date;
}

std::wstring ForHost(const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int length = MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

bool IsCheque(const std::wstring& type)
{
    BSTR left = SysAllocStringLen(type.data(), static_cast<UINT>(type.size()));
    BSTR right = SysAllocString(L"CHQ");
    const bool cheque = VarBstrCmp(left, right, LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
    SysFreeString(left);
    SysFreeString(right);
    return cheque;
}

// The lines of the content as the reader gives them: without their line end,
// blank ones passed over; false for a line too long, which ends the reading.
std::vector<std::string> Lines(const std::string& content, std::string& header)
{
    std::vector<std::string> lines;
    size_t start = 0;
    bool first = true;
    while (start < content.size())
    {
        size_t end = content.find('\n', start);
        std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? content.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > static_cast<size_t>(LineLimit))
            break;
        line = line.substr(0, line.find('\0'));
        if (first)
        {
            header = line;
            first = false;
            continue;
        }
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        lines.push_back(line);
    }
    return lines;
}

StatementCall Call(StatementOperation operation, int transaction)
{
    StatementCall call{operation};
    call.transaction = transaction;
    return call;
}
}

std::vector<StatementCall> ReferenceImportCalls(const std::string& content, const std::string& sortCodeDigits,
                                                const std::string& accountNumber)
{
    std::vector<StatementCall> calls;
    calls.push_back(Call(StatementOperation::ClearTransactions, 0));
    StatementCall balance = Call(StatementOperation::SetStatementBalance, 0);
    balance.value = 0.0;
    calls.push_back(balance);

    std::string header;
    const std::vector<std::string> lines = Lines(content, header);
    const int headerFields = CountFields(header);
    if (headerFields != 14 && headerFields != 18)
        return calls;

    int number = 1;
    for (const std::string& line : lines)
    {
        const int fieldCount = CountFields(line);
        if (fieldCount < 14)
            break;
        const bool full = fieldCount == 18 && headerFields == 18;
        auto raw = [&](int position) {
            std::string field;
            if (!GetField(line, position, field))
                field.clear();
            return field;
        };
        auto text = [&](int position, size_t width) { return StripQuotes(raw(position)).substr(0, width); };
        if (text(1, 6) != sortCodeDigits || text(2, 8) != accountNumber)
            continue;
        const double date = ParseDate(text(10, MaxField));
        std::vector<std::string> narratives = {text(11, 50)};
        int position = 12;
        if (full)
        {
            for (int more = 0; more < 4; ++more)
                narratives.push_back(text(position++, 50));
        }
        const std::string type = text(position++, 3);
        const double debit = ParseAmount(raw(position++));
        const double credit = debit > 0.000005 ? 0.0 : ParseAmount(raw(position));

        std::string narrative = narratives[0];
        for (size_t index = 1; index < narratives.size(); ++index)
        {
            if (!narratives[index].empty())
                narrative += " " + narratives[index];
        }

        StatementCall add = Call(StatementOperation::AddTransaction, number);
        calls.push_back(add);
        StatementCall numberCall = Call(StatementOperation::SetNumber, number);
        numberCall.numberType = VT_I4;
        numberCall.integer = number;
        calls.push_back(numberCall);
        StatementCall dateCall = Call(StatementOperation::SetDate, number);
        dateCall.value = date;
        calls.push_back(dateCall);
        StatementCall direction = Call(StatementOperation::SetDirection, number);
        direction.integer = debit > 0.000005 ? 0 : 1;
        calls.push_back(direction);
        StatementCall amount = Call(StatementOperation::SetAmount, number);
        amount.value = debit > 0.000005 ? debit : (credit > 0.000005 ? credit : 0.0);
        calls.push_back(amount);
        StatementCall description = Call(StatementOperation::SetDescription, number);
        description.text = ForHost(narrative);
        calls.push_back(description);
        StatementCall reference = Call(StatementOperation::SetReference, number);
        if (IsCheque(ForHost(type)))
        {
            reference.text = ForHost(narratives[0]);
            calls.push_back(reference);
            description.text = ForHost("CHQ " + narrative);
            calls.push_back(description);
        }
        else
        {
            reference.text = ForHost(type);
            calls.push_back(reference);
        }
        ++number;
    }
    return calls;
}

double ReferenceParseAmount(const std::string& field)
{
    return ParseAmount(field);
}

double ReferenceParseDate(const std::string& text)
{
    return ParseDate(text);
}
