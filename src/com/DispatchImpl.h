// IDispatch for dual interfaces: late-bound calls are served by the
// interface's own type information, for the component's interfaces from the
// registered type library VORNTILOONLINELib 1.0.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "com/ComHolders.h"

// The type information of an interface of the module's type library, cached
// for the module's life; null when the library is not registered.
HRESULT GetModuleTypeInfo(REFIID iid, ITypeInfo** info);

// Releases the cached type information (module end).
void ReleaseModuleTypeInfo();

// Where an object's IDispatch finds the type information of its interface.
using TypeInfoSource = HRESULT (*)(REFIID iid, ITypeInfo** info);

// IDispatch served by the type information of the object's own interface.
template <class Interface, const IID* InterfaceId, TypeInfoSource Source = GetModuleTypeInfo>
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
        return Source(*InterfaceId, info);
    }

    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> info;
        const HRESULT result = Source(*InterfaceId, info.Out());
        return FAILED(result) ? result : info->GetIDsOfNames(names, count, ids);
    }

    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params,
                        VARIANT* result, EXCEPINFO* exception, UINT* argumentError) override
    {
        if (!IsEqualIID(iid, IID_NULL))
            return DISP_E_UNKNOWNINTERFACE;
        ComPtr<ITypeInfo> info;
        const HRESULT hr = Source(*InterfaceId, info.Out());
        return FAILED(hr) ? hr
                          : info->Invoke(static_cast<Interface*>(this), id, flags, params, result,
                                         exception, argumentError);
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
