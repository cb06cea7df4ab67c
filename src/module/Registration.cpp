#include "module/Registration.h"

#include <ole2.h>
#include <oleauto.h>
#include <string>

#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "com/ComModule.h"
#include "com/ErrorReporting.h"
#include "module/ClassTable.h"
#include "module/RegistryScript.h"

HRESULT RegisterServer()
{
    for (ClassEntry* entry = ClassesBegin(); entry != ClassesEnd(); ++entry)
    {
        HRESULT result = RunRegistrationScript(entry->registrationScript, true);
        if (SUCCEEDED(result) && entry->implementedCategory)
            result = RegisterImplementedCategory(*entry->clsid, *entry->implementedCategory);
        if (FAILED(result))
            return result;
    }
    return RegisterModuleTypeLibrary();
}

HRESULT UnregisterServer()
{
    for (ClassEntry* entry = ClassesBegin(); entry != ClassesEnd(); ++entry)
    {
        HRESULT result = S_OK;
        if (entry->implementedCategory)
            result = UnregisterImplementedCategory(*entry->clsid, *entry->implementedCategory);
        if (SUCCEEDED(result))
            result = RunRegistrationScript(entry->registrationScript, false);
        if (FAILED(result))
            return result;
    }
    return UnregisterModuleTypeLibrary();
}

namespace
{
// The script's text, converted from the ANSI code page.
std::wstring LoadScript(UINT scriptId)
{
    HINSTANCE module = ModuleInstance();
    HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(scriptId), L"REGISTRY");
    HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (!bytes)
        throw HRESULT_FROM_WIN32(ERROR_RESOURCE_DATA_NOT_FOUND);
    const int size = static_cast<int>(SizeofResource(module, found));
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes, size, nullptr, 0);
    std::wstring script(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes, size, &script[0], length);
    return script;
}

// The path as a quoted script text needs it: every quote doubled.
std::wstring QuotedModulePath()
{
    const std::wstring path = ModuleFilePath();
    if (path.empty())
        throw HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    std::wstring quoted;
    for (wchar_t ch : path)
    {
        quoted += ch;
        if (ch == L'\'')
            quoted += L'\'';
    }
    return quoted;
}
}

HRESULT RunRegistrationScript(UINT scriptId, bool registering)
{
    return ResultGuard([&]() -> HRESULT {
        const std::wstring module = QuotedModulePath();
        const RegistryReplacements replacements = {{L"MODULE", module}, {L"Module_Raw", module}, {L"APPID", L""}};
        const auto script = ParseRegistryScript(ExpandRegistryScript(LoadScript(scriptId), replacements));
        return registering ? RegisterRegistryScript(script) : UnregisterRegistryScript(script);
    });
}

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
    // "CLSID\{...}": six characters, the identifier in braces and a NUL.
    wchar_t classKeyName[6 + 39] = L"CLSID\\";
    StringFromGUID2(clsid, classKeyName + 6, 39);
    RegistryKey classKey;
    const LONG opened = RegOpenKeyExW(HKEY_CLASSES_ROOT, classKeyName, 0, KEY_READ | KEY_WRITE, classKey.Out());
    // A class whose key is gone has no categories left to remove; the
    // category manager would fail, and the rest of the registration would
    // never be removed.
    if (opened == ERROR_FILE_NOT_FOUND)
        return S_OK;

    ComPtr<ICatRegister> manager;
    HRESULT result = CreateCategoryManager(manager);
    if (SUCCEEDED(result))
        result = manager->UnRegisterClassImplCategories(clsid, 1, const_cast<CATID*>(&category));
    if (FAILED(result))
        return result;
    if (opened == ERROR_SUCCESS)
    {
        DeleteIfWithoutSubkeys(classKey.Get(), L"Required Categories");
        DeleteIfWithoutSubkeys(classKey.Get(), L"Implemented Categories");
    }
    return S_OK;
}

namespace
{
const WORD TypeLibraryMajor = 1;
const WORD TypeLibraryMinor = 0;
const LCID TypeLibraryLocale = 0x409;
// The type library is registered for the platform the module is built for.
#ifdef _WIN64
const SYSKIND TypeLibraryPlatform = SYS_WIN64;
#else
const SYSKIND TypeLibraryPlatform = SYS_WIN32;
#endif

// The module's file, or the .tlb beside it; path is where it was found.
HRESULT LoadModuleTypeLibrary(ComPtr<ITypeLib>& library, std::wstring& path)
{
    path = ModuleFilePath();
    if (path.empty())
        return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
    if (SUCCEEDED(LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Out())))
        return S_OK;
    const size_t dot = path.find_last_of(L'.');
    const size_t slash = path.find_last_of(L'\\');
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
        path.erase(dot);
    path += L".tlb";
    return LoadTypeLibEx(path.c_str(), REGKIND_NONE, library.Out());
}

// The directory part of the library's help file name; empty without one.
std::wstring HelpDirectory(ITypeLib* library)
{
    BStr helpFile;
    if (FAILED(library->GetDocumentation(-1, nullptr, nullptr, nullptr, helpFile.Out())) || !helpFile.Get())
        return std::wstring();
    std::wstring directory(helpFile.Text());
    const size_t slash = directory.find_last_of(L'\\');
    directory.erase(slash == std::wstring::npos ? 0 : slash);
    return directory;
}
}

HRESULT RegisterModuleTypeLibrary()
{
    return ResultGuard([&]() -> HRESULT {
        ComPtr<ITypeLib> library;
        std::wstring path;
        ThrowIfFailed(LoadModuleTypeLibrary(library, path));
        std::wstring helpDirectory = HelpDirectory(library.Get());
        return RegisterTypeLib(library.Get(), &path[0], &helpDirectory[0]);
    });
}

HRESULT UnregisterModuleTypeLibrary()
{
    return UnRegisterTypeLib(LIBID_VORNTILOONLINELib, TypeLibraryMajor, TypeLibraryMinor, TypeLibraryLocale,
                             TypeLibraryPlatform);
}
