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
    IUnknown* FindInterface(REFIID iid) override;

    STDMETHODIMP GetPaymentStatusText(LONG code, BSTR* text) override;
    STDMETHODIMP ProcessPayments(IVornPayments* payments, IVornBankContext* context) override;
};
