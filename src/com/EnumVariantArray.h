// The enumerator of the service list: hands out the list's entries as
// IDispatch VARIANTs. It keeps a reference on the list, so the array that it
// reads lives as long as the enumerator does.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "VornEBanking.h"
#include "com/CArray.h"
#include "com/ComHolders.h"
#include "com/ComObject.h"

class CEnumVariantArray : public IEnumVARIANT, public CComObjectRoot
{
public:
    // owner: the object that holds the entries.
    CEnumVariantArray(const CArray<IVornBankService*>& entries, IUnknown* owner, ULONG position = 0);

    VORN_IUNKNOWN_METHODS
    STDMETHODIMP Next(ULONG wanted, VARIANT* items, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** clone) override;

private:
    const CArray<IVornBankService*>& m_entries;
    ComPtr<IUnknown> m_owner;
    ULONG m_position;
};
