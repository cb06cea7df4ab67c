// Fuzz driver of the statement import: every input is a statement file,
// imported through ImportStatementFile as the statement service does it,
// into a host statement that checks what it is handed (StatementRules.h).
// Besides those rules:
//   handed-over-unrecognised   transactions came from a file whose header the
//                              recognition function declines
//   blank-line-changes-import  an empty or blank line between two lines
//                              changes what is handed over
//   line-end-changes-import    CR LF line ends instead of LF change it
//   field-over-read            the text cleaning reads past a field's end
//   field-overrun              or writes past it
// One input in five is imported a second time with the host's
// AddTransaction giving no object after a few transactions, and half of
// those with one host call failing as well.
#include <windows.h>

#include <stdio.h>
#include <string.h>

#include <algorithm>

#include "com/ErrorReporting.h"
#include "objects/FakeBanking.h"
#include "engine/FuzzRandom.h"
#include "engine/FuzzTarget.h"
#include "engine/PageEndText.h"
#include "engine/Printable.h"
#include "engine/FileBytes.h"
#include "objects/HostObject.h"
#include "statements/BankStatementService.h"
#include "statements/RecognizeStatementFile.h"
#include "statements/StatementRules.h"
#include "statements/TransactionFields.h"
#include "statements/TransactionFile.h"

namespace
{
// Whether a line of the input ends inside quotes, its field going on in the
// next line.
bool HasQuotedLineBreak(const std::string& input)
{
    bool insideQuotes = false;
    for (const char ch : input)
    {
        if (ch == '"')
            insideQuotes = !insideQuotes;
        else if (ch == '\n' && insideQuotes)
            return true;
        else if (ch == '\n')
            insideQuotes = false;
    }
    return false;
}

// The seeds' account.
const wchar_t HostSortCode[] = L"60-12-47";
const wchar_t HostAccountNumber[] = L"31926818";

struct HostFailure
{
    bool active = false;
    int objectsGiven = 0;
    HRESULT result = S_OK;
    // The host call (counted from 1) that fails with E_FAIL; 0 for none.
    long failingCall = 0;
};

struct Imported
{
    std::vector<std::string> calls;
    ImportOutcome outcome;
};

// The description of the error information on the thread, as the host
// would show it.
std::string PostedError()
{
    ComPtr<IErrorInfo> info;
    BStr description;
    if (GetErrorInfo(0, info.Out()) != S_OK || !info || FAILED(info->GetDescription(description.Out())) ||
        !description.Get())
        return std::string();
    char text[512] = {};
    WideCharToMultiByte(CP_ACP, 0, description.Get(), -1, text, sizeof text - 1, nullptr, nullptr);
    return text;
}

std::wstring Widened(const std::string& path)
{
    wchar_t wide[MAX_PATH] = {};
    if (!MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH))
        throw std::runtime_error("cannot widen " + path);
    return wide;
}

void Write(const std::string& path, const std::string& bytes)
{
    if (!WriteFileBytes(path.c_str(), bytes.data(), bytes.size()))
        throw std::runtime_error("cannot write " + path);
}

bool HasLongLine(const std::string& input)
{
    size_t start = 0;
    for (size_t end = input.find('\n'); end != std::string::npos; start = end + 1, end = input.find('\n', start))
    {
        if (end - start >= 2000)
            return true;
    }
    return input.size() - start >= 2000;
}

int LineNumberAt(const std::string& input, size_t position)
{
    int line = 1;
    for (size_t i = 0; i < position && i < input.size(); ++i)
        line += input[i] == '\n';
    return line;
}

// What differs between two imports of the same lines, for the report.
std::string Difference(const std::vector<std::string>& original, const std::vector<std::string>& variant)
{
    size_t i = 0;
    while (i < original.size() && i < variant.size() && original[i] == variant[i])
        ++i;
    return std::to_string(variant.size()) + " calls on the statement instead of " + std::to_string(original.size()) +
           "; call " + std::to_string(i + 1) + " is " + (i < variant.size() ? variant[i] : "(none)") + " instead of " +
           (i < original.size() ? original[i] : "(none)");
}

