// Where the virtual store would hold a chosen file.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>

#include "payments/PaymentRun.h"

TEST(VirtualStorePath, OnlyAPathWithADriveLetterHasOne)
{
    char localAppData[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData));
    const std::string store = std::string(localAppData) + "\\virtualstore";

    char path[MAX_PATH];
    ASSERT_TRUE(BuildVirtualStorePath("C:\\Program Files\\Pay\\june.csv", path));
    EXPECT_EQ(store + "\\Program Files\\Pay\\june.csv", path);
    ASSERT_TRUE(BuildVirtualStorePath("d:/pay.csv", path));
    EXPECT_EQ(store + "/pay.csv", path);

    // A network path, a relative one, and anything shorter have none.
    for (const char* chosen : {"\\\\server\\share\\pay.csv", "\\\\?\\C:\\pay.csv", "pay.csv", "C:pay.csv", "C:",
                               "", "1:\\pay.csv"})
    {
        path[0] = 'x';
        EXPECT_FALSE(BuildVirtualStorePath(chosen, path)) << chosen;
        EXPECT_STREQ("", path) << chosen;
    }

    // Nor one that would not fit whole.
    const std::string longest = "C:\\" + std::string(MAX_PATH - store.size() - 1, 'n');
    EXPECT_FALSE(BuildVirtualStorePath(longest.c_str(), path));
}
