#include "com/DispatchImpl.h"

#include "VornTiloOnline.h"
#include "com/ComHolders.h"

namespace
{
struct CachedTypeInfo
{
    const IID* iid;
    ITypeInfo* info;
};

// One entry per dual interface of the module; the thread is the host's.
CachedTypeInfo g_cache[] = {
    {&IID_IBank, nullptr},
    {&IID_IBankServices, nullptr},
    {&IID_IBankPaymentService, nullptr},
    {&IID_IBankStatementService, nullptr},
};
}

HRESULT GetModuleTypeInfo(REFIID iid, ITypeInfo** info)
{
    *info = nullptr;
    for (CachedTypeInfo& entry : g_cache)
    {
        if (!IsEqualIID(*entry.iid, iid))
            continue;
        if (!entry.info)
        {
            ComPtr<ITypeLib> library;
            HRESULT result = LoadRegTypeLib(LIBID_VORNTILOONLINELib, 1, 0, 0x409, library.Out());
            if (FAILED(result))
                return result;
            result = library->GetTypeInfoOfGuid(iid, &entry.info);
            if (FAILED(result))
                return result;
        }
        entry.info->AddRef();
        *info = entry.info;
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

void ReleaseModuleTypeInfo()
{
    for (CachedTypeInfo& entry : g_cache)
    {
        if (entry.info)
            entry.info->Release();
        entry.info = nullptr;
    }
}
