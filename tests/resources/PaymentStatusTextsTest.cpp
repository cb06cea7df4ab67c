#include <gtest/gtest.h>

#include "com/ComModule.h"
#include "com/PaymentTypes.h"
#include "text/CString.h"

namespace
{
bool HasText(UINT id)
{
    CString text;
    return text.LoadString(ModuleInstance(), id);
}
}

TEST(PaymentStatusTexts, CodesTwentyToThirtyFiveAndZeroHaveTextsTheOthersNone)
{
    EXPECT_TRUE(HasText(300 + StatusProcessed));
    for (int code = 1; code < StatusBatchRejected; ++code)
        EXPECT_FALSE(HasText(300 + code)) << code;
    for (int code = StatusBatchRejected; code <= StatusFieldError; ++code)
        EXPECT_TRUE(HasText(300 + code)) << code;
    for (int code = StatusFieldError + 1; code < RunTooManyPayments; ++code)
        EXPECT_FALSE(HasText(300 + code)) << code;
}

TEST(PaymentStatusTexts, TextsNameTheFailedCheck)
{
    CString text;
    ASSERT_TRUE(text.LoadString(ModuleInstance(), 300 + StatusInvalidAmount));
    EXPECT_STREQ("Invalid Amount specified for payment: negative payments not supported.", text.GetString());
    ASSERT_TRUE(text.LoadString(ModuleInstance(), 300 + StatusInvalidPayeeAccountName));
    EXPECT_STREQ("Invalid or missing Payee bank account name.", text.GetString());
    ASSERT_TRUE(text.LoadString(ModuleInstance(), 300 + RunTooManyPayments));
    EXPECT_STREQ("Too many payment instructions have been submitted. Tilo Online supports a maximum of 4000 "
                 "payments in a single file.",
                 text.GetString());
}
