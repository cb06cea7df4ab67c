// The field values and their checks: the forms values take in a field, the
// checks the line writers make, the status codes they leave, and the lines
// they write all the same.
#include <gtest/gtest.h>

#include <algorithm>
#include <locale.h>
#include <math.h>
#include <stdio.h>
#include <string>
#include <vector>

#include "payments/PaymentLines.h"
#include "payments/PaymentValues.h"
#include "support/PaymentWriting.h"
#include "support/ThrownBy.h"

TEST(FieldForms, AmountsHaveTwoDecimalsAPointAndABound)
{
    EXPECT_STREQ("1234567.89", FormatAmount(1234567.891).GetString());
    EXPECT_STREQ("-0.00", FormatAmount(-0.001).GetString());
    EXPECT_EQ(255, FormatAmount(1e300).GetLength());

    const std::string previous = setlocale(LC_NUMERIC, nullptr);
    if (!setlocale(LC_NUMERIC, "German_Germany.1252"))
        GTEST_SKIP() << "no German locale";
    const CFieldText amount = FormatAmount(125.5);
    setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_STREQ("125.50", amount.GetString());
}

// The checks that the line writers make, the status codes they leave, and the
// lines they write all the same.
namespace
{
using Codes = std::vector<long>;

struct Written
{
    bool passed = false;
    std::string bytes;
};

Written PaymentLineOf(FakePayment* payment, PaymentFormat format, const char* templateName = "Rent")
{
    Written written;
    written.bytes = WrittenFile([&](FILE* file) {
        written.passed = WritePaymentLine(file, ProcessingDate(), format, templateName, CHostPayment(payment, 1));
    });
    return written;
}

Written AdHocLineOf(FakePayment* payment)
{
    Written written;
    written.bytes = WrittenFile([&](FILE* file) { written.passed = WriteAdHocBulkLine(file, CHostPayment(payment, 1)); });
    return written;
}

// The codes one payment line leaves on a payment whose status code was set to
// the IAT mark (or cleared) before the run, as the payment dialog does.
Codes CodesOf(ComPtr<FakePayment> payment, PaymentFormat format, long iatMark = 0)
{
    payment->statusCode = iatMark;
    payment->statusCodesSet.clear();
    const Written written =
        format == AdHocBulk ? AdHocLineOf(payment.Get()) : PaymentLineOf(payment.Get(), format);
    EXPECT_EQ(written.passed, payment->statusCodesSet.size() == 1) << written.bytes;
    return payment->statusCodesSet;
}

size_t CommasIn(const std::string& line)
{
    return static_cast<size_t>(std::count(line.begin(), line.end(), ','));
}

const PaymentFormat PaymentLineFormats[] = {StandardDomestic, TemplateDomestic, BulkList, AdHocBulk};
}

TEST(PaymentLineChecks, PayerSortCodeAndAccountNumberOnDomesticLines)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payerSortCode = L"12-34-56";
    EXPECT_EQ(Codes{0}, CodesOf(payment, StandardDomestic));
    payment->payerSortCode = L"12345";
    EXPECT_EQ((Codes{0, 23}), CodesOf(payment, StandardDomestic));
    payment->payerSortCode = L"1234567";
    EXPECT_EQ((Codes{0, 23}), CodesOf(payment, TemplateDomestic));
    payment->payerSortCode = L"20-00-00";
    payment->payerAccountNumber = L"1234 5678";
    EXPECT_EQ((Codes{0, 24}), CodesOf(payment, StandardDomestic));
    payment->payerAccountNumber = L"1234567";
    EXPECT_EQ((Codes{0, 24}), CodesOf(payment, StandardDomestic, IatMark));
}

