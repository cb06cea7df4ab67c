#include "com/ErrorReporting.h"
#include "payments/PaymentLine.h"
#include "payments/PaymentLineWriters.h"
#include "payments/PaymentValues.h"

bool WriteBulkListHeader(FILE* file, IVornPayment* first, DATE processingDate, const CString& templateName,
                         const CString& beneficiaryReference)
{
    RequirePointer(file);
    RequirePointer(first);
    CLineChecks checks(first);
    CPaymentLine line(CPaymentLine::BulkListHeaderFieldCount);
    line.Set(FieldRecordType, "06");
    line.Set(FieldTemplate, TemplateValue(templateName));
    line.Set(FieldPayerAccount, PayerAccountValue(first, checks));
    line.Set(FieldProcessingDate, ProcessingDateValue(processingDate));
    line.Set(FieldReference, BeneficiaryReferenceValue(beneficiaryReference));
    line.Set(FieldBulkListMarker, "C");
    line.Write(file);
    return checks.AllPassed();
}

bool WriteAdHocBulkHeader(FILE* file, DATE processingDate, const CString& beneficiaryReference,
                          const char* chosenPath, IVornPayment* first)
{
    RequirePointer(file);
    RequirePointer(first);
    CLineChecks checks(first);
    CPaymentLine line;
    line.Set(FieldRecordType, "08");
    line.Set(FieldFileName, FileNameValue(chosenPath));
    line.Set(FieldPayerAccount, PayerAccountValue(first, checks));
    line.Set(FieldProcessingDate, ProcessingDateValue(processingDate));
    line.Set(FieldReference, BeneficiaryReferenceValue(beneficiaryReference));
    line.Write(file);
    return checks.AllPassed();
}
