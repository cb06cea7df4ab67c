#include "payments/VirtualStore.h"

#include "com/ComHolders.h"

#include <shellapi.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

namespace
{
const char VirtualStoreFolder[] = "virtualstore";
const int RedirectMessageSize = 1024;
}

bool IsElevated()
{
    RegistryKey key;
    return RegOpenKeyExA(HKEY_USERS, "S-1-5-19", 0, KEY_ALL_ACCESS, key.Out()) == ERROR_SUCCESS;
}

namespace
{
bool HasDriveLetter(const char* path)
{
    const char letter = path[0];
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':' &&
           (path[2] == '\\' || path[2] == '/');
}
}

bool BuildVirtualStorePath(const char* chosenPath, char (&path)[MAX_PATH])
{
    path[0] = '\0';
    if (!HasDriveLetter(chosenPath))
        return false;
    char localAppData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData)))
        return false;
    const char* withoutDrive = chosenPath + 2;
    const int length = snprintf(path, MAX_PATH, "%s\\%s%s", localAppData, VirtualStoreFolder, withoutDrive);
    if (length < 0 || length >= MAX_PATH)
    {
        path[0] = '\0';
        return false;
    }
    return true;
}

void OfferRedirectedFolder(const char* virtualStorePath)
{
    char message[RedirectMessageSize];
    snprintf(message, sizeof message, "%s: %s\n\n%s", "Due to Windows Redirect your file was saved to",
             virtualStorePath, "Would you like to open the directory?");
    if (MessageBoxA(nullptr, message, "Windows Redirect", MB_YESNO) != IDYES)
        return;
    char folder[MAX_PATH];
    lstrcpynA(folder, virtualStorePath, MAX_PATH);
    if (char* lastBackslash = strrchr(folder, '\\'))
        *lastBackslash = '\0';
    ShellExecuteA(nullptr, "open", folder, nullptr, nullptr, SW_SHOWDEFAULT);
}
