#include "payments/PaymentLines.h"

#include <string.h>

#include "com/ErrorReporting.h"
#include "com/HostPayments.h"
#include "payments/PaymentValues.h"

namespace
{
// CR LF, in the place of the last field's separator.
const int LineEndLength = 2;
}

// The text is read only up to m_length, all of it written first: the
// kilobyte of each payment's line is not cleared.
// cppcheck-suppress uninitMemberVar
CPaymentLine::CPaymentLine(int fieldCount) : m_fieldCount(fieldCount)
{
    if (fieldCount < 1 || fieldCount > StandardFieldCount)
        throw E_INVALIDARG;
}

void CPaymentLine::MoveTo(int field)
{
    for (; m_field < field; ++m_field)
        m_text[m_length++] = ',';
}

void CPaymentLine::Set(int field, const char* text, int length)
{
    if (field < m_field || field > m_fieldCount || length < 0 ||
        m_length + (field - m_field) + length + (m_fieldCount - field) + LineEndLength > Capacity)
        throw E_INVALIDARG;
    MoveTo(field);
    memcpy(m_text + m_length, text, length);
    m_length += length;
    // The next field to give lies after this one.
    m_text[m_length++] = ',';
    ++m_field;
}

// One write of the whole line: one stream call per field and comma would
// cost more than everything else.
void CPaymentLine::Write(FILE* file)
{
    MoveTo(m_fieldCount + 1);
    // The last field has no separator after it: the line ends there.
    m_text[m_length - 1] = '\r';
    m_text[m_length++] = '\n';
    fwrite(m_text, 1, m_length, file);
}

namespace
{
// Formats 0 and 1: "01", or "03" for an IAT. The payee's sort code and
// account number are always checked but written only in format 0, and an IAT
// carries neither payee name nor name check.
bool WriteDomesticLine(FILE* file, DATE processingDate, PaymentFormat format, const CString& templateName,
                       const CHostPayment& payment)
{
    const bool isIat = payment.StatusCode() != 0;
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
    const CFieldText payeeSortCode = PayeeSortCodeValue(payment, checks);
    const CFieldText payeeAccountNumber = PayeeAccountNumberValue(payment, checks);
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

// What the payment lines of the bulk formats ("07", "09") carry of the
// payment: the currency, the amount, the payee's sort code, account number
// and name, with the checks 21, 28, 29 and 30.
void SetBulkPayee(CPaymentLine& line, const CHostPayment& payment, int nameWidth, CLineChecks& checks)
{
    line.Set(FieldCurrency, "GBP");
    line.Set(FieldAmount, AmountValue(payment, checks));
    line.Set(FieldPayeeSortCode, PayeeSortCodeValue(payment, checks));
    line.Set(FieldPayeeAccountNumber, PayeeAccountNumberValue(payment, checks));
    line.Set(FieldPayeeName, PayeeNameValue(payment, nameWidth, checks));
}

// Format 2: "07", a payment of a bulk list; its payer is on the header.
bool WriteBulkListLine(FILE* file, const CHostPayment& payment)
{
    CLineChecks checks(payment);
    CPaymentLine line;
    line.Set(FieldRecordType, "07");
    line.Set(FieldBulkReference, BulkReferenceValue(payment));
    SetBulkPayee(line, payment, ShortPayeeNameWidth, checks);
    line.Set(FieldReference, RollNumberValue(payment));
    line.Write(file);
    return checks.AllPassed();
}
}

bool WritePaymentLine(FILE* file, DATE processingDate, PaymentFormat format, const CString& templateName,
                      const CHostPayment& payment)
{
    RequirePointer(file);
    RequirePointer(payment.Get());
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

bool WriteBulkListHeader(FILE* file, const CHostPayment& first, DATE processingDate, const CString& templateName,
                         const CString& beneficiaryReference)
{
    RequirePointer(file);
    RequirePointer(first.Get());
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
                          const char* chosenPath, const CHostPayment& first)
{
    RequirePointer(file);
    RequirePointer(first.Get());
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

bool WriteAdHocBulkLine(FILE* file, const CHostPayment& payment)
{
    RequirePointer(file);
    RequirePointer(payment.Get());
    CLineChecks checks(payment);
    CPaymentLine line;
    line.Set(FieldRecordType, "09");
    SetBulkPayee(line, payment, LongPayeeNameWidth, checks);
    line.Set(FieldReference, AdHocReferenceValue(payment));
    line.Write(file);
    return checks.AllPassed();
}

namespace
{
bool HasHeader(PaymentFormat format)
{
    return format == BulkList || format == AdHocBulk;
}

bool WriteHeader(FILE* file, const CHostPayment& first, const PaymentChoices& choices, const char* chosenPath)
{
    if (choices.format == BulkList)
        return WriteBulkListHeader(file, first, choices.processingDate, choices.templateName,
                                   choices.beneficiaryReference);
    return WriteAdHocBulkHeader(file, choices.processingDate, choices.beneficiaryReference, chosenPath, first);
}

bool WriteLine(FILE* file, const CHostPayment& payment, const PaymentChoices& choices)
{
    if (choices.format == AdHocBulk)
        return WriteAdHocBulkLine(file, payment);
    return WritePaymentLine(file, choices.processingDate, choices.format, choices.templateName, payment);
}
}

HRESULT WritePaymentBatch(CPaymentFile& file, IVornPayments* payments, long count,
                          const PaymentChoices& choices, const char* chosenPath, LONG& status,
                          std::vector<CHostPayment>& begun)
{
    HRESULT result = S_OK;
    // The header is made from the first payment, so an empty batch has none.
    if (HasHeader(choices.format) && count > 0)
    {
        begun.push_back(CHostPayment::Fetch(payments, 0));
        const bool passed = WriteHeader(file.Get(), begun.back(), choices, chosenPath);
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
        // The header's payment is not asked for again.
        if (begun.size() <= static_cast<size_t>(index))
            begun.push_back(CHostPayment::Fetch(payments, index));
        if (!WriteLine(file.Get(), begun[index], choices))
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
