#include "payments/PaymentValues.h"

#include <shlwapi.h>

#include "payments/FieldForms.h"
#include "com/HostPayments.h"
#include "text/TextNormalisers.h"

namespace
{
CString Cleaned(const CString& text, int width)
{
    return CleanText(text).Left(width);
}

// Account numbers are written uncleaned: a failing one keeps its characters,
// all but those that would break the field grid.
CString AccountNumberForm(const CString& accountNumber)
{
    return RightAligned(GridSafe(accountNumber).Left(8), 8, '0');
}

CString FirstNonEmpty(IVornPayment* payment, PaymentTextGetter first, PaymentTextGetter second)
{
    const CString text = ReadPaymentText(payment, first);
    return text.GetLength() > 0 ? text : ReadPaymentText(payment, second);
}
}

CString PayerAccountValue(IVornPayment* payment, CLineChecks& checks)
{
    const CString sortCode = ReadPaymentDigits(payment, &IVornPayment::GetPayerSortCode);
    checks.Require(IsValidSortCode(sortCode), StatusInvalidPayerSortCode);
    const CString accountNumber = ReadPaymentText(payment, &IVornPayment::GetPayerAccountNumber);
    checks.Require(IsValidAccountNumber(accountNumber), StatusInvalidPayerAccountNumber);
    return RightAligned(sortCode.Left(6), 6, '0') + AccountNumberForm(accountNumber);
}

CString AmountValue(IVornPayment* payment, CLineChecks& checks)
{
    const CString amount = FormatAmount(ReadPaymentAmount(payment));
    checks.Require(IsValidAmountText(amount), StatusInvalidAmount);
    // An amount the bank's field cannot hold is never written: cut to fit,
    // it would be read as another amount.
    return FitsAmountField(amount) ? amount : CString();
}

CString PayeeSortCodeValue(IVornPayment* payment, CLineChecks& checks)
{
    const CString sortCode = ReadPaymentDigits(payment, &IVornPayment::GetPayeeSortCode);
    checks.Require(IsValidSortCode(sortCode), StatusInvalidPayeeSortCode);
    return LeftAligned(sortCode.Left(6), 6, ' ');
}

CString PayeeAccountNumberValue(IVornPayment* payment, CLineChecks& checks)
{
    const CString accountNumber = ReadPaymentText(payment, &IVornPayment::GetPayeeAccountNumber);
    checks.Require(IsValidAccountNumber(accountNumber), StatusInvalidPayeeAccountNumber);
    return AccountNumberForm(accountNumber);
}

CString PayeeNameValue(IVornPayment* payment, int width, CLineChecks& checks)
{
    const CString name = Cleaned(ReadPaymentText(payment, &IVornPayment::GetPayeeAccountName), width);
    checks.Require(IsValidPayeeName(name), StatusInvalidPayeeAccountName);
    return name;
}

CString PaymentReferenceValue(IVornPayment* payment, int width)
{
    return Cleaned(FirstNonEmpty(payment, &IVornPayment::GetPayeeRollNumber, &IVornPayment::GetPayeeReference),
                   width);
}

CString BulkReferenceValue(IVornPayment* payment)
{
    return Cleaned(ReadPaymentText(payment, &IVornPayment::GetPayeeReference), 25);
}

CString RollNumberValue(IVornPayment* payment)
{
    return Cleaned(ReadPaymentText(payment, &IVornPayment::GetPayeeRollNumber), 18);
}

CString AdHocReferenceValue(IVornPayment* payment)
{
    CString reference = FirstNonEmpty(payment, &IVornPayment::GetPayeeRollNumber, &IVornPayment::GetPayeeReference);
    if (reference.GetLength() == 0)
    {
        reference = ReadPaymentDigits(payment, &IVornPayment::GetPayerSortCode).Left(6) +
                    ReadPaymentDigits(payment, &IVornPayment::GetPayerAccountNumber).Left(8);
    }
    return Cleaned(reference, 18);
}

CString TemplateValue(const CString& templateName)
{
    return Cleaned(templateName, 20);
}

CString BeneficiaryReferenceValue(const CString& beneficiaryReference)
{
    return Cleaned(beneficiaryReference, 18);
}

CString FileNameValue(const char* path)
{
    return Cleaned(CString(PathFindFileNameA(path ? path : "")), 16);
}

CString ProcessingDateValue(DATE date)
{
    return FormatProcessingDate(date).Left(8);
}
