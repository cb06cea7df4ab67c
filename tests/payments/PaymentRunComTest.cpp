// Whole payment runs through the registered payment service, as the host
// calls it: the real payment dialog and the real save dialog answered by the
// robot as a user would, the stand-in host's settings component, the host's
// settings file and the payment file on disk.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "VornBankPayments.h"
#include "VornTiloOnline.h"
#include "objects/FakeBanking.h"
#include "com/PaymentTypes.h"
#include "resources/resource.h"
#include "robot/PaymentRunRobot.h"
#include "standin/StandInControl.h"
#include "support/ComponentObjects.h"
#include "support/PaymentFileLines.h"
#include "support/PaymentRuns.h"
#include "support/PostedError.h"
#include "support/TemporaryFile.h"
#include "support/WindowTest.h"

namespace
{
using Fields = std::map<int, std::string>;
using DialogWork = std::function<void(PaymentDialogRobot&)>;

const int Fields85 = 85;
const int BulkListHeaderFields = 80;
const char Payer[] = "20000087654321";
const HRESULT InvalidArgument = static_cast<HRESULT>(0x800AFFFC);
const wchar_t PaymentServiceProgId[] = L"VornTiloOnline.BankPaymentService.1";
const char AccountTemplateKey[] = "TiloOnlineTemplate123456_12345678";
const char AccountBenRefKey[] = "TiloOnlineBenRef123456_12345678";

class PaymentRun : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        if (HasFatalFailure())
            return;
        StandInReset();
        for (const std::string& key : keys)
            RemoveStoredSetting(key);
        ASSERT_EQ(S_OK, CreateByProgId(PaymentServiceProgId, IID_IVornBankPaymentService, service));
    }

    void TearDown() override
    {
        StandInReset();
        for (const std::string& key : keys)
            RemoveStoredSetting(key);
    }

    // One run of ProcessPayments with the robot answering its windows; the
    // service's status afterwards lands in `status`.
    PaymentRunSeen Run(PaymentRunAnswers answers, IVornBankContext* context = nullptr)
    {
        return RunWith(std::move(answers), payments.Get(), context);
    }
    PaymentRunSeen RunWith(PaymentRunAnswers answers, IVornPayments* batch, IVornBankContext* context)
    {
        PaymentRunRobot robot(std::move(answers));
        result = service->ProcessPayments(batch, context);
        PaymentRunSeen seen = robot.Stop();
        EXPECT_EQ(0, seen.abandonedDialogs) << "the payment dialog was left open";
        EXPECT_EQ(S_OK, service->GetStatus(&status));
        return seen;
    }

    // Answers that work the payment dialog, note the date it shows, confirm
    // it and save as `fileName` (empty: cancel the save dialog).
    PaymentRunAnswers Confirm(const std::string& fileName, const DialogWork& work = nullptr)
    {
        PaymentRunAnswers answers;
        answers.fileName = fileName;
        answers.paymentDialog = [this, work](PaymentDialogRobot& dialog) {
            if (work)
                work(dialog);
            // The work may have confirmed the dialog itself.
            if (!IsWindowVisible(dialog.Dialog()))
                return;
            processingDate = dialog.ShownDate();
            dialog.PressOk();
        };
        return answers;
    }

    // Confirms the dialog with a processing date `daysAhead` days after the
    // one offered, or the first later day that it accepts as a banking day.
    void ConfirmLater(PaymentDialogRobot& dialog, int daysAhead)
    {
        DATE day = dialog.ShownDate() + daysAhead;
        for (int attempt = 0; attempt < 10; ++attempt, day += 1)
        {
            ASSERT_TRUE(dialog.SetProcessingDate(day));
            processingDate = day;
            dialog.PressOk();
            HWND refusal = nullptr;
            while (!refusal && IsWindowVisible(dialog.Dialog()))
                refusal = dialog.WaitForMessage(20);
            if (!refusal)
                return;
            AnswerMessageBox(refusal, IDOK);
        }
        ADD_FAILURE() << "no banking day accepted";
    }

    std::string Day() const { return DayText(processingDate); }

    // The keys of the remembered texts that the tests use, removed after each.
    const std::vector<std::string> keys = {"TiloOnlineTemplate", "TiloOnlineBenRef", AccountTemplateKey,
                                           AccountBenRefKey};
    ComPtr<IVornBankPaymentService> service;
    ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
    ScratchFolder folder;
    HRESULT result = E_FAIL;
    LONG status = -1;
    DATE processingDate = 0;
};

std::string Lines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line;
    return text;
}

// Field `number` (from 1) of a comma-separated line.
std::string FieldOf(const std::string& line, int number)
{
    size_t start = 0;
    for (int field = 1; field < number; ++field)
    {
        start = line.find(',', start);
        if (start == std::string::npos)
            return "(missing)";
        ++start;
    }
    return line.substr(start, line.find(',', start) - start);
}

