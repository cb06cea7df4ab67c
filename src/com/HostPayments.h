// The host's payment collection and payments as the payment run and the
// payment dialog read them, one helper per shape of call. Every call is
// checked: a failure is raised as a failure of the host
// (RaiseHostObjectFailure), naming the call and, for a payment, its number
// in the batch (from 1).
#pragma once

#include "VornBankPayments.h"
#include "com/ComHolders.h"
#include "text/TextNormalisers.h"

long CountPayments(IVornPayments* payments);

// A text getter of the payment, e.g. &IVornPayment::GetPayeeSortCode.
using PaymentTextGetter = HRESULT (STDMETHODCALLTYPE IVornPayment::*)(BSTR*);

// A text as the host gave it, converted.
struct PaymentText
{
    CFieldText value;
    // The host gave a text that is not empty: one may be given and yet
    // convert to nothing.
    bool given = false;
    // False when a NUL ends the text before the length the host gave: the
    // value then holds only what comes before it.
    bool whole = true;
};

// One payment of the batch, held for the run.
class CHostPayment
{
public:
    CHostPayment(IVornPayment* payment, long number) : m_payment(payment), m_number(number) {}

    // The payment at a 0-based index; success without a payment is raised as
    // E_POINTER.
    static CHostPayment Fetch(IVornPayments* payments, long index);

    IVornPayment* Get() const { return m_payment.Get(); }
    long Number() const { return m_number; }

    // The field through ToAnsiText.
    PaymentText Text(PaymentTextGetter getter) const;
    // The field through DigitsOf.
    PaymentText Digits(PaymentTextGetter getter) const;
    double Amount() const;
    long StatusCode() const;
    void SetStatusCode(long code) const;
    // The code set last through this holder; -1 while none was.
    long CodeSet() const { return m_codeSet; }

private:
    ComPtr<IVornPayment> m_payment;
    long m_number;
    // A record of the calls made, not part of which payment is held.
    mutable long m_codeSet = -1;
};
