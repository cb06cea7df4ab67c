// tilohost import: the stand-in file selection chooses the statement file
// (or the user cancels), and ImportStatement runs into a host statement
// that shows what it received, summed up at the end.
#include "tilohost/Commands.h"

#include <cstdio>

#include "objects/FakeBanking.h"
#include "objects/FakeStatement.h"
#include "standin/StandInControl.h"
#include "tilohost/ComponentLog.h"
#include "tilohost/ComponentServices.h"
#include "tilohost/ConsoleOutput.h"
#include "tilohost/ExitStatus.h"
#include "tilohost/Failures.h"
#include "tilohost/FileAccess.h"
#include "tilohost/ImportSummary.h"
#include "tilohost/ReportFile.h"
#include "tilohost/StatementListing.h"
#include "tilohost/TextConversion.h"

namespace
{
const char* DirectionName(long direction)
{
    return direction == 0 ? "debit" : direction == 1 ? "credit" : "?";
}

void PrintRecognition(const StandInSelectionRecord& record)
{
    if (!record.recognitionCalled)
        PrintLine("Recognition: not asked");
    else if (record.recognitionAnswer)
        PrintLine("Recognition: " + std::to_string(record.recognitionAnswer) + ", a \"" +
                  Utf8FromAnsi(record.typeName) + "\"");
    else
        PrintLine("Recognition: 0, not a statement file (chosen all the same)");
}

// Shows what the statement receives as it arrives, and keeps of it only
// what the summary needs: a statement of a million lines is listed in the
// memory of a few.
class ImportListing
{
public:
    ImportListing(FakeStatement& statement, ReportFile& report) : m_statement(statement), m_report(report)
    {
        statement.RecordCalls(false);
        statement.statementCalled = [this](const StatementCall& call) { StatementCalled(call); };
        statement.transactionDone = [this](const FakeTransaction& transaction) { TransactionDone(transaction); };
    }

    // After the import: the last transaction, and the table's end.
    void Finish()
    {
        m_statement.FinishTransactions();
        Begin();
        StartTable();
        PrintLine(std::to_string(m_summary.transactions) + " transactions");
        PrintLine("");
    }

    const StandInSelectionRecord& Selection() const { return m_selection; }
    const ImportSummary& Summary() const { return m_summary; }
    // The numbers of the transactions without a date, in order.
    const std::vector<long>& Undated() const { return m_undated; }

private:
    // The file was chosen before the statement's first call.
    void Begin()
    {
        if (m_begun)
            return;
        m_begun = true;
        StandInGetSelectionRecord(&m_selection);
        PrintRecognition(m_selection);
    }

    void StartTable()
    {
        if (m_tableStarted)
            return;
        m_tableStarted = true;
        PrintLine("");
        PrintLine("     #  Date        Direction      Amount  Reference           Description");
    }

    void StatementCalled(const StatementCall& call)
    {
        Begin();
        if (call.operation == StatementOperation::ClearTransactions)
        {
            PrintLine("Statement cleared");
            m_report.Add({"clear"});
            // The statement holds only what comes after: an import that
            // failed and cleared it again received nothing.
            m_summary = ImportSummary();
            m_undated.clear();
        }
        else
        {
            PrintLine("Statement balance set to " + FixedNumber(call.value, 2));
            m_report.Add({"balance", FixedNumber(call.value, 2)});
        }
    }

    void TransactionDone(const FakeTransaction& given)
    {
        Begin();
        StartTable();
        ReceivedTransaction transaction;
        transaction.number = given.number;
        transaction.date = given.date;
        transaction.direction = given.direction;
        transaction.amount = given.amount;
        transaction.reference = Utf8FromWide(given.reference);
        transaction.description = Utf8FromWide(given.description);
        PrintLine(PadLeft(std::to_string(transaction.number), 6) + "  " + ShownDay(transaction.date) + "  " +
                  PadRight(DirectionName(transaction.direction), 9) + "  " +
                  PadLeft(FixedNumber(transaction.amount, 2), 10) + "  " + PadRight(transaction.reference, 18) +
                  "  " + transaction.description);
        m_report.Add({"txn", std::to_string(transaction.number), FixedNumber(transaction.date, 6),
                      std::to_string(transaction.direction), FixedNumber(transaction.amount, 2),
                      EscapeReportText(transaction.reference), EscapeReportText(transaction.description)});
        m_summary.Add(transaction);
        if (transaction.date == 0.0)
            m_undated.push_back(transaction.number);
    }

