#include <gtest/gtest.h>

#include <string>

#include "com/ComHolders.h"
#include "module/RegistryScript.h"
#include "support/RegistryValues.h"

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
    EXPECT_EQ(L"Test Class", RegistryString(HKEY_CURRENT_USER, key, nullptr));
    EXPECT_EQ(L"plain", RegistryString(HKEY_CURRENT_USER, key + L"\\Plain", nullptr));
    EXPECT_EQ(L"it's C:\\a'b.dll", RegistryString(HKEY_CURRENT_USER, key + L"\\Plain", L"Named"));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, key + L"\\Quoted Name"));
    EXPECT_EQ(L"value", RegistryString(HKEY_CURRENT_USER, key + L"\\Kept", L"Gone"));

    ASSERT_EQ(S_OK, UnregisterRegistryScript(Parsed(Script)));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, key));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, L"Software"));
    // Unregistering what is not there is no failure.
    EXPECT_EQ(S_OK, UnregisterRegistryScript(Parsed(Script)));
}

TEST_F(RegistryScriptFile, ForceRemoveClearsOldContentAndOtherKeysKeepForeignSubkeys)
{
    const std::wstring key = TestKey;
    RegistryKey stale;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, (key + L"\\Stale").c_str(), 0, nullptr, 0,
                                             KEY_WRITE, nullptr, stale.Out(), nullptr));
    stale.Reset();
    ASSERT_EQ(S_OK, RegisterRegistryScript(Parsed(Script)));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, key + L"\\Stale"));

    const wchar_t* plainOnly = LR"(HKCU { NoRemove Software { VornRegistryScriptTest { Plain { val Named = s 'x' } } } })";
    RegistryKey foreign;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CURRENT_USER, (key + L"\\Plain\\Foreign").c_str(), 0, nullptr,
                                             0, KEY_WRITE, nullptr, foreign.Out(), nullptr));
    foreign.Reset();
    ASSERT_EQ(S_OK, UnregisterRegistryScript(Parsed(plainOnly)));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, key + L"\\Plain\\Foreign"));
    // The named value goes even where the key stays.
    EXPECT_EQ(L"<missing>", RegistryString(HKEY_CURRENT_USER, key + L"\\Plain", L"Named"));
}
