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
