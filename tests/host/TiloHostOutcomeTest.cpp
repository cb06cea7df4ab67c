// What the command-line host makes of a run: the payment file read back,
// the counts of its summaries and the exit status a script acts on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagnostics/DebugOutputCapture.h"
#include "com/PaymentTypes.h"
#include "support/PaymentRuns.h"
#include "tilohost/ExitStatus.h"
#include "tilohost/FileAccess.h"
#include "tilohost/ImportSummary.h"
#include "tilohost/PaymentRunSummary.h"
#include "tilohost/WrittenPaymentFile.h"

namespace
{
// A line of 85 fields (80 for a bulk list header) with the given ones set,
// counted from 1.
std::string Line(const std::vector<std::pair<size_t, std::string>>& fields, size_t count = 85)
{
    std::vector<std::string> all(count);
    for (const auto& field : fields)
        all[field.first - 1] = field.second;
    std::string line;
    for (size_t index = 0; index < count; ++index)
        line += (index ? "," : "") + all[index];
    return line + "\r\n";
}

WrittenPaymentFile Parse(const std::vector<std::string>& lines)
{
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line;
    return ParsePaymentFile(bytes);
}
}

TEST(TiloHostWrittenFile, EachFormatIsToldByItsRecordTypes)
{
    const std::string standard =
        Line({{4, "01"}, {17, "12.50"}, {19, "17062026"}, {25, "401122"}, {31, "12345678"}});
    const std::string standardIat = Line({{4, "03"}, {16, "GBP"}, {19, "17062026"}, {25, "601247"}});
    WrittenPaymentFile file = Parse({standard, standardIat, standard});
    EXPECT_EQ(StandardDomestic, file.format);
    EXPECT_EQ(0, file.headerLines);
    EXPECT_EQ(3, file.paymentLines);
    EXPECT_EQ(1, file.iatLines);
    EXPECT_EQ(std::vector<std::string>({"12.50", "", "12.50"}), file.amounts);
    EXPECT_EQ("17062026", file.processingDate);
    EXPECT_EQ("", file.templateName);
    EXPECT_EQ("", file.benRef);

    // Template lines leave the payee's sort code out, IAT or not.
    const std::string templated = Line({{4, "01"}, {6, "RENT"}, {16, "GBP"}, {19, "17062026"}});
    file = Parse({Line({{4, "03"}, {6, "RENT"}, {16, "GBP"}, {19, "17062026"}}), templated});
    EXPECT_EQ(TemplateDomestic, file.format);
    EXPECT_EQ(1, file.iatLines);
    EXPECT_EQ("RENT", file.templateName);

    file = Parse({Line({{4, "06"}, {6, "SUPPLIERS"}, {19, "17062026"}, {37, "JUNE RUN"}, {74, "C"}}, 80),
                  Line({{4, "07"}, {16, "GBP"}}), Line({{4, "07"}, {16, "GBP"}})});
    EXPECT_EQ(BulkList, file.format);
    EXPECT_EQ(1, file.headerLines);
    EXPECT_EQ(2, file.paymentLines);
    EXPECT_EQ("SUPPLIERS", file.templateName);
    EXPECT_EQ("JUNE RUN", file.benRef);
    EXPECT_EQ("17062026", file.processingDate);

    file = Parse({Line({{4, "08"}, {9, "JUNE.CSV"}, {19, "17062026"}, {37, "JUNE RUN"}}), Line({{4, "09"}})});
    EXPECT_EQ(AdHocBulk, file.format);
    EXPECT_EQ(1, file.paymentLines);
    EXPECT_EQ("", file.templateName);
    EXPECT_EQ("JUNE RUN", file.benRef);
}

