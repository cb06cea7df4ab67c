#include "payments/PaymentChecks.h"

#include "payments/TextNormalisers.h"

bool IsValidAmountText(const CString& writtenAmount)
{
    const int length = writtenAmount.GetLength();
    const int separator = length - 3;
    if (separator < 1 || writtenAmount.GetAt(separator) != '.')
        return false;
    bool anyNonZero = false;
    const char* text = writtenAmount.GetString();
    for (int position = 0; position < length; ++position)
    {
        if (position == separator)
            continue;
        if (text[position] < '0' || text[position] > '9')
            return false;
        anyNonZero = anyNonZero || text[position] != '0';
    }
    return anyNonZero;
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
