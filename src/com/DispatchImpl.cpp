#include "com/DispatchImpl.h"

#include "VornTiloOnline.h"
#include "com/ComHolders.h"

namespace
{
struct CachedTypeInfo
{
    const IID* iid;
    ComPtr<ITypeInfo> info;
};

// One entry per dual interface of the module; the thread is the host's.
CachedTypeInfo g_cache[] = {
    {&IID_IBank, {}},
    {&IID_IBankServices, {}},
    {&IID_IBankPaymentService, {}},
    {&IID_IBankStatementService, {}},
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
            result = library->GetTypeInfoOfGuid(iid, entry.info.Out());
            if (FAILED(result))
                return result;
        }
        *info = entry.info.CopyOut();
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

void ReleaseModuleTypeInfo()
{
    for (CachedTypeInfo& entry : g_cache)
        entry.info.Reset();
}
