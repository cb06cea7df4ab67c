#include "module/ClassFactory.h"

#include "com/ComObject.h"
#include "com/ComModule.h"

namespace
{
const InterfaceEntryOf<CClassFactory> ClassFactoryInterfaces[] = {
    {&IID_IClassFactory, &ReachInterface<CClassFactory, CClassFactory, IClassFactory>},
};
}

CClassFactory::CClassFactory(CreateInstanceFunction createInstance) : m_createInstance(createInstance) {}

STDMETHODIMP CClassFactory::QueryInterface(REFIID iid, void** out)
{
    return QueryInterfaceFromTable(this, TableOf(ClassFactoryInterfaces), iid, out);
}

// The first reference beyond the module's own locks the module; returning to
// the module's own unlocks it.
STDMETHODIMP_(ULONG) CClassFactory::AddRef()
{
    const LONG count = InterlockedIncrement(&m_refCount);
    if (count == 2)
        ModuleLock();
    return count;
}

STDMETHODIMP_(ULONG) CClassFactory::Release()
{
    const LONG count = InterlockedDecrement(&m_refCount);
    if (count == 1)
        ModuleUnlock();
    else if (count == 0)
        delete this;
    return count;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out)
{
    return m_createInstance(outer, iid, out);
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock)
{
    if (lock)
        ModuleLockServer();
    else
        ModuleUnlockServer();
    return S_OK;
}
