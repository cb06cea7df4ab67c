#include "payments/PaymentFileRules.h"

#include "objects/HostObject.h"

#include <string.h>

#include <algorithm>

#include "engine/FuzzTarget.h"
#include "engine/Printable.h"

namespace
{
std::string Named(const WrittenLine& line, size_t index)
{
    return "line " + std::to_string(index + 1) + " (record " + line.recordType + (line.isHeader ? ", header" : "") +
           ", payment " + std::to_string(line.paymentNumber) + ")";
}

std::vector<std::string> Fields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t comma = line.find(','); comma != std::string::npos; comma = line.find(',', start))
    {
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
    fields.push_back(line.substr(start));
    return fields;
}

// Digits, one point and two decimals.
bool IsMoneyForm(const std::string& amount)
{
    const size_t point = amount.find('.');
    if (point == std::string::npos || point == 0 || amount.size() - point != 3)
        return false;
    for (size_t i = 0; i < amount.size(); ++i)
    {
        if (i != point && (amount[i] < '0' || amount[i] > '9'))
            return false;
    }
    return true;
}

// A plain decimal number (an optional minus sign, digits, an optional
// point and digits) whose value is above the largest amount.
bool IsOverLimit(const std::string& amount)
{
    const size_t start = amount.size() > 0 && amount[0] == '-' ? 1 : 0;
    const size_t point = amount.find('.', start);
    const std::string whole = amount.substr(start, point == std::string::npos ? std::string::npos : point - start);
    if (start == 1 || whole.empty() || whole.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const std::string significant = whole.substr(std::min(whole.find_first_not_of('0'), whole.size()));
    if (significant.size() != 9)
        return significant.size() > 9;
    std::string decimals = point == std::string::npos ? std::string() : amount.substr(point + 1);
    decimals.resize(std::max<size_t>(decimals.size(), 2), '0');
    return significant + "." + decimals > LargestAmount;
}
}

void CheckPaymentFile(const std::string& bytes, const std::vector<WrittenLine>& lines)
{
    std::vector<std::string> texts;
    size_t start = 0;
    for (size_t index = 0; index < lines.size(); ++index)
    {
        const size_t end = bytes.find('\n', start);
        Require(end != std::string::npos, "line-end", [&] { return Named(lines[index], index) + " has no line end"; });
        Require(end > start && bytes[end - 1] == '\r', "line-end",
                [&] { return Named(lines[index], index) + " ends in a LF without CR"; });
        std::string text = bytes.substr(start, end - 1 - start);
        const size_t stray = text.find('\r');
        Require(stray == std::string::npos, "line-split", [&] {
            return Named(lines[index], index) + " holds a CR at byte " + std::to_string(stray + 1) + ": " +
                   Printable(text);
        });
        texts.push_back(std::move(text));
        start = end + 1;
    }
    Require(start == bytes.size(), "line-split", [&] {
        return std::to_string(lines.size()) + " lines written, yet more follows: " + Printable(bytes.substr(start));
    });

    for (size_t index = 0; index < lines.size(); ++index)
    {
        const WrittenLine& line = lines[index];
        const std::vector<std::string> fields = Fields(texts[index]);
        Require(fields.size() == line.fieldCount, "field-count", [&] {
            return Named(line, index) + " has " + std::to_string(fields.size()) + " fields: " + Printable(texts[index]);
        });
        Require(fields[3] == line.recordType, "record-type",
                [&] { return Named(line, index) + " is " + Printable(fields[3]); });

        const std::vector<long>& codes = line.codes;
        Require(!codes.empty() && codes[0] == 0 && line.passed == (codes.size() == 1), "status-code", [&] {
            return Named(line, index) + (line.passed ? " passed" : " failed") + " its checks, leaving " +
                   std::to_string(codes.size()) + " codes, the last " +
                   (codes.empty() ? std::string("none") : std::to_string(codes.back()));
        });
        if (!line.isHeader)
        {
            const std::string& amount = fields[16];
            const bool failedCheck21 = std::find(codes.begin(), codes.end(), 21) != codes.end();
            Require(!IsOverLimit(amount) || failedCheck21, "amount-over-limit", [&] {
                return Named(line, index) + " carries the amount " + Printable(amount) + " and it passed check 21";
            });
            Require(!line.passed || IsMoneyForm(amount), "invalid-amount-passed",
                    [&] { return Named(line, index) + " passed with the amount " + Printable(amount); });
        }
        const std::vector<std::string> unexpected = TakeUnexpectedHostCalls();
        Require(unexpected.empty(), "unexpected-call", [&] { return Named(line, index) + ": " + unexpected.front(); });
    }
}
