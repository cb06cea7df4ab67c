#include <gtest/gtest.h>
#include <windows.h>
#include <mbctype.h>
#include <string.h>

#include "statements/TransactionFields.h"

#include <string>

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
