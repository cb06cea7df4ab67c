// The statement import as the host meets it: the registered statement
// service, the registered stand-in host choosing the file, the host's
// statement and bank context as test doubles.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>

#include <string.h>

#include <string>
#include <vector>

#include "VornBankReconciliation.h"
#include "objects/FakeBanking.h"
#include "objects/FakeStatement.h"
#include "objects/HostObject.h"
#include "standin/StandInControl.h"
#include "support/ComponentObjects.h"
#include "support/PostedError.h"
#include "support/StatementFiles.h"

namespace
{
using Lines = std::vector<std::string>;

const HRESULT InvalidArgumentReported = static_cast<HRESULT>(0x800AFFFC);
const HRESULT UnexpectedReported = static_cast<HRESULT>(0x800AFFFE);
const HRESULT Win32ErrorReported = static_cast<HRESULT>(0x800AFFFF);

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
    EXPECT_EQ(std::vector<std::string>(), UnexpectedHostCalls());

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

    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}));
    Choose(file);
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(0, Status());
    EXPECT_EQ(1u, statement->transactions.size());
}

TEST_F(StatementImportComTest, AFileThatCannotBeOpenedFailsWithTheSystemsReasonAndTouchesNothing)
{
    TemporaryFile locked(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}));
    // Another program holds it open without sharing.
    const FileHandle holder(
        CreateFileA(locked.Path(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(holder);
    char folder[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathA(MAX_PATH, folder));
    folder[strlen(folder) - 1] = '\0';
    const struct
    {
        std::string path;
        DWORD error;
    } cases[] = {
        {MissingStatementPath(), ERROR_FILE_NOT_FOUND},
        {locked.Path(), ERROR_SHARING_VIOLATION},
        {folder, ERROR_ACCESS_DENIED},
        // Longer than 259 characters: refused whole, never opened cut short.
        {"C:\\" + std::string(257, 'a'), ERROR_FILENAME_EXCED_RANGE},
    };
    for (const auto& each : cases)
    {
        SCOPED_TRACE(each.path);
        statement = MakeHostObject<FakeStatement>();
        StandInSetStatementFileChoice(each.path.c_str(), 0);
        EXPECT_EQ(Win32ErrorReported, Import());
        EXPECT_EQ(SystemMessage(each.error), Description());
        EXPECT_TRUE(statement->Calls().empty());
        EXPECT_EQ(0, context->calls);
    }
}

TEST_F(StatementImportComTest, AFileNamedOutsideTheAnsiCodePageIsReadByItsWidePath)
{
    wchar_t folder[MAX_PATH] = {};
    ASSERT_NE(0u, GetTempPathW(MAX_PATH, folder));
    const std::wstring path = std::wstring(folder) + L"\u0432\u044b\u043f\u0438\u0441\u043a\u0430.csv";
    const std::string content =
        StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))});
    {
        const FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
        DWORD written = 0;
        ASSERT_TRUE(WriteFile(file.Get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr));
    }
    StandInSetStatementFileChoiceW(path.c_str(), 0);
    EXPECT_EQ(S_OK, Import());
    DeleteFileW(path.c_str());
    EXPECT_EQ(0, Status());
    ASSERT_EQ(1u, statement->transactions.size());
    EXPECT_EQ(L"N1", statement->transactions[0]->description);
}

TEST_F(StatementImportComTest, AFileThatIsRefusedLeavesTheStatementUntouched)
{
    const struct
    {
        const char* what;
        std::string content;
        const wchar_t* description;
    } cases[] = {
        {"no statement", StatementContent(15, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}),
         L"The file is not a statement file: its first line has 15 fields, where 14 or 18 are expected. Nothing was "
         L"imported."},
        {"trailing credit left out",
         StatementContent(18, {FullStatementLine(AccountLine("TFR", "1250.00", "", {"INV"})).substr(
                                   0, FullStatementLine(AccountLine("TFR", "1250.00", "", {"INV"})).size() - 1)}),
         L"Line 2 of the statement has 17 fields; its header has 18, so its amounts cannot be placed. Nothing was "
         L"imported."},
        {"unquoted comma", StatementContent(14, {ShortStatementLine(AccountLine("TFR", "58.99", "", {"CAFE"})),
                                                 ShortStatementLine(AccountLine("TFR", "58.99", "", {"CAFE ROSE, CATERING"}))}),
         L"Line 3 of the statement has 15 fields; its header has 14, so its amounts cannot be placed. Nothing was "
         L"imported."},
    };
    for (const auto& refused : cases)
    {
        TemporaryFile file(refused.content);
        Choose(file);
        statement = MakeHostObject<FakeStatement>();
        EXPECT_EQ(DISP_E_EXCEPTION, Import()) << refused.what;
        EXPECT_EQ(refused.description, Description()) << refused.what;
        EXPECT_TRUE(statement->Calls().empty()) << refused.what;
        EXPECT_EQ(0, context->calls) << refused.what;
    }
}