class StatementTarget : public FuzzTarget
{
public:
    const char* Name() const override { return "statements"; }
    const char* Extension() const override { return ".csv"; }

    void Prepare(const std::string& workFolder) override
    {
        m_inputPath = workFolder + "\\current-input.csv";
        m_variantPath = workFolder + "\\current-variant.csv";
        CreateChequeTypeCode();
    }

    uint32_t Run(const std::string& input) override
    {
        const uint64_t hash = InputHash(input.data(), input.size());
        Write(m_inputPath, input);
        const Imported imported = Import(m_inputPath, HostFailure());
        const HostFailure failure = FailureFor(hash);
        if (failure.active)
            Import(m_inputPath, failure);

        // Opening a file costs more under Wine than reading it: the
        // recognition is asked only where its answer could break a rule.
        if (imported.outcome.transactions > 0)
        {
            char typeName[64] = {};
            Require(RecognizeStatementFile(typeName, m_inputPath.c_str()) == 1, "handed-over-unrecognised", [&] {
                return std::to_string(imported.outcome.transactions) +
                       " transactions handed over from a file whose header the recognition declines";
            });
        }

        const int headerFields = CheckFieldReads();
        CheckVariants(input, hash, imported);

        const ImportOutcome& outcome = imported.outcome;
        const uint32_t fieldClass = headerFields == 18 ? 2 : headerFields == 14 ? 1 : 0;
        uint32_t lines = 0;
        for (size_t count = std::count(input.begin(), input.end(), '\n'); count > 0 && lines < 7; count /= 2)
            ++lines;
        return static_cast<uint32_t>(std::min(outcome.transactions, 7)) | outcome.anyCheque << 3 |
               outcome.anyDebit << 4 | outcome.anyCredit << 5 | fieldClass << 6 | lines << 8 | failure.active << 11;
    }

private:
    static HostFailure FailureFor(uint64_t hash)
    {
        HostFailure failure;
        failure.active = hash % 5 == 0;
        failure.objectsGiven = static_cast<int>((hash >> 8) % 4);
        failure.result = (hash >> 16) & 1 ? E_OUTOFMEMORY : S_OK;
        // Either AddTransaction gives out, or one call fails: never both.
        if ((hash >> 17) & 1)
        {
            failure.objectsGiven = -1;
            failure.failingCall = static_cast<long>((hash >> 20) % 48) + 1;
        }
        return failure;
    }

    static Imported Import(const std::string& path, const HostFailure& failure)
    {
        ComPtr<FakeBankContext> context = FakeBankContext::WithAccount(HostSortCode, HostAccountNumber);
        ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();
        if (failure.active)
        {
            statement->objectsToGive = failure.objectsGiven;
            statement->noObjectResult = failure.result;
        }
        CString sortCode;
        CString accountNumber;
        // The interface method's guard: whatever the import throws becomes
        // the HRESULT the host would see.
        FailServedHostCall(failure.failingCall, E_FAIL);
        const HRESULT result = MethodGuard([&] {
            ImportStatementFile(Widened(path).c_str(), context.Get(), statement.Get(), sortCode, accountNumber);
            return S_OK;
        });
        const std::string failedCall = FailedHostCall();
        FailServedHostCall(0, S_OK);
        // A host call that failed is never an import that succeeded.
        Require(failedCall.empty() || FAILED(result), "failure-not-reported",
                [&] { return failedCall + " failed, and the import succeeded"; });
        Imported imported;
        imported.outcome = CheckStatementCalls(*statement.Get(), result, FAILED(result) ? PostedError() : "");
        imported.calls = statement->DescribedCalls();
        const std::vector<std::string> unexpected = TakeUnexpectedHostCalls();
        Require(unexpected.empty(), "unexpected-call", [&] { return unexpected.front(); });
        return imported;
    }

