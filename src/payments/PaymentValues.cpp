#include "payments/PaymentValues.h"

#include <shlwapi.h>
#include <stdio.h>
#include <string.h>

#include "com/HostPayments.h"

namespace
{
const int MaximumAmountDigits = 9;

CFieldText Padded(const CFieldText& text, int width, char fill, bool padOnLeft)
{
    const int length = text.GetLength();
    if (length >= width)
        return text;
    CFieldText padded;
    if (!padOnLeft)
        padded.Append(text);
    for (int count = length; count < width; ++count)
        padded.Append(fill);
    if (padOnLeft)
        padded.Append(text);
    return padded;
}
}

CFieldText RightAligned(const CFieldText& text, int width, char fill)
{
    return Padded(text, width, fill, true);
}

CFieldText LeftAligned(const CFieldText& text, int width, char fill)
{
    return Padded(text, width, fill, false);
}

namespace
{
// "%.2f" of an amount below 2^53, as the C runtime writes it (the exact
// binary value rounded to the nearest cent, a tie to the even cent), made
// from the double's bits; false for any other amount.
bool FormatCents(double amount, CFieldText& text)
{
    unsigned long long bits;
    memcpy(&bits, &amount, sizeof bits);
    const bool negative = (bits >> 63) != 0;
    const int exponentBits = static_cast<int>((bits >> 52) & 0x7FF);
    const unsigned long long fraction = bits & ((1ULL << 52) - 1);
    if (exponentBits == 0x7FF)
        return false;
    // The amount is mantissa * 2^-shift exactly.
    const unsigned long long mantissa = exponentBits == 0 ? fraction : fraction | (1ULL << 52);
    const int shift = exponentBits == 0 ? 1074 : 1075 - exponentBits;
    if (shift < 0)
        return false;
    unsigned long long cents = 0;
    // mantissa * 100 stays below 2^60; from 61 places on it is below half a
    // cent.
    if (shift <= 60)
    {
        const unsigned long long scaled = mantissa * 100;
        cents = scaled >> shift;
        if (shift > 0)
        {
            const unsigned long long rest = scaled & ((1ULL << shift) - 1);
            const unsigned long long half = 1ULL << (shift - 1);
            if (rest > half || (rest == half && (cents & 1) != 0))
                ++cents;
        }
    }
    char digits[24];
    int length = 0;
    for (unsigned long long value = cents; length < 4 || value > 0; value /= 10)
    {
        digits[length++] = static_cast<char>('0' + value % 10);
        if (length == 2)
            digits[length++] = '.';
    }
    if (negative)
        text.Append('-');
    while (length > 0)
        text.Append(digits[--length]);
    return true;
}
}

CFieldText FormatAmount(double amount)
{
    CFieldText fast;
    if (FormatCents(amount, fast))
        return fast;
    char buffer[CFieldText::Capacity + 1];
    const int written = snprintf(buffer, sizeof buffer, "%.2f", amount);
    // A locale with a decimal comma would put it before the two decimals.
    const int length = written < 0 ? 0 : (written > CFieldText::Capacity ? CFieldText::Capacity : written);
    buffer[length] = '\0';
    if (length == written && length >= 3 && buffer[length - 3] == ',')
        buffer[length - 3] = '.';
    return CFieldText(buffer);
}

CFieldText GridSafe(const CFieldText& text)
{
    CFieldText safe;
    for (const char* ch = text.GetString(); *ch; ++ch)
    {
        const unsigned char code = static_cast<unsigned char>(*ch);
        safe.Append(*ch != ',' && *ch != '"' && code >= 0x20 && code != 0x7F ? *ch : ' ');
    }
    return safe;
}

bool FitsAmountField(const CFieldText& writtenAmount)
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

bool IsValidAmountText(const CFieldText& writtenAmount)
{
    if (!FitsAmountField(writtenAmount) || writtenAmount.GetString()[0] == '-')
        return false;
    for (const char* ch = writtenAmount.GetString(); *ch; ++ch)
    {
        if (*ch != '0' && *ch != '.')
            return true;
    }
    return false;
}

bool IsValidSortCode(const CFieldText& digits)
{
    return digits.GetLength() == SortCodeLength;
}

bool IsValidAccountNumber(const CFieldText& accountNumber)
{
    return accountNumber.GetLength() == AccountNumberLength && IsAllDigits(accountNumber.GetString());
}

bool IsValidPayeeName(const CFieldText& writtenName)
{
    for (const char* ch = writtenName.GetString(); *ch; ++ch)
    {
        if (*ch != ' ')
            return true;
    }
    return false;
}

CLineChecks::CLineChecks(const CHostPayment& payment) : m_payment(payment)
{
    m_payment.SetStatusCode(StatusProcessed);
}

void CLineChecks::Require(bool passed, PaymentStatusCode failureCode)
{
    if (passed)
        return;
    m_payment.SetStatusCode(failureCode);
    m_allPassed = false;
}

