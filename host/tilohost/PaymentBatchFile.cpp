#include "tilohost/PaymentBatchFile.h"

#include <windows.h>

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "tilohost/CsvReader.h"
#include "tilohost/Failures.h"
#include "tilohost/FileAccess.h"
#include "tilohost/TextConversion.h"

namespace
{
// The columns by the names a header gives them, in the order of Column.
const char* const PaymentColumns[] = {
    "Amount", "PayerSortCode", "PayerAccountNumber", "PayeeReference", "PayeeSortCode",
    "PayeeAccountNumber", "PayeeAccountName", "PayeeRollNumber", "Details", "StatusCode",
};
const int PaymentColumnCount = sizeof PaymentColumns / sizeof PaymentColumns[0];

enum Column
{
    Amount,
    PayerSortCode,
    PayerAccountNumber,
    PayeeReference,
    PayeeSortCode,
    PayeeAccountNumber,
    PayeeAccountName,
    PayeeRollNumber,
    Details,
    StatusCode,
};

std::string Trimmed(const std::string& text)
{
    size_t start = 0;
    size_t end = text.size();
    while (start < end && std::isspace(static_cast<unsigned char>(text[start])))
        ++start;
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1])))
        --end;
    return text.substr(start, end - start);
}

BadInput LineError(int line, const std::string& message)
{
    return BadInput("line " + std::to_string(line) + ": " + message);
}

// Column of each header field; names match without regard to case.
std::vector<Column> ReadHeader(const CsvRecord& header)
{
    std::vector<Column> columns;
    std::vector<bool> seen(PaymentColumnCount, false);
    for (const std::string& field : header.fields)
    {
        const std::string name = Trimmed(field);
        int found = -1;
        for (int column = 0; column < PaymentColumnCount; ++column)
        {
            if (lstrcmpiA(name.c_str(), PaymentColumns[column]) == 0)
                found = column;
        }
        if (found < 0)
            throw LineError(header.line, "unknown column \"" + name + "\"");
        if (seen[found])
            throw LineError(header.line, "column \"" + name + "\" appears twice");
        seen[found] = true;
        columns.push_back(static_cast<Column>(found));
    }
    return columns;
}

bool ParseStatusCode(const std::string& text, long& code)
{
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty())
    {
        code = 0;
        return true;
    }
    const size_t start = trimmed[0] == '-' || trimmed[0] == '+' ? 1 : 0;
    if (start == trimmed.size() || trimmed.size() - start > 10)
        return false;
    for (size_t index = start; index < trimmed.size(); ++index)
    {
        if (!std::isdigit(static_cast<unsigned char>(trimmed[index])))
            return false;
    }
    const long long value = std::strtoll(trimmed.c_str(), nullptr, 10);
    if (value < -2147483648LL || value > 2147483647LL)
        return false;
    code = static_cast<long>(value);
    return true;
}

// The IAT mark is meant as 1; the component takes any value but 0 for it.
void CheckIatMark(long code, int line, std::vector<std::string>& warnings)
{
    if (code != 0 && code != 1)
        warnings.push_back("line " + std::to_string(line) + ": StatusCode " + std::to_string(code) +
                           " is neither 0 nor 1: the component treats every value but 0 as an IAT mark");
}

void SetField(FakePayment& payment, Column column, const std::string& value, int line,
              std::vector<std::string>& warnings)
{
    std::wstring text;
    try
    {
        text = WideFromUtf8(value);
    }
    catch (const BadInput& error)
    {
        throw LineError(line, error.what());
    }
    switch (column)
    {
    case Amount:
        if (!ParseAmountText(value, payment.amount))
            throw LineError(line, "malformed amount \"" + value + "\"");
        break;
    case StatusCode:
        if (!ParseStatusCode(value, payment.statusCode))
            throw LineError(line, "malformed status code \"" + value + "\"");
        CheckIatMark(payment.statusCode, line, warnings);
        break;
    case PayerSortCode: payment.payerSortCode = text; break;
    case PayerAccountNumber: payment.payerAccountNumber = text; break;
    case PayeeReference: payment.payeeReference = text; break;
    case PayeeSortCode: payment.payeeSortCode = text; break;
    case PayeeAccountNumber: payment.payeeAccountNumber = text; break;
    case PayeeAccountName: payment.payeeAccountName = text; break;
    case PayeeRollNumber: payment.payeeRollNumber = text; break;
    case Details: payment.details = text; break;
    }
}
}

bool ParseAmountText(const std::string& text, double& amount)
{
    const std::string trimmed = Trimmed(text);
    if (trimmed.empty())
    {
        amount = 0.0;
        return true;
    }
    size_t index = trimmed[0] == '-' || trimmed[0] == '+' ? 1 : 0;
    int digits = 0;
    while (index < trimmed.size() && std::isdigit(static_cast<unsigned char>(trimmed[index])))
        ++index, ++digits;
    if (index < trimmed.size() && trimmed[index] == '.')
    {
        ++index;
        while (index < trimmed.size() && std::isdigit(static_cast<unsigned char>(trimmed[index])))
            ++index, ++digits;
    }
    if (index != trimmed.size() || digits == 0)
        return false;
    // An amount too large for a double is no amount a person meant.
    amount = std::strtod(trimmed.c_str(), nullptr);
    return std::isfinite(amount);
}

PaymentBatch ParsePaymentBatch(const std::string& bytes)
{
    const std::vector<CsvRecord> records = ReadCsv(bytes);
    if (records.empty())
        throw BadInput("no header line");
    const std::vector<Column> columns = ReadHeader(records[0]);
    if (records.size() == 1)
        throw LineError(records[0].line, "a header line and no payment: nothing to pay");
    PaymentBatch batch;
    batch.payments = MakeHostObject<FakePayments>();
    for (size_t index = 1; index < records.size(); ++index)
    {
        const CsvRecord& record = records[index];
        if (record.fields.size() != columns.size())
            throw LineError(record.line, std::to_string(record.fields.size()) +
                                             (record.fields.size() == 1 ? " field" : " fields") +
                                             " where the header has " + std::to_string(columns.size()));
        FakePayment& payment = *batch.payments->Add();
        for (size_t field = 0; field < columns.size(); ++field)
            SetField(payment, columns[field], record.fields[field], record.line, batch.warnings);
    }
    return batch;
}

PaymentBatch ReadPaymentBatch(const std::string& path)
{
    try
    {
        return ParsePaymentBatch(ReadWholeFile(path));
    }
    catch (const BadInput& error)
    {
        throw BadInput(path + ": " + error.what());
    }
}
