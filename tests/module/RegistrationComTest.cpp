#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "VornEBanking.h"
#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "support/ComponentFiles.h"

namespace
{
struct RegisteredClass
{
    const wchar_t* shortName;
    const CLSID* clsid;
};

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

// A string value under HKEY_CLASSES_ROOT, or "<missing>".
std::wstring ClassesValue(const std::wstring& key, const wchar_t* name = nullptr)
{
    wchar_t buffer[MAX_PATH + 1] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

bool ClassesKeyExists(const std::wstring& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
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

        EXPECT_EQ(description, ClassesValue(progId));
        EXPECT_EQ(clsid, ClassesValue(progId + L"\\CLSID"));
        EXPECT_EQ(description, ClassesValue(independentProgId));
        EXPECT_EQ(clsid, ClassesValue(independentProgId + L"\\CLSID"));
        EXPECT_EQ(progId, ClassesValue(independentProgId + L"\\CurVer"));

        EXPECT_EQ(description, ClassesValue(classKey));
        EXPECT_EQ(progId, ClassesValue(classKey + L"\\ProgID"));
        EXPECT_EQ(independentProgId, ClassesValue(classKey + L"\\VersionIndependentProgID"));
        EXPECT_TRUE(ClassesKeyExists(classKey + L"\\Programmable"));
        EXPECT_EQ(0, _wcsicmp(Wide(ComponentPath()).c_str(), ClassesValue(classKey + L"\\InprocServer32").c_str()));
        EXPECT_EQ(L"Apartment", ClassesValue(classKey + L"\\InprocServer32", L"ThreadingModel"));
        EXPECT_EQ(libraryId, ClassesValue(classKey + L"\\TypeLib"));

        const bool isBank = registered.clsid == &CLSID_Bank;
        EXPECT_EQ(isBank, ClassesKeyExists(classKey + L"\\Implemented Categories\\" +
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
    const std::wstring path = ClassesValue(L"TypeLib\\" + GuidText(LIBID_VORNTILOONLINELib) + L"\\1.0\\409\\win32");
    EXPECT_EQ(0, _wcsicmp(Wide(ComponentPath()).c_str(), path.c_str()));
}

TEST_F(Registration, UnregistrationLeavesNothingButTheClsidKey)
{
    ASSERT_EQ(0u, RunRegsvr32(true));
    for (const RegisteredClass& registered : Classes)
    {
        const std::wstring n = registered.shortName;
        EXPECT_FALSE(ClassesKeyExists(L"VornTiloOnline." + n + L".1"));
        EXPECT_FALSE(ClassesKeyExists(L"VornTiloOnline." + n));
        EXPECT_FALSE(ClassesKeyExists(L"CLSID\\" + GuidText(*registered.clsid)));
    }
    EXPECT_TRUE(ClassesKeyExists(L"CLSID"));
    EXPECT_FALSE(ClassesKeyExists(L"TypeLib\\" + GuidText(LIBID_VORNTILOONLINELib)));
    EXPECT_FALSE(ClassesKeyExists(L"Interface\\" + GuidText(IID_IBank)));
    ComPtr<ITypeLib> library;
    EXPECT_NE(S_OK, LoadRegTypeLib(LIBID_VORNTILOONLINELib, 1, 0, 0x409, library.Out()));
}
