// Fuzz driver of the command-line host's batch reader: every input is the
// bytes of a payment batch file. The reader either gives a batch or refuses
// the file with a message naming where; it never crashes. Rules:
//   amount-not-finite      a batch whose payment amount is NaN or infinite
//   message-empty          a refusal without a message
//   message-names-no-line  a refusal that names no line of the file
//   csv-round-trip         the records, written again as RFC 4180 writes
//                          them (every field quoted), read back otherwise
#include <math.h>
#include <stdlib.h>

#include <algorithm>

#include "engine/FuzzRandom.h"
#include "engine/FuzzTarget.h"
#include "engine/Printable.h"
#include "tilohost/CsvReader.h"
#include "tilohost/Failures.h"
#include "tilohost/PaymentBatchFile.h"

namespace
{
std::string QuotedRecords(const std::vector<CsvRecord>& records)
{
    std::string text;
    for (const CsvRecord& record : records)
    {
        for (size_t index = 0; index < record.fields.size(); ++index)
        {
            text += index ? ",\"" : "\"";
            for (char ch : record.fields[index])
                text += ch == '"' ? std::string("\"\"") : std::string(1, ch);
            text += '"';
        }
        text += "\r\n";
    }
    return text;
}

bool SameFields(const std::vector<CsvRecord>& read, const std::vector<CsvRecord>& again)
{
    if (read.size() != again.size())
        return false;
    for (size_t index = 0; index < read.size(); ++index)
    {
        if (read[index].fields != again[index].fields)
            return false;
    }
    return true;
}

// The records' fields for a report: [<field><field>][...].
std::string FieldsOf(const std::vector<CsvRecord>& records)
{
    std::string joined;
    for (const CsvRecord& record : records)
    {
        joined += "[";
        for (const std::string& field : record.fields)
            joined += "<" + field + ">";
        joined += "]";
    }
    return Printable(joined, 200);
}

// The lines a message may name: one more than the file's line breaks.
int LinesOf(const std::string& bytes)
{
    int lines = 1;
    for (size_t i = 0; i < bytes.size(); ++i)
    {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')))
            ++lines;
    }
    return lines;
}

void CheckRefusal(const std::string& message, const std::string& bytes)
{
    Require(!message.empty(), "message-empty", [] { return std::string("BadInput without a message"); });
    if (message == "no header line")
        return;
    const int line = message.compare(0, 5, "line ") == 0 ? atoi(message.c_str() + 5) : 0;
    Require(line >= 1 && line <= LinesOf(bytes), "message-names-no-line",
            [&] { return "\"" + Printable(message, 120) + "\" for " + std::to_string(LinesOf(bytes)) + " lines"; });
}

// The kind of a refusal: its message without the line, numbers and the
// quoted text it names.
uint32_t RefusalKind(const std::string& message)
{
    const size_t colon = message.find(": ");
    std::string kind;
    for (char ch : message.substr(colon == std::string::npos ? 0 : colon + 2))
    {
        if (ch == '"')
            break;
        if (ch < '0' || ch > '9')
            kind += ch;
    }
    return static_cast<uint32_t>(InputHash(kind.data(), kind.size()) & 0xFF);
}

class PaymentBatchTarget : public FuzzTarget
{
public:
    const char* Name() const override { return "payment-batch"; }
    const char* Extension() const override { return ".csv"; }
    void Prepare(const std::string&) override {}

    uint32_t Run(const std::string& bytes) override
    {
        uint32_t records = 0;
        try
        {
            const std::vector<CsvRecord> read = ReadCsv(bytes);
            records = static_cast<uint32_t>(read.size());
            const std::vector<CsvRecord> again = ReadCsv(QuotedRecords(read));
            Require(SameFields(read, again), "csv-round-trip",
                    [&] { return FieldsOf(read) + " came back as " + FieldsOf(again); });
        }
        catch (const BadInput& refusal)
        {
            CheckRefusal(refusal.what(), bytes);
        }

        try
        {
            const ComPtr<FakePayments> batch = ParsePaymentBatch(bytes).payments;
            uint32_t index = 0;
            for (const ComPtr<FakePayment>& payment : batch->payments)
            {
                ++index;
                Require(isfinite(payment->amount), "amount-not-finite", [&] {
                    return "payment " + std::to_string(index) + " has the amount " + std::to_string(payment->amount);
                });
            }
            return 1 | std::min<uint32_t>(batch->payments.size(), 15) << 1 | std::min<uint32_t>(records, 15) << 5;
        }
        catch (const BadInput& refusal)
        {
            CheckRefusal(refusal.what(), bytes);
            return RefusalKind(refusal.what()) << 1 | std::min<uint32_t>(records, 15) << 9;
        }
    }
};
}

int main(int argc, char** argv)
{
    PaymentBatchTarget target;
    return FuzzMain(argc, argv, target);
}