TEST(PaymentLineChecks, PayeeSortCodeAndAccountNumberOnEveryPaymentLine)
{
    for (PaymentFormat format : PaymentLineFormats)
    {
        SCOPED_TRACE(format);
        ComPtr<FakePayment> payment = StandardPayment();
        payment->payeeSortCode = L"12345";
        EXPECT_EQ((Codes{0, 28}), CodesOf(payment, format));
        payment->payeeSortCode = L"1234567";
        EXPECT_EQ((Codes{0, 28}), CodesOf(payment, format));
        payment->payeeSortCode = L"12 34 56";
        payment->payeeAccountNumber = L"1234 5678";
        EXPECT_EQ((Codes{0, 29}), CodesOf(payment, format));
        payment->payeeAccountNumber = L"1234567";
        EXPECT_EQ((Codes{0, 29}), CodesOf(payment, format));
    }
    ComPtr<FakePayment> iat = StandardPayment();
    iat->payeeSortCode = L"1234567";
    iat->payeeAccountNumber = L"1234567";
    EXPECT_EQ((Codes{0, 28, 29}), CodesOf(iat, StandardDomestic, IatMark));
    EXPECT_EQ((Codes{0, 28, 29}), CodesOf(iat, TemplateDomestic, IatMark));
}

TEST(PaymentLineChecks, AmountMustBeMoneyAsWrittenOnEveryPaymentLine)
{
    for (PaymentFormat format : PaymentLineFormats)
    {
        SCOPED_TRACE(format);
        ComPtr<FakePayment> payment = StandardPayment();
        payment->amount = 0.01;
        EXPECT_EQ(Codes{0}, CodesOf(payment, format));
        // Zero and negatives; amounts written as 0.00 or -0.00 although above
        // the old threshold of 5e-7; no number at all; too long for a field.
        payment->amount = 999999999.99;
        EXPECT_EQ(Codes{0}, CodesOf(payment, format));
        // ...and beyond what the bank's field of 11 digits of pence holds.
        for (double amount : {0.0, -0.0, -0.01, -125.5, 0.004, 1e-6, -0.001, double(NAN), double(INFINITY),
                              double(-INFINITY), 1e300, 1000000000.0, 999999999.995, 1e20, 1e250})
        {
            payment->amount = amount;
            EXPECT_EQ((Codes{0, 21}), CodesOf(payment, format)) << amount;
        }
    }
    // Half a penny goes whichever way the runtime rounds it; the check goes
    // with the written text.
    ComPtr<FakePayment> payment = StandardPayment();
    payment->amount = 0.005;
    const Written written = AdHocLineOf(payment.Get());
    EXPECT_EQ(written.bytes.find(",0.01,") != std::string::npos, written.passed) << written.bytes;
}

TEST(PaymentLineChecks, PayeeNameOnlyWhereTheLineCarriesIt)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payeeAccountName.clear();
    EXPECT_EQ((Codes{0, 30}), CodesOf(payment, StandardDomestic));
    EXPECT_EQ((Codes{0, 30}), CodesOf(payment, BulkList));
    EXPECT_EQ((Codes{0, 30}), CodesOf(payment, AdHocBulk));
    EXPECT_EQ(Codes{0}, CodesOf(payment, TemplateDomestic));
    EXPECT_EQ(Codes{0}, CodesOf(payment, StandardDomestic, IatMark));
}

TEST(PaymentLineChecks, ANameWithNothingLeftToWriteIsNoName)
{
    ComPtr<FakePayment> payment = StandardPayment();
    for (const wchar_t* name : {L",,'\"", L"   ", L"\u4e00 Trading Ltd", L"\u00e9\u00e8", L"\t"})
    {
        payment->payeeAccountName = name;
        EXPECT_EQ((Codes{0, 30}), CodesOf(payment, StandardDomestic));
        EXPECT_EQ((Codes{0, 30}), CodesOf(payment, AdHocBulk));
    }
    payment->payeeAccountName = L".";
    EXPECT_EQ(Codes{0}, CodesOf(payment, StandardDomestic));
    // Only what survives the cut counts: 18 characters for 01 and 07 lines,
    // 35 for 09 lines.
    payment->payeeAccountName = std::wstring(20, L' ') + L"Smith";
    EXPECT_EQ((Codes{0, 30}), CodesOf(payment, StandardDomestic));
    EXPECT_EQ((Codes{0, 30}), CodesOf(payment, BulkList));
    EXPECT_EQ(Codes{0}, CodesOf(payment, AdHocBulk));
}

