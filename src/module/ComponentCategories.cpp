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
    DWORD subkeys = 0;
    LONG status = ERROR_SUCCESS;
    {
        RegistryKey key;
        if (RegOpenKeyExW(classKey, name, 0, KEY_READ, key.Out()) != ERROR_SUCCESS)
            return;
        status = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, nullptr,
                                  nullptr, nullptr, nullptr, nullptr);
    }
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
    RegistryKey classKey;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, classKeyName, 0, KEY_READ | KEY_WRITE, classKey.Out()) == ERROR_SUCCESS)
    {
        DeleteIfWithoutSubkeys(classKey.Get(), L"Required Categories");
        DeleteIfWithoutSubkeys(classKey.Get(), L"Implemented Categories");
    }
    return S_OK;
}