size_t CommasIn(const std::string& line)
{
    return static_cast<size_t>(std::count(line.begin(), line.end(), ','));
}

// Removes the test's folders of the virtual store, and the store itself when
// the test made it.
void RemoveStoreFolders(const std::string& storeFolder, const std::string& store, bool storeExisted)
{
    std::string folder = storeFolder;
    while (folder.size() > store.size() && RemoveDirectoryA(folder.c_str()))
        folder = folder.substr(0, folder.rfind('\\'));
    if (!storeExisted)
        RemoveDirectoryA(store.c_str());
}
}

TEST_F(PaymentRun, StandardDomesticWithAnIatMarkedInTheDialog)
{
    // The service as the host finds it: through the bank's list, by name.
    ComPtr<IVornBank> bank;
    ASSERT_EQ(S_OK, CreateByProgId(L"VornTiloOnline.Bank.1", IID_IVornBank, bank));
    ComPtr<IVornBankServices> services;
    ASSERT_EQ(S_OK, bank->GetServices(services.Out()));
    Variant name;
    V_VT(name.Get()) = VT_BSTR;
    V_BSTR(name.Get()) = SysAllocString(L"Bank Payment Service");
    ComPtr<IVornBankService> listed;
    ASSERT_EQ(S_OK, services->GetItem(name.Get(), listed.Out()));
    ASSERT_EQ(S_OK, listed->QueryInterface(IID_IVornBankPaymentService, service.OutVoid()));

    AddThreePayments(*payments.Get());
    const std::string file = folder.File("standard.csv");

    const PaymentRunSeen seen = Run(Confirm(file, [](PaymentDialogRobot& dialog) {
        ASSERT_TRUE(dialog.ClickIatBox());
        ASSERT_TRUE(dialog.SelectRows({1}));
        ASSERT_TRUE(dialog.PressSet());
    }));

    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_EQ(std::vector<long>({0, 0, 0}), StatusCodes(*payments.Get()));
    EXPECT_EQ(Lines({
                  ExpectedLine(Fields85, {{4, "01"}, {13, Payer}, {17, "125.50"}, {19, Day()}, {25, "401122"},
                                          {31, "12345678"}, {33, "SMITH & CO"}, {37, "INV 778"}}),
                  ExpectedLine(Fields85, {{4, "03"}, {13, Payer}, {16, "GBP"}, {17, "42.00"}, {19, Day()},
                                          {25, "309012"}, {31, "55556666"}, {40, "RN 12/345"}}),
                  ExpectedLine(Fields85, {{4, "01"}, {13, Payer}, {17, "7.05"}, {19, Day()}, {25, "201133"},
                                          {31, "11112222"}, {33, "GARDEN SUPPLIES"}}),
              }),
              FileBytes(file));
    EXPECT_TRUE(seen.messages.empty());
}

TEST_F(PaymentRun, TemplateDomesticWritesTheCleanedTemplate)
{
    AddThreePayments(*payments.Get());
    const std::string file = folder.File("template.csv");

    Run(Confirm(file, [](PaymentDialogRobot& dialog) {
        ASSERT_TRUE(dialog.ChooseFormat(TemplateDomestic));
        ASSERT_TRUE(dialog.TypeTemplate("Rent & Co., 'A'"));
    }));

    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunSucceeded, status);
    const Fields common = {{4, "01"}, {6, "RENT & CO. A"}, {13, Payer}, {16, "GBP"}, {19, Day()}};
    auto with = [&](Fields fields) {
        fields.insert(common.begin(), common.end());
        return ExpectedLine(Fields85, fields);
    };
    EXPECT_EQ(Lines({with({{17, "125.50"}, {37, "INV 778"}}), with({{17, "42.00"}, {37, "RN 12/345"}}),
                     with({{17, "7.05"}})}),
              FileBytes(file));
    EXPECT_EQ("Rent & Co., 'A'", StoredSetting("TiloOnlineTemplate"));
    EXPECT_EQ("", StoredSetting("TiloOnlineBenRef"));
}