TEST(PaymentLineChecks, HeadersCheckOnlyThePayer)
{
    ComPtr<FakePayment> first = StandardPayment();
    first->amount = -5;
    first->payeeSortCode.clear();
    first->payeeAccountNumber.clear();
    first->payeeAccountName.clear();
    bool passed = false;
    WrittenFile([&](FILE* file) { passed = WriteBulkListHeader(file, CHostPayment(first.Get(), 1), ProcessingDate(), "", ""); });
    EXPECT_TRUE(passed);
    first->payerSortCode = L"12345";
    first->payerAccountNumber = L"1234567";
    WrittenFile([&](FILE* file) { passed = WriteBulkListHeader(file, CHostPayment(first.Get(), 1), ProcessingDate(), "", ""); });
    EXPECT_FALSE(passed);
    WrittenFile([&](FILE* file) { passed = WriteAdHocBulkHeader(file, ProcessingDate(), "", "C:\\x.csv", CHostPayment(first.Get(), 1)); });
    EXPECT_FALSE(passed);
    EXPECT_EQ((Codes{0, 0, 23, 24, 0, 23, 24}), first->statusCodesSet);
    EXPECT_EQ(24, first->statusCode);

    // Payment lines of the bulk formats leave the payer to the header.
    first->amount = 1;
    first->payeeSortCode = L"401122";
    first->payeeAccountNumber = L"12345678";
    first->payeeAccountName = L"Smith";
    EXPECT_EQ(Codes{0}, CodesOf(first, BulkList));
    EXPECT_EQ(Codes{0}, CodesOf(first, AdHocBulk));
}

TEST(PaymentLineChecks, EveryFailureIsRecordedInFieldOrderAndTheLastOneStays)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payerSortCode = L"12345";
    payment->amount = 0;
    EXPECT_EQ((Codes{0, 23, 21}), CodesOf(payment, StandardDomestic));
    EXPECT_EQ(21, payment->statusCode);

    payment = MakeHostObject<FakePayment>();
    EXPECT_EQ((Codes{0, 23, 24, 21, 28, 29, 30}), CodesOf(payment, StandardDomestic));
    EXPECT_EQ((Codes{0, 23, 24, 21, 28, 29}), CodesOf(payment, TemplateDomestic));
    EXPECT_EQ((Codes{0, 21, 28, 29, 30}), CodesOf(payment, BulkList));
    EXPECT_EQ((Codes{0, 21, 28, 29, 30}), CodesOf(payment, AdHocBulk));
    EXPECT_EQ(30, payment->statusCode);
}

TEST(PaymentLineChecks, AFailingLineIsWrittenInFull)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payerSortCode = L"2-00-00";
    payment->payerAccountNumber = L"7654321";
    payment->amount = -12.5;
    payment->payeeSortCode = L"40112";
    payment->payeeAccountNumber = L"2345678";
    payment->payeeAccountName.clear();
    const Written written = PaymentLineOf(payment.Get(), StandardDomestic);
    EXPECT_FALSE(written.passed);
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {13, "02000007654321"}, {17, "-12.50"}, {19, "07012013"}, {25, "40112 "},
                                {31, "02345678"}, {37, "INV 778"}}),
              written.bytes);
}

TEST(PaymentLineChecks, SeparatorsInAnAccountNumberDoNotBreakTheGridNorPassForDigits)
{
    // Each becomes a space: closed up, "8765,4321" would read as the
    // account 87654321 of somebody else.
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payerAccountNumber = L"8765,4321";
    payment->payeeAccountNumber = L"12,34\r\n5\"6";
    const Written written = PaymentLineOf(payment.Get(), StandardDomestic);
    EXPECT_FALSE(written.passed);
    EXPECT_EQ((Codes{0, 24, 29}), payment->statusCodesSet);
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {13, "2000008765 432"}, {17, "125.50"}, {19, "07012013"}, {25, "401122"},
                                {31, "12 34  5"}, {33, "SMITH & CO"}, {37, "INV 778"}}),
              written.bytes);
    EXPECT_EQ(84u, CommasIn(AdHocLineOf(payment.Get()).bytes));
}

