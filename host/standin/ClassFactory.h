// The class object of a stand-in class: one static instance per class, alive
// as long as the DLL; server locks keep the DLL loaded.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <new>

#include "StandInModule.h"
#include "com/ComHolders.h"

template <class T>
class CClassFactory : public IClassFactory
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory))
            return E_NOINTERFACE;
        *out = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        T* object = new (std::nothrow) T;
        if (!object)
            return E_OUTOFMEMORY;
        const ComPtr<T> held(object);
        return held->QueryInterface(iid, out);
    }
    STDMETHODIMP LockServer(BOOL lock) override
    {
        if (lock)
            StandInLockServer();
        else
            StandInUnlockServer();
        return S_OK;
    }
};
