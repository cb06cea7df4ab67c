// What the roots of all COM objects share, the component's (CComObjectRoot)
// and the host's (CHostObjectRoot): one reference count, and QueryInterface
// from a table (the idea of the samples' QITAB), in which each class lists
// the identities it answers to. Nothing here knows a module, so the host
// uses it without the component's internals.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <stddef.h>

// One identity an object answers to, and how the object (seen as Base)
// reaches it.
template <class Base>
struct InterfaceEntryOf
{
    const IID* iid;
    IUnknown* (*reach)(Base* object);
};

template <class Base>
struct InterfaceTableOf
{
    const InterfaceEntryOf<Base>* entries;
    size_t count;
};

template <class Base, size_t Count>
InterfaceTableOf<Base> TableOf(const InterfaceEntryOf<Base> (&entries)[Count])
{
    return {entries, Count};
}

template <class Base, class Class, class Interface>
IUnknown* ReachInterface(Base* object)
{
    return static_cast<Interface*>(static_cast<Class*>(object));
}

// QueryInterface from a table. IUnknown gives the table's first entry (the
// object's identity). A refusal leaves a null out-pointer (E_NOINTERFACE);
// an accepted identity with no out-pointer gives E_POINTER.
template <class Base>
HRESULT QueryInterfaceFromTable(Base* object, const InterfaceTableOf<Base>& table, REFIID iid, void** out)
{
    IUnknown* found = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) && table.count > 0)
        found = table.entries[0].reach(object);
    for (size_t index = 0; !found && index < table.count; ++index)
    {
        if (IsEqualIID(iid, *table.entries[index].iid))
            found = table.entries[index].reach(object);
    }
    if (!found)
    {
        if (out)
            *out = nullptr;
        return E_NOINTERFACE;
    }
    if (!out)
        return E_POINTER;
    found->AddRef();
    *out = found;
    return S_OK;
}

// The reference count and the interface lookup of an object root; Root is
// the root class itself, whose tables the objects give.
template <class Root>
class CObjectRoot
{
public:
    CObjectRoot() = default;
    CObjectRoot(const CObjectRoot&) = delete;
    CObjectRoot& operator=(const CObjectRoot&) = delete;
    virtual ~CObjectRoot() = default;

    // The identities the object answers to; the first is also its IUnknown.
    virtual InterfaceTableOf<Root> Interfaces() = 0;

    HRESULT InternalQueryInterface(REFIID iid, void** out)
    {
        return QueryInterfaceFromTable(static_cast<Root*>(this), Interfaces(), iid, out);
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
