// The host account as the statement import reads and keeps it.
#include <gtest/gtest.h>

#include <string>

#include "doubles/FakeBanking.h"
#include "statements/BankStatementService.h"

namespace
{
class HostAccountTest : public testing::Test
{
protected:
    void Read(IVornBankContext* context) { ReadHostAccount(context, sortCode, accountNumber); }
    std::string SortCode() const { return sortCode.GetString(); }
    std::string AccountNumber() const { return accountNumber.GetString(); }

    // What an earlier import stored.
    CString sortCode = "111111";
    CString accountNumber = "22222222";
};
}

TEST_F(HostAccountTest, SortCodeKeepsOnlyItsDigitsAndTheAccountNumberStaysAsGiven)
{
    Read(FakeBankContext::WithAccount(L"12-34 56", L" 0012-345 ").Get());
    EXPECT_EQ("123456", SortCode());
    EXPECT_EQ(" 0012-345 ", AccountNumber());
}

TEST_F(HostAccountTest, ANullTextKeepsOnlyItsOwnStoredValue)
{
    ComPtr<FakeBankContext> context = FakeBankContext::WithAccount(L"654321", L"87654321");
    context->account->sortCodeNull = true;
    Read(context.Get());
    EXPECT_EQ("111111", SortCode());
    EXPECT_EQ("87654321", AccountNumber());

    context->account->sortCodeNull = false;
    context->account->accountNumberNull = true;
    Read(context.Get());
    EXPECT_EQ("654321", SortCode());
    EXPECT_EQ("87654321", AccountNumber());
    EXPECT_TRUE(context->account->unexpectedCalls.empty());
}

TEST_F(HostAccountTest, TextsOfThirtyTwoBytesOrMoreAreCutToTheirFirstThirtyOne)
{
    const std::wstring longNumber = L"1234567890123456789012345678901234567890";
    Read(FakeBankContext::WithAccount(L"Sort code 12-34-56 at Market Street branch", longNumber.c_str()).Get());
    EXPECT_EQ("1234567890123456789012345678901", AccountNumber());
    EXPECT_EQ("123456", SortCode());

    Read(FakeBankContext::WithAccount(L"", std::wstring(31, L'9').c_str()).Get());
    EXPECT_EQ(std::string(31, '9'), AccountNumber());
    EXPECT_EQ("", SortCode());
}

TEST_F(HostAccountTest, ATextEndsBeforeACharacterTheConversionCannotTake)
{
    Read(FakeBankContext::WithAccount(L"12\u201334\u201356", L"1234\u20ac5678").Get());
    EXPECT_EQ("12", SortCode());
    EXPECT_EQ("1234", AccountNumber());
}
