// IDispatch for the component's dual interfaces: late-bound calls are served
// from the registered type library VORNTILOONLINELib 1.0, by the interface's
// own type information.
#pragma once

#include <windows.h>
#include <oaidl.h>

// The type information of an interface of the module's type library, cached
// for the module's life; null when the library is not registered.
HRESULT GetModuleTypeInfo(REFIID iid, ITypeInfo** info);

// Releases the cached type information (module end).
void ReleaseModuleTypeInfo();

template <class Interface, const IID* InterfaceId>
class IDispatchImpl : public Interface
{
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = 1;
        return S_OK;
    }

    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        if (!info)
            return E_POINTER;
        *info = nullptr;
        if (index != 0)
            return DISP_E_BADINDEX;
        return GetModuleTypeInfo(*InterfaceId, info);
    }

    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* info = nullptr;
        HRESULT result = GetModuleTypeInfo(*InterfaceId, &info);
        if (FAILED(result))
            return result;
        result = info->GetIDsOfNames(names, count, ids);
        info->Release();
        return result;
    }

    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        ITypeInfo* info = nullptr;
        HRESULT hr = GetModuleTypeInfo(*InterfaceId, &info);
        if (FAILED(hr))
            return hr;
        hr = info->Invoke(static_cast<Interface*>(this), id, flags, params, result, exception,
                          argumentError);
        info->Release();
        return hr;
    }
};

// ISupportErrorInfo: only the class's own interface posts error information.
template <const IID* InterfaceId>
class CSupportErrorInfoImpl : public ISupportErrorInfo
{
public:
    STDMETHODIMP InterfaceSupportsErrorInfo(REFIID iid) override
    {
        return IsEqualIID(iid, *InterfaceId) ? S_OK : S_FALSE;
    }
};
