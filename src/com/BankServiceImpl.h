// The operations that the payment and the statement service share (slots 7
// to 11 of IVornBankService): the service's name and its status value.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "com/ComHolders.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"
#include "com/ErrorReporting.h"
#include "com/HostComponent.h"
#include "com/OwnedName.h"

// One run of a service at a time: a host that calls the service again from
// inside one of its own callbacks (a nested import or payment run) is
// refused at once, and the run in progress goes on untouched. The holder
// marks the run for its lifetime.
class CServiceRun
{
public:
    // Refuses with a description of `refusal` when a run is in progress.
    CServiceRun(bool& running, const wchar_t* refusal) : m_running(running)
    {
        if (m_running)
            RaiseDescribedFailure(HRESULT_FROM_WIN32(ERROR_BUSY), refusal);
        m_running = true;
    }
    ~CServiceRun() { m_running = false; }
    CServiceRun(const CServiceRun&) = delete;
    CServiceRun& operator=(const CServiceRun&) = delete;

private:
    bool& m_running;
};

template <class Interface, const IID* InterfaceId>
class IBankServiceImpl : public IDispatchImpl<Interface, InterfaceId>
{
public:
    explicit IBankServiceImpl(const char* name) : m_name(MakeOwnedName(name)) {}

    STDMETHODIMP GetName(BSTR* name) override
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(name) = CopyOwnedName(m_name.Get());
            return S_OK;
        });
    }

    STDMETHODIMP GetStatus(LONG* status) override
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(status) = m_status;
            return S_OK;
        });
    }

    // A plain setter: it cannot fail, so it needs no guard.
    STDMETHODIMP SetStatus(LONG status) override
    {
        m_status = status;
        return S_OK;
    }

    // The host's reserved slots: accepted, nothing read or written.
    STDMETHODIMP Reserved1(LONG* value) override
    {
        return MethodGuard([&]() -> HRESULT {
            RequirePointer(value);
            return S_OK;
        });
    }

    STDMETHODIMP Reserved2(LONG, LONG* value) override
    {
        return MethodGuard([&]() -> HRESULT {
            RequirePointer(value);
            return S_OK;
        });
    }

protected:
    // The outcome of the service's last run; the host may overwrite it.
    LONG m_status = 0;
    // Whether a run of the service is in progress (see CServiceRun).
    bool m_running = false;

private:
    BStr m_name;
};

// The identities a service answers to, in this order: its own interface, the
// host's interface of the same service, IDispatch and ISupportErrorInfo. Not
// the host's common IVornBankService: the host asks each service for its own.
template <class Service, class Interface, const IID* OwnId, const IID* HostId>
InterfaceTable ServiceInterfaces()
{
    static const InterfaceEntry entries[] = {
        VORN_INTERFACE(Service, Interface, *OwnId),
        VORN_INTERFACE(Service, Interface, *HostId),
        VORN_INTERFACE(Service, Interface, IID_IDispatch),
        VORN_INTERFACE(Service, ISupportErrorInfo, IID_ISupportErrorInfo),
    };
    return TableOf(entries);
}
