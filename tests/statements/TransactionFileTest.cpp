#include <gtest/gtest.h>

#include "diagnostics/DebugOutputCapture.h"
#include "statements/TransactionFile.h"
#include "support/StatementFiles.h"

#include <comdef.h>
#include <string.h>
#include <string>
#include <vector>

namespace
{
const char* const FailedRead = "Failed to read the Balance record\n";

std::vector<std::string> FullFields()
{
    return {"123456", "12345678", "Alias", "Short", "GBP", "Current", "BICCODE", "Bank", "Branch",
            "30/11/2012", "N1", "N2", "N3", "N4", "N5", "TYP", "", "7.50"};
}

std::vector<std::string> ShortFields()
{
    return {"123456", "12345678", "Alias", "Short", "GBP", "Current", "BICCODE", "Bank", "Branch",
            "30/11/2012", "N1", "TYP", "", "7.50"};
}

std::string Lines(const std::vector<std::string>& lines)
{
    std::string content;
    for (const std::string& line : lines)
        content += line + "\r\n";
    return content;
}

// Reads the one transaction line of a file with a header of the given size.
CTransactionRecord ReadSingle(int headerFields, const std::vector<std::string>& fields)
{
    TemporaryFile file(Lines({HeaderLine(headerFields), CommaLine(fields)}));
    CTransactionFile reader(file.Path());
    CTransactionRecord record;
    reader.BuildColumnIndex();
    EXPECT_TRUE(reader.ReadRecord(record));
    return record;
}

std::vector<std::string> With(std::vector<std::string> fields, int position, const std::string& value)
{
    fields[position - 1] = value;
    return fields;
}

std::string DescriptionOf(const _com_error& failure)
{
    IErrorInfo* info = failure.ErrorInfo();
    BSTR text = nullptr;
    std::string narrow;
    if (info && SUCCEEDED(info->GetDescription(&text)) && text)
    {
        char buffer[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer - 1, nullptr, nullptr);
        narrow = buffer;
    }
    SysFreeString(text);
    if (info)
        info->Release();
    return narrow;
}

// The description of the refusal the reading throws, "" when there is none.
template <class Reading>
std::string RefusalOf(Reading reading)
{
    try
    {
        reading();
    }
    catch (const _com_error& failure)
    {
        return DescriptionOf(failure);
    }
    return std::string();
}
}

TEST(TransactionFile, FullHeaderReadsEachLineByItsOwnFieldCount)
{
    TemporaryFile file(Lines({HeaderLine(18), CommaLine(FullFields()), CommaLine(ShortFields()),
                              CommaLine(ShortFields())}));
    CTransactionFile reader(file.Path());
    EXPECT_EQ(18, reader.GetColumnCount());
    reader.BuildColumnIndex();
    CTransactionRecord record;
    ASSERT_TRUE(reader.ReadRecord(record));
    EXPECT_STREQ("N1 N2 N3 N4 N5", record.GetNarrative().GetString());
    EXPECT_STREQ("TYP", record.GetType().GetString());
    EXPECT_DOUBLE_EQ(7.5, record.GetCredit());
    EXPECT_DOUBLE_EQ(41243.0, record.GetDate());
    for (int line = 0; line < 2; ++line)
    {
        ASSERT_TRUE(reader.ReadRecord(record));
        EXPECT_STREQ("N1", record.GetNarrative().GetString());
        EXPECT_STREQ("TYP", record.GetType().GetString());
        EXPECT_DOUBLE_EQ(7.5, record.GetCredit());
    }
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_FALSE(reader.ReadRecord(record));
}

TEST(TransactionFile, ShortHeaderReadsEveryLineByTheShortPositions)
{
    const CTransactionRecord shortLine = ReadSingle(14, ShortFields());
    EXPECT_STREQ("TYP", shortLine.GetType().GetString());
    EXPECT_DOUBLE_EQ(7.5, shortLine.GetCredit());
}