TEST_F(PaymentRun, BulkListHasItsHeaderFromTheFirstPayment)
{
    AddThreePayments(*payments.Get());
    const std::string file = folder.File("bulk.csv");

    DATE shown = 0;
    Run(Confirm(file, [&](PaymentDialogRobot& dialog) {
        ASSERT_TRUE(dialog.ChooseFormat(BulkList));
        ASSERT_TRUE(dialog.TypeTemplate("Suppliers"));
        ASSERT_TRUE(dialog.TypeBenRef("June run"));
        shown = dialog.ShownDate();
        ConfirmLater(dialog, 10);
    }));
    EXPECT_GE(processingDate, shown + 10);

    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_EQ(Lines({
                  ExpectedLine(BulkListHeaderFields, {{4, "06"}, {6, "SUPPLIERS"}, {13, Payer}, {19, Day()},
                                                      {37, "JUNE RUN"}, {74, "C"}}),
                  ExpectedLine(Fields85, {{4, "07"}, {8, "INV 778"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"},
                                          {31, "12345678"}, {33, "SMITH & CO"}}),
                  ExpectedLine(Fields85, {{4, "07"}, {8, "INV 779"}, {16, "GBP"}, {17, "42.00"}, {25, "309012"},
                                          {31, "55556666"}, {33, "OBRIEN LTD."}, {37, "RN 12/345"}}),
                  ExpectedLine(Fields85, {{4, "07"}, {16, "GBP"}, {17, "7.05"}, {25, "201133"}, {31, "11112222"},
                                          {33, "GARDEN SUPPLIES"}}),
              }),
              FileBytes(file));
}

TEST_F(PaymentRun, AdHocBulkNamesTheChosenFileInItsHeader)
{
    AddThreePayments(*payments.Get());
    const std::string file = folder.File("june payments.csv");

    Run(Confirm(file, [](PaymentDialogRobot& dialog) {
        ASSERT_TRUE(dialog.ChooseFormat(AdHocBulk));
        ASSERT_TRUE(dialog.TypeBenRef("June run"));
    }));

    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_EQ(Lines({
                  ExpectedLine(Fields85, {{4, "08"}, {9, "JUNE PAYMENTS.CS"}, {13, Payer}, {19, Day()},
                                          {37, "JUNE RUN"}}),
                  ExpectedLine(Fields85, {{4, "09"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"}, {31, "12345678"},
                                          {33, "SMITH & CO"}, {37, "INV 778"}}),
                  ExpectedLine(Fields85, {{4, "09"}, {16, "GBP"}, {17, "42.00"}, {25, "309012"}, {31, "55556666"},
                                          {33, "OBRIEN LTD."}, {37, "RN 12/345"}}),
                  ExpectedLine(Fields85, {{4, "09"}, {16, "GBP"}, {17, "7.05"}, {25, "201133"}, {31, "11112222"},
                                          {33, "GARDEN SUPPLIES"}, {37, Payer}}),
              }),
              FileBytes(file));
}

TEST_F(PaymentRun, FourThousandPaymentsAreWrittenOneMoreIsRefused)
{
    AddValidPayments(*payments.Get(), MaximumPayments);
    const std::string file = folder.File("full.csv");
    Run(Confirm(file));
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunSucceeded, status);
    const std::vector<std::string> lines = LinesOf(FileBytes(file));
    ASSERT_EQ(static_cast<size_t>(MaximumPayments), lines.size());
    EXPECT_EQ(std::vector<long>({0}), payments->payments.back()->statusCodesSet);

    AddValidPayments(*payments.Get(), 1);
    for (const auto& payment : payments->payments)
        payment->statusCodesSet.clear();
    payments->itemRequests.clear();
    const PaymentRunSeen seen = Run(Confirm(folder.File("refused.csv")));
    EXPECT_EQ(RunTooManyPayments, result);
    EXPECT_EQ(RunTooManyPayments, status);
    EXPECT_EQ(0, seen.paymentDialogs);
    EXPECT_EQ(0, seen.saveDialogs);
    EXPECT_TRUE(payments->itemRequests.empty());
    EXPECT_FALSE(FileExists(folder.File("refused.csv")));
    ASSERT_EQ(1u, seen.messages.size());
    EXPECT_EQ("Vorn Tilo Online", seen.messages[0].caption);
    EXPECT_EQ("Too many payment instructions have been submitted. Tilo Online supports a maximum of 4000 payments "
              "in a single file.",
              seen.messages[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), seen.messages[0].icon);
    EXPECT_EQ(std::vector<int>({IDOK}), seen.messages[0].buttons);
}

TEST_F(PaymentRun, ABatchThatGrowsBeyondTheLimitWhileTheDialogsAreOpenIsRefused)
{
    AddValidPayments(*payments.Get(), MaximumPayments);
    const std::string file = folder.File("grown.csv");
    // The host adds a payment while the user works in the dialog.
    const PaymentRunSeen seen =
        Run(Confirm(file, [this](PaymentDialogRobot&) { AddValidPayments(*payments.Get(), 1); }));
    EXPECT_EQ(RunTooManyPayments, result);
    EXPECT_EQ(RunTooManyPayments, status);
    EXPECT_FALSE(FileExists(file));
    EXPECT_TRUE(payments->payments.back()->statusCodesSet.empty());
    ASSERT_EQ(1u, seen.messages.size());
    EXPECT_EQ("Vorn Tilo Online", seen.messages[0].caption);
}

TEST_F(PaymentRun, CancelInEitherDialogWritesNothing)
{
    AddThreePayments(*payments.Get());
    payments->payments[1]->statusCode = IatMark;
    const std::string file = folder.File("cancelled.csv");
    const DialogWork typeTexts = [](PaymentDialogRobot& dialog) {
        ASSERT_TRUE(dialog.ChooseFormat(BulkList));
        ASSERT_TRUE(dialog.TypeTemplate("Suppliers"));
    };

    PaymentRunAnswers cancelPaymentDialog;
    cancelPaymentDialog.fileName = file;
    cancelPaymentDialog.paymentDialog = [&](PaymentDialogRobot& dialog) {
        typeTexts(dialog);
        dialog.PressCancel();
    };
    PaymentRunSeen seen = Run(cancelPaymentDialog);
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunCancelled, status);
    EXPECT_EQ(0, seen.saveDialogs);
    ASSERT_EQ(1u, seen.messages.size());
    EXPECT_EQ("Changes have been made", seen.messages[0].caption);
    EXPECT_EQ(std::vector<long>({0, 0, 0}), StatusCodes(*payments.Get())) << "the dialog clears the IAT marks";

    service->SetStatus(-1);
    seen = Run(Confirm("", typeTexts));
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunCancelled, status);
    EXPECT_EQ(1, seen.saveDialogs);

    EXPECT_FALSE(FileExists(file));
    EXPECT_EQ("(missing)", StoredSetting("TiloOnlineTemplate"));
    EXPECT_EQ("(missing)", StoredSetting("TiloOnlineBenRef"));
    EXPECT_EQ(std::vector<std::string>(), UnexpectedHostCalls());
}

