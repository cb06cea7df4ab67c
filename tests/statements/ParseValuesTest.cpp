#include <gtest/gtest.h>

#include "statements/TransactionFields.h"

#include <oleauto.h>

#include <string>

TEST(ParseAmount, ReadsUnsignedAmounts)
{
    for (const char* text : {"1,234.50", "-1234.50", "1 234.50", "\"1,234.50\"", "1234.50\r"})
        EXPECT_DOUBLE_EQ(1234.5, ParseAmount(text)) << text;
    for (const char* text : {"", "\"\"", " ", "abc"})
        EXPECT_DOUBLE_EQ(0.0, ParseAmount(text)) << text;
}

TEST(ParseAmount, ReadsThePlainNumberAtTheStartAndNothingElse)
{
    const struct
    {
        const char* text;
        double amount;
    } cases[] = {
        {"1e-5", 1.0},     {"2E3", 2.0},     {"1e309", 1.0},  {"-1e309", 1.0}, {"1e999", 1.0},
        {"5 GBP", 5.0},    {"(25.00)", 0.0}, {"+7.5", 7.5},   {".5", 0.5},     {"12.34.56", 12.34},
        {"0x1A", 0.0},     {"inf", 0.0},     {"nan", 0.0},    {"1,2e3", 12.0},
    };
    for (const auto& each : cases)
        EXPECT_DOUBLE_EQ(each.amount, ParseAmount(each.text)) << each.text;
    EXPECT_DOUBLE_EQ(0.0, ParseAmount(std::string(400, '9').c_str()));
    EXPECT_DOUBLE_EQ(1e308, ParseAmount(("1" + std::string(308, '0')).c_str()));
}

TEST(ParseDate, ReadsDayFirstAndYearFirstDates)
{
    for (const char* text : {"30/11/2012", "2012-11-30", "\"30/11/2012\"", "\"2012-11-30\"", "30/11/12"})
        EXPECT_DOUBLE_EQ(41243.0, ParseDate(text)) << text;

    SYSTEMTIME time = {};
    ASSERT_TRUE(VariantTimeToSystemTime(ParseDate("1/2/2012"), &time));
    EXPECT_EQ(2012, time.wYear);
    EXPECT_EQ(2, time.wMonth);
    EXPECT_EQ(1, time.wDay);
    EXPECT_DOUBLE_EQ(40968.0, ParseDate("29/02/2012"));
}

TEST(ParseDate, MissingOrImpossiblePartsGiveNoDate)
{
    // The platform would turn these into neighbouring dates.
    for (const char* text : {"0/0/0", "31/02/2012", "29/02/2013", "2012-02-30", "0/11/2012", "30/13/2012",
                             "abc", "12/2012", "30/11", "", "a/b/c", "30/x11/2012", "30/11/x",
                             "99999999999/11/2012", "30/11/99999", "2012-11"})
        EXPECT_DOUBLE_EQ(0.0, ParseDate(text)) << text;
}
