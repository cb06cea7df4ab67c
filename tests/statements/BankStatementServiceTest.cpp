// The statement import inside the component: which lines of a chosen file are
// handed over and how, and the host account as the import reads and keeps it.
#include <gtest/gtest.h>

#include <string.h>

#include <string>
#include <vector>

#include "objects/FakeBanking.h"
#include "objects/FakeStatement.h"
#include "statements/BankStatementService.h"
#include "support/ReferenceStatementImport.h"
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

TEST_F(HostAccountTest, ANullTextIsEmptyAndNothingStoredBeforeIsKept)
{
    ComPtr<FakeBankContext> context = FakeBankContext::WithAccount(L"654321", L"87654321");
    context->account->sortCodeNull = true;
    Read(context.Get());
    EXPECT_EQ("", SortCode());
    EXPECT_EQ("87654321", AccountNumber());

    context->account->sortCodeNull = false;
    context->account->accountNumberNull = true;
    Read(context.Get());
    EXPECT_EQ("654321", SortCode());
    EXPECT_EQ("", AccountNumber());
}

TEST_F(HostAccountTest, AnAccountThatCannotBeReadFailsAndKeepsNothingOfAnEarlierOne)
{
    // A failing context, a context with no account, a failing getter, a text
    // holding a NUL: each is a failure, and the stored account is not used.
    ComPtr<FakeBankContext> failing = FakeBankContext::WithoutAccount();
    ComPtr<FakeBankContext> none = FakeBankContext::WithAccount(L"1", L"2");
    none->account.Reset();
    ComPtr<FakeBankContext> getterFails = FakeBankContext::WithAccount(L"654321", L"87654321");
    getterFails->account->sortCodeResult = E_FAIL;
    ComPtr<FakeBankContext> withNul = FakeBankContext::WithAccount(L"654321", L"87654321");
    withNul->account->accountNumber = std::wstring(L"12345678\0 99", 11);
    for (FakeBankContext* context : {failing.Get(), none.Get(), getterFails.Get(), withNul.Get()})
        EXPECT_THROW(Read(context), _com_error);
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

namespace
{
// The values a generated statement varies: every date and amount form the
// reader takes, quotes where they help and where they confuse, cheques, and
// lines of each field count the layouts allow.
const char* const Dates[] = {"30/11/2012", "2012-11-30", "\"30/11/2012\"", "1/2/12", "29/02/2012", "29/02/2013",
                             "31/12/9999", "01/01/0100", "0/0/0", "30/11", "abc", "", "  30/11/2012",
                             "2012-02-30", "\"2012-11-30\"", "30//11//2012", "12/2012", "30/13/2012",
                             "99999999/1/1", "1800-01-01", "31/12/1899", "30/12/1899", "05/06/75"};
const char* const Amounts[] = {"", "0", "0.00", "0.000004", "0.000006", "12.34", "\"-1,234.50\"", "\"5,000.00\"",
                               "1 234.50", "+7.5", ".5", "5.", "123456789012.345678", "0.1", "0.125", "2.675",
                               "1.005", "9999999999999999", "12.3456789012345678901234", "\"\"", "--3", "\"4,,5\""};
const char* const Types[] = {"CHQ", "chq", "CHQ12", "TFR", "\"CHQ\"", "", "C", "CH", "DDR", "Q"};
const char* const Narratives[] = {"N1", "", "\"Smith, J\"", "say \"\"hi\"\"", "x\"y\"", "PAID TO SUPPLIER",
                                  "\xA3 5 CAF\xC9", "  spaced  "};

std::string Pick(const char* const* values, size_t count, int index)
{
    return values[static_cast<size_t>(index) % count];
}

std::string GeneratedStatement(bool fullLayout, int lines)
{
    std::string content = HeaderLine(fullLayout ? 18 : 14) + "\r\n";
    for (int index = 0; index < lines; ++index)
    {
        StatementLineFields fields;
        fields.sortCode = index % 13 == 5 ? "\"123456\"" : (index % 17 == 3 ? "654321" : "123456");
        fields.accountNumber = index % 19 == 7 ? "12345678 " : "12345678";
        fields.date = Pick(Dates, sizeof Dates / sizeof Dates[0], index);
        fields.type = Pick(Types, sizeof Types / sizeof Types[0], index * 7);
        fields.debit = Pick(Amounts, sizeof Amounts / sizeof Amounts[0], index);
        fields.credit = Pick(Amounts, sizeof Amounts / sizeof Amounts[0], index * 3 + 1);
        fields.narratives = {Pick(Narratives, 8, index), Pick(Narratives, 8, index + 2), "",
                             Pick(Narratives, 8, index * 5), std::string(index % 23 == 0 ? 60 : 1, 'z')};
        const std::string line = fullLayout && index % 9 != 4 ? FullStatementLine(fields) : ShortStatementLine(fields);
        content += line + (index % 5 == 0 ? "\n" : "\r\n");
        if (index % 31 == 30)
            content += "  \r\n";
    }
    return content;
}

bool SameCall(const StatementCall& left, const StatementCall& right)
{
    return left.operation == right.operation && left.transaction == right.transaction &&
           memcmp(&left.value, &right.value, sizeof left.value) == 0 && left.integer == right.integer &&
           left.numberType == right.numberType && left.text == right.text;
}
}

TEST_F(StatementImportTest, TheHostGetsWhatTheFirstWrittenReaderGaveItCallForCallAndValueForValue)
{
    for (bool fullLayout : {true, false})
    {
        SCOPED_TRACE(fullLayout ? "full layout" : "short layout");
        const std::string content = GeneratedStatement(fullLayout, 600);
        Import(content);
        const std::vector<StatementCall> expected = ReferenceImportCalls(content, "123456", "12345678");
        const std::vector<StatementCall>& calls = statement->Calls();
        ASSERT_GT(expected.size(), 1000u);
        ASSERT_EQ(expected.size(), calls.size());
        for (size_t index = 0; index < calls.size(); ++index)
            ASSERT_TRUE(SameCall(expected[index], calls[index]))
                << index << ": " << DescribeCall(calls[index]) << " instead of " << DescribeCall(expected[index]);
        statement = MakeHostObject<FakeStatement>();
    }
}
