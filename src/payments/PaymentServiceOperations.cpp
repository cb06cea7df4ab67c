#include "payments/BankPaymentService.h"

STDMETHODIMP CBankPaymentService::GetPaymentStatusText(LONG, BSTR*)
{
    return MethodGuard([]() -> HRESULT { throw E_NOTIMPL; });
}

STDMETHODIMP CBankPaymentService::ProcessPayments(IVornPayments*, IVornBankContext*)
{
    return MethodGuard([]() -> HRESULT { throw E_NOTIMPL; });
}
