// tilohost register / unregister: the stand-in host and the component
// registered (or removed) through their own DllRegisterServer and
// DllUnregisterServer, as an installation would, each step reported with
// what the registry shows afterwards.
#include "tilohost/Commands.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <functional>

#include "VornBankPayments.h"
#include "VornBankReconciliation.h"
#include "VornEBanking.h"
#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "tilohost/ComponentServices.h"
#include "tilohost/ConsoleOutput.h"
#include "tilohost/ExitStatus.h"
#include "tilohost/FileAccess.h"
#include "tilohost/TextConversion.h"

namespace
{
// One thing that registration puts in place, and how to see it.
struct Check
{
    std::string name;
    std::function<bool()> present;
};

bool ProgIdRegistered(const wchar_t* progId)
{
    CLSID clsid;
    return SUCCEEDED(CLSIDFromProgID(progId, &clsid));
}

std::wstring GuidText(REFGUID guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

bool ClassesKeyExists(const std::wstring& key)
{
    RegistryKey handle;
    return RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, handle.Out()) == ERROR_SUCCESS;
}

// Whatever locale it was registered under.
Check TypeLibraryCheck(const std::string& name, REFGUID library)
{
    const std::wstring key = L"TypeLib\\" + GuidText(library) + L"\\1.0";
    return {"type library " + name + " 1.0", [key] { return ClassesKeyExists(key); }};
}

Check ClassCheck(const wchar_t* progId)
{
    return {"class " + Utf8FromWide(progId), [progId] { return ProgIdRegistered(progId); }};
}

Check CategoryCheck()
{
    return {"category \"Vorn Bank Components\"",
            [] { return ClassesKeyExists(L"Component Categories\\" + GuidText(CATID_VornBankComponents)); }};
}

Check BankInCategoryCheck()
{
    return {"bank in the category \"Vorn Bank Components\"", [] {
                CLSID bank;
                return SUCCEEDED(CLSIDFromProgID(BankProgId, &bank)) &&
                       ClassesKeyExists(L"CLSID\\" + GuidText(bank) + L"\\Implemented Categories\\" +
                                        GuidText(CATID_VornBankComponents));
            }};
}

std::string SettingsFolder()
{
    char path[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)) ||
        !PathAppendA(path, "VORN\\Vorn EBanking"))
        return std::string();
    return path;
}

std::vector<Check> StandInChecks()
{
    return {TypeLibraryCheck("VornEBanking", LIBID_VornEBankingLib),
            TypeLibraryCheck("VornBankPayments", LIBID_VornBankPaymentsLib),
            TypeLibraryCheck("VornBankReconciliation", LIBID_VornBankReconciliationLib),
            ClassCheck(L"VornEBanking.BankSettings.1"),
            ClassCheck(L"VornBankReconciliation.StatementFileSelector.1"),
            CategoryCheck()};
}

std::vector<Check> ComponentChecks()
{
    return {ClassCheck(L"VornTiloOnline.Bank.1"), ClassCheck(L"VornTiloOnline.BankServices.1"),
            ClassCheck(L"VornTiloOnline.BankPaymentService.1"),
            ClassCheck(L"VornTiloOnline.BankStatementService.1"), BankInCategoryCheck(),
            TypeLibraryCheck("VORNTILOONLINELib", LIBID_VORNTILOONLINELib)};
}

std::string ModuleBeside(const char* fileName)
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    PathRemoveFileSpecW(path);
    return Utf8FromWide(path) + "\\" + fileName;
}

// Calls the module's entry point (DllRegisterServer or DllUnregisterServer)
// as regsvr32 does.
HRESULT CallEntry(const std::string& module, const char* entry)
{
    const ModuleHandle library(LoadLibraryW(WideFromUtf8(module).c_str()));
    if (!library)
        return HRESULT_FROM_WIN32(GetLastError());
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();
    const auto function =
        reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(library.Get(), entry)));
    return function ? function() : HRESULT_FROM_WIN32(GetLastError());
}

// Prints each check; true when every one shows `wanted`.
bool Report(const std::vector<Check>& checks, bool wanted)
{
    bool all = true;
    for (const Check& check : checks)
    {
        const bool present = check.present();
        all = all && present == wanted;
        PrintLine("  " + check.name + ": " + (present ? "registered" : "not registered"));
    }
    return all;
}

bool AnyPresent(const std::vector<Check>& checks)
{
    for (const Check& check : checks)
    {
        if (check.present())
            return true;
    }
    return false;
}

bool RegisterStep(const char* title, const char* fileName, const std::vector<Check>& checks)
{
    const std::string module = ModuleBeside(fileName);
    const HRESULT result = CallEntry(module, "DllRegisterServer");
    PrintLine(std::string(title) + ": DllRegisterServer " + DescribeHResult(result));
    PrintLine("  module " + DescribePath(module));
    const bool registered = Report(checks, true);
    return SUCCEEDED(result) && registered;
}

bool UnregisterStep(const char* title, const char* fileName, const std::vector<Check>& checks)
{
    const std::string module = ModuleBeside(fileName);
    if (!AnyPresent(checks))
    {
        PrintLine(std::string(title) + ": not registered, nothing to remove");
        return true;
    }
    const HRESULT result = CallEntry(module, "DllUnregisterServer");
    PrintLine(std::string(title) + ": DllUnregisterServer " + DescribeHResult(result));
    PrintLine("  module " + DescribePath(module));
    const bool removed = Report(checks, false);
    return SUCCEEDED(result) && removed;
}
}

int RegisterAll()
{
    // The component's type library imports the host's: the host goes first.
    bool done = RegisterStep("Stand-in host", "VornHostStandIn.dll", StandInChecks());
    const std::string folder = SettingsFolder();
    const bool folderThere = KindOfPath(folder) == PathKind::Folder;
    PrintLine("  settings folder " + folder + ": " + (folderThere ? "present" : "missing"));
    done = done && folderThere;
    done = RegisterStep("Component", "VornTiloOnline.dll", ComponentChecks()) && done;
    return done ? ExitDone : ExitCallFailed;
}

int UnregisterAll()
{
    bool done = UnregisterStep("Component", "VornTiloOnline.dll", ComponentChecks());
    done = UnregisterStep("Stand-in host", "VornHostStandIn.dll", StandInChecks()) && done;
    PrintLine("  settings folder " + SettingsFolder() + ": kept (it may hold the host's settings)");
    return done ? ExitDone : ExitCallFailed;
}
