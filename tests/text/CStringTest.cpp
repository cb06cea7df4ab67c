#include <gtest/gtest.h>

#include "resources/resource.h"
#include "com/ComHolders.h"
#include "support/ThrownBy.h"
#include "text/CString.h"


TEST(CString, ConstructsFromNarrowWideAndNullTexts)
{
    EXPECT_STREQ("abc", CString("abc").GetString());
    EXPECT_STREQ("caf\xe9", CString(L"caf\u00e9").GetString());
    EXPECT_STREQ("", CString(static_cast<const wchar_t*>(nullptr)).GetString());
    EXPECT_STREQ("", CString().GetString());
    EXPECT_EQ(0, CString().GetLength());
    EXPECT_EQ(E_INVALIDARG, ThrownBy([] { CString text(static_cast<const char*>(nullptr)); }));
}

TEST(CString, NullArgumentsAreRefused)
{
    CString text("x");
    EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { text = static_cast<const char*>(nullptr); }));
    EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { text.Append(static_cast<const char*>(nullptr)); }));
    EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { text.Append(static_cast<const wchar_t*>(nullptr)); }));
    EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { text.Compare(nullptr); }));
    EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { text.Format(nullptr); }));
}

TEST(CString, GetAtRefusesPositionsOutsideTheText)
{
    CString text("abc");
    EXPECT_EQ('c', text.GetAt(2));
    EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { text.GetAt(3); }));
    EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { text.GetAt(-1); }));
    EXPECT_EQ(E_INVALIDARG, ThrownBy([] { CString().GetAt(0); }));
}

TEST(CString, FindAndReverseFind)
{
    CString text("a,b,c");
    EXPECT_EQ(1, text.Find(','));
    EXPECT_EQ(3, text.ReverseFind(','));
    EXPECT_EQ(-1, text.Find('x'));
    EXPECT_EQ(-1, CString().Find('a'));
    EXPECT_EQ(-1, CString().ReverseFind('a'));
}

TEST(CString, LeftAndMidCutToWhatIsThere)
{
    CString four("abcd");
    EXPECT_STREQ("abcd", four.Left(6).GetString());
    EXPECT_STREQ("", four.Left(0).GetString());
    CString five("abcde");
    EXPECT_STREQ("bcd", five.Mid(1, 3).GetString());
    EXPECT_STREQ("de", five.Mid(3, 5).GetString());
    // Out of range requests give the empty text instead of reading outside.
    EXPECT_STREQ("", five.Mid(5, 1).GetString());
    EXPECT_STREQ("", five.Mid(9, 2).GetString());
    EXPECT_STREQ("", five.Mid(1, -1).GetString());
    EXPECT_STREQ("", CString("\"").Mid(1, -1).GetString());
}

TEST(CString, CompareAndEquality)
{
    EXPECT_EQ(0, CString("abc").Compare("abc"));
    EXPECT_LT(CString("abc").Compare("abd"), 0);
    EXPECT_TRUE(CString("x") == CString("x"));
    EXPECT_FALSE(CString("x") == CString("X"));
    EXPECT_TRUE(CString() == CString(""));
}

TEST(CString, AppendAndConcatenate)
{
    CString text("ab");
    text.Append("cd").Append(CString("ef")).Append(L"g");
    EXPECT_STREQ("abcdefg", text.GetString());
    text.Append("");
    EXPECT_STREQ("abcdefg", text.GetString());
    EXPECT_STREQ("abcdefgh", (text + "h").GetString());
    EXPECT_STREQ("abcdefgxy", (text + CString("xy")).GetString());
}

TEST(CString, AssignmentKeepsABufferThatIsLargeEnough)
{
    CString text("a longer text");
    const char* buffer = text.GetString();
    text = "short";
    EXPECT_EQ(buffer, text.GetString());
    EXPECT_STREQ("short", text.GetString());
    text = "a text longer than the first one";
    EXPECT_STREQ("a text longer than the first one", text.GetString());
}

TEST(CString, SelfAssignmentAndSelfAppendReadOnlyLiveMemory)
{
    CString text("abc");
    text = text;
    EXPECT_STREQ("abc", text.GetString());
    text = text.GetString() + 1;
    EXPECT_STREQ("bc", text.GetString());
    text.Append(text);
    EXPECT_STREQ("bcbc", text.GetString());
    text.Append(text.GetString() + 2);
    EXPECT_STREQ("bcbcbc", text.GetString());
    CString grown("x");
    for (int i = 0; i < 6; ++i)
        grown.Append(grown.GetString());
    EXPECT_EQ(64, grown.GetLength());
}

TEST(CString, FormatIsBoundedTo255Characters)
{
    CString text;
    text.Format("%s-%02d-%.2f", "a", 7, 125.5);
    EXPECT_STREQ("a-07-125.50", text.GetString());
    std::string longText(400, 'z');
    text.Format("%s%s", longText.c_str(), "tail");
    EXPECT_EQ(255, text.GetLength());
    EXPECT_EQ(std::string(255, 'z'), text.GetString());
}

TEST(CString, LoadStringReadsTheStringTable)
{
    CString text("old");
    EXPECT_TRUE(text.LoadString(GetModuleHandleA(nullptr), IDS_PAYMENT_STATUS_FIRST + 21));
    EXPECT_STREQ("Invalid Amount specified for payment: negative payments not supported.", text.GetString());
    EXPECT_FALSE(text.LoadString(GetModuleHandleA(nullptr), 301));
    EXPECT_STREQ("", text.GetString());
}

TEST(CString, AllocSysStringConvertsFromTheAnsiCodePage)
{
    BStr empty(CString().AllocSysString());
    ASSERT_NE(nullptr, empty.Get());
    EXPECT_EQ(0u, empty.Length());
    BStr text(CString("Caf\xe9").AllocSysString());
    EXPECT_STREQ(L"Caf\u00e9", text.Get());
}
