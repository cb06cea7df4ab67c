#include "tilohost/PaymentRunSummary.h"

namespace
{
void CountFailed(PaymentRunSummary& summary, long code)
{
    ++summary.failed;
    ++summary.failedByCode[code];
}
}

PaymentRunSummary SummariseRun(const std::vector<long>& codes, const WrittenPaymentFile* file)
{
    PaymentRunSummary summary;
    summary.payments = static_cast<long>(codes.size());
    if (!file)
        return summary;
    summary.iats = file->iatLines;
    // Lines are written in the batch's order, so the first ones are in.
    summary.written = file->paymentLines < summary.payments ? file->paymentLines : summary.payments;
    long long passedPence = 0;
    for (long index = 0; index < summary.written; ++index)
    {
        const long code = codes[index];
        if (code == 0)
        {
            ++summary.passed;
            if (static_cast<size_t>(index) < file->amounts.size())
                passedPence += PenceOfWrittenAmount(file->amounts[index]);
        }
        else
            CountFailed(summary, code);
    }
    summary.passedAmount = static_cast<double>(passedPence) / 100.0;
    summary.headerFailed =
        file->headerLines > 0 && summary.written == 0 && !codes.empty() && codes[0] != 0;
    if (summary.headerFailed)
        CountFailed(summary, codes[0]);
    return summary;
}
