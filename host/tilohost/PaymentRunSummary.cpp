#include "tilohost/PaymentRunSummary.h"

namespace
{
void CountFailed(PaymentRunSummary& summary, long code)
{
    ++summary.failed;
    ++summary.failedByCode[code];
}
}

PaymentRunSummary SummariseRun(const std::vector<PaymentAfterRun>& payments, const WrittenPaymentFile* file)
{
    PaymentRunSummary summary;
    summary.payments = static_cast<long>(payments.size());
    if (!file)
        return summary;
    summary.iats = file->iatLines;
    // Lines are written in the batch's order, so the first ones are in.
    summary.written = file->paymentLines < summary.payments ? file->paymentLines : summary.payments;
    long long passedPence = 0;
    for (long index = 0; index < summary.written; ++index)
    {
        const PaymentAfterRun& payment = payments[index];
        if (payment.code == 0)
        {
            ++summary.passed;
            if (static_cast<size_t>(index) < file->amounts.size())
                passedPence += PenceOfWrittenAmount(file->amounts[index]);
        }
        else
            CountFailed(summary, payment.code);
    }
    summary.passedAmount = static_cast<double>(passedPence) / 100.0;
    summary.headerFailed =
        file->headerLines > 0 && summary.written == 0 && !payments.empty() && payments[0].code != 0;
    if (summary.headerFailed)
        CountFailed(summary, payments[0].code);
    return summary;
}
