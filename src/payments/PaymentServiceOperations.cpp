#include "payments/BankPaymentService.h"
#include "payments/PaymentRun.h"
#include "payments/PaymentStatusText.h"

STDMETHODIMP CBankPaymentService::GetPaymentStatusText(LONG code, BSTR* text)
{
    return MethodGuard([&]() -> HRESULT {
        PaymentStatusText(code, text);
        return S_OK;
    });
}

STDMETHODIMP CBankPaymentService::ProcessPayments(IVornPayments* payments, IVornBankContext* context)
{
    return MethodGuard([&] { return RunPayments(payments, context, m_status); });
}
