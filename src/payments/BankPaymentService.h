// The payment service: the common service operations plus the payment run
// (ProcessPayments) and the status texts of its payments.
#pragma once

#include "VornTiloOnline.h"
#include "com/BankServiceImpl.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"

class CBankPaymentService : public CSupportErrorInfoImpl<&IID_IBankPaymentService>,
                            public IBankServiceImpl<IBankPaymentService, &IID_IBankPaymentService>,
                            public CComObjectRoot
{
public:
    CBankPaymentService();

    VORN_IUNKNOWN_METHODS

    // For a code from 0 to 35 with a text (string resource 300 + code), a new
    // BSTR of it in `*text`; any other code leaves `*text` untouched.
    STDMETHODIMP GetPaymentStatusText(LONG code, BSTR* text) override;
    // The payment run (see PaymentRun.h); its outcome lands in the status.
    STDMETHODIMP ProcessPayments(IVornPayments* payments, IVornBankContext* context) override;
};
