// Runs ProcessPayments of the registered payment service over a full batch of
// 4000 payments, with the robot answering the payment dialog and the save
// dialog, a few times per payment format, and prints how long the run takes
// from the payment dialog's OK to the return of ProcessPayments, and the part
// of it after the file name was confirmed in the save dialog.
#include <windows.h>
#include <ole2.h>

#include <stdio.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include "VornBankPayments.h"
#include "robot/PaymentRunRobot.h"
#include "support/ComponentObjects.h"
#include "support/PaymentRuns.h"

namespace
{
const int Repetitions = 3;

const char* const FormatNames[] = {"standard domestic", "template domestic", "bulk list", "ad hoc bulk"};

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

struct Timing
{
    HRESULT result;
    LONG status;
    double fromOk;
    double fromSave;
};

Timing TimeRun(IVornBankPaymentService* service, IVornPayments* payments, PaymentFormat format,
               const std::string& file)
{
    DeleteFileA(file.c_str());
    std::atomic<LONGLONG> okAt{0};
    PaymentRunAnswers answers;
    answers.fileName = file;
    answers.paymentDialog = [&](PaymentDialogRobot& dialog) {
        dialog.ChooseFormat(format);
        dialog.TypeTemplate("Suppliers");
        dialog.TypeBenRef("June run");
        okAt = Now();
        dialog.PressOk();
    };
    PaymentRunRobot robot(answers);
    const HRESULT result = service->ProcessPayments(payments, nullptr);
    const LONGLONG returned = Now();
    const PaymentRunSeen seen = robot.Stop();
    LONG status = -1;
    service->GetStatus(&status);
    return {result, status, Milliseconds(returned - okAt), Milliseconds(returned - seen.savedAt)};
}


int RunBenchmark()
{
    ComPtr<IVornBankPaymentService> service;
    if (FAILED(CreateByProgId(L"VornTiloOnline.BankPaymentService.1", IID_IVornBankPaymentService, service)))
    {
        printf("payment run: the payment service is not registered\n");
        return 1;
    }
    ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
    AddValidPayments(*payments.Get(), MaximumPayments);
    ScratchFolder folder;
    const std::string file = folder.File("benchmark.csv");
    for (PaymentFormat format : {StandardDomestic, TemplateDomestic, BulkList, AdHocBulk})
    {
        std::vector<double> fromOk;
        for (int repetition = 1; repetition <= Repetitions; ++repetition)
        {
            const Timing timing = TimeRun(service.Get(), payments.Get(), format, file);
            fromOk.push_back(timing.fromOk);
            printf("payment run, %ld payments, %s, run %d: OK to return %.1f ms, save dialog's OK to return "
                   "%.1f ms (result %ld, status %ld, %u bytes)\n",
                   MaximumPayments, FormatNames[format], repetition, timing.fromOk, timing.fromSave,
                   static_cast<long>(timing.result), static_cast<long>(timing.status),
                   static_cast<unsigned>(FileBytes(file).size()));
        }
        std::sort(fromOk.begin(), fromOk.end());
        printf("payment run, %ld payments, %s: median OK to return %.1f ms\n", MaximumPayments,
               FormatNames[format], fromOk[fromOk.size() / 2]);
    }
    // The runs remembered the texts under the keys without account suffix.
    RemoveStoredSetting("TiloOnlineTemplate");
    RemoveStoredSetting("TiloOnlineBenRef");
    return 0;
}
}

int main()
{
    OleInitialize(nullptr);
    const int result = RunBenchmark();
    OleUninitialize();
    return result;
}
