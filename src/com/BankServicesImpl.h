// The host's service-list operations (slots 7 to 9 of IVornBankServices) over
// a list of services: look-up by position or by name, count, enumeration.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VornEBanking.h"
#include "com/ComHolders.h"
#include "com/EnumVariantArray.h"
#include "com/ErrorReporting.h"
#include "com/ListImpl.h"

const LCID ServiceNameLocale = 0x400;

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
