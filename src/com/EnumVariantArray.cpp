#include "com/EnumVariantArray.h"

namespace
{
const InterfaceEntry EnumeratorInterfaces[] = {
    VORN_INTERFACE(CEnumVariantArray, IEnumVARIANT, IID_IEnumVARIANT),
};
}

CEnumVariantArray::CEnumVariantArray(const CArray<IVornBankService*>& entries, IUnknown* owner,
                                     ULONG position)
    : m_entries(entries), m_owner(owner), m_position(position)
{
}

InterfaceTable CEnumVariantArray::Interfaces()
{
    return TableOf(EnumeratorInterfaces);
}

STDMETHODIMP CEnumVariantArray::Next(ULONG wanted, VARIANT* items, ULONG* fetched)
{
    if (fetched)
        *fetched = 0;
    if (wanted > 0 && !items)
        return E_POINTER;
    for (ULONG i = 0; i < wanted; ++i)
        VariantInit(&items[i]);

    ULONG delivered = 0;
    while (delivered < wanted && m_position < static_cast<ULONG>(m_entries.GetSize()))
    {
        VARIANT& item = items[delivered];
        V_VT(&item) = VT_DISPATCH;
        if (FAILED(m_entries.GetAt(m_position)->QueryInterface(IID_IDispatch,
                                                               reinterpret_cast<void**>(&V_DISPATCH(&item)))))
        {
            VariantInit(&item);
            break;
        }
        ++delivered;
        ++m_position;
        if (fetched)
            *fetched = delivered;
    }
    return delivered < wanted ? S_FALSE : S_OK;
}

STDMETHODIMP CEnumVariantArray::Skip(ULONG count)
{
    const ULONGLONG target = static_cast<ULONGLONG>(m_position) + count;
    if (target > static_cast<ULONGLONG>(m_entries.GetSize()))
        return S_FALSE;
    m_position = static_cast<ULONG>(target);
    return S_OK;
}

STDMETHODIMP CEnumVariantArray::Reset()
{
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CEnumVariantArray::Clone(IEnumVARIANT** clone)
{
    ComPtr<CEnumVariantArray> copy;
    const HRESULT created = CreateComObject(copy, m_entries, m_owner.Get(), m_position);
    if (FAILED(created))
        return created;
    return copy->QueryInterface(IID_IEnumVARIANT, reinterpret_cast<void**>(clone));
}
