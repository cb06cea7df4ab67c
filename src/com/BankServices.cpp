#include "com/BankServices.h"

#include "payments/BankPaymentService.h"
#include "statements/BankStatementService.h"

namespace
{
const InterfaceEntry BankServicesInterfaces[] = {
    VORN_INTERFACE(CBankServices, IBankServices, IID_IDispatch),
    VORN_INTERFACE(CBankServices, ISupportErrorInfo, IID_ISupportErrorInfo),
    VORN_INTERFACE(CBankServices, IBankServices, IID_IBankServices),
    VORN_INTERFACE(CBankServices, IBankServices, IID_IVornBankServices),
};

// Creates a service and appends it; the list takes its own reference.
template <class Service, class ServiceInterface>
void AddNewService(CBankServices& list)
{
    ComPtr<Service> service;
    ThrowIfFailed(CreateComObject(service));
    ThrowIfFailed(list.Add(static_cast<ServiceInterface*>(service.Get())));
}
}

InterfaceTable CBankServices::Interfaces()
{
    return TableOf(BankServicesInterfaces);
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