TEST(PaymentLineChecks, ATextWithANulFailsItsCheckAFreeTextIsCutThere)
{
    using namespace std::string_literals;
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payerSortCode = L"20-00-00\0 1"s;
    payment->payerAccountNumber = L"87654321\0 99"s;
    payment->payeeSortCode = L"40-11-22\0"s;
    payment->payeeAccountNumber = L"12345678\0"s;
    payment->payeeAccountName = L"Smith\0 & Co"s;
    payment->payeeReference = L"INV\0 778"s;
    const Written written = PaymentLineOf(payment.Get(), StandardDomestic);
    EXPECT_EQ((Codes{0, 23, 24, 28, 29}), payment->statusCodesSet);
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {13, "20000087654321"}, {17, "125.50"}, {19, "07012013"},
                                {25, "401122"}, {31, "12345678"}, {33, "SMITH"}, {37, "INV"}}),
              written.bytes);
}

TEST(PaymentLineChecks, NullBstrsReadAsEmptyTexts)
{
    ComPtr<FakePayment> payment = MakeHostObject<FakePayment>();
    payment->emptyAsNull = true;
    payment->amount = 1;
    const Written written = AdHocLineOf(payment.Get());
    EXPECT_EQ(ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "1.00"}, {25, "      "}, {31, "00000000"}}),
              written.bytes);
    EXPECT_EQ((Codes{0, 28, 29, 30}), payment->statusCodesSet);
}

TEST(PaymentLineChecks, WritersRefuseMissingFilesPaymentsAndFormats)
{
    ComPtr<FakePayment> payment = StandardPayment();
    IVornPayment* const missing = nullptr;
    WrittenFile([&](FILE* file) {
        EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { WritePaymentLine(nullptr, 0, StandardDomestic, "", CHostPayment(payment.Get(), 1)); }));
        EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { WritePaymentLine(file, 0, StandardDomestic, "", CHostPayment(missing, 1)); }));
        EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { WritePaymentLine(file, 0, AdHocBulk, "", CHostPayment(payment.Get(), 1)); }));
        EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { WriteBulkListHeader(file, CHostPayment(missing, 1), 0, "", ""); }));
        EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { WriteAdHocBulkHeader(file, 0, "", "x", CHostPayment(missing, 1)); }));
        EXPECT_EQ(E_INVALIDARG, ThrownBy([&] { WriteAdHocBulkLine(nullptr, CHostPayment(payment.Get(), 1)); }));
    });
    EXPECT_TRUE(payment->statusCodesSet.empty());
}

TEST(FieldForms, AmountsAreWrittenAsPrintfWritesThemWithTwoDecimals)
{
    // Exact halves of a cent go to the even cent, as the runtime's printf
    // rounds the exact binary value; so do the amounts just beside them.
    unsigned int state = 12082026;
    auto next = [&state](unsigned int range) {
        state = state * 1103515245u + 12345u;
        return (state >> 8) % range;
    };
    std::vector<double> amounts = {0.0, -0.0, 0.005, 0.015, 0.125, 0.375, 2.675, 1.005, 999999999.995, 4503599627370495.5,
                                   9007199254740991.0, 9007199254740992.0, 1e300, 5e-324, -123.455, 1e-9};
    for (int sample = 0; sample < 20000; ++sample)
    {
        const double cents = static_cast<double>(next(1000000000)) + next(8) / 8.0;
        amounts.push_back((next(4) == 0 ? -cents : cents) / 100.0);
        amounts.push_back(static_cast<double>(next(100000)) / (1 << next(20)));
    }
    for (double amount : amounts)
    {
        char printed[512];
        snprintf(printed, sizeof printed, "%.2f", amount);
        printed[255] = '\0';
        EXPECT_STREQ(printed, FormatAmount(amount).GetString()) << amount;
    }
}
