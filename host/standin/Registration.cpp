#include "standin/Registration.h"

#include <comcat.h>
#include <oleauto.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>

#include "VornBankReconciliation.h"
#include "VornEBanking.h"
#include "com/ComHolders.h"
#include "standin/StandInControl.h"
#include "standin/StandInModule.h"

namespace
{
struct ClassEntry
{
    const CLSID* clsid;
    const wchar_t* description;
    const wchar_t* progId;
};

const ClassEntry* FindClass(int standInClass)
{
    static const ClassEntry classes[] = {
        {&CLSID_VornBankSettings, L"Vorn Bank Settings", L"VornEBanking.BankSettings.1"},
        {&CLSID_VornStatementFileSelector, L"Vorn Statement File Selector",
         L"VornBankReconciliation.StatementFileSelector.1"},
    };
    if (standInClass == StandInSettingsClass)
        return &classes[0];
    if (standInClass == StandInFileSelectorClass)
        return &classes[1];
    return nullptr;
}

const int HostTypeLibraryCount = 3;
const wchar_t BankCategoryDescription[] = L"Vorn Bank Components";

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

// Writes the key's default value and, when a name is given, one named value.
HRESULT WriteKey(const std::wstring& key, const std::wstring& value, const wchar_t* name = nullptr,
                 const wchar_t* namedValue = nullptr)
{
    RegistryKey handle;
    LONG error = RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, handle.Out(),
                                 nullptr);
    if (error != ERROR_SUCCESS)
        return HRESULT_FROM_WIN32(error);
    error = RegSetValueExW(handle.Get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    if (error == ERROR_SUCCESS && name)
        error = RegSetValueExW(handle.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(namedValue),
                               static_cast<DWORD>((lstrlenW(namedValue) + 1) * sizeof(wchar_t)));
    return HRESULT_FROM_WIN32(error);
}

HRESULT DeleteKey(const std::wstring& key)
{
    const LONG error = RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND ? S_OK : HRESULT_FROM_WIN32(error);
}

std::wstring TypeLibraryPath(int index)
{
    return StandInModulePath() + L"\\" + std::to_wstring(index);
}

HRESULT CreateCategoryRegister(ComPtr<ICatRegister>& categories)
{
    return CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER, IID_ICatRegister,
                            categories.OutVoid());
}
}

HRESULT RegisterStandInClass(int standInClass)
{
    const ClassEntry* entry = FindClass(standInClass);
    if (!entry)
        return E_INVALIDARG;
    const std::wstring clsid = GuidText(*entry->clsid);
    const std::wstring classKey = L"CLSID\\" + clsid;
    const std::wstring progId = entry->progId;
    HRESULT result = WriteKey(classKey, entry->description);
    if (SUCCEEDED(result))
        result = WriteKey(classKey + L"\\InprocServer32", StandInModulePath(), L"ThreadingModel", L"Apartment");
    if (SUCCEEDED(result))
        result = WriteKey(classKey + L"\\ProgID", progId);
    if (SUCCEEDED(result))
        result = WriteKey(progId, entry->description);
    if (SUCCEEDED(result))
        result = WriteKey(progId + L"\\CLSID", clsid);
    return result;
}

HRESULT UnregisterStandInClass(int standInClass)
{
    const ClassEntry* entry = FindClass(standInClass);
    if (!entry)
        return E_INVALIDARG;
    const HRESULT result = DeleteKey(L"CLSID\\" + GuidText(*entry->clsid));
    return FAILED(result) ? result : DeleteKey(entry->progId);
}

// VornEBanking (1) goes first: the other two import it.
HRESULT RegisterHostTypeLibraries()
{
    for (int index = 1; index <= HostTypeLibraryCount; ++index)
    {
        const std::wstring path = TypeLibraryPath(index);
        ComPtr<ITypeLib> library;
        HRESULT result = LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Out());
        if (SUCCEEDED(result))
            result = RegisterTypeLib(library.Get(), const_cast<LPOLESTR>(path.c_str()), nullptr);
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

HRESULT UnregisterHostTypeLibraries()
{
    for (int index = HostTypeLibraryCount; index >= 1; --index)
    {
        ComPtr<ITypeLib> library;
        HRESULT result = LoadTypeLibEx(TypeLibraryPath(index).c_str(), REGKIND_NONE, library.Out());
        if (FAILED(result))
            return result;
        TLIBATTR* attributes = nullptr;
        result = library->GetLibAttr(&attributes);
        if (FAILED(result))
            return result;
        const TLIBATTR copy = *attributes;
        library->ReleaseTLibAttr(attributes);
        BStr registeredPath;
        if (FAILED(QueryPathOfRegTypeLib(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid,
                                         registeredPath.Out())))
            continue;
        result = UnRegisterTypeLib(copy.guid, copy.wMajorVerNum, copy.wMinorVerNum, copy.lcid, copy.syskind);
        if (FAILED(result))
            return result;
    }
    return S_OK;
}

HRESULT RegisterBankCategory()
{
    ComPtr<ICatRegister> categories;
    HRESULT result = CreateCategoryRegister(categories);
    if (FAILED(result))
        return result;
    CATEGORYINFO info{};
    info.catid = CATID_VornBankComponents;
    info.lcid = 0x409;
    lstrcpynW(info.szDescription, BankCategoryDescription, ARRAYSIZE(info.szDescription));
    return categories->RegisterCategories(1, &info);
}

HRESULT UnregisterBankCategory()
{
    ComPtr<ICatRegister> categories;
    HRESULT result = CreateCategoryRegister(categories);
    if (FAILED(result))
        return result;
    CATID category = CATID_VornBankComponents;
    return categories->UnRegisterCategories(1, &category);
}

HRESULT CreateSettingsFolder()
{
    char path[MAX_PATH] = {};
    HRESULT result = SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                      SHGFP_TYPE_CURRENT, path);
    if (FAILED(result))
        return result;
    if (!PathAppendA(path, "VORN\\Vorn EBanking"))
        return E_FAIL;
    const int error = SHCreateDirectoryExA(nullptr, path, nullptr);
    return error == ERROR_SUCCESS || error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS
               ? S_OK
               : HRESULT_FROM_WIN32(error);
}
