#include "module/Registrar.h"

#include "com/ErrorReporting.h"
#include "com/ComModule.h"
#include "module/RegistryScript.h"

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
