#include <gtest/gtest.h>

#include "diagnostics/DebugOutputCapture.h"
#include "statements/TransactionFile.h"
#include "support/StatementFiles.h"

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
    EXPECT_TRUE(reader.BuildColumnIndex());
    EXPECT_TRUE(reader.ReadRecord(record));
    return record;
}

std::vector<std::string> With(std::vector<std::string> fields, int position, const std::string& value)
{
    fields[position - 1] = value;
    return fields;
}
}

TEST(TransactionFile, FullHeaderReadsEachLineByItsOwnFieldCount)
{
    std::vector<std::string> sixteen = ShortFields();
    sixteen.insert(sixteen.end(), {"9.99", "8.88"});
    TemporaryFile file(Lines({HeaderLine(18), CommaLine(FullFields()), CommaLine(ShortFields()),
                                  CommaLine(sixteen)}));
    CTransactionFile reader(file.Path());
    EXPECT_EQ(18, reader.GetColumnCount());
    ASSERT_TRUE(reader.BuildColumnIndex());
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

    // An 18-field line under a 14-field header: the table has no entries for
    // the full layout.
    std::vector<std::string> eighteen = ShortFields();
    eighteen.insert(eighteen.end(), {"X", "Y", "9.99", "8.88"});
    CTransactionRecord record = ReadSingle(14, eighteen);
    EXPECT_STREQ("N1", record.GetNarrative().GetString());
    EXPECT_DOUBLE_EQ(7.5, record.GetCredit());

    // Without its column index table a file gives no lines.
    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields())}));
    CTransactionFile reader(file.Path());
    EXPECT_FALSE(reader.ReadRecord(record));
}

TEST(TransactionFile, OnlyHeadersOf14Or18FieldsMakeAStatementFile)
{
    TemporaryFile file(Lines({HeaderLine(15), CommaLine(ShortFields())}));
    CTransactionFile reader(file.Path());
    EXPECT_EQ(15, reader.GetColumnCount());
    EXPECT_FALSE(reader.BuildColumnIndex());

    TemporaryFile longHeader(Lines({HeaderLine(14) + std::string(2100, ' '), CommaLine(ShortFields())}));
    CTransactionFile longReader(longHeader.Path());
    EXPECT_EQ(0, longReader.GetColumnCount());
    EXPECT_FALSE(longReader.BuildColumnIndex());
    CTransactionRecord record;
    EXPECT_FALSE(longReader.ReadRecord(record));
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

TEST(TransactionFile, BlankLinesArePassedOverAndAShortLineEndsTheReading)
{
    std::vector<std::string> thirteen = ShortFields();
    thirteen.pop_back();
    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields()), "", "  \t", "\r",
                              CommaLine(With(ShortFields(), 11, "AFTER")), CommaLine(thirteen),
                              CommaLine(ShortFields())}) +
                       "\n\n");
    CTransactionFile reader(file.Path());
    ASSERT_TRUE(reader.BuildColumnIndex());
    CTransactionRecord record;
    EXPECT_TRUE(reader.ReadRecord(record));
    ASSERT_TRUE(reader.ReadRecord(record));
    EXPECT_STREQ("AFTER", record.GetFirstNarrative().GetString());
    {
        DebugOutputCapture output;
        EXPECT_FALSE(reader.ReadRecord(record));
        // Which line ended the reading, since more of the file was left unread.
        EXPECT_EQ((std::vector<std::string>{"Reading stopped at line 7: it has 13 fields, fewer than 14; the "
                                            "lines after it were not read\n",
                                            FailedRead}),
                  output.Texts());
    }

    // Blank lines up to the end of the file end the reading as the end does;
    // so does a short line with nothing but blank lines after it (a footer).
    TemporaryFile trailing(Lines({HeaderLine(14), CommaLine(ShortFields()), "", " "}));
    TemporaryFile footer(Lines({HeaderLine(14), CommaLine(ShortFields()), "End of statement,2", "", " "}));
    for (const TemporaryFile* each : {&trailing, &footer})
    {
        CTransactionFile trailingReader(each->Path());
        ASSERT_TRUE(trailingReader.BuildColumnIndex());
        EXPECT_TRUE(trailingReader.ReadRecord(record));
        DebugOutputCapture endOutput;
        EXPECT_FALSE(trailingReader.ReadRecord(record));
        EXPECT_EQ(std::vector<std::string>{FailedRead}, endOutput.Texts());
    }
}

