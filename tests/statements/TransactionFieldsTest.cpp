// The reader's field functions: splitting a line, cleaning a field, reading
// amounts and dates.
#include <gtest/gtest.h>

#include <windows.h>
#include <mbctype.h>
#include <oleauto.h>
#include <string.h>
#include <string>

#include "statements/TransactionFields.h"
#include "support/ReferenceStatementImport.h"

namespace
{
int Count(const char* line)
{
    bool insideQuotes = false;
    return CountFields(line, ',', insideQuotes);
}

std::string Field(const char* line, int n)
{
    const char* field = GetField(line, ',', n);
    return field ? field : "<none>";
}

// Both forms of StripQuotes, which must agree.
std::string Stripped(const char* text)
{
    CString result(text);
    StripQuotes(result);
    char buffer[64] = {};
    strncpy(buffer, text, sizeof buffer - 1);
    StripQuotes(buffer);
    return result.GetString() == std::string(buffer) ? result.GetString() : "<forms differ>";
}
}

TEST(FieldSplitting, CommasInsideQuotesDoNotSeparate)
{
    EXPECT_EQ(0, Count(nullptr));
    EXPECT_EQ(1, Count(""));
    EXPECT_EQ(3, Count("a,\"b,c\",d"));
    // A line that ends inside quotes counts one field less.
    EXPECT_EQ(2, Count("a,b,\"c,d"));

    EXPECT_EQ("\"b,c\"", Field("a,\"b,c\",d", 2));
    EXPECT_EQ("\"say \"\"hi\"\"\"", Field("a,\"say \"\"hi\"\"\",d", 2));
    EXPECT_EQ("<none>", Field("a,b,c", 4));
    EXPECT_EQ("<none>", Field("abc", 1));
}

TEST(FieldSplitting, LastFieldRule)
{
    // An unquoted last field keeps its carriage return; a quoted one loses
    // everything after its closing quote.
    EXPECT_EQ("5.00\r", Field("a,b,5.00\r", 3));
    EXPECT_EQ("\"5.00\"", Field("a,b,\"5.00\"\r", 3));
    EXPECT_EQ("\"x,y\"", Field("a,\"b\",\"x,y\"\r", 3));
    EXPECT_EQ("", Field("\"a,b\"", 1));
}

TEST(FieldSplitting, LongFieldsAreCutToTheFieldBuffer)
{
    const std::string longText(600, 'x');
    EXPECT_EQ(std::string(511, 'x'), Field(("a," + longText + ",c").c_str(), 2));
    EXPECT_EQ(std::string(511, 'x'), Field(("a," + longText).c_str(), 2));
}

TEST(TextCleaning, StripQuotesRemovesOnlyEnclosingQuotes)
{
    EXPECT_EQ("abc", Stripped("\"abc\""));
    EXPECT_EQ("a\"\"b", Stripped("\"a\"\"b\""));
    EXPECT_EQ("", Stripped("\"\""));
    EXPECT_EQ("", Stripped("\""));
    EXPECT_EQ("\"a\"b", Stripped("\"a\"b"));
    EXPECT_EQ("a\"b\"", Stripped("a\"b\""));
}