TEST(TiloHostWrittenFile, WhatIsNoPaymentFileHasNoFormat)
{
    EXPECT_EQ(-1, ParsePaymentFile("").format);
    EXPECT_EQ(0, ParsePaymentFile("").paymentLines);
    // A header alone is a bulk file whose header failed.
    const WrittenPaymentFile header = Parse({Line({{4, "08"}})});
    EXPECT_EQ(AdHocBulk, header.format);
    EXPECT_EQ(0, header.paymentLines);
    for (const std::vector<std::string>& lines :
         {std::vector<std::string>{"Amount,Details\r\n1,x\r\n"},
          std::vector<std::string>{Line({{4, "06"}}, 80), Line({{4, "09"}})},
          std::vector<std::string>{Line({{4, "01"}, {25, "401122"}}), Line({{4, "07"}})}})
    {
        const WrittenPaymentFile file = Parse(lines);
        EXPECT_EQ(-1, file.format) << lines[0];
        EXPECT_EQ(0, file.paymentLines) << lines[0];
    }
    EXPECT_EQ(-1234, PenceOfWrittenAmount("-12.34"));
    for (const char* malformed : {"", "12.5", "1.234", ".50", "1e3.00", "--1.00", "12345678901234567890.00"})
        EXPECT_EQ(0, PenceOfWrittenAmount(malformed)) << malformed;
    EXPECT_EQ("17/06/2026", ShownProcessingDate("17062026"));
    EXPECT_EQ("1706202", ShownProcessingDate("1706202"));
}

TEST(TiloHostRunSummary, PassedAndFailedPaymentsOfAWrittenFile)
{
    const std::vector<long> payments = {0, 21, 0, 28, 21};
    WrittenPaymentFile file;
    file.format = StandardDomestic;
    file.paymentLines = 5;
    file.amounts = {"100.00", "-5.00", "20.50", "7.00", "3.00"};
    file.iatLines = 2;
    const PaymentRunSummary summary = SummariseRun(payments, &file);
    EXPECT_EQ(5, summary.payments);
    EXPECT_EQ(5, summary.written);
    EXPECT_EQ(2, summary.passed);
    EXPECT_EQ(3, summary.failed);
    EXPECT_DOUBLE_EQ(120.5, summary.passedAmount);
    EXPECT_EQ((std::map<long, long>{{21, 2}, {28, 1}}), summary.failedByCode);
    EXPECT_EQ(2, summary.iats);
    EXPECT_FALSE(summary.headerFailed);

    // Lines the file lacks do not count, whatever their payments' codes.
    file.paymentLines = 2;
    const PaymentRunSummary cut = SummariseRun(payments, &file);
    EXPECT_EQ(2, cut.written);
    EXPECT_EQ(1, cut.passed);
    EXPECT_EQ(1, cut.failed);

    // The total is of the amounts as written (10.005, 0.125, 2.675 and
    // 1.115 in the batch), not of the batch's, which would add up to 13.92.
    file.paymentLines = 4;
    file.amounts = {"10.00", "0.12", "2.67", "1.12"};
    EXPECT_EQ(1391, static_cast<long long>(SummariseRun({0, 0, 0, 0}, &file).passedAmount * 100 + 0.5));
}

TEST(TiloHostRunSummary, AFailedBulkHeaderCountsItsPaymentOnly)
{
    // The other payments keep the codes they came with (1: an IAT mark).
    const std::vector<long> payments = {23, 1, 0};
    WrittenPaymentFile file;
    file.format = AdHocBulk;
    file.headerLines = 1;
    const PaymentRunSummary summary = SummariseRun(payments, &file);
    EXPECT_TRUE(summary.headerFailed);
    EXPECT_EQ(0, summary.written);
    EXPECT_EQ(0, summary.passed);
    EXPECT_EQ(1, summary.failed);
    EXPECT_EQ((std::map<long, long>{{23, 1}}), summary.failedByCode);
    EXPECT_DOUBLE_EQ(0.0, summary.passedAmount);
}

TEST(TiloHostRunSummary, NoFileNothingProcessed)
{
    const PaymentRunSummary summary = SummariseRun({0, 1}, nullptr);
    EXPECT_EQ(2, summary.payments);
    EXPECT_EQ(0, summary.written);
    EXPECT_EQ(0, summary.passed);
    EXPECT_EQ(0, summary.failed);
    EXPECT_TRUE(summary.failedByCode.empty());
}

