#include "com/ErrorReporting.h"
#include "payments/PaymentLine.h"
#include "payments/PaymentLineWriters.h"
#include "com/HostPayments.h"
#include "payments/PaymentValues.h"

namespace
{
// Formats 0 and 1: "01", or "03" for an IAT. The payee's sort code and
// account number are always checked but written only in format 0, and an IAT
// carries neither payee name nor name check.
bool WriteDomesticLine(FILE* file, DATE processingDate, PaymentFormat format, const CString& templateName,
                       IVornPayment* payment)
{
    const bool isIat = ReadPaymentStatusCode(payment) != 0;
    const bool usesTemplate = format == TemplateDomestic;
    CLineChecks checks(payment);
    CPaymentLine line;
    line.Set(FieldRecordType, isIat ? "03" : "01");
    if (usesTemplate)
        line.Set(FieldTemplate, TemplateValue(templateName));
    line.Set(FieldPayerAccount, PayerAccountValue(payment, checks));
    if (isIat || usesTemplate)
        line.Set(FieldCurrency, "GBP");
    line.Set(FieldAmount, AmountValue(payment, checks));
    line.Set(FieldProcessingDate, ProcessingDateValue(processingDate));
    const CString payeeSortCode = PayeeSortCodeValue(payment, checks);
    const CString payeeAccountNumber = PayeeAccountNumberValue(payment, checks);
    if (!usesTemplate)
    {
        line.Set(FieldPayeeSortCode, payeeSortCode);
        line.Set(FieldPayeeAccountNumber, payeeAccountNumber);
    }
    if (isIat)
    {
        line.Set(FieldIatReference, PaymentReferenceValue(payment, IatReferenceWidth));
    }
    else
    {
        if (!usesTemplate)
            line.Set(FieldPayeeName, PayeeNameValue(payment, ShortPayeeNameWidth, checks));
        line.Set(FieldReference, PaymentReferenceValue(payment, ReferenceWidth));
    }
    line.Write(file);
    return checks.AllPassed();
}

// Format 2: "07", a payment of a bulk list; its payer is on the header.
bool WriteBulkListLine(FILE* file, IVornPayment* payment)
{
    CLineChecks checks(payment);
    CPaymentLine line;
    line.Set(FieldRecordType, "07");
    line.Set(FieldBulkReference, BulkReferenceValue(payment));
    line.Set(FieldCurrency, "GBP");
    line.Set(FieldAmount, AmountValue(payment, checks));
    line.Set(FieldPayeeSortCode, PayeeSortCodeValue(payment, checks));
    line.Set(FieldPayeeAccountNumber, PayeeAccountNumberValue(payment, checks));
    line.Set(FieldPayeeName, PayeeNameValue(payment, ShortPayeeNameWidth, checks));
    line.Set(FieldReference, RollNumberValue(payment));
    line.Write(file);
    return checks.AllPassed();
}
}

bool WritePaymentLine(FILE* file, DATE processingDate, PaymentFormat format, const CString& templateName,
                      IVornPayment* payment)
{
    RequirePointer(file);
    RequirePointer(payment);
    switch (format)
    {
    case StandardDomestic:
    case TemplateDomestic:
        return WriteDomesticLine(file, processingDate, format, templateName, payment);
    case BulkList:
        return WriteBulkListLine(file, payment);
    default:
        throw E_INVALIDARG;
    }
}
