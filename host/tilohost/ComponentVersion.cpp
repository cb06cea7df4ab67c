#include "tilohost/ComponentVersion.h"

#include <windows.h>

#include <cstdio>
#include <vector>

#include "tilohost/ComponentServices.h"
#include "tilohost/Failures.h"
#include "tilohost/TextConversion.h"

namespace
{
std::string RegisteredModule(REFCLSID clsid)
{
    wchar_t guid[40] = {};
    StringFromGUID2(clsid, guid, 40);
    const std::wstring key = std::wstring(L"CLSID\\") + guid + L"\\InprocServer32";
    wchar_t path[MAX_PATH * 2] = {};
    DWORD size = sizeof path - sizeof(wchar_t);
    const LONG result = RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ,
                                     nullptr, path, &size);
    if (result != ERROR_SUCCESS || !path[0])
        throw ComponentCallFailed("the bank component's registration names no module (HKCR\\" + Utf8FromWide(key) + ")",
                             HRESULT_FROM_WIN32(result == ERROR_SUCCESS ? ERROR_FILE_NOT_FOUND : result));
    return Utf8FromWide(path);
}

std::string FileVersionOf(const std::string& path)
{
    const std::wstring wide = WideFromUtf8(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(wide.c_str(), &ignored);
    if (size == 0)
        return std::string();
    std::vector<unsigned char> block(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (!GetFileVersionInfoW(wide.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&info), &length) || length < sizeof *info)
        return std::string();
    char text[64];
    snprintf(text, sizeof text, "%u.%u.%u.%u", static_cast<unsigned>(HIWORD(info->dwFileVersionMS)),
             static_cast<unsigned>(LOWORD(info->dwFileVersionMS)), static_cast<unsigned>(HIWORD(info->dwFileVersionLS)),
             static_cast<unsigned>(LOWORD(info->dwFileVersionLS)));
    return text;
}
}

ComponentVersion RegisteredComponentVersion()
{
    ComponentVersion version;
    version.path = RegisteredModule(BankClassId());
    version.fileVersion = FileVersionOf(version.path);
    return version;
}
