// The remembered texts in the host's settings file, and the default path of
// the payment file.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <shlobj.h>
#include <shlwapi.h>
#include <sstream>
#include <string>
#include <vector>

#include "dialog/SettingsStorage.h"
#include "robot/MessageBoxAnswerer.h"
#include "support/WindowTest.h"

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

// The default payment path, with the real file system of the Wine prefix and
// the real message box.
namespace
{
// The path may be reported in a message box.
class DefaultPaymentPath : public WindowTest
{
};

struct Resolved
{
    std::string path;
    std::vector<SeenMessageBox> messages;
};

Resolved Resolve(const char* fileName, const std::string& directory)
{
    MessageBoxAnswerer answerer;
    char output[1024];
    memset(output, '#', sizeof output);
    ResolveDefaultPaymentPath(fileName, directory.c_str(), output, sizeof output);
    return {output, answerer.Stop()};
}

std::string MissingDirectoryText(const std::string& directory)
{
    return "The default payment directory (" + directory +
        ") specified does not exist.  Please correct this within configuration for the specified "
        "banking component. The root directory (C:\\) will be used in the mean time.";
}

// An existing folder spelt with "\." steps to exactly `length` characters.
std::string ExistingFolderSpeltWith(size_t length)
{
    std::string directory = length % 2 ? "C:\\windows\\system32" : "C:\\windows";
    while (directory.size() < length)
        directory += "\\.";
    return directory;
}
}

TEST(AppendBackslash, AddsOneBackslashWithinTheBuffer)
{
    char path[16] = "C:\\pay";
    EXPECT_TRUE(AppendBackslash(path, sizeof path));
    EXPECT_STREQ("C:\\pay\\", path);
    EXPECT_TRUE(AppendBackslash(path, sizeof path));
    EXPECT_STREQ("C:\\pay\\", path);

    char empty[4] = "";
    EXPECT_TRUE(AppendBackslash(empty, sizeof empty));
    EXPECT_STREQ("\\", empty);

    char full[9] = "C:\\abcd";
    full[8] = '#';
    EXPECT_FALSE(AppendBackslash(full, 8));
    EXPECT_STREQ("C:\\abcd", full);
    EXPECT_EQ('#', full[8]);
}

TEST_F(DefaultPaymentPath, ExistingDirectoryWithOrWithoutBackslashGivesOnePath)
{
    const Resolved plain = Resolve("pay.csv", "C:\\windows");
    const Resolved slashed = Resolve("pay.csv", "C:\\windows\\");
    EXPECT_EQ("C:\\windows\\pay.csv", plain.path);
    EXPECT_EQ("C:\\windows\\pay.csv", slashed.path);
    EXPECT_TRUE(plain.messages.empty());
    EXPECT_TRUE(slashed.messages.empty());
}

TEST_F(DefaultPaymentPath, MissingDirectoryIsReportedAndReplacedByDriveC)
{
    const Resolved resolved = Resolve("pay.csv", "C:\\no such folder");
    EXPECT_EQ("C:\\pay.csv", resolved.path);
    ASSERT_EQ(1u, resolved.messages.size());
    EXPECT_EQ("Invalid default path", resolved.messages[0].caption);
    EXPECT_EQ(MissingDirectoryText("C:\\no such folder"), resolved.messages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONERROR), resolved.messages[0].icon);
    EXPECT_EQ(std::vector<int>({IDOK}), resolved.messages[0].buttons);
}

TEST_F(DefaultPaymentPath, MessageIsOwnedByTheActiveWindow)
{
    const HWND active = CreateWindowExA(0, "Static", "host", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                                        nullptr, nullptr, nullptr);
    ASSERT_TRUE(active);
    SetActiveWindow(active);
    const Resolved resolved = Resolve("pay.csv", "C:\\no such folder");
    DestroyWindow(active);
    ASSERT_EQ(1u, resolved.messages.size());
    EXPECT_EQ(active, resolved.messages[0].owner);
}

TEST_F(DefaultPaymentPath, DriveARootIsTakenWithoutMessage)
{
    for (const char* directory : {"A:", "A:\\", "a:\\"})
    {
        const Resolved resolved = Resolve("pay.csv", directory);
        EXPECT_EQ(std::string(directory).substr(0, 2) + "\\pay.csv", resolved.path) << directory;
        EXPECT_TRUE(resolved.messages.empty()) << directory;
    }
    EXPECT_EQ(1u, Resolve("pay.csv", "A:\\missing").messages.size());
}

TEST_F(DefaultPaymentPath, EmptyDirectorySearchesTheCurrentDriveRoot)
{
    const Resolved resolved = Resolve("pay.csv", "");
    EXPECT_EQ("\\pay.csv", resolved.path);
    EXPECT_TRUE(resolved.messages.empty());
}

TEST_F(DefaultPaymentPath, DirectoryTooLongToSearchCountsAsMissing)
{
    // The search pattern (directory, "\", "*.*") must fit MAX_PATH characters.
    const std::string longest = ExistingFolderSpeltWith(MAX_PATH - 5);
    ASSERT_EQ(MAX_PATH - 5u, longest.size());
    const Resolved fits = Resolve("pay.csv", longest);
    EXPECT_EQ(longest + "\\pay.csv", fits.path);
    EXPECT_TRUE(fits.messages.empty());

    for (size_t length : {MAX_PATH - 4u, 2000u})
    {
        const std::string directory = ExistingFolderSpeltWith(length);
        ASSERT_EQ(length, directory.size());
        const Resolved resolved = Resolve("pay.csv", directory);
        EXPECT_EQ("C:\\pay.csv", resolved.path) << length;
        ASSERT_EQ(1u, resolved.messages.size()) << length;
        EXPECT_EQ(MissingDirectoryText(directory), resolved.messages[0].text);
    }
}

TEST_F(DefaultPaymentPath, OutputIsCutToItsBuffer)
{
    char output[12];
    memset(output, '#', sizeof output);
    ResolveDefaultPaymentPath("payments.csv", "C:\\windows", output, 8);
    EXPECT_STREQ("C:\\wind", output);
    EXPECT_EQ('#', output[8]);
}
