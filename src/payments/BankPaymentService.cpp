#include "payments/BankPaymentService.h"

#include "com/ComModule.h"
#include "com/PaymentTypes.h"
#include "payments/PaymentRun.h"
#include "resources/resource.h"
#include "text/CString.h"

CBankPaymentService::CBankPaymentService() : IBankServiceImpl("Bank Payment Service") {}

InterfaceTable CBankPaymentService::Interfaces()
{
    return ServiceInterfaces<CBankPaymentService, IBankPaymentService, &IID_IBankPaymentService,
                             &IID_IVornBankPaymentService>();
}

STDMETHODIMP CBankPaymentService::GetPaymentStatusText(LONG code, BSTR* text)
{
    return MethodGuard([&]() -> HRESULT {
        RequirePointer(text);
        // Compared unsigned: a negative code counts as a large one.
        if (static_cast<unsigned long>(code) > static_cast<unsigned long>(StatusFieldError))
            return S_OK;
        CString message;
        if (!message.LoadString(ModuleInstance(), IDS_PAYMENT_STATUS_FIRST + static_cast<UINT>(code)))
            return S_OK;
        const BSTR copy = message.AllocSysString();
        if (!copy)
            throw E_OUTOFMEMORY;
        *text = copy;
        return S_OK;
    });
}

STDMETHODIMP CBankPaymentService::ProcessPayments(IVornPayments* payments, IVornBankContext* context)
{
    return MethodGuard([&] {
        const CServiceRun run(m_running, L"The bank payment service is already running a payment run");
        return RunPayments(payments, context, m_status);
    });
}