TEST_F(StatementImportComTest, BlankLinesDropNothingAndQuotedLineBreaksAndUtf8AreRead)
{
    TemporaryFile file("\xEF\xBB\xBF" + StatementContent(
        14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"CAF\xC3\x89"})), "", "   ",
             ShortStatementLine(AccountLine("TFR", "", "2.00", {"\"TWO\r\nLINES\""})), "\r",
             ShortStatementLine(AccountLine("TFR", "3.00", "", {"THREE"}))}));
    Choose(file);
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(1, Selection().recognitionAnswer);
    ASSERT_EQ(3u, statement->transactions.size());
    EXPECT_EQ(L"CAF\u00C9", statement->transactions[0]->description);
    EXPECT_EQ(L"TWO LINES", statement->transactions[1]->description);
    EXPECT_EQ(2.0, statement->transactions[1]->amount);
    EXPECT_EQ(3, statement->transactions[2]->number);
}

TEST_F(StatementImportComTest, ALineOfTheLongestTextIsReadWhateverItsLineEnd)
{
    StatementLineFields fields = AccountLine("TFR", "", "3.00", {"N1"});
    const std::string header = HeaderLine(14);
    std::string line = ShortStatementLine(fields);
    fields.narratives = {std::string(2047 - line.size() + 2, 'n')};
    line = ShortStatementLine(fields);
    ASSERT_EQ(2047u, line.size());
    // The header too may be the longest, with an end-of-file character in it.
    const std::string longestHeader = header + "\x1A" + std::string(2047 - header.size() - 1, ' ');
    for (const char* end : {"\r\n", "\n"})
    {
        SCOPED_TRACE(end);
        TemporaryFile file(longestHeader + end + line + end + line + end);
        Choose(file);
        statement = MakeHostObject<FakeStatement>();
        EXPECT_EQ(S_OK, Import());
        EXPECT_EQ(1, Selection().recognitionAnswer);
        ASSERT_EQ(2u, statement->transactions.size());
        EXPECT_EQ(std::wstring(50, L'n'), statement->transactions[1]->description);
    }
}

TEST_F(StatementImportComTest, AnImportStartedByTheHostMeanwhileIsRefusedAndTheFirstGoesOn)
{
    TemporaryFile outer(StatementContent(18, {FullStatementLine(AccountLine("TFR", "", "1.00", {"A1", "A2"})),
                                              FullStatementLine(AccountLine("TFR", "", "2.00", {"B1", "B2"}))}));
    TemporaryFile inner(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "", "9.00", {"I1"}))}));
    Choose(outer);
    const ComPtr<FakeStatement> innerStatement = MakeHostObject<FakeStatement>();
    const ComPtr<FakeBankContext> otherAccount = FakeBankContext::WithAccount(L"99-99-99", L"99999999");
    bool started = false;
    statement->beforeAddTransaction = [&] {
        if (started)
            return;
        started = true;
        Choose(inner);
        EXPECT_EQ(DISP_E_EXCEPTION, service->ImportStatement(otherAccount.Get(), innerStatement.Get()));
        EXPECT_EQ(L"The bank reconciliation service is already running a statement import", Description());
    };
    EXPECT_EQ(S_OK, Import());
    EXPECT_EQ(0, Status());
    EXPECT_TRUE(innerStatement->Calls().empty());
    ASSERT_EQ(2u, statement->transactions.size());
    EXPECT_EQ(L"B1 B2", statement->transactions[1]->description);
    EXPECT_EQ(2.0, statement->transactions[1]->amount);
}

