// Writes a full batch of 4000 payments through the host's payment interface
// into a real file, repeatedly, and prints the best time of one batch and
// payments and bytes per second, for each format, in the form
//   payment lines standard domestic, 4000 payments: 5.9 ms
#include <windows.h>
#include <ole2.h>

#include <stdio.h>

#include "objects/FakePayments.h"
#include "support/BenchmarkBatch.h"
#include "payments/PaymentLines.h"
#include "payments/PaymentRun.h"
#include "support/TestClock.h"
#include "support/TemporaryFile.h"

namespace
{
const int Repetitions = 25;

// One file of the whole batch, opened and fetched payment by payment as the
// payment run does. Gives false when any line failed its checks.
bool WriteBatch(const char* path, IVornPayments* payments, PaymentFormat format)
{
    const DATE processingDate = DateOf(2013, 1, 7);
    CPaymentFile paymentFile;
    if (paymentFile.Open(path) != PaymentFileOpening::Opened)
        return false;
    FILE* file = paymentFile.Get();
    bool allPassed = true;
    long count = 0;
    payments->Count(&count);
    if (format == BulkList || format == AdHocBulk)
    {
        ComPtr<IVornPayment> first;
        payments->Item(0, first.Out());
        allPassed = format == BulkList
            ? WriteBulkListHeader(file, CHostPayment(first.Get(), 1), processingDate, "Suppliers", "June run")
            : WriteAdHocBulkHeader(file, processingDate, "June run", path, CHostPayment(first.Get(), 1));
    }
    for (long index = 0; index < count; ++index)
    {
        ComPtr<IVornPayment> payment;
        payments->Item(index, payment.Out());
        const bool passed = format == AdHocBulk
            ? WriteAdHocBulkLine(file, CHostPayment(payment.Get(), index + 1))
            : WritePaymentLine(file, processingDate, format, "Suppliers", CHostPayment(payment.Get(), index + 1));
        allPassed = passed && allPassed;
    }
    return paymentFile.Close() && allPassed;
}

long long FileSize(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

void Measure(const char* name, IVornPayments* payments, PaymentFormat format)
{
    TemporaryFile file;
    bool allPassed = WriteBatch(file.Path(), payments, format);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    double best = 0.0;
    for (int repetition = 0; repetition < Repetitions; ++repetition)
    {
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        allPassed = WriteBatch(file.Path(), payments, format) && allPassed;
        QueryPerformanceCounter(&end);
        const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
        if (repetition == 0 || seconds < best)
            best = seconds;
    }
    const long long bytes = FileSize(file.Path());
    printf("payment lines %s, %ld payments: %.1f ms (best of %d; %.0f payments/s, %.2f MB/s)%s\n", name,
           MaximumPayments, best * 1000.0, Repetitions, MaximumPayments / best, bytes / best / (1024.0 * 1024.0),
           allPassed ? "" : "  [some lines failed their checks]");
}
}

int main()
{
    OleInitialize(nullptr);
    {
        ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
        AddBenchmarkPayments(*payments.Get());
        Measure("standard domestic", payments.Get(), StandardDomestic);
        Measure("template domestic", payments.Get(), TemplateDomestic);
        Measure("bulk list", payments.Get(), BulkList);
        Measure("ad hoc bulk", payments.Get(), AdHocBulk);
    }
    OleUninitialize();
    return 0;
}
