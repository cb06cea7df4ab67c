#include "support/RegistryValues.h"

#include "com/ComHolders.h"

std::wstring RegistryString(HKEY root, const std::wstring& key, const wchar_t* name)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

bool RegistryKeyExists(HKEY root, const std::wstring& key)
{
    RegistryKey opened;
    return RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, opened.Out()) == ERROR_SUCCESS;
}
