#include "dialog/SettingsStorage.h"

#include <windows.h>
#include <cstring>
#include <shlobj.h>
#include <shlwapi.h>
#include <string>

#include "com/ComHolders.h"

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

namespace
{
const char AllFiles[] = "*.*";
const char FloppyRootPattern[] = "A:\\*.*";
const char FallbackDirectory[] = "C:\\";

// The directory with a backslash and "*.*", in a MAX_PATH buffer; false when
// it does not fit.
bool BuildSearchPattern(const char* directory, char (&pattern)[MAX_PATH])
{
    if (strlen(directory) >= MAX_PATH)
        return false;
    lstrcpynA(pattern, directory, MAX_PATH);
    if (!AppendBackslash(pattern, MAX_PATH))
        return false;
    const size_t length = strlen(pattern);
    if (length + sizeof AllFiles > MAX_PATH)
        return false;
    memcpy(pattern + length, AllFiles, sizeof AllFiles);
    return true;
}

bool DirectoryFound(const char* directory)
{
    char pattern[MAX_PATH] = {};
    if (!BuildSearchPattern(directory, pattern))
        return false;
    WIN32_FIND_DATAA found;
    if (FindHandle(FindFirstFileA(pattern, &found)))
        return true;
    // Drive A: is taken without a disk in it.
    return lstrcmpiA(pattern, FloppyRootPattern) == 0;
}

void ReportMissingDirectory(const char* directory)
{
    const std::string text = std::string("The default payment directory (") + directory +
        ") specified does not exist.  Please correct this within configuration for the specified "
        "banking component. The root directory (C:\\) will be used in the mean time.";
    MessageBoxA(GetActiveWindow(), text.c_str(), "Invalid default path", MB_ICONERROR | MB_OK);
}

void JoinPath(const char* directory, const char* fileName, char* output, size_t outputSize)
{
    const int size = static_cast<int>(outputSize);
    lstrcpynA(output, directory, size);
    AppendBackslash(output, outputSize);
    const int length = lstrlenA(output);
    lstrcpynA(output + length, fileName, size - length);
}
}

bool AppendBackslash(char* buffer, size_t size)
{
    const size_t length = strnlen(buffer, size);
    if (length > 0 && buffer[length - 1] == '\\')
        return true;
    if (length + 2 > size)
        return false;
    buffer[length] = '\\';
    buffer[length + 1] = '\0';
    return true;
}

void ResolveDefaultPaymentPath(const char* fileName, const char* directory, char* output,
                               size_t outputSize)
{
    if (outputSize == 0)
        return;
    if (!DirectoryFound(directory))
    {
        ReportMissingDirectory(directory);
        JoinPath(FallbackDirectory, fileName, output, outputSize);
        return;
    }
    JoinPath(directory, fileName, output, outputSize);
}
