#include "module/TypeLibraryRegistration.h"

#include <oleauto.h>

#include <string>

#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "com/ErrorReporting.h"
#include "com/ComModule.h"

namespace
{
const WORD TypeLibraryMajor = 1;
const WORD TypeLibraryMinor = 0;
const LCID TypeLibraryLocale = 0x409;

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
                             SYS_WIN32);
}
