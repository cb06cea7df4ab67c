// tilohost pay: the batch from the CSV file handed to ProcessPayments, with
// the host's bank context, its payment file defaults and, with --auto, the
// robot answering the run's windows.
#include "Commands.h"

#include <memory>

#include "AutoRun.h"
#include "ComponentServices.h"
#include "ConsoleOutput.h"
#include "Failures.h"
#include "FileAccess.h"
#include "PaymentBatchFile.h"
#include "ReportFile.h"
#include "TextConversion.h"
#include "WindowWatch.h"
#include "doubles/FakeBanking.h"
#include "com/PaymentTypes.h"
#include "standin/StandInControl.h"

namespace
{
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
               const CommandLine& line, const AutoAnswers& answers)
{
    RunOutcome outcome;
    WindowWatch watch;
    std::unique_ptr<PaymentRunRobot> robot;
    if (line.autoGiven)
        robot.reset(new PaymentRunRobot(RobotAnswers(answers, outcome.steps)));
    outcome.result = service->ProcessPayments(payments, context);
    if (FAILED(outcome.result))
        outcome.error = TakeErrorDescription();
    if (robot)
        outcome.seen = robot->Stop();
    service->GetStatus(&outcome.status);
    outcome.boxes = watch.MessageBoxes();
    outcome.savePath = watch.SaveDialogPath();
    return outcome;
}

void PrintSetting(const CommandLine& line, long count)
{
    PrintLine("Batch: " + DescribePath(line.file) + ", " + std::to_string(count) + " payments");
    PrintLine(line.account.given ? "Bank account: sort code \"" + line.account.sortCode + "\", account number \"" +
                                       line.account.accountNumber + "\""
                                 : "Bank account: none (no bank context)");
    if (line.defaults.given)
        PrintLine("Payment file defaults: name \"" + line.defaults.fileName + "\", extension \"" +
                  line.defaults.extension + "\", folder \"" + line.defaults.directory + "\"");
}

void PrintRobot(const RunOutcome& outcome)
{
    for (const std::string& step : outcome.steps.done)
        PrintLine("Robot: " + step);
    if (outcome.seen.abandonedDialogs)
        PrintLine("Robot: the dialog stayed open after OK: cancelled");
}

void PrintPayments(IVornBankPaymentService* service, const FakePayments& payments)
{
    PrintLine("");
    PrintLine("     #      Amount  Payee                       Sort code  Account    Code  Status");
    for (size_t index = 0; index < payments.payments.size(); ++index)
    {
        const FakePayment& payment = *payments.payments[index].Get();
        PrintLine(PadLeft(std::to_string(index), 6) + "  " + PadLeft(FixedNumber(payment.amount, 2), 10) + "  " +
                  PadRight(Utf8FromWide(payment.payeeAccountName), 26) + "  " +
                  PadRight(Utf8FromWide(payment.payeeSortCode), 9) + "  " +
                  PadRight(Utf8FromWide(payment.payeeAccountNumber), 9) + "  " +
                  PadLeft(std::to_string(payment.statusCode), 4) + "  " +
                  StatusTextOf(service, payment.statusCode));
    }
    PrintLine("");
}

// Where the payment file went: the save dialog's path, when the run says
// a file was written.
void PrintFile(const RunOutcome& outcome, const std::string& extension)
{
    if (outcome.status != RunSucceeded && outcome.status != RunHasInvalidPayments)
    {
        PrintLine("Payment file: none written");
        return;
    }
    std::string path = outcome.savePath;
    // The save dialog adds the default extension to a name without one.
    if (KindOfPath(path) != PathKind::File && KindOfPath(path + "." + extension) == PathKind::File)
        path += "." + extension;
    if (KindOfPath(path) == PathKind::File)
        PrintLine("Payment file: " + DescribePath(path));
    else
        PrintLine("Payment file: not at " + path + " (see the messages above)");
}

void WriteReport(ReportFile& report, const FakePayments& payments, const RunOutcome& outcome)
{
    for (size_t index = 0; index < payments.payments.size(); ++index)
        report.Add({"payment", std::to_string(index), std::to_string(payments.payments[index]->statusCode)});
    for (const MessageBoxContent& box : outcome.boxes)
        report.Add({"message", EscapeReportText(Utf8FromAnsi(box.caption)), EscapeReportText(Utf8FromAnsi(box.text))});
    report.Add({"run", std::to_string(outcome.status), HResultText(outcome.result)});
}
}

int PayBatch(const CommandLine& line)
{
    const AutoAnswers answers = ParseAutoAnswers(line.autoAnswers);
    const ComPtr<FakePayments> payments = ReadPaymentBatch(line.file);
    const long count = static_cast<long>(payments->payments.size());
    CheckIatRows(answers, count);
    ReportFile report(line.reportPath);

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
    const RunOutcome outcome = Run(service.Get(), payments.Get(), context.Get(), line, answers);
    PrintRobot(outcome);
    PrintMessageBoxes(outcome.boxes);
    PrintPayments(service.Get(), *payments.Get());
    if (outcome.status == RunCancelled || outcome.status == RunTooManyPayments)
        PrintLine("(No payment was processed: the codes are not those of a run.)");
    PrintLine("Run status: " + std::to_string(outcome.status) + " (" + RunStatusName(outcome.status) + ")");
    PrintLine("HRESULT: " + DescribeHResult(outcome.result) + (outcome.error.empty() ? "" : ": " + outcome.error));
    PrintFile(outcome, line.defaults.given ? line.defaults.extension : "csv");

    WriteReport(report, *payments.Get(), outcome);
    if (!report.Save())
        throw HostCallFailed(line.reportPath + ": the report could not be written", E_FAIL);
    return SUCCEEDED(outcome.result) ? 0 : 1;
}
