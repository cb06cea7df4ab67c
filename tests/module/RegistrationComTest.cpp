#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "VornEBanking.h"
#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "support/ComponentFiles.h"
#include "support/RegistryValues.h"

namespace
{
struct RegisteredClass
{
    const wchar_t* shortName;
    const CLSID* clsid;
};

// The key of the platform the module is built for.
#ifdef _WIN64
const std::wstring TypeLibraryPlatform = L"win64";
#else
const std::wstring TypeLibraryPlatform = L"win32";
#endif

const RegisteredClass Classes[] = {
    {L"Bank", &CLSID_Bank},
    {L"BankServices", &CLSID_BankServices},
    {L"BankPaymentService", &CLSID_BankPaymentService},
    {L"BankStatementService", &CLSID_BankStatementService},
};

std::wstring GuidText(const GUID& guid)
{
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring Wide(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

std::string ComponentPath()
{
    return BesideTestProgram("VornTiloOnline.dll");
}

// Runs the system's regsvr32 on the component, as an installation does.
DWORD RunRegsvr32(bool unregister)
{
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    std::string command = std::string("\"") + system + "\\regsvr32.exe\" /s " + (unregister ? "/u " : "") + "\"" +
                          ComponentPath() + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return GetLastError();
    WaitForSingleObject(process.hProcess, 60000);
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return exitCode;
}

// Every test leaves the component registered: the other tests need it.
class Registration : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(0u, RunRegsvr32(false)); }
    void TearDown() override { EXPECT_EQ(0u, RunRegsvr32(false)); }
};
}

TEST_F(Registration, WritesEveryKeyOfEveryClass)
{
    const std::wstring libraryId = GuidText(LIBID_VORNTILOONLINELib);
    for (const RegisteredClass& registered : Classes)
    {
        SCOPED_TRACE(testing::Message() << registered.shortName);
        const std::wstring n = registered.shortName;
        const std::wstring description = n + L" Class";
        const std::wstring progId = L"VornTiloOnline." + n + L".1";
        const std::wstring independentProgId = L"VornTiloOnline." + n;
        const std::wstring clsid = GuidText(*registered.clsid);
        const std::wstring classKey = L"CLSID\\" + clsid;

        EXPECT_EQ(description, RegistryString(HKEY_CLASSES_ROOT, progId));
        EXPECT_EQ(clsid, RegistryString(HKEY_CLASSES_ROOT, progId + L"\\CLSID"));
        EXPECT_EQ(description, RegistryString(HKEY_CLASSES_ROOT, independentProgId));
        EXPECT_EQ(clsid, RegistryString(HKEY_CLASSES_ROOT, independentProgId + L"\\CLSID"));
        EXPECT_EQ(progId, RegistryString(HKEY_CLASSES_ROOT, independentProgId + L"\\CurVer"));

        EXPECT_EQ(description, RegistryString(HKEY_CLASSES_ROOT, classKey));
        EXPECT_EQ(progId, RegistryString(HKEY_CLASSES_ROOT, classKey + L"\\ProgID"));
        EXPECT_EQ(independentProgId, RegistryString(HKEY_CLASSES_ROOT, classKey + L"\\VersionIndependentProgID"));
        EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, classKey + L"\\Programmable"));
        EXPECT_EQ(0, _wcsicmp(Wide(ComponentPath()).c_str(), RegistryString(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32").c_str()));
        EXPECT_EQ(L"Apartment", RegistryString(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel"));
        EXPECT_EQ(libraryId, RegistryString(HKEY_CLASSES_ROOT, classKey + L"\\TypeLib"));

        const bool isBank = registered.clsid == &CLSID_Bank;
        EXPECT_EQ(isBank, RegistryKeyExists(HKEY_CLASSES_ROOT, classKey + L"\\Implemented Categories\\" +
                                           GuidText(CATID_VornBankComponents)));
    }
}

TEST_F(Registration, RegistersTheTypeLibraryFromTheModule)
{
    ComPtr<ITypeLib> library;
    ASSERT_EQ(S_OK, LoadRegTypeLib(LIBID_VORNTILOONLINELib, 1, 0, 0x409, library.Out()));
    BStr name;
    BStr description;
    ASSERT_EQ(S_OK, library->GetDocumentation(-1, name.Out(), description.Out(), nullptr, nullptr));
    EXPECT_STREQ(L"VORNTILOONLINELib", name.Text());
    EXPECT_STREQ(L"VornTiloOnline 1.0 Type Library", description.Text());
    for (const IID* iid : {&IID_IBank, &IID_IBankServices, &IID_IBankPaymentService, &IID_IBankStatementService})
    {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(S_OK, library->GetTypeInfoOfGuid(*iid, info.Out())) << GuidText(*iid).c_str();
    }
    const std::wstring path = RegistryString(HKEY_CLASSES_ROOT, L"TypeLib\\" + GuidText(LIBID_VORNTILOONLINELib) + L"\\1.0\\409\\" + TypeLibraryPlatform);
    EXPECT_EQ(0, _wcsicmp(Wide(ComponentPath()).c_str(), path.c_str()));
}

TEST_F(Registration, UnregistrationLeavesNothingButTheClsidKey)
{
    ASSERT_EQ(0u, RunRegsvr32(true));
    for (const RegisteredClass& registered : Classes)
    {
        const std::wstring n = registered.shortName;
        EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"VornTiloOnline." + n + L".1"));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"VornTiloOnline." + n));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(*registered.clsid)));
    }
    EXPECT_TRUE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + GuidText(LIBID_VORNTILOONLINELib)));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"Interface\\" + GuidText(IID_IBank)));
    ComPtr<ITypeLib> library;
    EXPECT_NE(S_OK, LoadRegTypeLib(LIBID_VORNTILOONLINELib, 1, 0, 0x409, library.Out()));
}

TEST_F(Registration, UnregistrationRemovesTheRestWhenTheBanksClassKeyIsAlreadyGone)
{
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(CLSID_Bank)).c_str()));
    ASSERT_EQ(0u, RunRegsvr32(true));
    for (const RegisteredClass& registered : Classes)
    {
        const std::wstring n = registered.shortName;
        EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"VornTiloOnline." + n));
        EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + GuidText(*registered.clsid)));
    }
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, L"TypeLib\\" + GuidText(LIBID_VORNTILOONLINELib)));
}
