#include "statements/StatementRules.h"

#include "objects/HostObject.h"

#include <math.h>
#include <stdio.h>

#include "engine/FuzzTarget.h"

namespace
{
// The bytes the text had before the import made a BSTR of it with the
// thread's ANSI code page.
size_t AnsiLength(const std::wstring& text)
{
    if (text.empty())
        return 0;
    const int length =
        WideCharToMultiByte(CP_THREAD_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    return length > 0 ? static_cast<size_t>(length) : text.size();
}

std::string Described(const StatementCall& call)
{
    const std::string text = DescribeCall(call);
    return text.size() > 120 ? text.substr(0, 120) + "...\" (" + std::to_string(call.text.size()) + " characters)"
                             : text;
}

std::string Joined(const std::vector<std::string>& calls)
{
    std::string joined;
    for (const std::string& call : calls)
        joined += (joined.empty() ? "" : ", ") + call;
    return joined;
}
}

ImportOutcome CheckStatementCalls(const FakeStatement& statement, HRESULT result, const std::string& posted)
{
    const std::vector<std::string> unexpected = TakeUnexpectedHostCalls();
    Require(unexpected.empty(), "unexpected-call", [&] { return Joined(unexpected); });

    ImportOutcome outcome;
    int current = 0;
    bool numbered = true;
    bool undone = false;
    for (const StatementCall& call : statement.Calls())
    {
        Require(!undone, "call-after-failure",
                [&] { return Described(call) + " after the statement was cleared again"; });
        // The statement cleared again after transactions: the import undone,
        // whatever the last of them had been given.
        if (call.operation == StatementOperation::ClearTransactions && (current > 0 || outcome.hostFailed))
        {
            undone = true;
            numbered = true;
            continue;
        }
        // After a failure only the statement's undoing may follow.
        Require(!outcome.hostFailed || call.operation == StatementOperation::ClearTransactions, "call-after-failure",
                [&] { return Described(call) + " after AddTransaction gave no object"; });
        if (call.operation == StatementOperation::AddTransaction)
        {
            Require(numbered, "numbering", [&] { return "transaction " + std::to_string(current) + " got no number"; });
            if (call.transaction == 0)
            {
                outcome.hostFailed = true;
                continue;
            }
            current = call.transaction;
            numbered = false;
            continue;
        }
        if (call.transaction == 0)
            continue;
        Require(call.transaction == current, "call-to-old-transaction", [&] {
            return Described(call) + " while transaction #" + std::to_string(current) + " is being filled";
        });
        switch (call.operation)
        {
        case StatementOperation::SetNumber:
            Require(!numbered && call.numberType == VT_I4 && call.integer == outcome.transactions + 1, "numbering",
                    [&] {
                        return Described(call) + " where VT_I4 " + std::to_string(outcome.transactions + 1) + " is due";
                    });
            numbered = true;
            ++outcome.transactions;
            break;
        case StatementOperation::SetAmount:
            Require(isfinite(call.value), "amount-not-finite", [&] { return Described(call); });
            Require(call.value >= 0.0, "negative-amount", [&] { return Described(call); });
            break;
        case StatementOperation::SetDate:
            Require(isfinite(call.value), "date-not-finite", [&] { return Described(call); });
            break;
        case StatementOperation::SetDirection:
            Require(call.integer == 0 || call.integer == 1, "bad-direction", [&] { return Described(call); });
            outcome.anyDebit = outcome.anyDebit || call.integer == 0;
            outcome.anyCredit = outcome.anyCredit || call.integer == 1;
            break;
        case StatementOperation::SetDescription:
        case StatementOperation::SetReference:
            Require(AnsiLength(call.text) <= LongestHostText, "text-too-long",
                    [&] { return Described(call) + ": " + std::to_string(AnsiLength(call.text)) + " bytes"; });
            if (call.operation == StatementOperation::SetDescription && call.text.compare(0, 4, L"CHQ ") == 0)
                outcome.anyCheque = true;
            break;
        default: break;
        }
    }
    Require(numbered, "numbering", [&] { return "transaction " + std::to_string(current) + " got no number"; });

    char code[16];
    snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    const std::string reported = posted.empty() ? std::string(code) : std::string(code) + " (\"" + posted + "\")";
    Require(!outcome.hostFailed || FAILED(result), "failure-not-reported",
            [&] { return "AddTransaction gave no object, and the import gave " + reported; });
    // A file refused, or an import that failed on the way, leaves the host's
    // statement as it was or empty again: nothing half filled.
    const std::vector<StatementCall>& calls = statement.Calls();
    Require(SUCCEEDED(result) || calls.empty() || calls.back().operation == StatementOperation::ClearTransactions,
            "failure-left-statement-filled", [&] {
                return "the import gave " + reported + " and left the statement with " + Described(calls.back()) +
                       " last";
            });
    Require(!outcome.hostFailed || calls.back().operation == StatementOperation::ClearTransactions,
            "failure-not-undone", [&] { return "AddTransaction gave no object, and the statement was not cleared"; });
    if (FAILED(result))
        outcome.transactions = 0;
    return outcome;
}
