#include "payments/PaymentBatchWriting.h"

#include "com/HostPayments.h"
#include "payments/PaymentLineWriters.h"

namespace
{
bool HasHeader(PaymentFormat format)
{
    return format == BulkList || format == AdHocBulk;
}

bool WriteHeader(FILE* file, IVornPayment* first, const PaymentChoices& choices, const char* chosenPath)
{
    if (choices.format == BulkList)
        return WriteBulkListHeader(file, first, choices.processingDate, choices.templateName,
                                   choices.beneficiaryReference);
    return WriteAdHocBulkHeader(file, choices.processingDate, choices.beneficiaryReference, chosenPath, first);
}

bool WriteLine(FILE* file, IVornPayment* payment, const PaymentChoices& choices)
{
    if (choices.format == AdHocBulk)
        return WriteAdHocBulkLine(file, payment);
    return WritePaymentLine(file, choices.processingDate, choices.format, choices.templateName, payment);
}
}

HRESULT WritePaymentBatch(CPaymentFile& file, IVornPayments* payments, long count,
                          const PaymentChoices& choices, const char* chosenPath, LONG& status)
{
    HRESULT result = S_OK;
    // The header is made from the first payment, so an empty batch has none.
    if (HasHeader(choices.format) && count > 0)
    {
        const ComPtr<IVornPayment> first = FetchPayment(payments, 0);
        if (!first)
        {
            status = RunFileFailed;
            return result;
        }
        const bool passed = WriteHeader(file.Get(), first.Get(), choices, chosenPath);
        if (!passed)
        {
            status = RunHasInvalidPayments;
            result = S_FALSE;
        }
        if (file.WriteFailed())
            status = RunFileFailed;
        // Without a sound header no payment line is written.
        if (!passed || file.WriteFailed())
            return result;
    }

    for (long index = 0; index < count; ++index)
    {
        const ComPtr<IVornPayment> payment = FetchPayment(payments, index);
        if (!payment)
        {
            status = RunFileFailed;
            break;
        }
        if (!WriteLine(file.Get(), payment.Get(), choices))
        {
            status = RunHasInvalidPayments;
            result = S_FALSE;
        }
        if (file.WriteFailed())
        {
            status = RunFileFailed;
            break;
        }
    }
    return result;
}
