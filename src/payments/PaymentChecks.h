// The field checks of a payment line and the status code they leave in the
// payment. Each rule judges a value in the form the line writes (or reads)
// it, so the file and the check always agree.
#pragma once

#include "VornBankPayments.h"
#include "payments/PaymentTypes.h"
#include "text/CString.h"

// A written amount (FormatAmount) carries money: digits, ".", two decimals,
// not all zero. Zero, negative, non-finite and cut amounts fail.
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
