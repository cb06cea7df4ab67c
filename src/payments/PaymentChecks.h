// The field checks of a payment line and the status code they leave in the
// payment. Each rule judges a value in the form the line writes (or reads)
// it, so the file and the check always agree.
#pragma once

#include "VornBankPayments.h"
#include "com/PaymentTypes.h"
#include "text/CString.h"

// A written amount (FormatAmount) fits the bank's amount field, which holds
// 11 digits of pence: an optional "-", one to nine digits, ".", two
// decimals. So no amount beyond 999,999,999.99 fits, nor a non-finite one.
bool FitsAmountField(const CString& writtenAmount);

// A written amount carries money the bank can pay: it fits the amount field,
// and is neither negative nor zero.
bool IsValidAmountText(const CString& writtenAmount);

// The digits of a sort code (DigitsOf): exactly six.
bool IsValidSortCode(const CString& digits);

// An account number (ToAnsiText): exactly eight digits, no separators.
bool IsValidAccountNumber(const CString& accountNumber);

// A payee name as the line writes it (cleaned and cut): something other
// than spaces.
bool IsValidPayeeName(const CString& writtenName);

// The checks of one line on one payment. Starting a line sets the payment's
// status code to 0; every failed check then sets its own code, so the
// payment ends with the code of the last check that failed.
class CLineChecks
{
public:
    explicit CLineChecks(IVornPayment* payment);
    CLineChecks(const CLineChecks&) = delete;
    CLineChecks& operator=(const CLineChecks&) = delete;

    void Require(bool passed, PaymentStatusCode failureCode);
    bool AllPassed() const { return m_allPassed; }

private:
    IVornPayment* m_payment;
    bool m_allPassed = true;
};