TEST_F(PaymentRun, AnExistingFileIsReplacedOnlyWhenTheUserSaysSo)
{
    AddThreePayments(*payments.Get());
    const std::string file = folder.File("existing.csv");
    FILE* existing = fopen(file.c_str(), "wb");
    ASSERT_TRUE(existing);
    fputs("keep me", existing);
    fclose(existing);

    PaymentRunAnswers keep = Confirm(file);
    keep.replaceExisting = false;
    PaymentRunSeen seen = Run(keep);
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunCancelled, status);
    EXPECT_EQ("keep me", FileBytes(file));
    ASSERT_EQ(1u, seen.saveQuestions.size());
    EXPECT_EQ(std::vector<int>({IDYES, IDNO}), seen.saveQuestions[0].buttons);
    EXPECT_EQ("(missing)", StoredSetting("TiloOnlineTemplate"));

    seen = Run(Confirm(file));
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_EQ(1u, seen.saveQuestions.size());
    EXPECT_EQ(3u, LinesOf(FileBytes(file)).size());
}

TEST_F(PaymentRun, AnInvalidPaymentAmongManyFailsTheRunButEveryLineIsWritten)
{
    AddValidPayments(*payments.Get(), 5);
    payments->payments[2]->amount = 0.0;
    payments->payments[3]->payeeAccountNumber = L"1234 5678";
    for (const auto& payment : payments->payments)
        payment->statusCode = 7;
    const std::string file = folder.File("invalid.csv");

    Run(Confirm(file, [](PaymentDialogRobot& dialog) { ASSERT_TRUE(dialog.ChooseFormat(BulkList)); }));

    EXPECT_EQ(S_FALSE, result);
    EXPECT_EQ(RunHasInvalidPayments, status);
    EXPECT_EQ(std::vector<long>({0, 0, StatusInvalidAmount, StatusInvalidPayeeAccountNumber, 0}),
              StatusCodes(*payments.Get()));
    EXPECT_EQ(6u, LinesOf(FileBytes(file)).size());
}

TEST_F(PaymentRun, AmountsBeyondTheBanksFieldFailAndAreNeverWritten)
{
    AddValidPayments(*payments.Get(), 4);
    payments->payments[0]->amount = 999999999.99;
    payments->payments[1]->amount = 1000000000.0;
    payments->payments[2]->amount = 1e20;
    payments->payments[3]->amount = 1e250;
    const std::string file = folder.File("absurd.csv");

    Run(Confirm(file, [](PaymentDialogRobot& dialog) { ASSERT_TRUE(dialog.ChooseFormat(AdHocBulk)); }));

    EXPECT_EQ(S_FALSE, result);
    EXPECT_EQ(RunHasInvalidPayments, status);
    EXPECT_EQ(std::vector<long>({0, StatusInvalidAmount, StatusInvalidAmount, StatusInvalidAmount}),
              StatusCodes(*payments.Get()));
    const std::vector<std::string> lines = LinesOf(FileBytes(file));
    ASSERT_EQ(5u, lines.size());
    EXPECT_EQ("999999999.99", FieldOf(lines[1], 17));
    for (size_t line = 2; line < 5; ++line)
    {
        EXPECT_EQ("", FieldOf(lines[line], 17)) << line;
        EXPECT_EQ(static_cast<size_t>(Fields85 - 1), CommasIn(lines[line])) << line;
    }
}

