// The root of the host side's COM objects: the recording host objects
// (objects/), the stand-in's components and its class objects (standin/).
// Its reference count and interface lookup are those of the component's
// objects (com/ObjectRoot.h); it knows no module, and a class that must keep
// its DLL loaded while it lives locks it in its own constructor.
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
#include "com/ObjectRoot.h"

// The host's objects lock no module.
class CHostObjectRoot : public CObjectRoot<CHostObjectRoot>
{
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
