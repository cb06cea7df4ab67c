#include "payments/PaymentChecks.h"

#include "text/TextNormalisers.h"

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
