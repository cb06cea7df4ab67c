// tilohost pay: the batch from the CSV file handed to ProcessPayments, with
// the host's bank context, its payment file defaults and, with --auto, the
// robot answering the run's windows. Afterwards the payment file is read
// back, so the summary says what was written.
#include "tilohost/Commands.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "com/PaymentTypes.h"
#include "objects/FakeBanking.h"
#include "standin/StandInControl.h"
#include "tilohost/AutoRun.h"
#include "tilohost/ComponentLog.h"
#include "tilohost/ComponentServices.h"
#include "tilohost/ConsoleOutput.h"
#include "tilohost/ExitStatus.h"
#include "tilohost/Failures.h"
#include "tilohost/FileAccess.h"
#include "tilohost/PaymentBatchFile.h"
#include "tilohost/PaymentRunSummary.h"
#include "tilohost/ReportFile.h"
#include "tilohost/TextConversion.h"
#include "tilohost/WindowWatch.h"
#include "tilohost/WrittenPaymentFile.h"

namespace
{
// Far more than the lines of 4000 payments.
const size_t PaymentFileReadLimit = 16 * 1024 * 1024;

struct RunOutcome
{
    HRESULT result = E_FAIL;
    std::string error;
    LONG status = -1;
    std::vector<MessageBoxContent> boxes;
    std::string savePath;
    DialogSteps steps;
    PaymentRunSeen seen;
};

// The payment file where the run put it, read back.
struct FoundPaymentFile
{
    bool found = false;
    std::string path;
    unsigned long long bytes = 0;
    WrittenPaymentFile contents;
};

const char* RunStatusName(LONG status)
{
    switch (status)
    {
    case RunSucceeded: return "RunSucceeded";
    case RunHasInvalidPayments: return "RunHasInvalidPayments";
    case RunFileFailed: return "RunFileFailed";
    case RunCancelled: return "RunCancelled";
    case RunTooManyPayments: return "RunTooManyPayments";
    default: return "unknown";
    }
}

std::string StatusTextOf(IVornBankPaymentService* service, long code)
{
    BStr text;
    if (FAILED(service->GetPaymentStatusText(code, text.Out())))
        return std::string();
    return Utf8FromWide(text.Text());
}

// Without a display of its own the wrapper script runs this program under
// Xvfb, where nobody could answer the dialogs.
void CheckSomeoneAnswers(const CommandLine& line)
{
    if (!line.autoGiven && GetEnvironmentVariableA("VORN_TILOHOST_NO_DISPLAY", nullptr, 0) > 0)
        throw BadUsage("pay shows its dialogs to you, and there is no display: give --auto ANSWERS");
}

void CheckIatRows(const AutoAnswers& answers, long count)
{
    for (int row : answers.iatRows)
    {
        if (row >= count)
            throw BadUsage("--auto: iat row " + std::to_string(row) + " is not in the batch of " +
                           std::to_string(count) + " payments (rows count from 0)");
    }
}

RunOutcome Run(IVornBankPaymentService* service, FakePayments* payments, IVornBankContext* context,
               const CommandLine& line, const AutoAnswers& answers, ComponentLog& log)
{
    RunOutcome outcome;
    WindowWatch watch;
    std::unique_ptr<PaymentRunRobot> robot;
    if (line.autoGiven)
        robot.reset(new PaymentRunRobot(RobotAnswers(answers, outcome.steps)));
    log.Begin();
    outcome.result = service->ProcessPayments(payments, context);
    log.End();
    if (FAILED(outcome.result))
        outcome.error = TakeErrorDescription();
    if (robot)
        outcome.seen = robot->Stop();
    service->GetStatus(&outcome.status);
    outcome.boxes = watch.MessageBoxes();
    outcome.savePath = Utf8FromAnsi(watch.SaveDialogPath());
    return outcome;
}

void PrintSetting(const CommandLine& line, long count)
{
    PrintLine("Batch: " + DescribePath(line.file) + ", " + CountOf(count, "payment", "payments"));
    PrintLine(line.account.given ? "Bank account: sort code \"" + line.account.sortCode + "\", account number \"" +
                                       line.account.accountNumber + "\""
                                 : "Bank account: none (no bank context)");
    if (line.defaults.given)
        PrintLine("Payment file defaults: name \"" + line.defaults.fileName + "\", extension \"" +
                  line.defaults.extension + "\", folder \"" + line.defaults.directory + "\"");
}

void PrintWarnings(const std::vector<std::string>& warnings)
{
    for (const std::string& warning : warnings)
        fprintf(stderr, "tilohost: warning: %s\n", warning.c_str());
    fflush(stderr);
}

void PrintRobot(const RunOutcome& outcome)
{
    for (const std::string& step : outcome.steps.done)
        PrintLine("Robot: " + step);
    if (outcome.seen.abandonedDialogs)
        PrintLine("Robot: the dialog stayed open after OK: cancelled");
}

// A payment whose line is not in the file and whose code is no failure code
// of the component's (20 to 35), but 0 or an IAT mark, was not written.
void PrintPayments(IVornBankPaymentService* service, const FakePayments& payments, const PaymentRunSummary& summary)
{
    PrintLine("");
    PrintLine("     #      Amount  Payee                       Sort code  Account    Code  Status");
    for (size_t index = 0; index < payments.payments.size(); ++index)
    {
        const FakePayment& payment = *payments.payments[index].Get();
        const bool inFile = static_cast<long>(index) < summary.written || (index == 0 && summary.headerFailed);
        const bool notWritten = !inFile && (payment.statusCode < StatusBatchRejected ||
                                            payment.statusCode > StatusFieldError);
        PrintLine(PadLeft(std::to_string(index), 6) + "  " + PadLeft(FixedNumber(payment.amount, 2), 10) + "  " +
                  PadRight(Utf8FromWide(payment.payeeAccountName), 26) + "  " +
                  PadRight(Utf8FromWide(payment.payeeSortCode), 9) + "  " +
                  PadRight(Utf8FromWide(payment.payeeAccountNumber), 9) + "  " +
                  PadLeft(notWritten ? "-" : std::to_string(payment.statusCode), 4) + "  " +
                  (notWritten ? "Not written to the payment file." : StatusTextOf(service, payment.statusCode)));
    }
    PrintLine("");
}

// The bank pays pence: an amount with more decimals is written rounded.
std::vector<std::string> AmountWarnings(const FakePayments& payments)
{
    std::vector<std::string> warnings;
    for (size_t index = 0; index < payments.payments.size(); ++index)
    {
        const double amount = payments.payments[index]->amount;
        // Amounts beyond the bank's field, or no number, fail their check.
        if (!(fabs(amount) < 1e12))
            continue;
        const std::string written = FixedNumber(amount, 2);
        if (strtod(written.c_str(), nullptr) == amount)
            continue;
        char given[64];
        snprintf(given, sizeof given, "%.15g", amount);
        warnings.push_back("payment " + std::to_string(index) + ": the amount " + given +
                           " has more than two decimals; the payment file carries " + written +
                           " (the bank pays pence)");
    }
    return warnings;
}

// Where the message of a redirected file says it went; empty when there
// was none.
std::string RedirectedPath(const std::vector<MessageBoxContent>& boxes)
{
    const std::string opening = "saved to: ";
    for (const MessageBoxContent& box : boxes)
    {
        const size_t start = box.text.find(opening);
        if (box.caption != "Windows Redirect" || start == std::string::npos)
            continue;
        const size_t from = start + opening.size();
        const size_t end = box.text.find('\n', from);
        return Utf8FromAnsi(box.text.substr(from, end == std::string::npos ? std::string::npos : end - from));
    }
    return std::string();
}

bool ReportsWrittenFile(const RunOutcome& outcome)
{
    return SUCCEEDED(outcome.result) && (outcome.status == RunSucceeded || outcome.status == RunHasInvalidPayments);
}

// The file of a run that reports one written: the save dialog's path (the
// dialog adds the default extension to a name without one), or where
// Windows redirected it.
FoundPaymentFile FindPaymentFile(const RunOutcome& outcome, const std::string& extension)
{
    FoundPaymentFile file;
    if (!ReportsWrittenFile(outcome))
        return file;
    // A redirected run's file is the one in the store: a file at the chosen
    // path is an older one.
    const std::string redirected = RedirectedPath(outcome.boxes);
    const std::vector<std::string> candidates =
        redirected.empty() ? std::vector<std::string>{outcome.savePath, outcome.savePath + "." + extension}
                           : std::vector<std::string>{redirected};
    for (const std::string& path : candidates)
    {
        if (path.empty() || KindOfPath(path) != PathKind::File)
            continue;
        std::string bytes;
        if (!SizeOfFile(path, file.bytes) || !ReadFileStart(path, PaymentFileReadLimit, bytes))
            continue;
        file.found = true;
        file.path = path;
        file.contents = ParsePaymentFile(bytes);
        return file;
    }
    return file;
}

std::vector<long> CodesAfterRun(const FakePayments& payments)
{
    std::vector<long> codes;
    for (const auto& payment : payments.payments)
        codes.push_back(payment->statusCode);
    return codes;
}

// Whether the file holds what the run reports: a line for every payment,
// or the header alone when its checks failed.
bool Complete(const PaymentRunSummary& summary, const FoundPaymentFile& file)
{
    return file.found && (summary.written == summary.payments || summary.headerFailed);
}

void PrintFile(const RunOutcome& outcome, const FoundPaymentFile& file)
{
    if (file.found)
        PrintLine("Payment file: " + DescribePath(file.path) + ", " + std::to_string(file.bytes) + " bytes, " +
                  CountOf(static_cast<long>(file.contents.lines.size()), "line", "lines"));
    else if (!ReportsWrittenFile(outcome))
        PrintLine("Payment file: none written");
    else if (outcome.savePath.empty())
        PrintLine("Payment file: not found (no path was saved in the save dialog)");
    else
        PrintLine("Payment file: not at " + outcome.savePath + " (see the messages above)");
}

// Why a run wrote no payment file, in one line.
std::string WhyNothingWritten(const RunOutcome& outcome)
{
    if (FAILED(outcome.result))
        return "the component's call failed (" + HResultText(outcome.result) + ")";
    switch (outcome.status)
    {
    case RunCancelled:
        return "the run was cancelled (the payment dialog, a refused processing date, or the save dialog)";
    case RunFileFailed:
    {
        const std::string reason = outcome.savePath.empty() ? std::string() : WhyNotWritable(outcome.savePath);
        return "the payment file could not be written (run status 2)" +
               (outcome.savePath.empty() ? std::string() : " at " + outcome.savePath) +
               (reason.empty() ? std::string() : ": " + reason);
    }
    case RunTooManyPayments:
        return "the batch holds more than " + std::to_string(MaximumPayments) +
               " payments, the most one payment file takes";
    case RunSucceeded:
    case RunHasInvalidPayments:
        return "the run reports a payment file, but there is none where it was saved";
    default:
        return "the run left the status " + std::to_string(outcome.status) + ", which it never sets";
    }
}

std::string Written(const std::string& text)
{
    return text.empty() ? "none" : "\"" + Utf8FromAnsi(text) + "\"";
}

void PrintSummary(IVornBankPaymentService* service, const RunOutcome& outcome, const FoundPaymentFile& file,
                  const PaymentRunSummary& summary)
{
    PrintLine("");
    const std::string payments = CountOf(summary.payments, "payment", "payments");
    if (!file.found)
    {
        PrintLine("Summary: " + payments + ", no payment file: " + WhyNothingWritten(outcome));
        return;
    }
    if (summary.headerFailed)
        PrintLine("Summary: " + payments + ": the header line failed its checks on payment 0, so no payment line "
                  "was written");
    else
        PrintLine("Summary: " + payments + ": " + std::to_string(summary.passed) + " passed their checks, " +
                  std::to_string(summary.failed) + " failed them");
    for (const auto& failed : summary.failedByCode)
        PrintLine("  " + std::to_string(failed.second) + " failed with code " + std::to_string(failed.first) + ": " +
                  StatusTextOf(service, failed.first));
    PrintLine("  Amount of the payments that passed: " + FixedNumber(summary.passedAmount, 2));
    PrintLine("  Written as IATs: " + std::to_string(summary.iats));
    const WrittenPaymentFile& contents = file.contents;
    PrintLine("  Written: format " +
              (contents.format < 0 ? std::string("unknown")
                                   : std::to_string(contents.format) + " (" + PaymentFormatLabel(contents.format) +
                                         ")") +
              ", processing date " +
              (contents.processingDate.empty() ? std::string("none") : ShownProcessingDate(contents.processingDate)) +
              ", template " + Written(contents.templateName) + ", beneficiary reference " +
              Written(contents.benRef));
    if (!Complete(summary, file))
        PrintLine("Warning: the payment file holds " + std::to_string(summary.written) + " payment lines for " +
                  std::to_string(summary.payments) + " payments: it is not the whole batch");
    if (summary.headerFailed)
        PrintLine("Warning: the header line that failed its checks is in the payment file all the same, with no "
                  "payment line after it.");
    else if (summary.failed > 0)
        PrintLine("Warning: " + CountOf(summary.failed, "payment that failed its", "payments that failed their") +
                  " checks " + (summary.failed == 1 ? "is" : "are") +
                  " in the payment file all the same, as the component writes every payment; the codes above say "
                  "why.");
}

void WriteReport(ReportFile& report, const FakePayments& payments, const RunOutcome& outcome,
                 const PaymentRunSummary& summary, const FoundPaymentFile& file)
{
    for (size_t index = 0; index < payments.payments.size(); ++index)
        report.Add({"payment", std::to_string(index), std::to_string(payments.payments[index]->statusCode)});
    for (const MessageBoxContent& box : outcome.boxes)
        report.Add({"message", EscapeReportText(Utf8FromAnsi(box.caption)), EscapeReportText(Utf8FromAnsi(box.text))});
    report.Add({"run", std::to_string(outcome.status), HResultText(outcome.result)});
    report.Add({"summary", std::to_string(summary.payments), std::to_string(summary.passed),
                std::to_string(summary.failed), FixedNumber(summary.passedAmount, 2), std::to_string(summary.iats),
                file.found && file.contents.format >= 0 ? std::to_string(file.contents.format) : std::string(),
                file.found ? std::to_string(file.bytes) : std::string()});
}
}

