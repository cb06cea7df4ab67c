#include "support/BenchmarkBatch.h"

#include <stdio.h>

#include "com/PaymentTypes.h"

void AddBenchmarkPayments(FakePayments& payments, const BenchmarkBatchOptions& options)
{
    wchar_t text[64];
    for (long index = 0; index < MaximumPayments; ++index)
    {
        FakePayment* payment = payments.Add();
        payment->amount = 10.0 + index * 0.37;
        payment->payerSortCode = L"20-00-00";
        payment->payerAccountNumber = L"87654321";
        swprintf(text, 64, L"40-%02ld-%02ld", index % 100, (index / 100) % 100);
        payment->payeeSortCode = text;
        swprintf(text, 64, L"%08ld", 10000000 + index);
        payment->payeeAccountNumber = text;
        swprintf(text, 64, L"Supplier %ld & Sons, Ltd.", index);
        payment->payeeAccountName = text;
        swprintf(text, 64, L"INV-%ld/2013", index);
        payment->payeeReference = text;
        payment->details = L"Monthly settlement";
        if (index % 10 == 0)
            payment->payeeRollNumber = L"RN 12/345";
        if (options.iatMarks && index % 7 == 0)
            payment->statusCode = IatMark;
    }
}
