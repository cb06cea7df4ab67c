#include "payments/PaymentValues.h"

#include <shlwapi.h>
#include <stdio.h>
#include <string.h>

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

namespace
{
const int MaximumAmountDigits = 9;

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}
}

bool FitsAmountField(const CString& writtenAmount)
{
    const char* text = writtenAmount.GetString();
    const int length = writtenAmount.GetLength();
    const int start = text[0] == '-' ? 1 : 0;
    const int separator = length - 3;
    if (separator <= start || separator - start > MaximumAmountDigits || text[separator] != '.')
        return false;
    for (int position = start; position < length; ++position)
    {
        if (position != separator && !IsDigit(text[position]))
            return false;
    }
    return true;
}

bool IsValidAmountText(const CString& writtenAmount)
{
    if (!FitsAmountField(writtenAmount) || writtenAmount.GetAt(0) == '-')
        return false;
    for (const char* ch = writtenAmount.GetString(); *ch; ++ch)
    {
        if (*ch != '0' && *ch != '.')
            return true;
    }
    return false;
}

bool IsValidSortCode(const CString& digits)
{
    return digits.GetLength() == 6;
}

bool IsValidAccountNumber(const CString& accountNumber)
{
    return accountNumber.GetLength() == 8 && IsAllDigits(accountNumber);
}

bool IsValidPayeeName(const CString& writtenName)
{
    for (const char* ch = writtenName.GetString(); *ch; ++ch)
    {
        if (*ch != ' ')
            return true;
    }
    return false;
}

CLineChecks::CLineChecks(IVornPayment* payment) : m_payment(payment)
{
    m_payment->SetStatusCode(StatusProcessed);
}

void CLineChecks::Require(bool passed, PaymentStatusCode failureCode)
{
    if (passed)
        return;
    m_payment->SetStatusCode(failureCode);
    m_allPassed = false;
}

namespace
{
const int MaximumFieldLength = 255;

CString Padded(const CString& text, int width, char fill, bool padOnLeft)
{
    const int length = text.GetLength();
    if (length >= width)
        return text;
    char buffer[MaximumFieldLength + 1];
    const int padding = (width > MaximumFieldLength ? MaximumFieldLength : width) - length;
    char* target = buffer;
    if (padOnLeft)
        target += padding;
    memset(padOnLeft ? buffer : buffer + length, fill, padding);
    memcpy(target, text.GetString(), length);
    buffer[length + padding] = '\0';
    return CString(buffer);
}
}

CString RightAligned(const CString& text, int width, char fill)
{
    return Padded(text, width, fill, true);
}

CString LeftAligned(const CString& text, int width, char fill)
{
    return Padded(text, width, fill, false);
}

CString FormatAmount(double amount)
{
    char buffer[MaximumFieldLength + 1];
    const int written = snprintf(buffer, sizeof buffer, "%.2f", amount);
    // A locale with a decimal comma would put it before the two decimals.
    const int length = written < 0 ? 0 : (written > MaximumFieldLength ? MaximumFieldLength : written);
    buffer[length] = '\0';
    if (length == written && length >= 3 && buffer[length - 3] == ',')
        buffer[length - 3] = '.';
    return CString(buffer);
}

CString GridSafe(const CString& text)
{
    return FilteredText(text, [](char ch) {
        const unsigned char code = static_cast<unsigned char>(ch);
        return (ch == ',' || ch == '"' || code < 0x20 || code == 0x7F) ? '\0' : ch;
    });
}
