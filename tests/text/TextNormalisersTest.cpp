#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "com/ComHolders.h"
#include "text/TextNormalisers.h"
#include "support/TestClock.h"

namespace
{
std::string Ansi(const std::wstring& text)
{
    BStr bstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    return ToAnsiText(bstr.Get()).GetString();
}

std::string Cleaned(const std::string& text)
{
    return CleanText(text.c_str()).GetString();
}
}

TEST(ToAnsiText, Latin1BytesUpToTheFirstWiderCharacterNulOr255th)
{
    EXPECT_EQ("\x01 caf\xe9 \xa3" "5 \xff", Ansi(L"\u0001 caf\u00e9 \u00a35 \u00ff"));
    EXPECT_STREQ("", ToAnsiText(nullptr).GetString());
    EXPECT_EQ("Euro ", Ansi(L"Euro \u20ac 5"));
    EXPECT_EQ("", Ansi(L"\u0100abc"));
    EXPECT_EQ("ab", Ansi(std::wstring(L"ab\0cd", 5)));
    EXPECT_EQ(std::string(255, 'x'), Ansi(std::wstring(255, L'x')));
    EXPECT_EQ(std::string(255, '\xe9'), Ansi(std::wstring(1000, L'\u00e9')));
}

TEST(DigitsOf, KeepsTheDigitsOfTheAnsiText)
{
    BStr sortCode(SysAllocString(L"12-34-56"));
    EXPECT_STREQ("123456", DigitsOf(sortCode.Get()).GetString());
    BStr wide(SysAllocString(L" 12\u0663" L"45"));
    EXPECT_STREQ("12", DigitsOf(wide.Get()).GetString());
    EXPECT_STREQ("", DigitsOf(nullptr).GetString());

    EXPECT_TRUE(IsAllDigits("0123456789"));
    EXPECT_TRUE(IsAllDigits(""));
    EXPECT_FALSE(IsAllDigits("1234 5678"));
    EXPECT_FALSE(IsAllDigits("12\xb2"));
}

TEST(CleanText, KeepsLettersDigitsAndFewMarksUpperCased)
{
    EXPECT_EQ("OBRIEN & SONS LTD.", Cleaned("O'Brien & Sons, Ltd."));
    EXPECT_EQ("A/C NO. 12-3", Cleaned("a/c no. 12-3"));
    EXPECT_EQ("CAF 5 AB", Cleaned("caf\xe9 \xa3" "5 \"a\",\tb\r\n"));
    EXPECT_EQ("", Cleaned(",,'\""));
    // Texts beyond the conversion bound (the dialog's choices) stay whole.
    EXPECT_EQ(std::string(600, 'A'), Cleaned(std::string(600, 'a')));
}

TEST(FormatProcessingDate, GivesTheCalendarDayAsDDMMYYYY)
{
    EXPECT_STREQ("05032013", FormatProcessingDate(DateOf(2013, 3, 5)).GetString());
    EXPECT_STREQ("29121899", FormatProcessingDate(-1.75).GetString());
    // The time of day never moves the day, not even just before midnight.
    EXPECT_STREQ("07012013", FormatProcessingDate(DateOf(2013, 1, 7) + 0.99999999).GetString());
    EXPECT_STREQ("00000000", FormatProcessingDate(1e12).GetString());
}

TEST(FormatProcessingDate, CountsEveryDayAsThePlatformDoes)
{
    for (double day = -657440.0; day <= 2958470.0; day += day > -650000.0 && day < 2950000.0 ? 97.0 : 1.0)
    {
        SYSTEMTIME fields = {};
        char expected[16] = "00000000";
        if (VariantTimeToSystemTime(day, &fields))
            snprintf(expected, sizeof expected, "%02d%02d%04d", fields.wDay, fields.wMonth, fields.wYear);
        ASSERT_STREQ(expected, FormatProcessingDate(day).GetString()) << day;
    }
}
