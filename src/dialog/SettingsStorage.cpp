#include "dialog/SettingsStorage.h"

#include <shlobj.h>
#include <shlwapi.h>

const char* const TemplateKeyPrefix = "TiloOnlineTemplate";
const char* const BenRefKeyPrefix = "TiloOnlineBenRef";
const char* const SettingsSection = "MIGRATED";

namespace
{
// All calls come on the host's user-interface thread: no lock.
char g_settingsPath[MAX_PATH] = {};
bool g_settingsPathComputed = false;

const char SettingsFileUnderCommonAppData[] = "VORN\\Vorn EBanking\\BANKSERV.INI";

// A value buffer of MAX_PATH characters, one kept spare.
const DWORD SettingValueSize = MAX_PATH - 1;
}

const char* SettingsFilePath()
{
    if (!g_settingsPathComputed)
    {
        char folder[MAX_PATH] = {};
        if (SHGetSpecialFolderPathA(nullptr, folder, CSIDL_COMMON_APPDATA, FALSE) &&
            PathAppendA(folder, SettingsFileUnderCommonAppData))
        {
            lstrcpynA(g_settingsPath, folder, MAX_PATH);
            g_settingsPathComputed = true;
        }
    }
    return g_settingsPath;
}

bool ReadSetting(const CString& key, char* buffer, DWORD* size)
{
    return GetPrivateProfileStringA(SettingsSection, key.GetString(), "", buffer, *size,
                                    SettingsFilePath()) > 0;
}

void LoadSetting(const CString& key, CString& value)
{
    char buffer[MAX_PATH] = {};
    DWORD size = SettingValueSize;
    if (ReadSetting(key, buffer, &size))
        value = buffer;
}

bool WriteSetting(const CString& key, const char* value)
{
    return WritePrivateProfileStringA(SettingsSection, key.GetString(), value,
                                      SettingsFilePath()) != FALSE;
}
