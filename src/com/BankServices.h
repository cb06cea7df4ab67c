// The list of the services that the bank offers (the payment service at
// position 0, the statement service at position 1) and what it is made of:
// a list of interface references behind a dual interface, and the host's
// service-list operations over it (look-up by position or by name, count,
// enumeration). The services' classes are the template's parameters.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VornEBanking.h"
#include "VornTiloOnline.h"
#include "com/CArray.h"
#include "com/ComHolders.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"
#include "com/EnumVariantArray.h"
#include "com/ErrorReporting.h"

// A list of interface references: the entries, in the order they were
// added, each holding one reference, and a tag value. Its own operations
// follow the interface's in the table of virtual functions, after the
// destructor's one entry.
const int ListGrowthStep = 8;

template <class Interface, const IID* InterfaceId, class Item>
class CListImpl : public IDispatchImpl<Interface, InterfaceId>
{
public:
    CListImpl() : m_entries(ListGrowthStep) {}
    CListImpl(const CListImpl&) = delete;
    CListImpl& operator=(const CListImpl&) = delete;

    // The one entry a virtual destructor has in the table of a component
    // built by the platform's own compiler (this one gives it two), so that
    // the list's own operations stand where callers count them, from slot
    // 11. The list is destroyed by its last Release only: this does nothing.
    virtual void* DestructorEntry(unsigned int) { return this; }

    virtual HRESULT STDMETHODCALLTYPE Add(Item* item)
    {
        return MethodGuard([&]() -> HRESULT {
            RequirePointer(item);
            m_entries.Add(item);
            item->AddRef();
            return S_OK;
        });
    }

    virtual HRESULT STDMETHODCALLTYPE Remove(LONG position)
    {
        return MethodGuard([&]() -> HRESULT {
            Item* item = m_entries.GetAt(position);
            m_entries.RemoveAt(position);
            item->Release();
            return S_OK;
        });
    }

    virtual HRESULT STDMETHODCALLTYPE Clear()
    {
        return MethodGuard([&]() -> HRESULT {
            for (int position = m_entries.GetSize() - 1; position >= 0; --position)
                m_entries.GetAt(position)->Release();
            m_entries.RemoveAll();
            return S_OK;
        });
    }

    virtual HRESULT STDMETHODCALLTYPE GetItemAt(LONG position, Item** item)
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(item) = FetchEntry(position);
            return S_OK;
        });
    }

    virtual HRESULT STDMETHODCALLTYPE GetTag(LONG* tag)
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(tag) = m_tag;
            return S_OK;
        });
    }

    // A plain setter: it cannot fail, so it needs no guard.
    virtual HRESULT STDMETHODCALLTYPE SetTag(LONG tag)
    {
        m_tag = tag;
        return S_OK;
    }

protected:
    // Through the object's root, which every list's class has. This class's
    // own Clear: no derived part is left to call.
    ~CListImpl() { CListImpl::Clear(); }

    // The entry with a new reference for the caller; a position outside the
    // entries is thrown as E_INVALIDARG.
    Item* FetchEntry(LONG position) const
    {
        Item* item = m_entries.GetAt(position);
        item->AddRef();
        return item;
    }

    CArray<Item*> m_entries;

private:
    LONG m_tag = 0;
};

const LCID ServiceNameLocale = 0x400;

// The host's service-list operations (slots 7 to 9 of IVornBankServices).
template <class Interface, const IID* InterfaceId>
class IBankServicesImpl : public CListImpl<Interface, InterfaceId, IVornBankService>
{
public:
    STDMETHODIMP GetItem(VARIANT* index, IVornBankService** item) override
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(item) = nullptr;
            *item = this->FetchEntry(ResolvePosition(index));
            return S_OK;
        });
    }

    STDMETHODIMP GetCount(LONG* count) override
    {
        return MethodGuard([&]() -> HRESULT {
            *RequirePointer(count) = this->m_entries.GetSize();
            return S_OK;
        });
    }

    // Running out of memory here is reported as the guard's unexpected case.
    STDMETHODIMP NewEnum(IUnknown** enumerator) override
    {
        return MethodGuard([&]() -> HRESULT {
            RequirePointer(enumerator);
            *enumerator = static_cast<IEnumVARIANT*>(
                MakeComObject<CEnumVariantArray>(this->m_entries, static_cast<Interface*>(this)).Detach());
            return S_OK;
        });
    }

private:
    static const LONG NoPosition = -1;

    // A position or a service name; NoPosition when it names no entry.
    LONG ResolvePosition(const VARIANT* index) const
    {
        if (!index || V_VT(index) == VT_EMPTY || V_VT(index) == VT_ERROR)
            return NoPosition;
        if (V_VT(index) == VT_BSTR)
            return FindByName(V_BSTR(index));
        if (V_VT(index) == (VT_BSTR | VT_BYREF))
            return V_BSTRREF(index) ? FindByName(*V_BSTRREF(index)) : NoPosition;

        Variant position;
        if (FAILED(VariantChangeType(position.Get(), const_cast<VARIANT*>(index), 0, VT_I4)))
            return NoPosition;
        return V_I4(position.Get()) < this->m_entries.GetSize() ? V_I4(position.Get()) : NoPosition;
    }

    // The first entry whose name equals the text exactly (case matters).
    LONG FindByName(BSTR name) const
    {
        for (int position = 0; position < this->m_entries.GetSize(); ++position)
        {
            BStr entryName;
            if (FAILED(this->m_entries.GetAt(position)->GetName(entryName.Out())))
                continue;
            if (VarBstrCmp(entryName.Get(), name, ServiceNameLocale, 0) == VARCMP_EQ)
                return position;
        }
        return NoPosition;
    }
};

template <class PaymentService, class StatementService>
class CBankServicesOf : public CSupportErrorInfoImpl<&IID_IBankServices>,
                        public IBankServicesImpl<IBankServices, &IID_IBankServices>,
                        public CComObjectRoot
{
public:
    VORN_IUNKNOWN_METHODS

    // Fills the list with its two services.
    HRESULT FinalConstruct() override
    {
        return MethodGuard([&]() -> HRESULT {
            ThrowIfFailed(this->Clear());
            AddNewService<PaymentService, IBankPaymentService>();
            AddNewService<StatementService, IBankStatementService>();
            return S_OK;
        });
    }

private:
    // Creates a service and appends it; the list takes its own reference.
    template <class Service, class ServiceInterface>
    void AddNewService()
    {
        ComPtr<Service> service;
        ThrowIfFailed(CreateComObject(service));
        ThrowIfFailed(this->Add(static_cast<ServiceInterface*>(service.Get())));
    }
};

template <class PaymentService, class StatementService>
InterfaceTable CBankServicesOf<PaymentService, StatementService>::Interfaces()
{
    using List = CBankServicesOf<PaymentService, StatementService>;
    static const InterfaceEntry entries[] = {
        VORN_INTERFACE(List, IBankServices, IID_IDispatch),
        VORN_INTERFACE(List, ISupportErrorInfo, IID_ISupportErrorInfo),
        VORN_INTERFACE(List, IBankServices, IID_IBankServices),
        VORN_INTERFACE(List, IBankServices, IID_IVornBankServices),
    };
    return TableOf(entries);
}
