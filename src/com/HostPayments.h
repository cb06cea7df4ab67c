// The host's payment collection and payments as the payment run and the
// payment dialog read them, one helper per shape of call. The host's
// results are not checked: a getter that fails leaves the empty text, 0 or
// 0.0.
#pragma once

#include "VornBankPayments.h"
#include "com/ComHolders.h"
#include "text/TextNormalisers.h"

// The number of payments (0 when the host leaves nothing).
long CountPayments(IVornPayments* payments);

// The payment at a 0-based index; empty when the host fails to give it or
// reports success with no payment.
ComPtr<IVornPayment> FetchPayment(IVornPayments* payments, long index);

// A text getter of the payment, e.g. &IVornPayment::GetPayeeSortCode.
using PaymentTextGetter = HRESULT (STDMETHODCALLTYPE IVornPayment::*)(BSTR*);

// The field through ToAnsiText. `given`, when asked for, tells whether the
// host gave a text that is not empty: one may be given and yet convert to
// nothing.
CFieldText ReadPaymentText(IVornPayment* payment, PaymentTextGetter getter, bool* given = nullptr);
// The field through DigitsOf.
CFieldText ReadPaymentDigits(IVornPayment* payment, PaymentTextGetter getter);
double ReadPaymentAmount(IVornPayment* payment);
long ReadPaymentStatusCode(IVornPayment* payment);