TEST(TransactionFile, OnlyHeadersOf14Or18FieldsMakeAStatementFile)
{
    TemporaryFile file(Lines({HeaderLine(15), CommaLine(ShortFields())}));
    CTransactionFile reader(file.Path());
    EXPECT_EQ(15, reader.GetColumnCount());
    EXPECT_EQ("The file is not a statement file: its first line has 15 fields, where 14 or 18 are expected. "
              "Nothing was imported.",
              RefusalOf([&] { reader.BuildColumnIndex(); }));

    TemporaryFile longHeader(Lines({HeaderLine(14) + std::string(2100, ' '), CommaLine(ShortFields())}));
    CTransactionFile longReader(longHeader.Path());
    EXPECT_EQ(0, longReader.GetColumnCount());
    EXPECT_NE("", RefusalOf([&] { longReader.BuildColumnIndex(); }));
}

TEST(TransactionFile, QuotedFieldsAndCarriageReturns)
{
    std::vector<std::string> fields = With(FullFields(), 11, "\"Smith, J\"");
    fields = With(fields, 12, "\"say \"\"hi\"\"\"");
    fields = With(fields, 10, "\"30/11/2012\"");
    fields = With(fields, 18, "\"5.00\"");
    CTransactionRecord record = ReadSingle(18, fields);
    EXPECT_STREQ("Smith, J", record.GetFirstNarrative().GetString());
    EXPECT_STREQ("Smith, J say \"\"hi\"\" N3 N4 N5", record.GetNarrative().GetString());
    EXPECT_STREQ("30/11/2012", record.GetDateText().GetString());
    EXPECT_DOUBLE_EQ(41243.0, record.GetDate());
    EXPECT_DOUBLE_EQ(5.0, record.GetCredit());

    record = ReadSingle(14, With(With(ShortFields(), 13, "0.00"), 14, "5"));
    EXPECT_DOUBLE_EQ(5.0, record.GetCredit());
    EXPECT_EQ(0, record.IsDebit());
}

TEST(TransactionFile, DebitOrCreditAboveTheThreshold)
{
    CTransactionRecord record = ReadSingle(14, With(With(ShortFields(), 13, "\"-1,234.50\""), 14, "3.00"));
    EXPECT_EQ(1, record.IsDebit());
    EXPECT_DOUBLE_EQ(1234.5, record.GetDebit());
    EXPECT_DOUBLE_EQ(0.0, record.GetCredit());

    record = ReadSingle(14, With(With(ShortFields(), 13, "0.000004"), 14, "2.00"));
    EXPECT_EQ(0, record.IsDebit());
    EXPECT_DOUBLE_EQ(0.0, record.GetDebit());
    EXPECT_DOUBLE_EQ(2.0, record.GetCredit());

    record = ReadSingle(14, With(ShortFields(), 14, ""));
    EXPECT_EQ(0, record.IsDebit());
    EXPECT_DOUBLE_EQ(0.0, record.GetCredit());
}

TEST(TransactionFile, NarrativesAndWidths)
{
    const std::string sixty(60, 'n');
    std::vector<std::string> fields = FullFields();
    for (int position = 11; position <= 15; ++position)
        fields = With(fields, position, sixty);
    CTransactionRecord record = ReadSingle(18, fields);
    EXPECT_STREQ(std::string(50, 'n').c_str(), record.GetFirstNarrative().GetString());
    EXPECT_EQ(254, record.GetNarrative().GetLength());

    record = ReadSingle(18, With(With(FullFields(), 11, ""), 13, ""));
    EXPECT_STREQ(" N2 N4 N5", record.GetNarrative().GetString());

    const std::string forty(40, 'b');
    record = ReadSingle(14, {"12-34-56", "123456789", forty, forty, "GBPX", std::string(25, 't'), forty, forty,
                             forty, "30/11/2012", "N1", "CHQ12", "", "7.50"});
    EXPECT_STREQ("12-34-", record.GetSortCode().GetString());
    EXPECT_STREQ("12345678", record.GetAccountNumber().GetString());
    EXPECT_EQ(35, record.GetAccountAlias().GetLength());
    EXPECT_EQ(35, record.GetAccountShortName().GetLength());
    EXPECT_STREQ("GBP", record.GetCurrency().GetString());
    EXPECT_EQ(20, record.GetAccountType().GetLength());
    EXPECT_EQ(34, record.GetBic().GetLength());
    EXPECT_EQ(35, record.GetBankName().GetLength());
    EXPECT_EQ(27, record.GetBranchName().GetLength());
    EXPECT_STREQ("CHQ", record.GetType().GetString());
}

