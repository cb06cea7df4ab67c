// What the command-line host takes from a person before it runs anything:
// the batch file (CSV as RFC 4180 writes it, columns by header), the
// command line, the robot's answers; and the escaping of its report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tilohost/AutoAnswers.h"
#include "tilohost/CommandLine.h"
#include "tilohost/CsvReader.h"
#include "tilohost/Failures.h"
#include "tilohost/PaymentBatchFile.h"
#include "tilohost/ReportFile.h"

namespace
{
using Fields = std::vector<std::string>;

// The message of the BadInput that `action` throws; empty when none.
template <class Action>
std::string BadInputOf(Action action)
{
    try
    {
        action();
    }
    catch (const BadInput& error)
    {
        return error.what();
    }
    return std::string();
}
}

TEST(TiloHostCsv, QuotedFieldsKeepCommasQuotesAndLineBreaks)
{
    const auto records = ReadCsv("\xEF\xBB\xBF" "a,b,c\r\n"
                                 "\"x, y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n"
                                 "\r\n"
                                 ",,\n"
                                 " \t, \n"
                                 "\"\",,\n"
                                 "last,\"\",end");
    ASSERT_EQ(4u, records.size());
    EXPECT_EQ((Fields{"a", "b", "c"}), records[0].fields);
    EXPECT_EQ((Fields{"x, y", "say \"hi\"", "two\r\nlines"}), records[1].fields);
    // Each record knows the line it starts on. Blank lines, and lines of
    // empty or blank fields (a spreadsheet's unused rows), are skipped; a
    // quoted empty field was written on purpose.
    EXPECT_EQ(2, records[1].line);
    EXPECT_EQ((Fields{"", "", ""}), records[2].fields);
    EXPECT_EQ(7, records[2].line);
    EXPECT_EQ((Fields{"last", "", "end"}), records[3].fields);
    EXPECT_EQ(8, records[3].line);
}

TEST(TiloHostCsv, MalformedQuotesNameTheirLine)
{
    EXPECT_EQ("line 2: a quoted field is not closed", BadInputOf([] { ReadCsv("a\n\"open,\nstill open"); }));
    EXPECT_EQ("line 1: text after the closing quote of a field", BadInputOf([] { ReadCsv("\"x\"y,z"); }));
    EXPECT_EQ("line 3: a double quote inside a field that is not quoted",
              BadInputOf([] { ReadCsv("a\nb\nsay \"hi\""); }));
}

TEST(TiloHostPaymentBatch, ColumnsInAnyOrderAndMissingOnesEmpty)
{
    const PaymentBatch parsed = ParsePaymentBatch(
        "payeeaccountname, Amount ,StatusCode,PayeeRollNumber\n"
        "\"Smith & Co, Ltd.\",1250.5,1,R 12/3\n"
        "Café Rosé,-3,,\n");
    const ComPtr<FakePayments>& batch = parsed.payments;
    ASSERT_EQ(2u, batch->payments.size());
    const FakePayment& first = *batch->payments[0].Get();
    EXPECT_EQ(L"Smith & Co, Ltd.", first.payeeAccountName);
    EXPECT_DOUBLE_EQ(1250.5, first.amount);
    EXPECT_EQ(1, first.statusCode);
    EXPECT_EQ(L"R 12/3", first.payeeRollNumber);
    EXPECT_EQ(L"", first.payerSortCode);
    const FakePayment& second = *batch->payments[1].Get();
    EXPECT_EQ(L"Caf\u00e9 Ros\u00e9", second.payeeAccountName);
    EXPECT_DOUBLE_EQ(-3.0, second.amount);
    EXPECT_EQ(0, second.statusCode);
}

