// Parts of the payment run: the keys of the remembered texts per account, and
// where the virtual store would hold a chosen file.
#include <gtest/gtest.h>

#include <shlobj.h>
#include <string>

#include "objects/FakeBanking.h"
#include "payments/PaymentRun.h"
#include "support/ThrownBy.h"

namespace
{
std::string SuffixOf(IVornBankContext* context)
{
    return SettingsKeySuffix(context).GetString();
}
}

TEST(SettingsKeySuffix, SortCodeDigitsUnderscoreAndTheAccountNumberAsGiven)
{
    EXPECT_EQ("123456_12345678", SuffixOf(FakeBankContext::WithAccount(L"12-34-56", L"12345678").Get()));
    EXPECT_EQ("123456_1234 5678", SuffixOf(FakeBankContext::WithAccount(L"12 34 56", L"1234 5678").Get()));
}

TEST(SettingsKeySuffix, AnAccountNumberCannotBreakTheSettingsFileApart)
{
    EXPECT_EQ("123456_1234__[_EVIL]_a_1_",
              SuffixOf(FakeBankContext::WithAccount(L"12-34-56", L"1234\r\n[\tEVIL]\na=1\x7F").Get()));
}

TEST(SettingsKeySuffix, AFailedHostCallIsRaisedNamingItNullTextsAreEmpty)
{
    const auto context = FakeBankContext::WithAccount(L"12-34-56", L"12345678");
    const wchar_t* const calls[] = {L"GetBankAccount", L"GetBankSortCode", L"GetBankAccountNumber"};
    for (long number = 1; number <= 3; ++number)
    {
        FailServedHostCall(number, E_NOTIMPL);
        const RaisedFailure raised = RaisedBy([&] { SuffixOf(context.Get()); });
        EXPECT_EQ(E_NOTIMPL, raised.result);
        EXPECT_EQ(std::wstring(L"The e-banking host failed in ") + calls[number - 1] + L" (0x80004001)",
                  raised.description);
    }

    const auto nullTexts = FakeBankContext::WithAccount(L"", L"");
    nullTexts->account->sortCodeNull = true;
    nullTexts->account->accountNumberNull = true;
    EXPECT_EQ("_", SuffixOf(nullTexts.Get()));
}

TEST(SettingsKeySuffix, NoContextOrANullAccountGiveNoSuffix)
{
    EXPECT_EQ("", SuffixOf(nullptr));
    const ComPtr<FakeBankContext> nullAccount = MakeHostObject<FakeBankContext>();
    EXPECT_EQ("", SuffixOf(nullAccount.Get()));
    EXPECT_EQ(1, nullAccount->calls);
}

// Where the virtual store would hold a chosen file.
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