TEST(TransactionFile, BlankLinesArePassedOverAndShortLinesAtTheEndAreTheFooter)
{
    std::vector<std::string> thirteen = ShortFields();
    thirteen.pop_back();
    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields()), "", "  \t", "\r",
                              CommaLine(With(ShortFields(), 11, "AFTER")), CommaLine(thirteen), "",
                              "End of statement,2"}) +
                       "\n\n");
    CTransactionFile reader(file.Path());
    reader.BuildColumnIndex();
    reader.CheckLines();
    CTransactionRecord record;
    EXPECT_TRUE(reader.ReadRecord(record));
    EXPECT_EQ(2, record.GetLineNumber());
    ASSERT_TRUE(reader.ReadRecord(record));
    EXPECT_STREQ("AFTER", record.GetFirstNarrative().GetString());
    EXPECT_EQ(6, record.GetLineNumber());
    DebugOutputCapture output;
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_EQ(std::vector<std::string>{FailedRead}, output.Texts());
}

TEST(TransactionFile, AQuotedLineBreakIsOneSpaceOfItsField)
{
    for (const char* end : {"\r\n", "\n"})
    {
        SCOPED_TRACE(end);
        std::vector<std::string> fields = With(ShortFields(), 11, std::string("\"FIRST") + end + "SECOND\"");
        TemporaryFile file(HeaderLine(14) + end + CommaLine(fields) + end + CommaLine(ShortFields()) + end);
        CTransactionFile reader(file.Path());
        reader.BuildColumnIndex();
        reader.CheckLines();
        CTransactionRecord record;
        ASSERT_TRUE(reader.ReadRecord(record));
        EXPECT_STREQ("FIRST SECOND", record.GetFirstNarrative().GetString());
        EXPECT_DOUBLE_EQ(7.5, record.GetCredit());
        ASSERT_TRUE(reader.ReadRecord(record));
        EXPECT_EQ(4, record.GetLineNumber());
        EXPECT_FALSE(reader.ReadRecord(record));
    }
}

TEST(TransactionFile, AUtf8FileIsReadWithoutItsMarkAndCutByCharacters)
{
    // 60 two-byte characters: the narrative keeps 50 of them, never half of one.
    std::string accented;
    for (int index = 0; index < 60; ++index)
        accented += "\xC3\x89";
    TemporaryFile file("\xEF\xBB\xBF" + Lines({HeaderLine(14), CommaLine(With(ShortFields(), 11, accented))}));
    CTransactionFile reader(file.Path());
    EXPECT_EQ(14, reader.GetColumnCount());
    EXPECT_TRUE(reader.IsUtf8());
    reader.BuildColumnIndex();
    CTransactionRecord record;
    ASSERT_TRUE(reader.ReadRecord(record));
    EXPECT_EQ(100, record.GetFirstNarrative().GetLength());
    EXPECT_STREQ("123456", record.GetSortCode().GetString());
}

TEST(TransactionFile, TheLimitIsOnTheLinesTextNotItsLineEnd)
{
    const size_t rest = CommaLine(With(ShortFields(), 11, "")).size();
    const std::vector<std::string> longest = With(ShortFields(), 11, std::string(2047 - rest, 'n'));
    for (const char* end : {"\r\n", "\n"})
    {
        SCOPED_TRACE(end);
        TemporaryFile file(HeaderLine(14) + end + CommaLine(longest) + end + CommaLine(longest) + end);
        CTransactionFile reader(file.Path());
        reader.BuildColumnIndex();
        reader.CheckLines();
        CTransactionRecord record;
        for (int line = 0; line < 2; ++line)
        {
            ASSERT_TRUE(reader.ReadRecord(record));
            EXPECT_EQ(50, record.GetFirstNarrative().GetLength());
            EXPECT_DOUBLE_EQ(7.5, record.GetCredit());
        }
        EXPECT_FALSE(reader.ReadRecord(record));
    }
}