TEST(TiloHostImportSummary, DebitsCreditsAndTheFirstAndLastDay)
{
    std::vector<ReceivedTransaction> received(4);
    received[0].date = 46175.0;
    received[0].direction = 0;
    received[0].amount = 12.5;
    received[1].date = 46174.75;  // a time of day counts as its day
    received[1].direction = 1;
    received[1].amount = 100.0;
    received[2].date = 46183.0;
    received[2].direction = 0;
    received[2].amount = 7.25;
    received[3].direction = 1;  // no date
    ImportSummary summary;
    for (const ReceivedTransaction& transaction : received)
        summary.Add(transaction);
    EXPECT_EQ(4, summary.transactions);
    EXPECT_EQ(2, summary.debits);
    EXPECT_DOUBLE_EQ(19.75, summary.debitTotal);
    EXPECT_EQ(2, summary.credits);
    EXPECT_DOUBLE_EQ(100.0, summary.creditTotal);
    EXPECT_EQ("01/06/2026", ShownDay(summary.firstDate));
    EXPECT_EQ("2026-06-10", IsoDay(summary.lastDate));
    EXPECT_EQ(1, summary.undated);

    const ImportSummary none;
    EXPECT_EQ(0, none.transactions);
    EXPECT_EQ("(no date)", ShownDay(none.firstDate));
    EXPECT_EQ("", IsoDay(none.lastDate));
}

TEST(TiloHostExitStatus, OneForEachOutcome)
{
    EXPECT_EQ(ExitDone, PayExitStatus(S_OK, RunSucceeded, true));
    EXPECT_EQ(ExitInvalidPayments, PayExitStatus(S_FALSE, RunHasInvalidPayments, true));
    EXPECT_EQ(ExitCancelled, PayExitStatus(S_OK, RunCancelled, false));
    EXPECT_EQ(ExitNoPaymentFile, PayExitStatus(S_OK, RunFileFailed, false));
    EXPECT_EQ(ExitNoPaymentFile, PayExitStatus(40, RunTooManyPayments, false));
    // A write that failed after a payment failed its checks: the file is
    // what counts.
    EXPECT_EQ(ExitNoPaymentFile, PayExitStatus(S_FALSE, RunFileFailed, false));
    // A file the run reports but that is not there, or not whole.
    EXPECT_EQ(ExitNoPaymentFile, PayExitStatus(S_OK, RunSucceeded, false));
    EXPECT_EQ(ExitNoPaymentFile, PayExitStatus(S_FALSE, RunHasInvalidPayments, false));
    EXPECT_EQ(ExitCallFailed, PayExitStatus(DISP_E_EXCEPTION, RunSucceeded, false));
    EXPECT_EQ(ExitCallFailed, PayExitStatus(S_OK, 7, true));

    EXPECT_EQ(ExitDone, ImportExitStatus(S_OK, 0, 1));
    EXPECT_EQ(ExitNothingImported, ImportExitStatus(S_OK, 0, 0));
    EXPECT_EQ(ExitCancelled, ImportExitStatus(S_OK, 1, 0));
    EXPECT_EQ(ExitCallFailed, ImportExitStatus(DISP_E_EXCEPTION, 0, 0));
    EXPECT_EQ(ExitCallFailed, ImportExitStatus(S_OK, 2, 0));
}

TEST(TiloHostComponentLog, OneLineATextWithItsTime)
{
    DebugText entry;
    entry.time = SYSTEMTIME{2026, 6, 0, 15, 9, 5, 7, 42};
    entry.text = "Failed to read the Balance record\n";
    EXPECT_EQ("2026-06-15 09:05:07.042  Failed to read the Balance record", DebugLogLine(entry));
    entry.text = "two\r\nlines C:\\x";
    EXPECT_EQ("2026-06-15 09:05:07.042  two\\r\\nlines C:\\x", DebugLogLine(entry));

    DebugOutputCapture capture;
    OutputDebugStringA("first");
    OutputDebugStringA("second\n");
    const std::vector<DebugText> entries = capture.Entries();
    ASSERT_EQ(2u, entries.size());
    EXPECT_EQ("second\n", entries[1].text);
    EXPECT_NE(0, entries[0].time.wYear);
}

TEST(TiloHostFailedFile, TheSystemsReasonForAPathItRefuses)
{
    ScratchFolder folder;
    const std::string missingFolder = folder.File("missing") + "\\pay.csv";
    EXPECT_EQ(0u, WhyNotWritable(missingFolder).find("system error 3")) << WhyNotWritable(missingFolder);
    // Looking leaves nothing behind.
    EXPECT_EQ(PathKind::Missing, KindOfPath(folder.File("missing")));
    EXPECT_EQ("", WhyNotWritable(folder.File("new.csv")));
    EXPECT_EQ(PathKind::Missing, KindOfPath(folder.File("new.csv")));
}