int PayBatch(const CommandLine& line)
{
    CheckSomeoneAnswers(line);
    AutoAnswers answers = ParseAutoAnswers(line.autoAnswers);
    // As the batch and report paths are: from the current folder, not the
    // save dialog's.
    if (!answers.savePath.empty())
        answers.savePath = FullPath(answers.savePath);
    // The save dialog and the component's file are ANSI: a name the code
    // page lacks would be saved under another name.
    if (!FitsAnsi(answers.savePath))
        throw BadInput("save=" + answers.savePath +
                       ": the payment file's name must be written in the ANSI code page, which lacks some of its "
                       "characters");
    const PaymentBatch batch = ReadPaymentBatch(line.file);
    const FakePayments& payments = *batch.payments.Get();
    const long count = static_cast<long>(payments.payments.size());
    CheckIatRows(answers, count);
    CheckFilesApart({{line.file, "batch file"},
                     {answers.savePath, "payment file"},
                     {line.reportPath, "report"},
                     {line.logPath, "log"}});
    ReportFile report(line.reportPath);
    ComponentLog log(line.logPath);
    PrintWarnings(batch.warnings);
    PrintWarnings(AmountWarnings(payments));

    StandInReset();
    if (line.defaults.given)
        StandInSetPaymentFileDefaults(AnsiFromUtf8(line.defaults.fileName).c_str(),
                                      AnsiFromUtf8(line.defaults.extension).c_str(),
                                      AnsiFromUtf8(line.defaults.directory).c_str());
    const ComPtr<IVornBankPaymentService> service = FindPaymentService();
    ComPtr<FakeBankContext> context;
    if (line.account.given)
        context = FakeBankContext::WithAccount(WideFromUtf8(line.account.sortCode).c_str(),
                                               WideFromUtf8(line.account.accountNumber).c_str());

    PrintSetting(line, count);
    const RunOutcome outcome = Run(service.Get(), batch.payments.Get(), context.Get(), line, answers, log);
    PrintRobot(outcome);
    PrintMessageBoxes(outcome.boxes);
    const FoundPaymentFile file = FindPaymentFile(outcome, line.defaults.given ? line.defaults.extension : "csv");
    const PaymentRunSummary summary = SummariseRun(CodesAfterRun(payments), file.found ? &file.contents : nullptr);
    PrintPayments(service.Get(), payments, summary);
    if (outcome.status == RunCancelled || outcome.status == RunTooManyPayments)
        PrintLine("(No payment was processed: the codes are not those of a run.)");
    PrintLine("Run status: " + std::to_string(outcome.status) + " (" + RunStatusName(outcome.status) + ")");
    PrintLine("HRESULT: " + DescribeHResult(outcome.result) + (outcome.error.empty() ? "" : ": " + outcome.error));
    PrintFile(outcome, file);
    PrintSummary(service.Get(), outcome, file, summary);

    WriteReport(report, payments, outcome, summary, file);
    if (!report.Save())
        throw OutputNotWritten(line.reportPath + ": the report could not be written", E_FAIL);
    log.Finish();
    return PayExitStatus(outcome.result, outcome.status, Complete(summary, file));
}
