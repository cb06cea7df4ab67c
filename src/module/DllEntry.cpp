// The module's exported entry points.
#include <windows.h>
#include <ole2.h>

#include "com/DispatchImpl.h"
#include "module/ClassTable.h"
#include "com/ComModule.h"
#include "module/Registration.h"
#include "statements/BankStatementService.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        SetModuleInstance(instance);
        InitializeClassTable();
        CreateChequeTypeCode();
        DisableThreadLibraryCalls(instance);
    }
    else if (reason == DLL_PROCESS_DETACH)
    {
        EndClassTable();
        FreeChequeTypeCode();
        ReleaseModuleTypeInfo();
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    return GetClassObject(clsid, iid, out);
}

STDAPI DllCanUnloadNow()
{
    return ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllRegisterServer()
{
    return RegisterServer();
}

STDAPI DllUnregisterServer()
{
    return UnregisterServer();
}
