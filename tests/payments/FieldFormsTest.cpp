#include <gtest/gtest.h>

#include <locale.h>

#include <string>

#include "payments/PaymentValues.h"

TEST(FieldForms, AmountsHaveTwoDecimalsAPointAndABound)
{
    EXPECT_STREQ("1234567.89", FormatAmount(1234567.891).GetString());
    EXPECT_STREQ("-0.00", FormatAmount(-0.001).GetString());
    EXPECT_EQ(255, FormatAmount(1e300).GetLength());

    const std::string previous = setlocale(LC_NUMERIC, nullptr);
    if (!setlocale(LC_NUMERIC, "German_Germany.1252"))
        GTEST_SKIP() << "no German locale";
    const CString amount = FormatAmount(125.5);
    setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_STREQ("125.50", amount.GetString());
}
