#include <gtest/gtest.h>

#include "doubles/FakeBanking.h"
#include "payments/PaymentRun.h"

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

TEST(SettingsKeySuffix, APartTheHostCannotGiveIsLeftOutTheUnderscoreStays)
{
    auto context = FakeBankContext::WithAccount(L"12-34-56", L"12345678");
    context->account->sortCodeResult = E_FAIL;
    EXPECT_EQ("_12345678", SuffixOf(context.Get()));
    context->account->accountNumberResult = E_FAIL;
    EXPECT_EQ("_", SuffixOf(context.Get()));
    context->account->sortCodeResult = S_OK;
    EXPECT_EQ("123456_", SuffixOf(context.Get()));

    context = FakeBankContext::WithAccount(L"", L"");
    context->account->sortCodeNull = true;
    context->account->accountNumberNull = true;
    EXPECT_EQ("_", SuffixOf(context.Get()));
}

TEST(SettingsKeySuffix, NoContextNoAccountOrANullAccountGiveNoSuffix)
{
    EXPECT_EQ("", SuffixOf(nullptr));
    EXPECT_EQ("", SuffixOf(FakeBankContext::WithoutAccount().Get()));
    const ComPtr<FakeBankContext> nullAccount = MakeHostObject<FakeBankContext>();
    EXPECT_EQ("", SuffixOf(nullAccount.Get()));
    EXPECT_EQ(1, nullAccount->calls);
}
