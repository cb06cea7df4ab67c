// The payment file as the run opens, writes and completes it: only a disk
// file is taken, and a run that cannot finish leaves no file behind and no
// payment at code 0.
#include <gtest/gtest.h>

#include <io.h>

#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "payments/PaymentLines.h"
#include "payments/PaymentRun.h"
#include "support/PaymentRuns.h"
#include "support/PaymentWriting.h"
#include "support/ThrownBy.h"

namespace
{
struct Outcome
{
    HRESULT result = S_OK;
    HRESULT raised = S_OK;
    std::wstring description;
    LONG status = RunSucceeded;
};

Outcome WriteFile(const std::string& path, FakePayments& payments, PaymentFormat format,
                  const std::function<void(CPaymentFile&)>& spoil = nullptr)
{
    Outcome outcome;
    CPaymentFile file;
    EXPECT_EQ(PaymentFileOpening::Opened, file.Open(path.c_str()));
    if (spoil)
        spoil(file);
    PaymentChoices choices;
    choices.format = format;
    choices.processingDate = ProcessingDate();
    const RaisedFailure raised = RaisedBy([&] {
        outcome.result = WriteAndComplete(file, &payments, static_cast<long>(payments.payments.size()), choices,
                                          path.c_str(), outcome.status);
    });
    outcome.raised = raised.result;
    outcome.description = raised.description;
    return outcome;
}

// Writes stop reaching the file, as on a full disk: the file's descriptor is
// closed under the C runtime's buffer.
void CloseUnderneath(CPaymentFile& file)
{
    _close(_fileno(file.Get()));
}

std::wstring Widened(const std::string& text)
{
    return std::wstring(text.begin(), text.end());
}

// No payment keeps a 0 that the run gave it.
void ExpectNoneAtZeroFromTheRun(const FakePayments& payments)
{
    for (const auto& payment : payments.payments)
        EXPECT_TRUE(payment->statusCodesSet.empty() || payment->statusCodesSet.back() != StatusProcessed);
}
}

TEST(PaymentFile, OnlyADiskFileIsAPaymentFile)
{
    const HANDLE pipe = CreateNamedPipeA("\\\\.\\pipe\\vorn-payment-file-test", PIPE_ACCESS_DUPLEX,
                                         PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, pipe);
    for (const char* target : {"NUL", "C:\\nul.csv", "\\\\.\\pipe\\vorn-payment-file-test"})
    {
        CPaymentFile file;
        EXPECT_EQ(PaymentFileOpening::NotADiskFile, file.Open(target)) << target;
        EXPECT_EQ(nullptr, file.Get()) << target;
    }
    CloseHandle(pipe);
    // Devices that this system may not have at all are never opened either.
    for (const char* target : {"CON", "aux.txt", "COM1.csv", "LPT1"})
        EXPECT_NE(PaymentFileOpening::Opened, CPaymentFile().Open(target)) << target;

    ScratchFolder folder;
    CPaymentFile file;
    EXPECT_EQ(PaymentFileOpening::Opened, file.Open(folder.File("pay.csv").c_str()));
    EXPECT_EQ(folder.File("pay.csv"), file.Path());
}

class HostCallFailure : public testing::TestWithParam<PaymentFormat>
{
};

// Every host call that writing makes fails in turn: the failure is raised
// naming the call, the file is gone and no payment keeps a 0 from the run.
TEST_P(HostCallFailure, EveryFailedCallUndoesTheFile)
{
    ScratchFolder folder;
    const std::string path = folder.File("pay.csv");
    ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
    AddThreePayments(*payments.Get());
    payments->payments[1]->statusCode = IatMark;

    FailServedHostCall(0, S_OK);
    const Outcome whole = WriteFile(path, *payments.Get(), GetParam());
    ASSERT_EQ(S_OK, whole.raised);
    ASSERT_EQ(RunSucceeded, whole.status);
    ASSERT_TRUE(FileExists(path));
    const long calls = ServedHostCalls();

    const std::wregex described(L"The e-banking host failed in (\\w+)( for payment [1-3])? \\(0x80004005\\)");
    for (long failing = 1; failing <= calls; ++failing)
    {
        SCOPED_TRACE(failing);
        for (const auto& payment : payments->payments)
        {
            payment->statusCodesSet.clear();
            payment->statusCode = 0;
        }
        payments->payments[1]->statusCode = IatMark;
        FailServedHostCall(failing, E_FAIL);
        const Outcome outcome = WriteFile(path, *payments.Get(), GetParam());
        const std::string call = FailedHostCall();
        EXPECT_EQ(E_FAIL, outcome.raised);
        std::wsmatch match;
        ASSERT_TRUE(std::regex_match(outcome.description, match, described)) << outcome.description;
        EXPECT_EQ(call.substr(call.find("::") + 2), std::string(match[1].first, match[1].second));
        EXPECT_EQ(match[2].matched, call != "IVornPayments::Count") << call;
        EXPECT_EQ(RunFileFailed, outcome.status);
        EXPECT_FALSE(FileExists(path));
        ExpectNoneAtZeroFromTheRun(*payments.Get());
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, HostCallFailure,
                         testing::Values(StandardDomestic, TemplateDomestic, BulkList, AdHocBulk), FormatTestName);

TEST(PaymentFile, AFileThatCannotBeCompletedIsDeletedOrSaysItCouldNotBe)
{
    ScratchFolder folder;
    const std::string path = folder.File("full.csv");
    ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
    AddValidPayments(*payments.Get(), 3);
    payments->payments[0]->amount = -1.0;
    // Three lines stay in the buffer: the failure comes at the close, and
    // the valid payments that were written are rejected with the batch.
    Outcome outcome = WriteFile(path, *payments.Get(), StandardDomestic, CloseUnderneath);
    EXPECT_EQ(S_OK, outcome.raised);
    EXPECT_EQ(S_FALSE, outcome.result);
    EXPECT_EQ(RunFileFailed, outcome.status);
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(std::vector<long>({StatusInvalidAmount, StatusBatchRejected, StatusBatchRejected}),
              StatusCodes(*payments.Get()));

    // A failure while writing stops the writing; payments not reached keep
    // their codes.
    payments = MakeHostObject<FakePayments>();
    AddValidPayments(*payments.Get(), 200);
    outcome = WriteFile(path, *payments.Get(), AdHocBulk, CloseUnderneath);
    EXPECT_EQ(RunFileFailed, outcome.status);
    EXPECT_FALSE(FileExists(path));
    // The first payment's header and line both passed.
    EXPECT_EQ(std::vector<long>({0, 0, StatusBatchRejected}), payments->payments[0]->statusCodesSet);
    EXPECT_TRUE(payments->payments.back()->statusCodesSet.empty());

    // A file that another program holds without leave to delete it stays,
    // and the failure says so.
    payments = MakeHostObject<FakePayments>();
    AddValidPayments(*payments.Get(), 1);
    HANDLE holder = INVALID_HANDLE_VALUE;
    outcome = WriteFile(path, *payments.Get(), StandardDomestic, [&](CPaymentFile& file) {
        holder = CreateFileA(file.Path(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseUnderneath(file);
    });
    ASSERT_NE(INVALID_HANDLE_VALUE, holder);
    EXPECT_TRUE(FileExists(path));
    CloseHandle(holder);
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION), outcome.raised);
    EXPECT_NE(std::wstring::npos, outcome.description.find(L"could not be deleted: " + Widened(path)))
        << outcome.description;
}
