// The component's root object: the bank "Tilo Online", its list of services
// (made on first request and kept), and its configuration through the host's
// settings component. The list's class is the template's parameter, so this
// folder needs no knowledge of the services themselves.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"
#include "com/ErrorReporting.h"
#include "com/HostSettings.h"
#include "com/OwnedName.h"

// The host's bank operations (slots 7 to 10 of IVornBank).
template <class Services>
class IBankImpl : public IDispatchImpl<IBank, &IID_IBank>
{
public:
    IBankImpl() : m_name(MakeOwnedName(BankName)) {}

    STDMETHODIMP GetName(BSTR* name) override
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(name) = CopyOwnedName(m_name.Get());
            return S_OK;
        });
    }

    STDMETHODIMP GetServices(IVornBankServices** services) override
    {
        return MethodGuard([&]() -> HRESULT {
            RequirePointer(services);
            if (!m_services)
                ThrowIfFailed(CreateComObject(m_services));
            *services = static_cast<IBankServices*>(m_services.CopyOut());
            return S_OK;
        });
    }

    STDMETHODIMP IsConfigurable(LONG* configurable) override
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(configurable) = 1;
            return S_OK;
        });
    }

    STDMETHODIMP Configure(LONG) override
    {
        return MethodGuard([&]() -> HRESULT {
            CHostSettings().ConfigureBank();
            return S_OK;
        });
    }

private:
    BStr m_name;
    ComPtr<Services> m_services;
};

template <class Services>
class CBankOf : public CSupportErrorInfoImpl<&IID_IBank>, public IBankImpl<Services>, public CComObjectRoot
{
public:
    VORN_IUNKNOWN_METHODS
};

template <class Services>
InterfaceTable CBankOf<Services>::Interfaces()
{
    using Bank = CBankOf<Services>;
    static const InterfaceEntry entries[] = {
        VORN_INTERFACE(Bank, IBank, IID_IBank),
        VORN_INTERFACE(Bank, IBank, IID_IVornBank),
        VORN_INTERFACE(Bank, IBank, IID_IDispatch),
        VORN_INTERFACE(Bank, ISupportErrorInfo, IID_ISupportErrorInfo),
    };
    return TableOf(entries);
}