TEST(TextCleaning, QuotesAreFoundByteWiseUnderADoubleByteCodePage)
{
    // Under code page 932 0x81 is a lead byte. A field ending in one lies
    // here just before memory that may not be read.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    char* pages = static_cast<char*>(
        VirtualAlloc(nullptr, system.dwPageSize * 2, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    ASSERT_NE(nullptr, pages);
    DWORD previous = 0;
    ASSERT_TRUE(VirtualProtect(pages + system.dwPageSize, system.dwPageSize, PAGE_NOACCESS, &previous));
    const int codePage = _getmbcp();
    ASSERT_EQ(0, _setmbcp(932));

    const char field[] = "\"N\x81";
    char* text = pages + system.dwPageSize - sizeof field;
    memcpy(text, field, sizeof field);
    StripQuotes(text);
    EXPECT_STREQ(field, text);
    memcpy(text, "\"\x81\"", 4);
    StripQuotes(text);
    EXPECT_STREQ("\x81", text);

    const CString string(field);
    EXPECT_EQ(0, string.Find('"'));
    EXPECT_EQ(0, string.ReverseFind('"'));
    EXPECT_EQ(2, string.Find('\x81'));
    EXPECT_NE(0, string.Compare("\"N"));

    _setmbcp(codePage);
    VirtualFree(pages, 0, MEM_RELEASE);
}

TEST(TextCleaning, RemoveWhitespaceAndChars)
{
    CString text(" 1 2\t3\r\n\xA0\xFF");
    RemoveWhitespace(text);
    EXPECT_STREQ("123\xA0\xFF", text.GetString());

    CString amount("-1,234.50-");
    RemoveChars(amount, ",-");
    EXPECT_STREQ("1234.50", amount.GetString());

    CString longText((std::string(300, ' ') + "x" + std::string(700, ',')).c_str());
    RemoveWhitespace(longText);
    RemoveChars(longText, ",");
    EXPECT_STREQ("x", longText.GetString());
}

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

TEST(ParseAmount, ReadsATextLongerThanAFieldWithinItsOwnRoom)
{
    // Longer than any field of a line: only a caller of its own hands such a
    // text over, and its number is read as far as a field reaches.
    EXPECT_DOUBLE_EQ(0.0, ParseAmount(CString(std::string(5000, '9').c_str())));
    EXPECT_DOUBLE_EQ(12.5, ParseAmount(CString(("12.5" + std::string(5000, '0') + "7").c_str())));
    EXPECT_DOUBLE_EQ(3.0, ParseAmount(CString((std::string(5000, ' ') + "3").c_str())));
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

TEST(ParseDate, ReadsEachPartAsAtoiReadsIt)
{
    // White space and a plus sign before a part's digits, and anything after
    // them, leave the number as it is.
    for (const char* text : {" 30/11/2012", "30/ 11/2012", "30/11/ 2012", "\t30/11/2012", "+30/11/+2012",
                             "\" 30/11/2012", "30/11/2012 ", " 2012-11-30", "2012- 11- 30", "30th/11/2012"})
        EXPECT_DOUBLE_EQ(41243.0, ParseDate(text)) << text;
    // A minus sign makes a part negative: no day, month or year is.
    for (const char* text : {"30/11/-2012", "30/-11/2012", "/ /2012", "30/ x/2012"})
        EXPECT_DOUBLE_EQ(0.0, ParseDate(text)) << text;
    // As the platform reads a year of 0.
    EXPECT_DOUBLE_EQ(ParseDate("30/11/0"), ParseDate("30/11/-0"));
}

TEST(ParseDate, MissingOrImpossiblePartsGiveNoDate)
{
    // The platform would turn these into neighbouring dates.
    for (const char* text : {"0/0/0", "31/02/2012", "29/02/2013", "2012-02-30", "0/11/2012", "30/13/2012",
                             "abc", "12/2012", "30/11", "", "a/b/c", "30/x11/2012", "30/11/x",
                             "99999999999/11/2012", "30/11/99999", "2012-11"})
        EXPECT_DOUBLE_EQ(0.0, ParseDate(text)) << text;
}

TEST(ParseAmount, ReadsEveryPlainNumberAsAtofReadsIt)
{
    // Digits, points and signs in every arrangement, up to 25 decimals and
    // 20 significant digits: read in place, the double must be atof's.
    unsigned int state = 20261208;
    auto next = [&state](unsigned int range) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % range;
    };
    for (int sample = 0; sample < 20000; ++sample)
    {
        std::string text = next(8) == 0 ? "+" : (next(8) == 0 ? "-" : "");
        const unsigned int whole = next(21);
        for (unsigned int digit = 0; digit < whole; ++digit)
            text += static_cast<char>('0' + next(10));
        if (next(3) != 0)
        {
            text += '.';
            const unsigned int decimals = next(26);
            for (unsigned int digit = 0; digit < decimals; ++digit)
                text += static_cast<char>('0' + next(10));
        }
        EXPECT_EQ(ReferenceParseAmount(text), ParseAmount(CString(text.c_str()))) << text;
    }
}

TEST(ParseDate, ConvertsEveryDayAsThePlatformConvertsIt)
{
    for (int year : {0, 1, 29, 30, 99, 100, 101, 1582, 1600, 1899, 1900, 1999, 2000, 2012, 2013, 2100, 9998, 9999,
                     10000})
    {
        for (int month = 0; month <= 13; ++month)
        {
            for (int day = 0; day <= 32; ++day)
            {
                for (const std::string& text :
                     {std::to_string(day) + "/" + std::to_string(month) + "/" + std::to_string(year),
                      std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day),
                      " " + std::to_string(day) + "/+" + std::to_string(month) + "/\t" + std::to_string(year)})
                    ASSERT_EQ(ReferenceParseDate(text), ParseDate(CString(text.c_str()))) << text;
            }
        }
    }
}