TEST(TransactionFile, TheHeaderIsReadAsTheLinesAre)
{
    // A header of 2047 characters fits with either line end; an end-of-file
    // character is an ordinary byte of it.
    const std::string header = HeaderLine(14);
    const std::string longest = header + std::string(2047 - header.size(), ' ');
    for (const std::string& first : {longest + "\r\n", longest + "\n", header + "\x1A\r\n"})
    {
        TemporaryFile file(first + CommaLine(ShortFields()) + "\r\n");
        CTransactionFile reader(file.Path());
        EXPECT_EQ(14, reader.GetColumnCount());
        reader.BuildColumnIndex();
        CTransactionRecord record;
        EXPECT_TRUE(reader.ReadRecord(record));
    }
    TemporaryFile overlong(longest + " \r\n" + CommaLine(ShortFields()) + "\r\n");
    EXPECT_EQ(0, CTransactionFile(overlong.Path()).GetColumnCount());
}

TEST(TransactionFile, EachFileKeepsItsOwnColumns)
{
    TemporaryFile full(Lines({HeaderLine(18), CommaLine(FullFields()), CommaLine(FullFields())}));
    TemporaryFile shortLayout(Lines({HeaderLine(14), CommaLine(ShortFields())}));
    CTransactionFile outer(full.Path());
    outer.BuildColumnIndex();
    CTransactionRecord record;
    ASSERT_TRUE(outer.ReadRecord(record));

    CTransactionFile inner(shortLayout.Path());
    inner.BuildColumnIndex();
    ASSERT_TRUE(inner.ReadRecord(record));

    ASSERT_TRUE(outer.ReadRecord(record));
    EXPECT_STREQ("N1 N2 N3 N4 N5", record.GetNarrative().GetString());
    EXPECT_DOUBLE_EQ(7.5, record.GetCredit());
}

TEST(TransactionFile, MissingOrClosedFile)
{
    const std::string path = MissingStatementPath();
    DebugOutputCapture output;
    CTransactionFile reader(path.c_str());
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), reader.OpenError());
    EXPECT_TRUE(output.Texts().empty());
    EXPECT_EQ(0, reader.GetColumnCount());
    CTransactionRecord record;
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_EQ((std::vector<std::string>{"File Stream is NOT open", FailedRead}), output.Texts());

    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields())}));
    CTransactionFile closed(file.Path());
    EXPECT_EQ(0u, closed.OpenError());
    closed.Close();
    EXPECT_FALSE(closed.ReadRecord(record));
}