    FakeStatement& m_statement;
    ReportFile& m_report;
    bool m_begun = false;
    bool m_tableStarted = false;
    StandInSelectionRecord m_selection{};
    ImportSummary m_summary;
    std::vector<long> m_undated;
};

const char* ImportStatusName(LONG status)
{
    return status == 0 ? "a file was read" : status == 1 ? "no file chosen" : "unknown";
}

// The transactions in counts, or why there are none: for an import that
// took no line, the accounts the file does hold, so that a wrong account (or
// one that lost a leading zero) is seen at once.
void PrintSummary(HRESULT result, LONG status, const StandInSelectionRecord& record, const ImportSummary& summary,
                  const StatementListing& listing, const std::string& listingProblem)
{
    if (FAILED(result) && summary.transactions > 0)
    {
        PrintLine("Summary: the component's call failed (" + HResultText(result) + "); the statement was left "
                  "holding " + CountOf(summary.transactions, "transaction", "transactions"));
        return;
    }
    if (summary.transactions > 0)
    {
        PrintLine("Summary: " + CountOf(summary.transactions, "transaction", "transactions") + " received: " +
                  CountOf(summary.debits, "debit", "debits") + " totalling " + FixedNumber(summary.debitTotal, 2) +
                  ", " + CountOf(summary.credits, "credit", "credits") + " totalling " +
                  FixedNumber(summary.creditTotal, 2) + "; dated " + ShownDay(summary.firstDate) + " to " +
                  ShownDay(summary.lastDate) +
                  (summary.undated ? " (" + CountOf(summary.undated, "has", "have") + " no date)" : std::string()));
        return;
    }
    std::string why;
    if (FAILED(result))
        why = "the component's call failed (" + HResultText(result) + ")";
    else if (status == 1)
        why = "no file was chosen (cancelled), and the statement was not touched";
    else if (record.recognitionCalled && !record.recognitionAnswer)
        why = "the file was not recognised as a statement";
    else if (listing.transactionLines == 0 && listingProblem.empty())
        why = "the file holds no transaction line";
    else
        why = "the file holds no line for the bank account";
    PrintLine("Summary: no transactions received: " + why);
    if (FAILED(result) || status != 0)
        return;
    if (!listingProblem.empty())
        PrintLine("The file's lines could not be listed: " + listingProblem);
    for (const std::string& account : listing.accountsHeld)
        PrintLine("  the file holds " + account);
}

// A transaction handed over without a date: which line of the file it came
// from, and the date text there.
void WarnOfUndatedTransactions(const std::vector<long>& undated, const StatementListing& listing)
{
    for (const long number : undated)
    {
        const auto listed = listing.accountLines.find(number);
        if (listed != listing.accountLines.end())
            fprintf(stderr, "tilohost: warning: transaction %ld (line %d of the file) has no date: its date text is "
                            "\"%s\"\n",
                    number, listed->second.line, listed->second.dateText.c_str());
        else
            fprintf(stderr, "tilohost: warning: transaction %ld has no date\n", number);
    }
}

std::vector<std::string> SummaryRecord(const StandInSelectionRecord& record, const ImportSummary& summary)
{
    return {"summary",
            std::to_string(summary.transactions),
            std::to_string(summary.debits),
            FixedNumber(summary.debitTotal, 2),
            std::to_string(summary.credits),
            FixedNumber(summary.creditTotal, 2),
            IsoDay(summary.firstDate),
            IsoDay(summary.lastDate),
            record.recognitionCalled ? std::to_string(record.recognitionAnswer ? 1 : 0) : std::string()};
}
}

int ImportStatement(const CommandLine& line)
{
    switch (KindOfPath(line.file))
    {
    case PathKind::Missing:
        throw BadInput(line.file + ": no such file");
    case PathKind::Folder:
        throw BadInput(line.file + ": a folder, not a statement file");
    case PathKind::File:
        break;
    }
    CheckFilesApart({{line.file, "statement file"}, {line.reportPath, "report"}, {line.logPath, "log"}});
    ReportFile report(line.reportPath);
    ComponentLog log(line.logPath);

    StandInReset();
    StandInSetStatementFileChoiceW(WideFromUtf8(FullPath(line.file)).c_str(), line.cancel ? 1 : 0);
    const ComPtr<IVornBankStatementService> service = FindStatementService();
    const ComPtr<FakeBankContext> context =
        line.account.given ? FakeBankContext::WithAccount(WideFromUtf8(line.account.sortCode).c_str(),
                                                          WideFromUtf8(line.account.accountNumber).c_str())
                           : FakeBankContext::WithoutAccount();
    const ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();

    PrintLine("Statement: " + DescribePath(line.file) + (line.cancel ? " (the user cancels the choice)" : ""));
    PrintLine(line.account.given ? "Bank account: sort code \"" + line.account.sortCode + "\", account number \"" +
                                       line.account.accountNumber + "\""
                                 : "Bank account: none (GetBankAccount fails)");
    ImportListing listing(*statement.Get(), report);
    log.Begin();
    const HRESULT result = service->ImportStatement(context.Get(), statement.Get());
    log.End();
    const std::string error = FAILED(result) ? TakeErrorDescription() : std::string();
    LONG status = -1;
    service->GetStatus(&status);

    listing.Finish();
    const ImportSummary& summary = listing.Summary();
    PrintLine("Import status: " + std::to_string(status) + " (" + ImportStatusName(status) + ")");
    PrintLine("HRESULT: " + DescribeHResult(result) + (error.empty() ? "" : ": " + error));
    std::string listingProblem;
    const bool listingNeeded = SUCCEEDED(result) && status == 0 && (summary.transactions == 0 || summary.undated > 0);
    const StatementListing listed =
        listingNeeded ? ListStatement(line.file, line.account.sortCode, line.account.accountNumber,
                                      listing.Undated(), listingProblem)
                      : StatementListing();
    if (summary.undated > 0)
        WarnOfUndatedTransactions(listing.Undated(), listed);
    PrintLine("");
    PrintSummary(result, status, listing.Selection(), summary, listed, listingProblem);

    report.Add({"import", std::to_string(status), HResultText(result)});
    report.Add(SummaryRecord(listing.Selection(), summary));
    if (!report.Save())
        throw OutputNotWritten(line.reportPath + ": the report could not be written", E_FAIL);
    log.Finish();
    return ImportExitStatus(result, status, summary.transactions);
}
