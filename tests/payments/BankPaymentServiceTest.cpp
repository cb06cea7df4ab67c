// The payment service called in the component's own process, where a
// failure inside the payment dialog can be made to happen.
#include <gtest/gtest.h>

#include "payments/BankPaymentService.h"
#include "standin/StandInControl.h"
#include "support/ExhaustedPayment.h"
#include "support/PaymentRuns.h"
#include "support/PostedError.h"

TEST(BankPaymentService, AFailureInsideThePaymentDialogFailsTheRunAndWritesNothing)
{
    StandInReset();
    ScratchFolder folder;
    StandInSetPaymentFileDefaults("never", "csv", folder.Path().c_str());
    ComPtr<CBankPaymentService> service;
    ASSERT_EQ(S_OK, CreateComObject(service));
    const ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
    AddValidPayments(*payments.Get(), 2);
    payments->payments.push_back(ComPtr<FakePayment>(MakeHostObject<ExhaustedPayment>().Get()));

    EXPECT_EQ(static_cast<HRESULT>(0x800AFFFD), service->ProcessPayments(payments.Get(), nullptr));
    EXPECT_EQ(L"Out of Memory", TakePostedError().description);
    EXPECT_FALSE(FileExists(folder.File("never.csv")));
    for (const auto& payment : payments->payments)
        EXPECT_TRUE(payment->statusCodesSet.empty());
    StandInReset();
}
