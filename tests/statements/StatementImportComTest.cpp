// The statement import as the host meets it: the registered statement
// service, the registered stand-in host choosing the file, the host's
// statement and bank context as test doubles.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "VornBankReconciliation.h"
#include "doubles/FakeBanking.h"
#include "doubles/FakeStatement.h"
#include "standin/StandInControl.h"
#include "support/ComponentObjects.h"
#include "support/PostedError.h"
#include "support/StatementFiles.h"

namespace
{
using Lines = std::vector<std::string>;

const HRESULT InvalidArgumentReported = static_cast<HRESULT>(0x800AFFFC);
const HRESULT UnexpectedReported = static_cast<HRESULT>(0x800AFFFE);

StatementLineFields AccountLine(const std::string& type, const std::string& debit, const std::string& credit,
                                std::vector<std::string> narratives)
{
    StatementLineFields fields;
    fields.sortCode = "203040";
    fields.accountNumber = "41234567";
    fields.type = type;
    fields.debit = debit;
    fields.credit = credit;
    fields.narratives = std::move(narratives);
    return fields;
}

StatementLineFields OtherAccountLine()
{
    StatementLineFields fields = AccountLine("TFR", "9.99", "", {"NOT OURS"});
    fields.accountNumber = "99999999";
    return fields;
}

std::wstring Description()
{
    return TakePostedError().description;
}

class StatementImportComTest : public testing::Test
{
protected:
    void SetUp() override
    {
        StandInReset();
        ASSERT_EQ(S_OK, CreateByProgId(L"VornTiloOnline.BankStatementService.1", IID_IVornBankStatementService,
                                       service));
    }
    void TearDown() override { StandInReset(); }

    // Chooses the file (status 0) for the next import.
    void Choose(const TemporaryFile& file) { StandInSetStatementFileChoice(file.Path(), 0); }

    HRESULT Import() { return service->ImportStatement(context.Get(), statement.Get()); }

    LONG Status()
    {
        LONG status = -1;
        EXPECT_EQ(S_OK, service->GetStatus(&status));
        return status;
    }

    StandInSelectionRecord Selection()
    {
        StandInSelectionRecord record{};
        StandInGetSelectionRecord(&record);
        return record;
    }

    ComPtr<IVornBankStatementService> service;
    ComPtr<FakeBankContext> context = FakeBankContext::WithAccount(L"20-30-40", L"41234567");
    ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();
};
}

TEST_F(StatementImportComTest, TheAccountsLinesReachTheStatementInOrder)
{
    TemporaryFile file(StatementContent(
        18, {FullStatementLine(AccountLine("CHQ", "120.00", "", {"100123", "SMITH"})), FullStatementLine(OtherAccountLine()),
             ShortStatementLine(AccountLine("BGC", "", "45.10", {"SALARY"}))}));
    Choose(file);
    ASSERT_EQ(S_OK, service->SetStatus(7));

    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(0, Status());
    EXPECT_EQ((Lines{"ClearTransactions", "SetStatementBalance 0",
                     "AddTransaction #1", "#1 SetNumber VT_I4 1", "#1 SetDate 41243", "#1 SetDirection 0",
                     "#1 SetAmount 120", "#1 SetDescription \"100123 SMITH\"", "#1 SetReference \"100123\"",
                     "#1 SetDescription \"CHQ 100123 SMITH\"",
                     "AddTransaction #2", "#2 SetNumber VT_I4 2", "#2 SetDate 41243", "#2 SetDirection 1",
                     "#2 SetAmount 45.1", "#2 SetDescription \"SALARY\"", "#2 SetReference \"BGC\""}),
              statement->DescribedCalls());
    EXPECT_TRUE(statement->AllUnexpectedCalls().empty());
    EXPECT_TRUE(context->unexpectedCalls.empty());
    EXPECT_TRUE(context->account->unexpectedCalls.empty());

    // Every host object is given back.
    EXPECT_EQ(1, statement->RefCount());
    EXPECT_EQ(1, context->RefCount());
    EXPECT_EQ(1, context->account->RefCount());
    for (const ComPtr<FakeTransaction>& transaction : statement->transactions)
        EXPECT_EQ(1, transaction->RefCount());

    // The stand-in ran our recognition function on the chosen path.
    const StandInSelectionRecord selection = Selection();
    EXPECT_EQ(1, selection.selectCalls);
    EXPECT_EQ(1, selection.recognitionCalled);
    EXPECT_EQ(1, selection.recognitionAnswer);
    EXPECT_STREQ("Tilo Online Statement", selection.typeName);
}

TEST_F(StatementImportComTest, ACancelledChoiceLeavesTheStatementAloneUntilAFileIsChosen)
{
    StandInSetStatementFileChoice(nullptr, 1);
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(1, Status());
    EXPECT_TRUE(statement->Calls().empty());
    EXPECT_EQ(1, Selection().selectCalls);

    // A path longer than 259 characters cannot be opened whole: no choice.
    const std::string longest = "C:\\" + std::string(256, 'a');
    StandInSetStatementFileChoice((longest + "b").c_str(), 0);
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(1, Status());
    EXPECT_TRUE(statement->Calls().empty());
    StandInSetStatementFileChoice(longest.c_str(), 0);
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(0, Status());
    EXPECT_EQ(1, statement->clearCalls);

    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}));
    Choose(file);
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(0, Status());
    EXPECT_EQ(1u, statement->transactions.size());
}

