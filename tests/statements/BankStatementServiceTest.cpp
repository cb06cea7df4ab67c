// The statement import inside the component: which lines of a chosen file are
// handed over and how, and the host account as the import reads and keeps it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/FakeBanking.h"
#include "objects/FakeStatement.h"
#include "statements/BankStatementService.h"
#include "support/StatementFiles.h"

namespace
{
StatementLineFields Line(const std::string& type, const std::string& debit, const std::string& credit,
                         std::vector<std::string> narratives = {"N1"})
{
    StatementLineFields fields;
    fields.type = type;
    fields.debit = debit;
    fields.credit = credit;
    fields.narratives = std::move(narratives);
    return fields;
}

StatementLineFields OfAccount(const std::string& sortCode, const std::string& accountNumber)
{
    StatementLineFields fields = Line("TFR", "", "1.00");
    fields.sortCode = sortCode;
    fields.accountNumber = accountNumber;
    return fields;
}

class StatementImportTest : public testing::Test
{
protected:
    // The module makes the cheque type code when it loads.
    void SetUp() override { CreateChequeTypeCode(); }
    void TearDown() override { FreeChequeTypeCode(); }

    // Imports a file of the given content for the account 12-34-56 12345678.
    void Import(const std::string& content)
    {
        TemporaryFile file(content);
        ImportStatementFile(file.WidePath().c_str(), context.Get(), statement.Get(), sortCode, accountNumber);
    }

    ComPtr<FakeBankContext> context = FakeBankContext::WithAccount(L"12-34-56", L"12345678");
    ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();
    CString sortCode;
    CString accountNumber;
};
}

TEST_F(StatementImportTest, DirectionAndAmountFollowTheDebitAndCreditColumns)
{
    Import(StatementContent(14, {ShortStatementLine(Line("TFR", "25.00", "")),
                                 ShortStatementLine(Line("TFR", "", "25.00")),
                                 ShortStatementLine(Line("TFR", "", "")),
                                 ShortStatementLine(Line("TFR", "-7.25", "3.00"))}));

    ASSERT_EQ(4u, statement->transactions.size());
    const std::vector<std::pair<long, double>> expected = {{0, 25.0}, {1, 25.0}, {1, 0.0}, {0, 7.25}};
    for (size_t i = 0; i < expected.size(); ++i)
    {
        EXPECT_EQ(expected[i].first, statement->transactions[i]->direction) << "line " << i + 1;
        EXPECT_DOUBLE_EQ(expected[i].second, statement->transactions[i]->amount) << "line " << i + 1;
    }
}

TEST_F(StatementImportTest, ChequesTakeTheirFirstNarrativeAsReferenceOnlyForExactlyChq)
{
    Import(StatementContent(18, {FullStatementLine(Line("CHQ", "50.00", "", {"100123", "SMITH"})),
                                 FullStatementLine(Line("chq", "50.00", "", {"100123", "SMITH"})),
                                 FullStatementLine(Line("CHQ12", "50.00", "", {"100124"}))}));

    ASSERT_EQ(3u, statement->transactions.size());
    EXPECT_EQ(L"100123", statement->transactions[0]->reference);
    EXPECT_EQ(L"CHQ 100123 SMITH", statement->transactions[0]->description);
    EXPECT_EQ(L"chq", statement->transactions[1]->reference);
    EXPECT_EQ(L"100123 SMITH", statement->transactions[1]->description);
    // The reader keeps the type's first three characters.
    EXPECT_EQ(L"100124", statement->transactions[2]->reference);
}

TEST_F(StatementImportTest, OnlyLinesOfTheHostAccountCountAndAreNumberedWithoutGaps)
{
    Import(StatementContent(14, {ShortStatementLine(OfAccount("123456", "12345678")),
                                 ShortStatementLine(OfAccount("123456", "12345678")),
                                 ShortStatementLine(OfAccount("123456", "87654321")),
                                 ShortStatementLine(OfAccount("654321", "12345678")),
                                 ShortStatementLine(OfAccount("12-34-56", "12345678")),
                                 ShortStatementLine(OfAccount("123456", "12345678"))}));

    ASSERT_EQ(3u, statement->transactions.size());
    for (long i = 0; i < 3; ++i)
    {
        EXPECT_EQ(VT_I4, statement->transactions[i]->numberType);
        EXPECT_EQ(i + 1, statement->transactions[i]->number);
    }
}

TEST_F(StatementImportTest, AHostAccountNumberLongerThanTheColumnNeverMatches)
{
    context->account->accountNumber = L"123456789";
    Import(StatementContent(14, {ShortStatementLine(OfAccount("123456", "123456789")),
                                 ShortStatementLine(OfAccount("123456", "12345678"))}));

    EXPECT_EQ("123456789", std::string(accountNumber.GetString()));
    EXPECT_EQ(1, statement->clearCalls);
    EXPECT_TRUE(statement->transactions.empty());
}

TEST_F(StatementImportTest, TextsReachTheHostInTheThreadsAnsiCodePage)
{
    // A pound sign and an e acute, as the bank's export writes them in
    // Windows-1252.
    Import(StatementContent(14, {ShortStatementLine(Line("TFR", "1.00", "", {"\xA3" "5 CAF\xC9"}))}));
    ASSERT_EQ(1u, statement->transactions.size());
    EXPECT_EQ(L"\u00A3" L"5 CAF\u00C9", statement->transactions[0]->description);
}

// The host account as the statement import reads and keeps it.
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
    EXPECT_EQ(std::vector<std::string>(), UnexpectedHostCalls());
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