TEST_F(PaymentRun, AFailedHeaderLeavesTheHeaderAloneInTheFile)
{
    struct Case
    {
        PaymentFormat format;
        void (*spoil)(FakePayment&);
        long code;
    };
    const Case cases[] = {
        {BulkList, [](FakePayment& first) { first.payerSortCode = L"20-00-0"; }, StatusInvalidPayerSortCode},
        {AdHocBulk, [](FakePayment& first) { first.payerAccountNumber = L"8765432"; },
         StatusInvalidPayerAccountNumber},
    };
    for (const Case& test : cases)
    {
        SCOPED_TRACE(test.format);
        payments = MakeHostObject<FakePayments>();
        AddValidPayments(*payments.Get(), 3);
        test.spoil(*payments->payments[0].Get());
        payments->payments[1]->statusCode = IatMark;
        const std::string file = folder.File("header" + std::to_string(test.format) + ".csv");

        Run(Confirm(file, [&](PaymentDialogRobot& dialog) { ASSERT_TRUE(dialog.ChooseFormat(test.format)); }));

        EXPECT_EQ(S_FALSE, result);
        EXPECT_EQ(RunHasInvalidPayments, status);
        const std::vector<std::string> lines = LinesOf(FileBytes(file));
        ASSERT_EQ(1u, lines.size());
        EXPECT_EQ(test.format == BulkList ? "06" : "08", lines[0].substr(3, 2));
        EXPECT_EQ(std::vector<long>({test.code, IatMark, 0}), StatusCodes(*payments.Get()));
        EXPECT_TRUE(payments->payments[2]->statusCodesSet.empty());
    }
}

TEST_F(PaymentRun, AnAccountNumberWithLineBreaksOrAnEqualsSignIsRememberedUnderOneKey)
{
    AddThreePayments(*payments.Get());
    const std::string key = "TiloOnlineTemplate123456_1234__[EVIL]__Injected_1";
    const std::string benRefKey = "TiloOnlineBenRef123456_1234__[EVIL]__Injected_1";
    const ComPtr<FakeBankContext> account =
        FakeBankContext::WithAccount(L"12-34-56", L"1234\r\n[EVIL]\r\nInjected=1");
    Run(Confirm(folder.File("odd-account.csv"),
                [](PaymentDialogRobot& dialog) {
                    ASSERT_TRUE(dialog.ChooseFormat(TemplateDomestic));
                    ASSERT_TRUE(dialog.TypeTemplate("ODD"));
                }),
        account.Get());
    ASSERT_EQ(RunSucceeded, status);
    EXPECT_EQ("ODD", StoredSetting(key));
    char section[256] = {};
    EXPECT_EQ(0u, GetPrivateProfileSectionA("EVIL", section, sizeof section, SettingsFile().c_str()));
    RemoveStoredSetting(key);
    RemoveStoredSetting(benRefKey);
}

TEST_F(PaymentRun, RemembersTheTextsPerAccountAndOffersThemOnTheNextRun)
{
    AddThreePayments(*payments.Get());
    const ComPtr<FakeBankContext> account = FakeBankContext::WithAccount(L"12-34-56", L"12345678");
    Run(Confirm(folder.File("first.csv"),
                [](PaymentDialogRobot& dialog) {
                    ASSERT_TRUE(dialog.ChooseFormat(BulkList));
                    ASSERT_TRUE(dialog.TypeTemplate("BULK-7"));
                    ASSERT_TRUE(dialog.TypeBenRef("REF 9"));
                }),
        account.Get());
    ASSERT_EQ(RunSucceeded, status);
    EXPECT_EQ("BULK-7", StoredSetting(AccountTemplateKey));
    EXPECT_EQ("REF 9", StoredSetting(AccountBenRefKey));
    EXPECT_EQ("(missing)", StoredSetting("TiloOnlineTemplate"));

    // A context that gives no account, and says so with success.
    const ComPtr<FakeBankContext> noAccount = MakeHostObject<FakeBankContext>();
    Run(Confirm(folder.File("second.csv"),
                [](PaymentDialogRobot& dialog) {
                    ASSERT_TRUE(dialog.ChooseFormat(TemplateDomestic));
                    ASSERT_TRUE(dialog.TypeTemplate("PLAIN"));
                }),
        noAccount.Get());
    ASSERT_EQ(RunSucceeded, status);
    EXPECT_EQ("PLAIN", StoredSetting("TiloOnlineTemplate"));
    EXPECT_EQ("", StoredSetting("TiloOnlineBenRef"));

    // What the dialog offers once Bulk List shows both boxes.
    auto offeredTo = [&](IVornBankContext* context) {
        std::string offered;
        PaymentRunAnswers look;
        look.paymentDialog = [&](PaymentDialogRobot& dialog) {
            dialog.ChooseFormat(BulkList);
            offered = dialog.Control(IDC_TEMPLATE).text + "|" + dialog.Control(IDC_BENREF).text;
            dialog.PressCancel();
        };
        Run(look, context);
        return offered;
    };
    EXPECT_EQ("BULK-7|REF 9", offeredTo(account.Get()));
    EXPECT_EQ("PLAIN|", offeredTo(noAccount.Get()));
    EXPECT_EQ("PLAIN|", offeredTo(nullptr));
}

