// The class object of a stand-in class, made afresh for each request. Like
// the objects it makes, it keeps the DLL loaded while anyone holds it;
// server locks do the same.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <new>

#include "common/HostObjectRoot.h"
#include "standin/StandInModule.h"

template <class T>
class CStandInClassFactory : public IClassFactory, public CHostObjectRoot
{
public:
    CStandInClassFactory() { StandInLock(); }
    ~CStandInClassFactory() override { StandInUnlock(); }

    // DllGetClassObject's answer for class T.
    static HRESULT GetClassObject(REFIID iid, void** out)
    {
        try
        {
            return MakeHostObject<CStandInClassFactory>()->QueryInterface(iid, out);
        }
        catch (const std::bad_alloc&)
        {
            return E_OUTOFMEMORY;
        }
    }

    VORN_HOST_IUNKNOWN_METHODS

    InterfaceTableOf<CHostObjectRoot> Interfaces() override
    {
        static const InterfaceEntryOf<CHostObjectRoot> entries[] = {
            VORN_HOST_INTERFACE(CStandInClassFactory, IClassFactory, IID_IClassFactory),
        };
        return TableOf(entries);
    }

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (outer)
            return CLASS_E_NOAGGREGATION;
        try
        {
            return MakeHostObject<T>()->QueryInterface(iid, out);
        }
        catch (const std::bad_alloc&)
        {
            return E_OUTOFMEMORY;
        }
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
