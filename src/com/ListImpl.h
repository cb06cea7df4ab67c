// A list of interface references behind a dual interface: the entries, in
// the order they were added, each holding one reference, and a tag value.
// Its own operations follow the interface's in the table of virtual
// functions, after the destructor.
#pragma once

#include <windows.h>

#include "com/CArray.h"
#include "com/DispatchImpl.h"
#include "com/ErrorReporting.h"

const int ListGrowthStep = 8;

template <class Interface, const IID* InterfaceId, class Item>
class CListImpl : public IDispatchImpl<Interface, InterfaceId>
{
public:
    CListImpl() : m_entries(ListGrowthStep) {}
    CListImpl(const CListImpl&) = delete;
    CListImpl& operator=(const CListImpl&) = delete;
    virtual ~CListImpl() { Clear(); }

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