TEST(TransactionFile, AFileBeingWrittenIsNotRead)
{
    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields())}));
    const FileHandle writer(CreateFileW(file.WidePath().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(static_cast<bool>(writer));
    EXPECT_EQ(static_cast<DWORD>(ERROR_SHARING_VIOLATION), CTransactionFile(file.Path()).OpenError());
}

namespace
{
struct Refusal
{
    const char* name;
    std::string content;
    // What the description says, "" for a file that is read.
    std::string description;
};

std::string ShortLine(int position, const std::string& value)
{
    return CommaLine(With(ShortFields(), position, value));
}

std::vector<std::string> Fields(int count)
{
    std::vector<std::string> fields = ShortFields();
    fields.resize(count, "");
    return fields;
}

// The header, a good line, then the lines given, each ended by CR LF.
std::string Statement(int header, const std::vector<std::string>& lines)
{
    std::vector<std::string> all = {HeaderLine(header), CommaLine(ShortFields())};
    all.insert(all.end(), lines.begin(), lines.end());
    return Lines(all);
}

const std::string Unread = ". Nothing was imported.";

std::vector<Refusal> Refusals()
{
    const std::string amount = "Line 3 of the statement has \"";
    const std::string debit = "\" in its Debit column, which is not a plain amount (digits with at most one point)";
    const std::string credit = "\" in its Credit column, which is not a plain amount (digits with at most one point)";
    std::vector<std::string> seventeen = FullFields();
    seventeen.pop_back();
    return {
        {"EmptyFile", "", "The file is not a statement file: its first line has 0 fields, where 14 or 18 are "
                          "expected" + Unread},
        {"Utf16File", std::string("\xFF\xFES\0o\0,\0", 8) + Lines({ShortLine(11, "x")}),
         "The file is not a statement file: its first line holds NUL bytes, as UTF-16 text does; a statement is "
         "ANSI or UTF-8 text" + Unread},
        {"SeventeenFieldsUnderEighteen", Lines({HeaderLine(18), CommaLine(FullFields()), CommaLine(seventeen)}),
         "Line 3 of the statement has 17 fields; its header has 18, so its amounts cannot be placed" + Unread},
        {"UnquotedCommaInANarrative", Statement(14, {ShortLine(11, "CAFE ROSE, CATERING")}),
         "Line 3 of the statement has 15 fields; its header has 14, so its amounts cannot be placed" + Unread},
        {"NineteenFields", Lines({HeaderLine(18), CommaLine(Fields(19))}),
         "Line 2 of the statement has 19 fields; its header has 18, so its amounts cannot be placed" + Unread},
        {"EighteenUnderFourteen", Statement(14, {CommaLine(FullFields())}),
         "Line 3 of the statement has 18 fields; its header has 14, so its amounts cannot be placed" + Unread},
        {"FooterAtTheEnd", Statement(14, {"", "Total,1", "Lines,2,3", " "}), ""},
        {"LineAfterTheFooter", Statement(14, {"Total,1", "", CommaLine(ShortFields())}),
         "Line 5 of the statement: a transaction line follows the footer at line 3" + Unread},
        {"EndsInsideQuotes", Statement(14, {ShortLine(11, "\"open"), "more"}),
         "Line 3 of the statement opens a quoted field that the file never closes" + Unread},
        {"OverlongLine", Statement(14, {ShortLine(11, std::string(2048, 'n'))}),
         "Line 3 of the statement is longer than 2047 characters" + Unread},
        {"NulLedLine", Statement(14, {std::string(1, '\0') + ShortLine(11, "x")}),
         "Line 3 of the statement holds a NUL byte: the file is no ANSI or UTF-8 text" + Unread},
        {"CurrencySign", Statement(14, {ShortLine(13, "\xA3" "99.00")}), amount + "\xA3" "99.00" + debit + Unread},
        {"Brackets", Statement(14, {ShortLine(13, "(45.00)")}), amount + "(45.00)" + debit + Unread},
        {"NonBreakingSpace", Statement(14, {ShortLine(14, "1\xA0" "234.50")}), amount + "1\xA0" "234.50" + credit + Unread},
        {"Exponent", Statement(14, {ShortLine(14, "2E3")}), amount + "2E3" + credit + Unread},
        {"TrailingText", Statement(14, {ShortLine(13, "\"5 GBP\"")}), amount + "5 GBP" + debit + Unread},
        {"TwoPoints", Statement(14, {ShortLine(14, "1.2.3")}), amount + "1.2.3" + credit + Unread},
        {"AcceptedAmounts", Statement(14, {ShortLine(14, "+12"), ShortLine(14, ".50"), ShortLine(14, "5."),
                                           ShortLine(13, "\"-1,234.56\""), ShortLine(14, " 1 234.50 ")}),
         ""},
        {"InvalidUtf8", "\xEF\xBB\xBF" + Statement(14, {ShortLine(11, "CAF\xC9")}),
         "Line 3 of the statement is no UTF-8 text, though the file begins with the UTF-8 byte order mark" + Unread},
    };
}

class StatementRules : public testing::TestWithParam<Refusal>
{
};
}

TEST_P(StatementRules, AFileIsReadWholeOrRefusedNamingTheLine)
{
    const Refusal& refusal = GetParam();
    TemporaryFile file(refusal.content);
    CTransactionFile reader(file.Path());
    EXPECT_EQ(refusal.description, RefusalOf([&] {
                  reader.BuildColumnIndex();
                  reader.CheckLines();
                  CTransactionRecord record;
                  while (reader.ReadRecord(record))
                  {
                  }
              }));
}

INSTANTIATE_TEST_SUITE_P(TransactionFile, StatementRules, testing::ValuesIn(Refusals()),
                         [](const testing::TestParamInfo<Refusal>& info) { return std::string(info.param.name); });