TEST_F(StatementImportComTest, AFileThatIsNoStatementEmptiesTheStatement)
{
    TemporaryFile file(StatementContent(15, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}));
    Choose(file);
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(0, Status());
    EXPECT_EQ((Lines{"ClearTransactions", "SetStatementBalance 0"}), statement->DescribedCalls());
    EXPECT_EQ(1, Selection().recognitionCalled);
    EXPECT_EQ(0, Selection().recognitionAnswer);
    EXPECT_STREQ("", Selection().typeName);

    // Also a file that does not exist.
    StandInSetStatementFileChoice(MissingStatementPath().c_str(), 0);
    statement = MakeHostObject<FakeStatement>();
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ((Lines{"ClearTransactions", "SetStatementBalance 0"}), statement->DescribedCalls());
}

TEST_F(StatementImportComTest, FailuresOfTheHostsComponentsEndTheImportAsExceptions)
{
    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}));
    const struct
    {
        const char* what;
        void (*arrange)();
    } cases[] = {
        {"settings fail", [] { StandInFailOperation(StandInGetStatementFileSettings, E_FAIL, "no settings"); }},
        {"selection fails", [] { StandInFailOperation(StandInSelectStatementFile, E_ACCESSDENIED, "no dialog"); }},
        {"no settings class", [] { StandInUnregisterClass(StandInSettingsClass); }},
        {"no selector class", [] { StandInUnregisterClass(StandInFileSelectorClass); }},
    };
    for (const auto& failure : cases)
    {
        StandInReset();
        Choose(file);
        failure.arrange();
        ASSERT_EQ(S_OK, service->SetStatus(7));
        EXPECT_EQ(DISP_E_EXCEPTION, Import()) << failure.what;
        EXPECT_EQ(0, Status()) << failure.what;
        EXPECT_TRUE(statement->Calls().empty()) << failure.what;
    }
}

TEST_F(StatementImportComTest, TheStoredAccountServesWhenTheHostGivesNone)
{
    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"})),
                                                 ShortStatementLine(OtherAccountLine())}));
    Choose(file);

    // A new service knows no account: no line matches.
    context = FakeBankContext::WithoutAccount();
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(1, statement->clearCalls);
    EXPECT_TRUE(statement->transactions.empty());

    // Once read, the account is kept when GetBankAccount fails or gives no
    // object.
    context = FakeBankContext::WithAccount(L"20-30-40", L"41234567");
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(1u, statement->transactions.size());

    context = FakeBankContext::WithoutAccount();
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(1u, statement->transactions.size());

    context = MakeHostObject<FakeBankContext>();
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(1, context->calls);
    ASSERT_EQ(1u, statement->transactions.size());
    EXPECT_EQ(L"N1", statement->transactions[0]->description);
}

TEST_F(StatementImportComTest, AMissingContextOrStatementIsRefusedBeforeAnythingHappens)
{
    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}));
    Choose(file);
    ASSERT_EQ(S_OK, service->SetStatus(7));

    EXPECT_EQ(InvalidArgumentReported, service->ImportStatement(nullptr, statement.Get()));
    EXPECT_EQ(L"Invalid argument", Description());
    EXPECT_EQ(InvalidArgumentReported, service->ImportStatement(context.Get(), nullptr));
    EXPECT_EQ(L"Invalid argument", Description());

    EXPECT_EQ(7, Status());
    EXPECT_EQ(0, StandInSettingsCallCount());
    EXPECT_EQ(0, Selection().selectCalls);
    EXPECT_EQ(0, context->calls);
    EXPECT_TRUE(statement->Calls().empty());
}

TEST_F(StatementImportComTest, AStatementThatGivesNoTransactionEndsTheImportKeepingWhatWasAdded)
{
    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"})),
                                                 ShortStatementLine(AccountLine("TFR", "2.00", "", {"N2"})),
                                                 ShortStatementLine(AccountLine("TFR", "3.00", "", {"N3"}))}));
    Choose(file);
    // Whether the statement says it failed or not.
    for (HRESULT answer : {S_OK, E_FAIL})
    {
        statement = MakeHostObject<FakeStatement>();
        statement->objectsToGive = 1;
        statement->noObjectResult = answer;

        EXPECT_EQ(UnexpectedReported, Import());
        EXPECT_EQ(L"Unexpected result", Description());
        EXPECT_EQ(0, Status());
        EXPECT_EQ(2, statement->addCalls);
        ASSERT_EQ(1u, statement->transactions.size());
        EXPECT_EQ(L"N1", statement->transactions[0]->description);
        EXPECT_EQ(1, statement->RefCount());
    }
}

TEST_F(StatementImportComTest, StatusTextChecksItsPointerAndGivesNothing)
{
    EXPECT_EQ(InvalidArgumentReported, service->GetStatementStatusText(1, nullptr));
    EXPECT_EQ(L"Invalid argument", Description());

    BSTR untouched = reinterpret_cast<BSTR>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(S_OK, service->GetStatementStatusText(1, &untouched));
    EXPECT_EQ(reinterpret_cast<BSTR>(static_cast<INT_PTR>(0x1234)), untouched);
}
