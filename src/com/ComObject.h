// The COM object machinery of the component's classes: reference counting
// that keeps the module locked while objects live, interface lookup, and
// creation as a plain or an aggregated object.
//
// A class derives from its interfaces and CComObjectRoot, puts
// VORN_IUNKNOWN_METHODS in its body and implements FindInterface.
#pragma once

#include <windows.h>
#include <unknwn.h>
#include <new>

#include "com/ComHolders.h"
#include "module/Module.h"

class CComObjectRoot
{
public:
    CComObjectRoot() { ModuleLock(); }
    CComObjectRoot(const CComObjectRoot&) = delete;
    CComObjectRoot& operator=(const CComObjectRoot&) = delete;
    virtual ~CComObjectRoot() { ModuleUnlock(); }

    // Runs once after construction; a failure destroys the object.
    virtual HRESULT FinalConstruct() { return S_OK; }

    // The interface for the identifier, without a new reference, or null.
    // IID_IUnknown must give the object's identity (its first interface).
    virtual IUnknown* FindInterface(REFIID iid) = 0;

    HRESULT InternalQueryInterface(REFIID iid, void** out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        IUnknown* found = FindInterface(iid);
        if (!found)
            return E_NOINTERFACE;
        found->AddRef();
        *out = found;
        return S_OK;
    }
    ULONG InternalAddRef() { return InterlockedIncrement(&m_refCount); }
    ULONG InternalRelease()
    {
        const LONG count = InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        return count;
    }

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
    volatile LONG m_refCount = 0;
    IUnknown* m_outer = nullptr;
};

#define VORN_IUNKNOWN_METHODS                                                              \
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override                           \
    {                                                                                      \
        return OuterQueryInterface(iid, out);                                              \
    }                                                                                      \
    STDMETHODIMP_(ULONG) AddRef() override { return OuterAddRef(); }                       \
    STDMETHODIMP_(ULONG) Release() override { return OuterRelease(); }

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

namespace ComObjectDetail
{
template <class Make>
HRESULT Construct(Make&& make)
{
    try
    {
        return make();
    }
    catch (HRESULT code)
    {
        return code;
    }
    catch (...)
    {
        return E_OUTOFMEMORY;
    }
}
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
    return ComObjectDetail::Construct([&]() -> HRESULT {
        if (outer)
        {
            auto* aggregate = new (std::nothrow) CComAggObject<T>(outer);
            if (!aggregate)
                return E_OUTOFMEMORY;
            const ComPtr<CComAggObject<T>> held(aggregate);
            const HRESULT result = held->Contained().FinalConstruct();
            return FAILED(result) ? result : held->QueryInterface(iid, out);
        }
        T* object = new (std::nothrow) T();
        if (!object)
            return E_OUTOFMEMORY;
        object->InternalAddRef();
        HRESULT result = object->FinalConstruct();
        if (SUCCEEDED(result))
            result = object->InternalQueryInterface(iid, out);
        object->InternalRelease();
        return result;
    });
}

// Creates a plain object of class T for the component's own use, holding one
// reference.
template <class T>
HRESULT CreateComObject(ComPtr<T>& out)
{
    out.Reset();
    return ComObjectDetail::Construct([&]() -> HRESULT {
        T* object = new (std::nothrow) T();
        if (!object)
            return E_OUTOFMEMORY;
        object->InternalAddRef();
        const HRESULT result = object->FinalConstruct();
        if (FAILED(result))
        {
            object->InternalRelease();
            return result;
        }
        out.Attach(object);
        return S_OK;
    });
}
