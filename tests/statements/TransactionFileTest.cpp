#include <gtest/gtest.h>

#include "diagnostics/DebugOutputCapture.h"
#include "statements/ColumnIndex.h"
#include "statements/TransactionFile.h"
#include "support/StatementFiles.h"

#include <string>
#include <vector>

namespace
{
const std::ios::openmode Binary = std::ios::in | std::ios::binary;
const std::ios::openmode Text = std::ios::in;
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
CTransactionRecord ReadSingle(int headerFields, const std::vector<std::string>& fields,
                              std::ios::openmode mode = Binary)
{
    TemporaryFile file(Lines({HeaderLine(headerFields), CommaLine(fields)}));
    CTransactionFile reader(file.Path(), mode);
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
    for (std::ios::openmode mode : {Binary, Text})
    {
        CTransactionFile reader(file.Path(), mode);
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

    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields())}));
    CTransactionFile reader(file.Path(), Binary);
    ColumnIndex().RemoveAll();
    EXPECT_FALSE(reader.ReadRecord(record));
}

TEST(TransactionFile, OnlyHeadersOf14Or18FieldsMakeAStatementFile)
{
    TemporaryFile file(Lines({HeaderLine(15), CommaLine(ShortFields())}));
    CTransactionFile reader(file.Path(), Text);
    EXPECT_EQ(15, reader.GetColumnCount());
    EXPECT_FALSE(reader.BuildColumnIndex());

    TemporaryFile longHeader(Lines({HeaderLine(14) + std::string(2100, ' '), CommaLine(ShortFields())}));
    CTransactionFile longReader(longHeader.Path(), Text);
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

TEST(TransactionFile, ReadingEndsAtTheFirstUnreadableLine)
{
    std::vector<std::string> thirteen = ShortFields();
    thirteen.pop_back();
    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields()), "", CommaLine(ShortFields())}));
    TemporaryFile shortLine(Lines({HeaderLine(14), CommaLine(thirteen)}));
    for (const char* path : {file.Path(), shortLine.Path()})
    {
        CTransactionFile reader(path, Binary);
        ASSERT_TRUE(reader.BuildColumnIndex());
        CTransactionRecord record;
        if (path == file.Path())
        {
            EXPECT_TRUE(reader.ReadRecord(record));
        }
        DebugOutputCapture output;
        EXPECT_FALSE(reader.ReadRecord(record));
        EXPECT_EQ(std::vector<std::string>{FailedRead}, output.Texts());
    }
}

TEST(TransactionFile, OverlongLinesAreNeverReadCutShort)
{
    // In binary mode the carriage return counts: 2046 characters and it fit.
    const size_t rest = CommaLine(With(ShortFields(), 11, "")).size();
    const std::vector<std::string> fitting = With(ShortFields(), 11, std::string(2046 - rest, 'n'));
    const std::vector<std::string> overlong = With(fitting, 11, std::string(2047 - rest, 'n'));
    TemporaryFile file(Lines({HeaderLine(14), CommaLine(fitting), CommaLine(overlong), CommaLine(fitting)}));
    CTransactionFile reader(file.Path(), Binary);
    ASSERT_TRUE(reader.BuildColumnIndex());
    CTransactionRecord record;
    EXPECT_TRUE(reader.ReadRecord(record));
    EXPECT_DOUBLE_EQ(7.5, record.GetCredit());
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_DOUBLE_EQ(0.0, record.GetCredit());
    EXPECT_FALSE(reader.ReadRecord(record));
}

TEST(TransactionFile, MissingOrClosedFile)
{
    const std::string path = MissingStatementPath();
    DebugOutputCapture output;
    CTransactionFile reader(path.c_str(), Binary);
    EXPECT_TRUE(output.Texts().empty());
    EXPECT_EQ(0, reader.GetColumnCount());
    EXPECT_FALSE(reader.BuildColumnIndex());
    CTransactionRecord record;
    EXPECT_FALSE(reader.ReadRecord(record));
    EXPECT_EQ((std::vector<std::string>{"File Stream is NOT open", FailedRead}), output.Texts());

    TemporaryFile file(Lines({HeaderLine(14), CommaLine(ShortFields())}));
    CTransactionFile closed(file.Path(), Binary);
    closed.Close();
    EXPECT_FALSE(closed.ReadRecord(record));
}
