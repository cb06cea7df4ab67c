// Importing a chosen statement file into the host's statement: which lines
// are handed over, and how.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "doubles/FakeBanking.h"
#include "doubles/FakeStatement.h"
#include "statements/ChequeTypeCode.h"
#include "statements/StatementImport.h"
#include "support/StatementFiles.h"

namespace
{
using Lines = std::vector<std::string>;

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
        TempStatementFile file(content);
        ImportStatementFile(file.Path(), context.Get(), statement.Get(), sortCode, accountNumber);
    }

    ComPtr<FakeBankContext> context = FakeBankContext::WithAccount(L"12-34-56", L"12345678");
    ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();
    CString sortCode;
    CString accountNumber;
};
}

TEST_F(StatementImportTest, HandsOverEachLineInOrderAndReleasesEveryHostObject)
{
    Import(StatementContent(18, {FullStatementLine(Line("TFR", "25.00", "", {"RENT", "", "MAY"})),
                                 ShortStatementLine(Line("BGC", "", "\"1,234.50\""))}));

    EXPECT_EQ((Lines{"ClearTransactions", "SetStatementBalance 0",
                     "AddTransaction #1", "#1 SetNumber VT_I4 1", "#1 SetDate 41243", "#1 SetDirection 0",
                     "#1 SetAmount 25", "#1 SetDescription \"RENT MAY\"", "#1 SetReference \"TFR\"",
                     "AddTransaction #2", "#2 SetNumber VT_I4 2", "#2 SetDate 41243", "#2 SetDirection 1",
                     "#2 SetAmount 1234.5", "#2 SetDescription \"N1\"", "#2 SetReference \"BGC\""}),
              statement->DescribedCalls());
    EXPECT_TRUE(statement->AllUnexpectedCalls().empty());
    EXPECT_EQ("123456", std::string(sortCode.GetString()));
    EXPECT_EQ("12345678", std::string(accountNumber.GetString()));

    EXPECT_EQ(1, statement->RefCount());
    EXPECT_EQ(1, context->RefCount());
    EXPECT_EQ(1, context->account->RefCount());
    for (const ComPtr<FakeTransaction>& transaction : statement->transactions)
        EXPECT_EQ(1, transaction->RefCount());
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

    // The description goes over twice for a cheque: plain first, then marked.
    const Lines calls = statement->DescribedCalls();
    const Lines cheque(calls.begin() + 7, calls.begin() + 10);
    EXPECT_EQ((Lines{"#1 SetDescription \"100123 SMITH\"", "#1 SetReference \"100123\"",
                     "#1 SetDescription \"CHQ 100123 SMITH\""}),
              cheque);
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

TEST_F(StatementImportTest, AFileThatIsNoStatementClearsTheStatementAndAddsNothing)
{
    for (const std::string& path : {MissingStatementPath(), std::string()})
    {
        statement = MakeHostObject<FakeStatement>();
        ImportStatementFile(path.c_str(), context.Get(), statement.Get(), sortCode, accountNumber);
        EXPECT_EQ((Lines{"ClearTransactions", "SetStatementBalance 0"}), statement->DescribedCalls());
    }

    statement = MakeHostObject<FakeStatement>();
    Import(StatementContent(15, {ShortStatementLine(Line("TFR", "1.00", ""))}));
    EXPECT_EQ((Lines{"ClearTransactions", "SetStatementBalance 0"}), statement->DescribedCalls());
    EXPECT_DOUBLE_EQ(0.0, statement->balance);
}

TEST_F(StatementImportTest, ReadingEndsAtTheFirstLineThatCannotBeRead)
{
    Import(StatementContent(14, {ShortStatementLine(Line("TFR", "1.00", "")), "",
                                 ShortStatementLine(Line("TFR", "2.00", ""))}));
    ASSERT_EQ(1u, statement->transactions.size());
    EXPECT_DOUBLE_EQ(1.0, statement->transactions[0]->amount);
}

TEST_F(StatementImportTest, NoTransactionObjectEndsTheImportKeepingWhatWasAdded)
{
    for (HRESULT answer : {S_OK, E_FAIL})
    {
        statement = MakeHostObject<FakeStatement>();
        statement->objectsToGive = 1;
        statement->noObjectResult = answer;
        try
        {
            Import(StatementContent(14, {ShortStatementLine(Line("TFR", "1.00", "")),
                                         ShortStatementLine(Line("TFR", "2.00", "")),
                                         ShortStatementLine(Line("TFR", "3.00", ""))}));
            ADD_FAILURE() << "the import went on without a transaction object";
        }
        catch (HRESULT code)
        {
            EXPECT_EQ(E_POINTER, code);
        }
        EXPECT_EQ(2, statement->addCalls);
        ASSERT_EQ(1u, statement->transactions.size());
        EXPECT_DOUBLE_EQ(1.0, statement->transactions[0]->amount);
        EXPECT_EQ(1, statement->RefCount());
    }
}

TEST_F(StatementImportTest, TextsReachTheHostInTheThreadsAnsiCodePage)
{
    // A pound sign and an e acute, as the bank's export writes them in
    // Windows-1252.
    Import(StatementContent(14, {ShortStatementLine(Line("TFR", "1.00", "", {"\xA3" "5 CAF\xC9"}))}));
    ASSERT_EQ(1u, statement->transactions.size());
    EXPECT_EQ(L"\u00A3" L"5 CAF\u00C9", statement->transactions[0]->description);
}