TEST(TransactionFile, LookingForTextAfterALineDoesNotMoveTheReading)
{
    // Blank lines enough to look past the reader's first block of the file.
    std::string blankLines;
    for (int index = 0; index < 20000; ++index)
        blankLines += "    \r\n";
    TemporaryFile file(Lines({HeaderLine(14), "short"}) + blankLines + Lines({"x", "next"}));
    CStatementLineReader lines;
    ASSERT_EQ(0u, lines.Open(file.WidePath().c_str()));
    char line[StatementLineBufferSize];
    ASSERT_EQ(LineRead::Line, lines.ReadLine(line));
    ASSERT_EQ(LineRead::Line, lines.ReadLine(line));
    EXPECT_STREQ("short", line);
    EXPECT_EQ(2, lines.LineNumber());
    EXPECT_TRUE(lines.TextFollows());
    do
        ASSERT_EQ(LineRead::Line, lines.ReadLine(line));
    while (strcmp(line, "    ") == 0);
    EXPECT_STREQ("x", line);
    EXPECT_EQ(20003, lines.LineNumber());
    ASSERT_EQ(LineRead::Line, lines.ReadLine(line));
    EXPECT_STREQ("next", line);
    EXPECT_FALSE(lines.TextFollows());
    EXPECT_EQ(LineRead::End, lines.ReadLine(line));
}

TEST(TransactionFile, TheLimitIsOnTheLinesTextNotItsLineEnd)
{
    const size_t rest = CommaLine(With(ShortFields(), 11, "")).size();
    const std::vector<std::string> longest = With(ShortFields(), 11, std::string(2047 - rest, 'n'));
    const std::vector<std::string> overlong = With(longest, 11, std::string(2048 - rest, 'n'));
    for (const char* end : {"\r\n", "\n"})
    {
        SCOPED_TRACE(end);
        TemporaryFile file(HeaderLine(14) + end + CommaLine(longest) + end + CommaLine(overlong) + end +
                           CommaLine(longest) + end);
        CTransactionFile reader(file.Path());
        ASSERT_TRUE(reader.BuildColumnIndex());
        CTransactionRecord record;
        EXPECT_TRUE(reader.ReadRecord(record));
        EXPECT_EQ(50, record.GetFirstNarrative().GetLength());
        EXPECT_DOUBLE_EQ(7.5, record.GetCredit());
        // An overlong line is never read cut short, and nothing after it.
        DebugOutputCapture output;
        EXPECT_FALSE(reader.ReadRecord(record));
        EXPECT_EQ((std::vector<std::string>{"Reading stopped at line 3: it is longer than 2047 characters; it and "
                                            "the lines after it were not read\n",
                                            FailedRead}),
                  output.Texts());
        EXPECT_DOUBLE_EQ(0.0, record.GetCredit());
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
        ASSERT_TRUE(reader.BuildColumnIndex());
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
    ASSERT_TRUE(outer.BuildColumnIndex());
    CTransactionRecord record;
    ASSERT_TRUE(outer.ReadRecord(record));

    CTransactionFile inner(shortLayout.Path());
    ASSERT_TRUE(inner.BuildColumnIndex());
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
    EXPECT_FALSE(reader.BuildColumnIndex());
    CTransactionRecord record;
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_EQ((std::vector<std::string>{"File Stream is NOT open", FailedRead}), output.Texts());

    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields())}));
    CTransactionFile closed(file.Path());
    EXPECT_EQ(0u, closed.OpenError());
    closed.Close();
    EXPECT_FALSE(closed.ReadRecord(record));
}