namespace
{
CFieldText Cleaned(const CFieldText& text, int width)
{
    return CleanText(text.GetString(), text.GetLength(), width);
}

// Account numbers are written uncleaned: a failing one keeps its characters,
// and those that would break the field grid become spaces, never closing up
// into digits that could pass for another account.
CFieldText AccountNumberForm(const CFieldText& accountNumber)
{
    CFieldText safe = GridSafe(accountNumber);
    safe.Cut(AccountNumberLength);
    return RightAligned(safe, AccountNumberLength, '0');
}

// Chosen by the host's texts, not by what they convert to: a roll number the
// host gives is the payment's reference even if none of it can be written.
PaymentText FirstGiven(const CHostPayment& payment, PaymentTextGetter first, PaymentTextGetter second)
{
    const PaymentText text = payment.Text(first);
    return text.given ? text : payment.Text(second);
}
}

CFieldText PayerAccountValue(const CHostPayment& payment, CLineChecks& checks)
{
    const PaymentText sortCode = payment.Digits(&IVornPayment::GetPayerSortCode);
    checks.Require(sortCode.whole && IsValidSortCode(sortCode.value), StatusInvalidPayerSortCode);
    const PaymentText accountNumber = payment.Text(&IVornPayment::GetPayerAccountNumber);
    checks.Require(accountNumber.whole && IsValidAccountNumber(accountNumber.value),
                   StatusInvalidPayerAccountNumber);
    CFieldText digits = sortCode.value;
    digits.Cut(SortCodeLength);
    CFieldText value = RightAligned(digits, SortCodeLength, '0');
    value.Append(AccountNumberForm(accountNumber.value));
    return value;
}

CFieldText AmountValue(const CHostPayment& payment, CLineChecks& checks)
{
    const CFieldText amount = FormatAmount(payment.Amount());
    checks.Require(IsValidAmountText(amount), StatusInvalidAmount);
    // An amount the bank's field cannot hold is never written: cut to fit,
    // it would be read as another amount.
    return FitsAmountField(amount) ? amount : CFieldText();
}

CFieldText PayeeSortCodeValue(const CHostPayment& payment, CLineChecks& checks)
{
    const PaymentText sortCode = payment.Digits(&IVornPayment::GetPayeeSortCode);
    checks.Require(sortCode.whole && IsValidSortCode(sortCode.value), StatusInvalidPayeeSortCode);
    CFieldText digits = sortCode.value;
    digits.Cut(SortCodeLength);
    return LeftAligned(digits, SortCodeLength, ' ');
}

CFieldText PayeeAccountNumberValue(const CHostPayment& payment, CLineChecks& checks)
{
    const PaymentText accountNumber = payment.Text(&IVornPayment::GetPayeeAccountNumber);
    checks.Require(accountNumber.whole && IsValidAccountNumber(accountNumber.value),
                   StatusInvalidPayeeAccountNumber);
    return AccountNumberForm(accountNumber.value);
}

CFieldText PayeeNameValue(const CHostPayment& payment, int width, CLineChecks& checks)
{
    const CFieldText name = Cleaned(payment.Text(&IVornPayment::GetPayeeAccountName).value, width);
    checks.Require(IsValidPayeeName(name), StatusInvalidPayeeAccountName);
    return name;
}

CFieldText PaymentReferenceValue(const CHostPayment& payment, int width)
{
    return Cleaned(FirstGiven(payment, &IVornPayment::GetPayeeRollNumber, &IVornPayment::GetPayeeReference).value,
                   width);
}

CFieldText BulkReferenceValue(const CHostPayment& payment)
{
    return Cleaned(payment.Text(&IVornPayment::GetPayeeReference).value, BulkReferenceWidth);
}

CFieldText RollNumberValue(const CHostPayment& payment)
{
    return Cleaned(payment.Text(&IVornPayment::GetPayeeRollNumber).value, RollNumberWidth);
}

CFieldText AdHocReferenceValue(const CHostPayment& payment)
{
    const PaymentText given =
        FirstGiven(payment, &IVornPayment::GetPayeeRollNumber, &IVornPayment::GetPayeeReference);
    if (given.given)
        return Cleaned(given.value, AdHocReferenceWidth);
    CFieldText reference = payment.Digits(&IVornPayment::GetPayerSortCode).value;
    reference.Cut(SortCodeLength);
    CFieldText accountNumber = payment.Digits(&IVornPayment::GetPayerAccountNumber).value;
    accountNumber.Cut(AccountNumberLength);
    reference.Append(accountNumber);
    return Cleaned(reference, AdHocReferenceWidth);
}

CFieldText TemplateValue(const CString& templateName)
{
    return CleanText(templateName.GetString(), templateName.GetLength(), TemplateNameWidth);
}

CFieldText BeneficiaryReferenceValue(const CString& beneficiaryReference)
{
    return CleanText(beneficiaryReference.GetString(), beneficiaryReference.GetLength(), BeneficiaryReferenceWidth);
}

CFieldText FileNameValue(const char* path)
{
    const char* name = PathFindFileNameA(path ? path : "");
    return CleanText(name, lstrlenA(name), FileNameWidth);
}

CFieldText ProcessingDateValue(DATE date)
{
    CFieldText day = FormatProcessingDate(date);
    day.Cut(8);
    return day;
}