TEST_F(PaymentRun, AFolderThatCannotBeOpenedFallsBackToTheVirtualStore)
{
    AddThreePayments(*payments.Get());
    char localAppData[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData));
    const std::string store = std::string(localAppData) + "\\virtualstore";
    const bool storeExisted = FileExists(store);
    const std::string missing = "vorn-missing-" + std::to_string(GetCurrentProcessId());
    const std::string chosen = "C:\\" + missing + "\\pay.csv";
    const std::string storeFolder = store + "\\" + missing;
    const std::string redirected = storeFolder + "\\pay.csv";

    // Without the folder in the virtual store either, the file cannot be had.
    PaymentRunSeen seen = Run(Confirm(chosen));
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunFileFailed, status);
    EXPECT_TRUE(seen.messages.empty());

    ASSERT_EQ(ERROR_SUCCESS, SHCreateDirectoryExA(nullptr, storeFolder.c_str(), nullptr));
    seen = Run(Confirm(chosen));
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_FALSE(FileExists(chosen));
    EXPECT_EQ(3u, LinesOf(FileBytes(redirected)).size());
    ASSERT_EQ(1u, seen.messages.size());
    EXPECT_EQ("Windows Redirect", seen.messages[0].caption);
    EXPECT_EQ("Due to Windows Redirect your file was saved to: " + redirected +
                  "\n\nWould you like to open the directory?",
              seen.messages[0].text);
    EXPECT_EQ(std::vector<int>({IDYES, IDNO}), seen.messages[0].buttons);
    EXPECT_EQ(0u, seen.messages[0].icon);
    EXPECT_EQ(nullptr, seen.messages[0].owner);

    // A run that failed at its last host call leaves no file in the store
    // and does not tell the user it was saved.
    FailServedHostCall(0, S_OK);
    Run(Confirm(chosen));
    FailServedHostCall(ServedHostCalls(), E_FAIL);
    seen = Run(Confirm(chosen));
    EXPECT_EQ(DISP_E_EXCEPTION, result);
    EXPECT_EQ(RunFileFailed, status);
    EXPECT_FALSE(FileExists(redirected));
    EXPECT_TRUE(seen.messages.empty()) << seen.messages[0].text;

    // A path that would not fit the virtual store's buffer is refused whole:
    // no file with a cut name appears in the store.
    const std::string longName = std::string(240 - chosen.size() + 7, 'n') + ".csv";
    const std::string longChosen = "C:\\" + missing + "\\" + longName;
    ASSERT_LE(longChosen.size(), 259u);
    seen = Run(Confirm(longChosen));
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunFileFailed, status);
    EXPECT_TRUE(seen.messages.empty());
    DeleteFileA(redirected.c_str());
    EXPECT_TRUE(RemoveDirectoryA(storeFolder.c_str())) << "the store folder holds a file with a cut name";
    if (!storeExisted)
        RemoveDirectoryA(store.c_str());
}

TEST_F(PaymentRun, AnOlderFileInTheVirtualStoreIsNotThisRunsFile)
{
    AddThreePayments(*payments.Get());
    const std::string chosen = folder.File("written-here.csv");
    char localAppData[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData));
    const std::string store = std::string(localAppData) + "\\virtualstore";
    const bool storeExisted = FileExists(store);
    const std::string storeFolder = store + folder.Path().substr(2);
    const std::string stale = store + chosen.substr(2);
    ASSERT_EQ(ERROR_SUCCESS, SHCreateDirectoryExA(nullptr, storeFolder.c_str(), nullptr));
    {
        TemporaryFile source("an earlier run's file\r\n");
        ASSERT_TRUE(CopyFileA(source.Path(), stale.c_str(), FALSE));
    }

    const PaymentRunSeen seen = Run(Confirm(chosen));
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_EQ(3u, LinesOf(FileBytes(chosen)).size());
    EXPECT_TRUE(seen.messages.empty()) << seen.messages[0].text;
    EXPECT_EQ("an earlier run's file\r\n", FileBytes(stale));

    DeleteFileA(stale.c_str());
    RemoveStoreFolders(storeFolder, store, storeExisted);
}

TEST_F(PaymentRun, TheHostsSettingsComponentFailingEndsTheRunBeforeAnyWindow)
{
    AddThreePayments(*payments.Get());
    StandInFailOperation(StandInGetPaymentFileDefaults, E_ACCESSDENIED, "The settings store is locked.");
    service->SetStatus(-5);
    PaymentRunSeen seen = Run(Confirm(folder.File("never.csv")));
    EXPECT_EQ(DISP_E_EXCEPTION, result);
    EXPECT_EQ(L"The settings store is locked.", TakePostedError().description);
    EXPECT_EQ(-5, status);
    EXPECT_EQ(0, seen.paymentDialogs);

    StandInReset();
    ASSERT_EQ(S_OK, StandInUnregisterClass(StandInSettingsClass));
    seen = Run(Confirm(folder.File("never.csv")));
    EXPECT_EQ(DISP_E_EXCEPTION, result);
    EXPECT_EQ(L"The e-banking host's settings component could not be created.", TakePostedError().description);
    EXPECT_EQ(-5, status);
    EXPECT_EQ(0, seen.paymentDialogs);
    EXPECT_TRUE(seen.messages.empty());
    EXPECT_TRUE(payments->itemRequests.empty());
}

