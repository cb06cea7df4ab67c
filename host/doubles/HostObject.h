// The stand-in host's objects are real COM objects: reference counted, with
// QueryInterface for IUnknown, IDispatch and their own interface. They are
// called early-bound; their IDispatch part offers no type information.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

#include "com/ComHolders.h"

template <class Interface>
class HostObject : public Interface
{
public:
    HostObject() = default;
    HostObject(const HostObject&) = delete;
    HostObject& operator=(const HostObject&) = delete;
    virtual ~HostObject() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
            IsEqualIID(iid, __uuidof(Interface)))
        {
            *out = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refCount); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG count = InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        return count;
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

    LONG RefCount() const { return m_refCount; }

    // Calls that the component has no business making; tests expect none.
    std::vector<std::string> unexpectedCalls;

protected:
    HRESULT Unexpected(const char* method)
    {
        unexpectedCalls.push_back(method);
        return E_NOTIMPL;
    }

private:
    volatile LONG m_refCount = 0;
};

// A new host object with one reference held by the result.
template <class T, class... Args>
ComPtr<T> MakeHostObject(Args&&... args)
{
    ComPtr<T> result;
    result.Attach(new T(static_cast<Args&&>(args)...));
    result->AddRef();
    return result;
}

// Hands out a host text as the host does: a new BSTR, or null when the text
// is marked as missing.
inline HRESULT HostText(const std::wstring& text, bool missing, BSTR* out)
{
    if (!out)
        return E_POINTER;
    *out = missing ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return S_OK;
}
