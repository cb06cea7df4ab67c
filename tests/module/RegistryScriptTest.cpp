#include <gtest/gtest.h>

#include <string>

#include "module/RegistryScript.h"

namespace
{
const wchar_t TestKey[] = L"Software\\VornRegistryScriptTest";

// A script under HKCU\Software, so registering it touches nothing shared.
const wchar_t Script[] = LR"(
HKCU
{
    NoRemove Software
    {
        ForceRemove VornRegistryScriptTest = s 'Test Class'
        {
            Plain = s 'plain'
            {
                val Named = s 'it''s %MODULE%'
            }
            'Quoted Name'
            NoRemove Kept
            {
                val Gone = s 'value'
            }
        }
    }
}
)";

std::wstring ReadString(const std::wstring& key, const wchar_t* name)
{
    wchar_t buffer[256] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return L"<missing>";
    return buffer;
}

bool KeyExists(const std::wstring& key)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

std::vector<RegistryScriptRoot> Parsed(const wchar_t* script)
{
    return ParseRegistryScript(ExpandRegistryScript(script, {{L"MODULE", L"C:\\a''b.dll"}}));
}

class RegistryScriptFile : public testing::Test
{
protected:
    void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, TestKey); }
};
}

TEST(RegistryScriptExpansion, ReplacesNamesWithoutRegardToCaseAndKeepsDoubledPercent)
{
    EXPECT_EQ(L"a X b x 100% ''", ExpandRegistryScript(L"a %MODULE% b %module_raw% 100%% %APPID%''",
                                                       {{L"MODULE", L"X"}, {L"Module_Raw", L"x"}, {L"APPID", L""}}));
    EXPECT_THROW(ExpandRegistryScript(L"%UNKNOWN%", {{L"MODULE", L"X"}}), HRESULT);
    EXPECT_THROW(ExpandRegistryScript(L"50% off", {}), HRESULT);
}

TEST(RegistryScriptParsing, RefusesBrokenScripts)
{
    for (const wchar_t* broken : {L"HKXX { a }", L"HKCU { a = s 'open }", L"HKCU { a = d '1' }",
                                  L"HKCU { a = s unquoted }", L"HKCU { a { b }", L"HKCU { = }"})
        EXPECT_THROW(Parsed(broken), HRESULT) << broken;
}

TEST_F(RegistryScriptFile, RegistersAndUnregistersItsKeys)
{
    const std::wstring key = TestKey;
    ASSERT_EQ(S_OK, RegisterRegistryScript(Parsed(Script)));
    EXPECT_EQ(L"Test Class", ReadString(key, nullptr));
    EXPECT_EQ(L"plain", ReadString(key + L"\\Plain", nullptr));
    EXPECT_EQ(L"it's C:\\a'b.dll", ReadString(key + L"\\Plain", L"Named"));
    EXPECT_TRUE(KeyExists(key + L"\\Quoted Name"));
    EXPECT_EQ(L"value", ReadString(key + L"\\Kept", L"Gone"));

    ASSERT_EQ(S_OK, UnregisterRegistryScript(Parsed(Script)));
    EXPECT_FALSE(KeyExists(key));
    EXPECT_TRUE(KeyExists(L"Software"));
    // Unregistering what is not there is no failure.
    EXPECT_EQ(S_OK, UnregisterRegistryScript(Parsed(Script)));
}

TEST_F(RegistryScriptFile, ForceRemoveClearsOldContentAndOtherKeysKeepForeignSubkeys)
{
    const std::wstring key = TestKey;
    HKEY stale = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, (key + L"\\Stale").c_str(), 0, nullptr, 0,
                                             KEY_WRITE, nullptr, &stale, nullptr));
    RegCloseKey(stale);
    ASSERT_EQ(S_OK, RegisterRegistryScript(Parsed(Script)));
    EXPECT_FALSE(KeyExists(key + L"\\Stale"));

    const wchar_t* plainOnly = LR"(HKCU { NoRemove Software { VornRegistryScriptTest { Plain { val Named = s 'x' } } } })";
    HKEY foreign = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, (key + L"\\Plain\\Foreign").c_str(), 0, nullptr,
                                             0, KEY_WRITE, nullptr, &foreign, nullptr));
    RegCloseKey(foreign);
    ASSERT_EQ(S_OK, UnregisterRegistryScript(Parsed(plainOnly)));
    EXPECT_TRUE(KeyExists(key + L"\\Plain\\Foreign"));
    // The named value goes even where the key stays.
    EXPECT_EQ(L"<missing>", ReadString(key + L"\\Plain", L"Named"));
}
