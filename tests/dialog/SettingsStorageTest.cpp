// The remembered texts go through the real BANKSERV.INI of the Wine prefix.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <shlwapi.h>

#include <fstream>
#include <sstream>
#include <string>

#include "dialog/SettingsStorage.h"

namespace
{
const char AccountTemplateKey[] = "TiloOnlineTemplate123456_12345678";

// The host's settings file, found where the host keeps it.
std::string SettingsFileText()
{
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, CSIDL_COMMON_APPDATA, FALSE);
    PathAppendA(path, "VORN\\Vorn EBanking\\BANKSERV.INI");
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

class Settings : public testing::Test
{
protected:
    // The host's installation makes the folder; a fresh prefix may lack it.
    static void SetUpTestSuite()
    {
        char folder[MAX_PATH] = {};
        lstrcpynA(folder, SettingsFilePath(), MAX_PATH);
        PathRemoveFileSpecA(folder);
        SHCreateDirectoryExA(nullptr, folder, nullptr);
    }

    void TearDown() override
    {
        for (const char* key : {TemplateKeyPrefix, BenRefKeyPrefix, AccountTemplateKey})
            WritePrivateProfileStringA(SettingsSection, key, nullptr, SettingsFilePath());
    }
};
}

TEST_F(Settings, KeysWithAndWithoutAccountSuffixAreKeptApart)
{
    ASSERT_TRUE(WriteSetting(TemplateKeyPrefix, "PLAIN"));
    ASSERT_TRUE(WriteSetting(AccountTemplateKey, "BULK-7"));
    ASSERT_TRUE(WriteSetting(BenRefKeyPrefix, "INV 2024/17"));

    CString plain, account, benRef;
    LoadSetting(TemplateKeyPrefix, plain);
    LoadSetting(AccountTemplateKey, account);
    LoadSetting(BenRefKeyPrefix, benRef);
    EXPECT_STREQ("PLAIN", plain.GetString());
    EXPECT_STREQ("BULK-7", account.GetString());
    EXPECT_STREQ("INV 2024/17", benRef.GetString());

    const std::string file = SettingsFileText();
    EXPECT_NE(std::string::npos, file.find("[MIGRATED]")) << file;
    EXPECT_NE(std::string::npos, file.find("TiloOnlineTemplate123456_12345678=BULK-7")) << file;
    EXPECT_NE(std::string::npos, file.find("TiloOnlineBenRef=INV 2024/17")) << file;
}

TEST_F(Settings, EmptyOrMissingValueReadsAsNothing)
{
    ASSERT_TRUE(WriteSetting(AccountTemplateKey, ""));
    EXPECT_NE(std::string::npos, SettingsFileText().find("TiloOnlineTemplate123456_12345678="))
        << "an empty value keeps its key";

    char buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH - 1;
    EXPECT_FALSE(ReadSetting(AccountTemplateKey, buffer, &size));

    CString value("start");
    LoadSetting(AccountTemplateKey, value);
    EXPECT_STREQ("start", value.GetString());
    LoadSetting("TiloOnlineTemplateNeverWritten", value);
    EXPECT_STREQ("start", value.GetString());
}

TEST_F(Settings, LongStoredValueIsCutToTheReadBuffer)
{
    const std::string stored(300, 'x');
    ASSERT_TRUE(WriteSetting(TemplateKeyPrefix, stored.c_str()));
    CString value;
    LoadSetting(TemplateKeyPrefix, value);
    EXPECT_EQ(258, value.GetLength());
}
