#include "com/ErrorReporting.h"
#include "payments/PaymentLine.h"
#include "payments/PaymentLineWriters.h"
#include "payments/PaymentValues.h"

bool WriteAdHocBulkLine(FILE* file, IVornPayment* payment)
{
    RequirePointer(file);
    RequirePointer(payment);
    CLineChecks checks(payment);
    CPaymentLine line;
    line.Set(FieldRecordType, "09");
    line.Set(FieldCurrency, "GBP");
    line.Set(FieldAmount, AmountValue(payment, checks));
    line.Set(FieldPayeeSortCode, PayeeSortCodeValue(payment, checks));
    line.Set(FieldPayeeAccountNumber, PayeeAccountNumberValue(payment, checks));
    line.Set(FieldPayeeName, PayeeNameValue(payment, LongPayeeNameWidth, checks));
    line.Set(FieldReference, AdHocReferenceValue(payment));
    line.Write(file);
    return checks.AllPassed();
}
