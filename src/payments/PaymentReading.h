// Reading a host payment, one helper per shape of call. The host's results
// are not checked: a getter that fails leaves the empty text, 0 or 0.0.
#pragma once

#include "VornBankPayments.h"
#include "text/CString.h"

// A text getter of the payment, e.g. &IVornPayment::GetPayeeSortCode.
using PaymentTextGetter = HRESULT (STDMETHODCALLTYPE IVornPayment::*)(BSTR*);

// The field through ToAnsiText.
CString ReadPaymentText(IVornPayment* payment, PaymentTextGetter getter);
// The field through DigitsOf.
CString ReadPaymentDigits(IVornPayment* payment, PaymentTextGetter getter);
double ReadPaymentAmount(IVornPayment* payment);
long ReadPaymentStatusCode(IVornPayment* payment);
