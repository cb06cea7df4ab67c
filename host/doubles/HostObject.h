// The stand-in host's objects are real COM objects: reference counted, with
// QueryInterface for IUnknown, IDispatch and their own interface. They are
// called early-bound; their IDispatch part offers no type information.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "com/ComHolders.h"
#include "common/HostObjectRoot.h"

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

    // Calls that the component has no business making; tests expect none.
    std::vector<std::string> unexpectedCalls;

protected:
    HRESULT Unexpected(const char* method)
    {
        unexpectedCalls.push_back(method);
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