TEST_F(PaymentRun, NullPaymentsAreAnInvalidArgument)
{
    service->SetStatus(-5);
    const PaymentRunSeen seen = RunWith(Confirm(folder.File("never.csv")), nullptr, nullptr);
    EXPECT_EQ(InvalidArgument, result);
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_EQ(0, seen.paymentDialogs);
    EXPECT_EQ(L"Invalid argument", TakePostedError().description);
}

TEST_F(PaymentRun, TheHostsDefaultsAreOfferedInTheSaveDialog)
{
    StandInSetPaymentFileDefaults("june", "txt", "C:\\no-such-folder");
    AddThreePayments(*payments.Get());
    PaymentRunSeen seen = Run(Confirm(""));
    EXPECT_EQ(RunCancelled, status);
    EXPECT_EQ("june", seen.offeredFileName);
    EXPECT_EQ(std::vector<std::string>({"Payment Files (*.txt)", "All Files (*.*)"}), seen.fileTypes);
    ASSERT_EQ(1u, seen.messages.size());
    EXPECT_EQ("Invalid default path", seen.messages[0].caption);

    // A name typed without extension gets the host's.
    StandInSetPaymentFileDefaults("june", "txt", "C:\\");
    Run(Confirm(folder.File("typed")));
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_TRUE(FileExists(folder.File("typed.txt")));

    StandInSetPaymentFileDefaults("june", "", "C:\\");
    seen = Run(Confirm(""));
    EXPECT_EQ(std::vector<std::string>({"All Files (*.*)"}), seen.fileTypes);
    EXPECT_TRUE(seen.messages.empty());
}

TEST_F(PaymentRun, TheHostsActiveWindowOwnsTheDialogsAndTheLimitMessage)
{
    const HWND host = CreateWindowExA(0, "Static", "host", WS_POPUP | WS_VISIBLE, 0, 0, 300, 200, nullptr, nullptr,
                                      nullptr, nullptr);
    ASSERT_TRUE(host);
    SetActiveWindow(host);
    ASSERT_EQ(host, GetActiveWindow());
    AddThreePayments(*payments.Get());
    PaymentRunSeen seen = Run(Confirm(""));
    EXPECT_EQ(host, seen.paymentDialogOwner);
    EXPECT_EQ(host, seen.saveDialogOwner);

    AddValidPayments(*payments.Get(), MaximumPayments);
    seen = Run(Confirm(""));
    EXPECT_EQ(RunTooManyPayments, status);
    ASSERT_EQ(1u, seen.messages.size());
    EXPECT_EQ(host, seen.messages[0].owner);
    DestroyWindow(host);
}

TEST_F(PaymentRun, StatusTextsForCodesZeroToThirtyFiveOnly)
{
    auto textOf = [&](LONG code, HRESULT* result) {
        const BStr untouched(SysAllocString(L"untouched"));
        BSTR text = untouched.Get();
        *result = service->GetPaymentStatusText(code, &text);
        if (text == untouched.Get())
            return std::wstring(L"untouched");
        const BStr received(text);
        return std::wstring(received.Text());
    };
    HRESULT result = E_FAIL;
    EXPECT_EQ(L"Payment processed successfully.", textOf(StatusProcessed, &result));
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(L"Invalid Amount specified for payment: negative payments not supported.",
              textOf(StatusInvalidAmount, &result));
    EXPECT_EQ(L"An error occurred with the status field.", textOf(StatusFieldError, &result));
    for (LONG code : {1L, 36L, 40L, -1L})
    {
        EXPECT_EQ(L"untouched", textOf(code, &result)) << code;
        EXPECT_EQ(S_OK, result);
    }
    EXPECT_EQ(InvalidArgument, service->GetPaymentStatusText(0, nullptr));
    EXPECT_EQ(L"Invalid argument", TakePostedError().description);
}

// Only a disk file is a payment file. The fixture of the tests links
// C:\vorn-full-disk.csv to a device of the system's, which is no disk file.
TEST_F(PaymentRun, ADeviceIsRefusedAsAFileThatCannotBeWritten)
{
    AddValidPayments(*payments.Get(), 2);
    for (const std::string target : {"C:\\nul.csv", "C:\\aux.csv", "C:\\vorn-full-disk.csv"})
    {
        SCOPED_TRACE(target);
        const PaymentRunSeen seen = Run(Confirm(target));
        EXPECT_EQ(S_OK, result);
        EXPECT_EQ(RunFileFailed, status);
        ASSERT_EQ(1u, seen.messages.size());
        EXPECT_EQ("The payment file cannot be written to " + target +
                      ": it is a device or a pipe, not a file on a disk. Choose a file on a disk.",
                  seen.messages[0].text);
        EXPECT_TRUE(payments->payments[0]->statusCodesSet.empty());
    }
}