TEST(TiloHostPaymentBatch, BadBatchesNameTheLine)
{
    EXPECT_EQ("line 1: unknown column \"PayeeName\"", BadInputOf([] { ParsePaymentBatch("Amount,PayeeName\n1,x\n"); }));
    EXPECT_EQ("line 1: column \"amount\" appears twice", BadInputOf([] { ParsePaymentBatch("Amount,amount\n"); }));
    EXPECT_EQ("line 3: malformed amount \"12,50\"",
              BadInputOf([] { ParsePaymentBatch("Amount,Details\n1.00,a\n\"12,50\",b\n"); }));
    EXPECT_EQ("line 2: malformed status code \"IAT\"", BadInputOf([] { ParsePaymentBatch("StatusCode\nIAT\n"); }));
    EXPECT_EQ("line 4: 3 fields where the header has 2",
              BadInputOf([] { ParsePaymentBatch("Amount,Details\n1,\"two\nlines\"\n2,x,y\n"); }));
    EXPECT_EQ("line 2: not valid UTF-8 text", BadInputOf([] { ParsePaymentBatch("Details\nCaf\xE9\n"); }));
    EXPECT_EQ("no header line", BadInputOf([] { ParsePaymentBatch(""); }));
    EXPECT_EQ("line 2: a header line and no payment: nothing to pay",
              BadInputOf([] { ParsePaymentBatch("\r\nAmount,Details\r\n\r\n"); }));
}

TEST(TiloHostPaymentBatch, AnIatMarkOtherThanOneIsWarnedOf)
{
    const PaymentBatch batch = ParsePaymentBatch("Amount,StatusCode\n1,0\n2,1\n3,2\n4,-1\n");
    ASSERT_EQ(4u, batch.payments->payments.size());
    EXPECT_EQ(2, batch.payments->payments[2]->statusCode);
    EXPECT_EQ((std::vector<std::string>{
                  "line 4: StatusCode 2 is neither 0 nor 1: the component treats every value but 0 as an IAT mark",
                  "line 5: StatusCode -1 is neither 0 nor 1: the component treats every value but 0 as an IAT mark"}),
              batch.warnings);
    EXPECT_TRUE(ParsePaymentBatch("Amount\n1\n").warnings.empty());
}

TEST(TiloHostPaymentBatch, AmountsAsPeopleWriteThem)
{
    double amount = -1;
    for (const char* good : {"12", "12.5", " 12.50 ", "-0.75", "+3", ".5", "7.", ""})
        EXPECT_TRUE(ParseAmountText(good, amount)) << good;
    EXPECT_EQ(0.0, amount);
    for (const char* bad : {"12,50", "£12", "1e3", "12.5.1", "-", ".", "twelve", "1 000"})
        EXPECT_FALSE(ParseAmountText(bad, amount)) << bad;
    // Digits enough to overflow a double must not become an infinite payment.
    EXPECT_FALSE(ParseAmountText(std::string(309, '9'), amount));
    EXPECT_FALSE(ParseAmountText("-" + std::string(400, '1') + ".00", amount));
    EXPECT_TRUE(ParseAmountText(std::string(300, '9'), amount));
}

TEST(TiloHostReport, TextsEscapedSoEachRecordIsOneLine)
{
    EXPECT_EQ("a\\\\b\\,c\\rd\\ne", EscapeReportText("a\\b,c\rd\ne"));
    EXPECT_EQ("0x00000001", HResultText(S_FALSE));
    EXPECT_EQ("0x800AFFFC", HResultText(static_cast<HRESULT>(0x800AFFFC)));
    EXPECT_EQ("46174.000000", FixedNumber(46174.0, 6));
    EXPECT_EQ("2318.60", FixedNumber(2318.6, 2));
}

TEST(TiloHostAutoAnswers, EveryAnswer)
{
    const AutoAnswers answers = ParseAutoAnswers(
        "format=2;date=2028-02-29;template=A=B;benref=;iat=3,0,12;dialog=cancel;save=C:\\p.csv;redirect=yes;"
        "shot=x.png;");
    EXPECT_EQ(2, answers.format);
    EXPECT_TRUE(answers.dateGiven);
    EXPECT_EQ(2028, answers.year);
    EXPECT_EQ(2, answers.month);
    EXPECT_EQ(29, answers.day);
    EXPECT_EQ("A=B", answers.templateName);
    EXPECT_TRUE(answers.benRefGiven);
    EXPECT_EQ("", answers.benRef);
    EXPECT_EQ((std::vector<int>{3, 0, 12}), answers.iatRows);
    EXPECT_FALSE(answers.confirmDialog);
    EXPECT_EQ("C:\\p.csv", answers.savePath);
    EXPECT_FALSE(answers.cancelSave);
    EXPECT_TRUE(answers.openRedirectFolder);
    EXPECT_EQ("x.png", answers.picturePath);

    const AutoAnswers none = ParseAutoAnswers("save=cancel");
    EXPECT_EQ(-1, none.format);
    EXPECT_TRUE(none.confirmDialog);
    EXPECT_TRUE(none.saveGiven && none.cancelSave);
    EXPECT_FALSE(none.openRedirectFolder);
}

