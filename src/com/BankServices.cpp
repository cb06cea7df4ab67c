#include "com/BankServices.h"

#include "payments/BankPaymentService.h"
#include "statements/BankStatementService.h"

namespace
{
void ThrowIfFailed(HRESULT result)
{
    if (FAILED(result))
        throw result;
}

// Creates a service and appends it; the list takes its own reference.
template <class Service, class ServiceInterface>
void AddNewService(CBankServices& list)
{
    ComPtr<Service> service;
    ThrowIfFailed(CreateComObject(service));
    ThrowIfFailed(list.Add(static_cast<ServiceInterface*>(service.Get())));
}
}

IUnknown* CBankServices::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_IBankServices) || IsEqualIID(iid, IID_IVornBankServices))
        return static_cast<IBankServices*>(this);
    if (IsEqualIID(iid, IID_ISupportErrorInfo))
        return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}

HRESULT CBankServices::FinalConstruct()
{
    return MethodGuard([&]() -> HRESULT {
        ThrowIfFailed(Clear());
        AddNewService<CBankPaymentService, IBankPaymentService>(*this);
        AddNewService<CBankStatementService, IBankStatementService>(*this);
        return S_OK;
    });
}