TEST_F(PaymentRun, AnEmptyBatchGivesAnEmptyFileInEveryFormat)
{
    for (PaymentFormat format : {StandardDomestic, TemplateDomestic, BulkList, AdHocBulk})
    {
        SCOPED_TRACE(format);
        const std::string file = folder.File("empty" + std::to_string(format) + ".csv");
        Run(Confirm(file, [&](PaymentDialogRobot& dialog) { ASSERT_TRUE(dialog.ChooseFormat(format)); }));
        EXPECT_EQ(S_OK, result);
        EXPECT_EQ(RunSucceeded, status);
        EXPECT_TRUE(FileExists(file));
        EXPECT_EQ("", FileBytes(file));
    }
    EXPECT_TRUE(payments->itemRequests.empty());
}

class PaymentRunHostFailure : public PaymentRun, public testing::WithParamInterface<PaymentFormat>
{
};

// Every host call of a run fails in turn, from the first Count to the last
// status code: the call fails naming the host's call, the run's status is a
// failed file, no payment keeps a 0 from the run and no file is left.
TEST_P(PaymentRunHostFailure, EveryFailedHostCallFailsTheRunAndLeavesNoFile)
{
    // Each run opens both dialogs: two payments, so that a file half
    // written is among the failures, in one format; one in the others.
    const PaymentFormat format = GetParam();
    AddValidPayments(*payments.Get(), format == StandardDomestic ? 2 : 1);
    const auto context = FakeBankContext::WithAccount(L"12-34-56", L"12345678");
    const std::string file = folder.File("failing.csv");
    const DialogWork chooseFormat = [format](PaymentDialogRobot& dialog) {
        ASSERT_TRUE(dialog.ChooseFormat(format));
    };
    FailServedHostCall(0, S_OK);
    Run(Confirm(file, chooseFormat), context.Get());
    ASSERT_EQ(S_OK, result);
    ASSERT_TRUE(FileExists(file));
    const long calls = ServedHostCalls();

    for (long failing = 1; failing <= calls; ++failing)
    {
        SCOPED_TRACE(failing);
        ASSERT_TRUE(DeleteFileA(file.c_str()) || !FileExists(file));
        // Each run starts from the batch as the host first gave it: a code a
        // failed run left would read as an IAT mark.
        for (const auto& payment : payments->payments)
        {
            payment->statusCode = 0;
            payment->statusCodesSet.clear();
        }
        FailServedHostCall(failing, E_FAIL);
        Run(Confirm(file, chooseFormat), context.Get());
        const std::string call = FailedHostCall();
        const std::string method = call.substr(call.find("::") + 2);
        EXPECT_EQ(DISP_E_EXCEPTION, result);
        const std::wstring description = TakePostedError().description;
        EXPECT_EQ(0u, description.find(L"The e-banking host failed in " + std::wstring(method.begin(), method.end())))
            << call;
        EXPECT_EQ(RunFileFailed, status);
        EXPECT_FALSE(FileExists(file));
        for (const auto& payment : payments->payments)
            EXPECT_TRUE(payment->statusCodesSet.empty() || payment->statusCodesSet.back() != StatusProcessed);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, PaymentRunHostFailure,
                         testing::Values(StandardDomestic, TemplateDomestic, BulkList, AdHocBulk), FormatTestName);

// A host that starts a payment run from inside a call of the run in progress.
class ReenteringPayments : public FakePayments
{
public:
    STDMETHODIMP Count(long* count) override
    {
        if (service && !nested)
        {
            nested = true;
            nestedResult = service->ProcessPayments(this, nullptr);
            nestedError = TakePostedError().description;
        }
        return FakePayments::Count(count);
    }

    IVornBankPaymentService* service = nullptr;
    bool nested = false;
    HRESULT nestedResult = S_OK;
    std::wstring nestedError;
};

TEST_F(PaymentRun, ANestedRunIsRefusedAndTheOuterRunGoesOn)
{
    const ComPtr<ReenteringPayments> reentering(MakeHostObject<ReenteringPayments>().Get());
    AddValidPayments(*reentering.Get(), 2);
    reentering->service = service.Get();
    const std::string file = folder.File("outer.csv");
    RunWith(Confirm(file), reentering.Get(), nullptr);
    EXPECT_TRUE(reentering->nested);
    EXPECT_EQ(DISP_E_EXCEPTION, reentering->nestedResult);
    EXPECT_EQ(L"The bank payment service is already running a payment run", reentering->nestedError);
    EXPECT_EQ(S_OK, result);
    EXPECT_EQ(RunSucceeded, status);
    EXPECT_EQ(2u, LinesOf(FileBytes(file)).size());
}
