// The one reference count and interface lookup of the host side's COM
// objects: the recording host objects (objects/), the stand-in's components
// and its class objects (standin/). It knows no module; a class that must
// keep its DLL loaded while it lives locks it in its own constructor.
//
// A class derives from its interfaces and CHostObjectRoot, puts
// VORN_HOST_IUNKNOWN_METHODS in its body and lists what it answers to:
//
//   InterfaceTableOf<CHostObjectRoot> Interfaces() override
//   {
//       static const InterfaceEntryOf<CHostObjectRoot> entries[] = {
//           VORN_HOST_INTERFACE(CThing, IThing, IID_IThing),
//       };
//       return TableOf(entries);
//   }
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <utility>

#include "com/ComHolders.h"
#include "com/InterfaceTable.h"

class CHostObjectRoot
{
public:
    CHostObjectRoot() = default;
    CHostObjectRoot(const CHostObjectRoot&) = delete;
    CHostObjectRoot& operator=(const CHostObjectRoot&) = delete;
    virtual ~CHostObjectRoot() = default;

    // The identities the object answers to; the first is also its IUnknown.
    virtual InterfaceTableOf<CHostObjectRoot> Interfaces() = 0;

    HRESULT InternalQueryInterface(REFIID iid, void** out)
    {
        return QueryInterfaceFromTable(this, Interfaces(), iid, out);
    }
    ULONG InternalAddRef() { return InterlockedIncrement(&m_refCount); }
    // The last release destroys the object.
    ULONG InternalRelease()
    {
        const LONG count = InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        return count;
    }

    // The references held now, for tests that check none is left behind.
    LONG RefCount() const { return m_refCount; }

private:
    volatile LONG m_refCount = 0;
};

#define VORN_HOST_INTERFACE(Class, Interface, iid) {&(iid), &ReachInterface<CHostObjectRoot, Class, Interface>}

#define VORN_HOST_IUNKNOWN_METHODS                                                          \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override                           \
    {                                                                                      \
        return InternalQueryInterface(iid, out);                                           \
    }                                                                                      \
    STDMETHODIMP_(ULONG) AddRef() override { return InternalAddRef(); }                    \
    STDMETHODIMP_(ULONG) Release() override { return InternalRelease(); }

// A new object of class T, made with the arguments, with one reference held
// by the result. Memory running out is thrown as std::bad_alloc.
template <class T, class... Args>
ComPtr<T> MakeHostObject(Args&&... args)
{
    ComPtr<T> object;
    object.Attach(new T(std::forward<Args>(args)...));
    object->InternalAddRef();
    return object;
}
