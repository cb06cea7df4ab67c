#include "module/ComponentCategories.h"

#include <ole2.h>

#include "com/ComHolders.h"

namespace
{
HRESULT CreateCategoryManager(ComPtr<ICatRegister>& manager)
{
    return CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                            manager.OutVoid());
}

void DeleteIfWithoutSubkeys(HKEY classKey, const wchar_t* name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(classKey, name, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    DWORD subkeys = 0;
    const LONG status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                         nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && subkeys == 0)
        RegDeleteKeyW(classKey, name);
}
}

HRESULT RegisterImplementedCategory(REFCLSID clsid, REFCATID category)
{
    ComPtr<ICatRegister> manager;
    HRESULT result = CreateCategoryManager(manager);
    if (SUCCEEDED(result))
        result = manager->RegisterClassImplCategories(clsid, 1, const_cast<CATID*>(&category));
    return result;
}

HRESULT UnregisterImplementedCategory(REFCLSID clsid, REFCATID category)
{
    ComPtr<ICatRegister> manager;
    HRESULT result = CreateCategoryManager(manager);
    if (SUCCEEDED(result))
        result = manager->UnRegisterClassImplCategories(clsid, 1, const_cast<CATID*>(&category));
    if (FAILED(result))
        return result;

    // "CLSID\{...}": six characters, the identifier in braces and a NUL.
    wchar_t classKeyName[6 + 39] = L"CLSID\\";
    StringFromGUID2(clsid, classKeyName + 6, 39);
    HKEY classKey = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, classKeyName, 0, KEY_READ | KEY_WRITE, &classKey) == ERROR_SUCCESS)
    {
        DeleteIfWithoutSubkeys(classKey, L"Required Categories");
        DeleteIfWithoutSubkeys(classKey, L"Implemented Categories");
        RegCloseKey(classKey);
    }
    return S_OK;
}
