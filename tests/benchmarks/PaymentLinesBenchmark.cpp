// Writes a full batch of 4000 payments through the host's payment interface
// into a real file, repeatedly, and prints payments and bytes per second: for
// standard domestic lines and for a bulk list file (header and 07 lines).
#include <windows.h>
#include <ole2.h>

#include <stdio.h>

#include "objects/FakePayments.h"
#include "support/BenchmarkBatch.h"
#include "payments/PaymentLines.h"
#include "support/TestClock.h"
#include "support/TemporaryFile.h"

namespace
{
const int Repetitions = 25;

// One file of the whole batch, fetched payment by payment as the payment run
// does. Gives false when any line failed its checks.
bool WriteBatch(const char* path, IVornPayments* payments, PaymentFormat format)
{
    const DATE processingDate = DateOf(2013, 1, 7);
    FILE* file = fopen(path, "w+");
    if (!file)
        return false;
    bool allPassed = true;
    long count = 0;
    payments->Count(&count);
    if (format == BulkList)
    {
        ComPtr<IVornPayment> first;
        payments->Item(0, first.Out());
        allPassed = WriteBulkListHeader(file, first.Get(), processingDate, "Suppliers", "June run");
    }
    for (long index = 0; index < count; ++index)
    {
        ComPtr<IVornPayment> payment;
        payments->Item(index, payment.Out());
        allPassed = WritePaymentLine(file, processingDate, format, "Suppliers", payment.Get()) && allPassed;
    }
    fclose(file);
    return allPassed;
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
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int repetition = 0; repetition < Repetitions; ++repetition)
        allPassed = WriteBatch(file.Path(), payments, format) && allPassed;
    QueryPerformanceCounter(&end);
    const double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    const long long bytes = FileSize(file.Path()) * Repetitions;
    const double lines = static_cast<double>(MaximumPayments) * Repetitions;
    printf("%-18s %d x %ld payments, %lld bytes in %.3f s: %.0f payments/s, %.0f bytes/s (%.2f MB/s)%s\n", name,
           Repetitions, MaximumPayments, bytes, seconds, lines / seconds, bytes / seconds,
           bytes / seconds / (1024.0 * 1024.0), allPassed ? "" : "  [some lines failed their checks]");
}
}

int main()
{
    OleInitialize(nullptr);
    {
        ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
        AddBenchmarkPayments(*payments.Get());
        Measure("standard domestic", payments.Get(), StandardDomestic);
        Measure("bulk list", payments.Get(), BulkList);
    }
    OleUninitialize();
    return 0;
}
