// The stand-in DLL's entry points.
#include <windows.h>
#include <ole2.h>

#include "common/ComScope.h"
#include "standin/BankSettings.h"
#include "standin/Registration.h"
#include "standin/StandInClassFactory.h"
#include "standin/StandInControl.h"
#include "standin/StandInModule.h"
#include "standin/StatementFileSelector.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH)
    {
        SetStandInInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (IsEqualCLSID(clsid, CLSID_VornBankSettings))
        return CStandInClassFactory<CBankSettings>::GetClassObject(iid, out);
    if (IsEqualCLSID(clsid, CLSID_VornStatementFileSelector))
        return CStandInClassFactory<CStatementFileSelector>::GetClassObject(iid, out);
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow()
{
    return StandInLockCount() == 0 ? S_OK : S_FALSE;
}

// Registration may run on a thread where COM is not started (regsvr32);
// the category manager needs it.
STDAPI DllRegisterServer()
{
    const ComScope com;
    HRESULT result = RegisterHostTypeLibraries();
    if (SUCCEEDED(result))
        result = RegisterStandInClass(StandInSettingsClass);
    if (SUCCEEDED(result))
        result = RegisterStandInClass(StandInFileSelectorClass);
    if (SUCCEEDED(result))
        result = RegisterBankCategory();
    if (SUCCEEDED(result))
        result = CreateSettingsFolder();
    return result;
}

STDAPI DllUnregisterServer()
{
    const ComScope com;
    HRESULT result = UnregisterStandInClass(StandInSettingsClass);
    if (SUCCEEDED(result))
        result = UnregisterStandInClass(StandInFileSelectorClass);
    if (SUCCEEDED(result))
        result = UnregisterBankCategory();
    if (SUCCEEDED(result))
        result = UnregisterHostTypeLibraries();
    return result;
}