TEST(TiloHostAutoAnswers, WrongAnswersAreRefused)
{
    for (const char* wrong : {"format=4", "date=2027-02-29", "date=2027-2-1", "date=2027-13-01", "iat=1,,2",
                              "iat=-1", "dialog=yes", "redirect=ok", "save=", "colour=red", "format"})
        EXPECT_NE("", BadInputOf([wrong] { ParseAutoAnswers(wrong); })) << wrong;
}

TEST(TiloHostCommandLine, CommandsAndOptions)
{
    const CommandLine pay = ParseCommandLine({"pay", "--account=20-00-00/1234", "b.csv", "--defaults",
                                              "pay,txt,C:\\a,b", "--auto", "format=1", "--report", "r.txt"});
    EXPECT_EQ(CommandKind::Pay, pay.command);
    EXPECT_EQ("b.csv", pay.file);
    EXPECT_EQ("20-00-00", pay.account.sortCode);
    EXPECT_EQ("1234", pay.account.accountNumber);
    EXPECT_EQ("pay", pay.defaults.fileName);
    EXPECT_EQ("txt", pay.defaults.extension);
    EXPECT_EQ("C:\\a,b", pay.defaults.directory);
    EXPECT_TRUE(pay.autoGiven);
    EXPECT_EQ("format=1", pay.autoAnswers);
    EXPECT_EQ("r.txt", pay.reportPath);

    const CommandLine import = ParseCommandLine({"import", "s.csv", "--cancel"});
    EXPECT_EQ(CommandKind::Import, import.command);
    EXPECT_TRUE(import.cancel);
    EXPECT_FALSE(import.account.given);
    EXPECT_EQ(-5, ParseCommandLine({"status-text", "-5"}).code);
    EXPECT_TRUE(ParseCommandLine({"status-text", "-5"}).codeGiven);
    EXPECT_FALSE(ParseCommandLine({"status-text"}).codeGiven);
    EXPECT_EQ(CommandKind::Help, ParseCommandLine({"help"}).command);
    EXPECT_EQ(CommandKind::Version, ParseCommandLine({"--version"}).command);
    EXPECT_EQ("p.log", ParseCommandLine({"pay", "b.csv", "--log", "p.log"}).logPath);
    EXPECT_EQ("i.log", ParseCommandLine({"import", "s.csv", "--log=i.log"}).logPath);
}

TEST(TiloHostCommandLine, NothingToWorkOnShowsTheUsage)
{
    auto showsUsage = [](const std::vector<std::string>& arguments) {
        try
        {
            ParseCommandLine(arguments);
        }
        catch (const BadUsage& error)
        {
            return error.showUsage;
        }
        return false;
    };
    EXPECT_TRUE(showsUsage({}));
    EXPECT_TRUE(showsUsage({"pay"}));
    EXPECT_TRUE(showsUsage({"import", "--cancel"}));
    EXPECT_FALSE(showsUsage({"pay", "a.csv", "b.csv"}));
    EXPECT_FALSE(showsUsage({"frobnicate"}));
}

TEST(TiloHostCommandLine, BadUsageIsRefused)
{
    const std::vector<std::vector<std::string>> wrong = {
        {"frobnicate"},
        {"pay"},
        {"pay", "a.csv", "b.csv"},
        {"pay", "a.csv", "--cancel"},
        {"import", "s.csv", "--auto", "format=1"},
        {"register", "x"},
        {"pay", "a.csv", "--report"},
        {"pay", "a.csv", "--account", "20000012345678"},
        {"pay", "a.csv", "--defaults", "name,csv"},
        {"pay", "a.csv", "--defaults", "name,html,C:\\"},
        {"status-text", "3000000000"},
        {"status-text", "12x"},
        {"status-text", "1", "2"},
        {"pay", "a.csv", "--log"},
        {"status-text", "1", "--log", "x.log"},
        {"--version", "x"},
    };
    for (const auto& arguments : wrong)
        EXPECT_NE("", BadInputOf([&arguments] { ParseCommandLine(arguments); })) << arguments[0];
}
