// The host's recording objects (payments, bank context, statement) are real
// COM objects: reference counted, with QueryInterface for IUnknown,
// IDispatch and their own interface. They are called early-bound; their
// IDispatch part offers no type information. The tests hand them to the
// component, and tilohost uses them as its host objects.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <typeinfo>
#include <vector>

#include "com/ComHolders.h"
#include "common/HostObjectRoot.h"

// Every call on a recording object that the object does not serve, for the
// whole process, in the order made, as "IVornPayment::SetAmount". Such a
// call is answered E_NOTIMPL; every test fails on one (the test main checks
// after each test), and tilohost warns of each after its run.
void RecordUnexpectedHostCall(const std::string& call);
// The calls recorded so far.
std::vector<std::string> UnexpectedHostCalls();
// The calls recorded so far, and the record emptied.
std::vector<std::string> TakeUnexpectedHostCalls();

// A host that fails, for the tests of how the component meets one: every
// call that a recording object serves is counted from 1 across all objects
// of the process, and the call numbered `at` returns `result` instead of
// being served (its out-arguments left null or 0, nothing recorded). `at` 0
// fails none. The count starts anew with each call of this function. The
// objects are called on one thread, as the component calls them.
void FailServedHostCall(long at, HRESULT result);
// The calls served (or failed) since the count started.
long ServedHostCalls();
// The call that was failed, as "IVornPayment::GetAmount"; empty while none.
std::string FailedHostCall();
// Counts a call that an object serves: S_OK to serve it, or the failure to
// return instead. `call` names it as FailedHostCall gives it.
HRESULT ServeHostCall(const char* call);

// The name of a type as written in the source ("IVornPayment").
std::string ReadableTypeName(const std::type_info& type);

template <class Interface>
class HostObject : public Interface, public CHostObjectRoot
{
public:
    VORN_HOST_IUNKNOWN_METHODS

    InterfaceTableOf<CHostObjectRoot> Interfaces() override
    {
        static const InterfaceEntryOf<CHostObjectRoot> entries[] = {
            VORN_HOST_INTERFACE(HostObject, Interface, __uuidof(Interface)),
            VORN_HOST_INTERFACE(HostObject, Interface, IID_IDispatch),
        };
        return TableOf(entries);
    }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return Unexpected("GetTypeInfo"); }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return Unexpected("GetIDsOfNames");
    }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return Unexpected("Invoke");
    }

protected:
    // A call that the component has no business making.
    HRESULT Unexpected(const char* method)
    {
        RecordUnexpectedHostCall(ReadableTypeName(typeid(Interface)) + "::" + method);
        return E_NOTIMPL;
    }
};

// Hands out a host text as the host does: a new BSTR, or null when the text
// is marked as missing.
inline HRESULT HostText(const std::wstring& text, bool missing, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = missing ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}