    // Cuts every line into fields as the reader does and has the text
    // cleaning strip each field where reading past its end faults. Gives
    // the header's field count.
    int CheckFieldReads()
    {
        CStatementLineReader reader;
        if (reader.Open(Widened(m_inputPath).c_str()) != 0)
            throw std::runtime_error("cannot read " + m_inputPath);
        std::string text;
        int headerFields = 0;
        for (int number = 1; number <= 64; ++number)
        {
            text.clear();
            if (reader.ReadLine(text) != LineRead::Line)
                break;
            const char* line = text.c_str();
            bool insideQuotes = false;
            const int fields = CountFields(line, ',', insideQuotes);
            if (number == 1)
                headerFields = fields;
            for (int index = 1; index <= fields && index <= 24; ++index)
            {
                const char* field = GetField(line, ',', index);
                if (!field)
                    continue;
                const std::string fieldText = field;
                StripQuotes(m_pageEnd.Place(fieldText.data(), fieldText.size()));
                const PageEndText::Touch touch = m_pageEnd.PastEnd();
                Require(touch == PageEndText::Untouched,
                        touch == PageEndText::Read ? "field-over-read" : "field-overrun", [&] {
                            return std::string("StripQuotes ") + (touch == PageEndText::Read ? "read" : "wrote") +
                                   " past the end of field " + std::to_string(index) + " of line " +
                                   std::to_string(number) + ": \"" + Printable(fieldText, 60) + "\"";
                        });
            }
        }
        return headerFields;
    }

    // The same lines with CR LF line ends made LF, and with a blank line
    // between two of them, must import the same.
    void CheckVariants(const std::string& input, uint64_t hash, const Imported& imported)
    {
        // CR LF and LF can differ only where a line's length matters, or in
        // the text of a line's last field: every long line is tried, a
        // quarter of the others.
        if (input.find("\r\n") != std::string::npos && (HasLongLine(input) || (hash >> 32) % 4 == 0))
        {
            std::string variant;
            variant.reserve(input.size());
            for (size_t i = 0; i < input.size(); ++i)
            {
                if (!(input[i] == '\r' && i + 1 < input.size() && input[i + 1] == '\n'))
                    variant += input[i];
            }
            CompareWith(variant, imported, "line-end-changes-import", "with LF line ends instead of CR LF");
        }

        // A blank line between lines changes nothing; inside a quoted field
        // that goes on over lines it would be part of the field.
        if (imported.outcome.transactions > 0 && !HasQuotedLineBreak(input))
        {
            std::vector<size_t> lineStarts;
            const size_t header = input.find('\n');
            for (size_t i = header; i != std::string::npos && i < input.size(); i = input.find('\n', i + 1))
                lineStarts.push_back(i + 1);
            if (!lineStarts.empty())
            {
                static const char* const blanks[] = {"\n", "\r\n", " \r\n"};
                const size_t at = lineStarts[hash % lineStarts.size()];
                const char* blank = blanks[(hash >> 24) % 3];
                std::string variant = input;
                variant.insert(at, blank);
                CompareWith(variant, imported, "blank-line-changes-import",
                            "with the line \"" + Printable(blank) + "\" put before line " +
                                std::to_string(LineNumberAt(input, at)));
            }
        }
    }

    void CompareWith(const std::string& variant, const Imported& imported, const char* kind, const std::string& how)
    {
        Write(m_variantPath, variant);
        const Imported other = Import(m_variantPath, HostFailure());
        Require(other.calls == imported.calls, kind,
                [&] { return how + ": " + Difference(imported.calls, other.calls); });
    }

    std::string m_inputPath;
    std::string m_variantPath;
    PageEndText m_pageEnd{MaxFieldLength + 1};
};
}

int main(int argc, char** argv)
{
    StatementTarget target;
    return FuzzMain(argc, argv, target);
}
