// The COM object machinery of the component's classes: one reference count
// that keeps the module locked while objects live, interface lookup from a
// table, creation as a plain or an aggregated object, and the one way to
// make an object for a caller.
//
// A class derives from its interfaces and CComObjectRoot, puts
// VORN_IUNKNOWN_METHODS in its body and gives its interface table:
//
//   const InterfaceEntry BankInterfaces[] = {
//       VORN_INTERFACE(CBank, IBank, IID_IBank),
//       VORN_INTERFACE(CBank, ISupportErrorInfo, IID_ISupportErrorInfo),
//   };
//   InterfaceTable CBank::Interfaces() { return TableOf(BankInterfaces); }
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <new>
#include <utility>

#include "com/ComHolders.h"
#include "com/ComModule.h"
#include "com/ErrorReporting.h"
#include "com/ObjectRoot.h"

class CComObjectRoot;

// The tables of the component's objects.
using InterfaceEntry = InterfaceEntryOf<CComObjectRoot>;
using InterfaceTable = InterfaceTableOf<CComObjectRoot>;
#define VORN_INTERFACE(Class, Interface, iid) {&(iid), &ReachInterface<CComObjectRoot, Class, Interface>}

// The root of the component's objects: they keep the module locked while
// they live, and may be aggregated.
class CComObjectRoot : public CObjectRoot<CComObjectRoot>
{
public:
    CComObjectRoot() { ModuleLock(); }
    ~CComObjectRoot() override { ModuleUnlock(); }

    // Runs once after construction; a failure destroys the object.
    virtual HRESULT FinalConstruct() { return S_OK; }

    // The controlling unknown of an aggregate, or null for a plain object.
    void SetOuterUnknown(IUnknown* outer) { m_outer = outer; }

protected:
    HRESULT OuterQueryInterface(REFIID iid, void** out)
    {
        return m_outer ? m_outer->QueryInterface(iid, out) : InternalQueryInterface(iid, out);
    }
    ULONG OuterAddRef() { return m_outer ? m_outer->AddRef() : InternalAddRef(); }
    ULONG OuterRelease() { return m_outer ? m_outer->Release() : InternalRelease(); }

private:
    IUnknown* m_outer = nullptr;
};

#define VORN_IUNKNOWN_METHODS                                                              \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override                           \
    {                                                                                      \
        return OuterQueryInterface(iid, out);                                              \
    }                                                                                      \
    STDMETHODIMP_(ULONG) AddRef() override { return OuterAddRef(); }                       \
    STDMETHODIMP_(ULONG) Release() override { return OuterRelease(); }                     \
    InterfaceTable Interfaces() override;

// The inner, non-delegating unknown of an aggregated object: the outer
// object holds it and alone controls the contained object's life.
template <class T>
class CComAggObject final : public IUnknown
{
public:
    explicit CComAggObject(IUnknown* outer) { m_contained.SetOuterUnknown(outer); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (IsEqualIID(iid, IID_IUnknown))
        {
            *out = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return m_contained.InternalQueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refCount); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG count = InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        return count;
    }

    T& Contained() { return m_contained; }

private:
    volatile LONG m_refCount = 0;
    T m_contained;
};

// Makes a plain object of class T, constructed with the arguments and
// finally constructed, holding one reference. Memory running out is thrown
// as std::bad_alloc, a failed final construction as its HRESULT.
template <class T, class... Args>
ComPtr<T> MakeComObject(Args&&... args)
{
    ComPtr<T> object;
    object.Attach(new T(std::forward<Args>(args)...));
    object->InternalAddRef();
    ThrowIfFailed(object->FinalConstruct());
    return object;
}

// MakeComObject with its failure as the result: E_OUTOFMEMORY when memory
// runs out. `out` is empty on failure.
template <class T, class... Args>
HRESULT CreateComObject(ComPtr<T>& out, Args&&... args)
{
    out.Reset();
    return ResultGuard([&]() -> HRESULT {
        out = MakeComObject<T>(std::forward<Args>(args)...);
        return S_OK;
    });
}

// Creates an object of class T as a class object's CreateInstance does.
template <class T>
HRESULT CreateComInstance(IUnknown* outer, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (outer && !IsEqualIID(iid, IID_IUnknown))
        return CLASS_E_NOAGGREGATION;
    return ResultGuard([&]() -> HRESULT {
        if (outer)
        {
            ComPtr<CComAggObject<T>> aggregate;
            aggregate.Attach(new CComAggObject<T>(outer));
            aggregate->AddRef();
            ThrowIfFailed(aggregate->Contained().FinalConstruct());
            return aggregate->QueryInterface(iid, out);
        }
        return MakeComObject<T>()->InternalQueryInterface(iid, out);
    });
}