TEST_F(StatementImportComTest, FailuresOfTheHostsComponentsEndTheImportAsExceptions)
{
    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"}))}));
    const struct
    {
        const char* what;
        void (*arrange)();
        const wchar_t* description;
    } cases[] = {
        {"settings fail", [] { StandInFailOperation(StandInGetStatementFileSettings, E_FAIL, "no settings"); },
         L"no settings"},
        {"selection fails", [] { StandInFailOperation(StandInSelectStatementFile, E_ACCESSDENIED, "no dialog"); },
         L"no dialog"},
        // A choice the host cannot report is no cancel.
        {"status fails", [] { StandInFailOperation(StandInGetSelectionStatus, E_FAIL, "no status"); },
         L"no status"},
        {"path fails", [] { StandInFailOperation(StandInGetSelectedFile, E_OUTOFMEMORY, "no path"); },
         L"no path"},
        {"no settings class", [] { StandInUnregisterClass(StandInSettingsClass); },
         L"The e-banking host's settings component could not be created."},
        {"no selector class", [] { StandInUnregisterClass(StandInFileSelectorClass); },
         L"The e-banking host's file selection component could not be created."},
    };
    for (const auto& failure : cases)
    {
        StandInReset();
        Choose(file);
        failure.arrange();
        ASSERT_EQ(S_OK, service->SetStatus(7));
        // A description left over from an earlier call is never shown.
        ComPtr<ICreateErrorInfo> stale;
        ASSERT_EQ(S_OK, CreateErrorInfo(stale.Out()));
        stale->SetDescription(const_cast<LPOLESTR>(L"stale"));
        ComPtr<IErrorInfo> staleInfo;
        ASSERT_EQ(S_OK, stale.As(IID_IErrorInfo, staleInfo));
        SetErrorInfo(0, staleInfo.Get());

        EXPECT_EQ(DISP_E_EXCEPTION, Import()) << failure.what;
        EXPECT_EQ(failure.description, Description()) << failure.what;
        EXPECT_EQ(0, Status()) << failure.what;
        EXPECT_TRUE(statement->Calls().empty()) << failure.what;
    }
}

TEST_F(StatementImportComTest, AHostThatFailsAnyCallLeavesTheStatementEmptyAndTheImportFailed)
{
    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("CHQ", "1.00", "", {"N1"})),
                                             ShortStatementLine(OtherAccountLine()),
                                             ShortStatementLine(AccountLine("TFR", "", "2.00", {"N2"}))}));
    Choose(file);
    FailServedHostCall(0, S_OK);
    ASSERT_EQ(S_OK, Import());
    const long calls = ServedHostCalls();
    ASSERT_EQ(20, calls);
    for (long failing = 1; failing <= calls; ++failing)
    {
        for (HRESULT failure : {E_FAIL, E_NOTIMPL})
        {
            SCOPED_TRACE(std::to_string(failing) + (failure == E_FAIL ? " E_FAIL" : " E_NOTIMPL"));
            statement = MakeHostObject<FakeStatement>();
            FailServedHostCall(failing, failure);
            EXPECT_EQ(DISP_E_EXCEPTION, Import());
            const std::string call = FailedHostCall();
            const std::wstring operation(call.begin() + call.find("::") + 2, call.end());
            EXPECT_NE(std::wstring::npos, Description().find(L"The e-banking host failed in " + operation));
            // Nothing half filled: untouched, or cleared again after the failure.
            EXPECT_TRUE(statement->transactions.empty());
            EXPECT_TRUE(statement->Calls().empty() ||
                        statement->Calls().back().operation == StatementOperation::ClearTransactions);
        }
    }
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

TEST_F(StatementImportComTest, AStatementThatGivesNoTransactionFailsTheImportAndIsClearedAgain)
{
    TemporaryFile file(StatementContent(14, {ShortStatementLine(AccountLine("TFR", "1.00", "", {"N1"})),
                                             ShortStatementLine(AccountLine("TFR", "2.00", "", {"N2"})),
                                             ShortStatementLine(AccountLine("TFR", "3.00", "", {"N3"}))}));
    Choose(file);
    statement->objectsToGive = 1;
    EXPECT_EQ(DISP_E_EXCEPTION, Import());
    EXPECT_EQ(L"The e-banking host failed in AddTransaction for transaction 2 (0x80004003)", Description());
    EXPECT_EQ(2, statement->clearCalls);
    EXPECT_TRUE(statement->transactions.empty());
    EXPECT_EQ(1, statement->RefCount());
}

TEST_F(StatementImportComTest, StatusTextChecksItsPointerAndGivesNothing)
{
    EXPECT_EQ(InvalidArgumentReported, service->GetStatementStatusText(1, nullptr));
    EXPECT_EQ(L"Invalid argument", Description());

    BSTR untouched = reinterpret_cast<BSTR>(static_cast<INT_PTR>(0x1234));
    EXPECT_EQ(S_OK, service->GetStatementStatusText(1, &untouched));
    EXPECT_EQ(reinterpret_cast<BSTR>(static_cast<INT_PTR>(0x1234)), untouched);
}
