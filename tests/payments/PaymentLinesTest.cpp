// The bytes of every record type, from the worked example payment.
#include <gtest/gtest.h>

#include "payments/PaymentLines.h"
#include "support/PaymentWriting.h"

namespace
{
std::string PaymentLineOf(FakePayment* payment, PaymentFormat format, const char* templateName = "")
{
    return WrittenFile([&](FILE* file) {
        EXPECT_TRUE(WritePaymentLine(file, ProcessingDate(), format, templateName, CHostPayment(payment, 1)));
    });
}

std::string AdHocLineOf(FakePayment* payment)
{
    return WrittenFile([&](FILE* file) { EXPECT_TRUE(WriteAdHocBulkLine(file, CHostPayment(payment, 1))); });
}
}

TEST(PaymentLineLayout, StandardPaymentIsTheWholeExpectedLine)
{
    ComPtr<FakePayment> payment = StandardPayment();
    EXPECT_EQ(",,,01,,,,,,,,,20000087654321,,,,125.50,,07012013,,,,,,401122,,,,,,12345678,,SMITH & CO,,,,INV 778" +
                  std::string(48, ',') + "\r\n",
              PaymentLineOf(payment.Get(), StandardDomestic));
    EXPECT_EQ(std::vector<long>{StatusProcessed}, payment->statusCodesSet);
    EXPECT_EQ(std::vector<std::string>(), UnexpectedHostCalls());
}

TEST(PaymentLineLayout, IatLineCarriesCurrencyAndIatReferenceButNoName)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->statusCode = IatMark;
    EXPECT_EQ(ExpectedLine(85, {{4, "03"}, {13, "20000087654321"}, {16, "GBP"}, {17, "125.50"}, {19, "07012013"},
                                {25, "401122"}, {31, "12345678"}, {40, "INV 778"}}),
              PaymentLineOf(payment.Get(), StandardDomestic));
    EXPECT_EQ(std::vector<long>{StatusProcessed}, payment->statusCodesSet);
    EXPECT_EQ(StatusProcessed, payment->statusCode);
}

TEST(PaymentLineLayout, TemplateLinesLeaveThePayeeToTheTemplate)
{
    ComPtr<FakePayment> payment = StandardPayment();
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {6, "RENT"}, {13, "20000087654321"}, {16, "GBP"}, {17, "125.50"},
                                {19, "07012013"}, {37, "INV 778"}}),
              PaymentLineOf(payment.Get(), TemplateDomestic, "Rent"));

    payment->statusCode = IatMark;
    EXPECT_EQ(ExpectedLine(85, {{4, "03"}, {6, "MONTHLY RENT - FLAT "}, {13, "20000087654321"}, {16, "GBP"},
                                {17, "125.50"}, {19, "07012013"}, {40, "INV 778"}}),
              PaymentLineOf(payment.Get(), TemplateDomestic, "Monthly rent - flat, 2b"));
}

TEST(PaymentLineLayout, BulkListPaymentLine)
{
    ComPtr<FakePayment> payment = StandardPayment();
    EXPECT_EQ(ExpectedLine(85, {{4, "07"}, {8, "INV 778"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"},
                                {31, "12345678"}, {33, "SMITH & CO"}}),
              PaymentLineOf(payment.Get(), BulkList));
}

TEST(PaymentLineLayout, RollNumberTakesTheReferenceField)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payeeRollNumber = L"rn 12/345";
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {13, "20000087654321"}, {17, "125.50"}, {19, "07012013"}, {25, "401122"},
                                {31, "12345678"}, {33, "SMITH & CO"}, {37, "RN 12/345"}}),
              PaymentLineOf(payment.Get(), StandardDomestic));
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {6, "RENT"}, {13, "20000087654321"}, {16, "GBP"}, {17, "125.50"},
                                {19, "07012013"}, {37, "RN 12/345"}}),
              PaymentLineOf(payment.Get(), TemplateDomestic, "Rent"));
    EXPECT_EQ(ExpectedLine(85, {{4, "07"}, {8, "INV 778"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"},
                                {31, "12345678"}, {33, "SMITH & CO"}, {37, "RN 12/345"}}),
              PaymentLineOf(payment.Get(), BulkList));
    EXPECT_EQ(ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"}, {31, "12345678"},
                                {33, "SMITH & CO"}, {37, "RN 12/345"}}),
              AdHocLineOf(payment.Get()));

    payment->statusCode = IatMark;
    payment->payeeRollNumber = L"ROLL 1234567890123456";
    EXPECT_EQ(ExpectedLine(85, {{4, "03"}, {13, "20000087654321"}, {16, "GBP"}, {17, "125.50"}, {19, "07012013"},
                                {25, "401122"}, {31, "12345678"}, {40, "ROLL 12345678901"}}),
              PaymentLineOf(payment.Get(), StandardDomestic));
}

TEST(PaymentLineLayout, ARollNumberGivenIsTheReferenceEvenWhenNoneOfItCanBeWritten)
{
    // The payee's own reference never stands in for a building society's
    // roll number.
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payeeRollNumber = L"\x0100RN 1";
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {13, "20000087654321"}, {17, "125.50"}, {19, "07012013"}, {25, "401122"},
                                {31, "12345678"}, {33, "SMITH & CO"}}),
              PaymentLineOf(payment.Get(), StandardDomestic));
    EXPECT_EQ(ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"}, {31, "12345678"},
                                {33, "SMITH & CO"}}),
              AdHocLineOf(payment.Get()));
}

TEST(PaymentLineLayout, BulkListFileHasAShorterHeaderAndPayerlessLines)
{
    ComPtr<FakePayment> first = StandardPayment();
    ComPtr<FakePayment> second = StandardPayment();
    second->amount = 7;
    second->payeeSortCode = L"30 99 01";
    second->payeeAccountNumber = L"00012345";
    second->payeeAccountName = L"J. O'Neill";
    second->payeeReference = L"Ref, \"Q2\"";
    const std::string file = WrittenFile([&](FILE* out) {
        EXPECT_TRUE(WriteBulkListHeader(out, CHostPayment(first.Get(), 1), ProcessingDate(), "Suppliers", "June run"));
        EXPECT_TRUE(WritePaymentLine(out, ProcessingDate(), BulkList, "Suppliers", CHostPayment(first.Get(), 1)));
        EXPECT_TRUE(WritePaymentLine(out, ProcessingDate(), BulkList, "Suppliers", CHostPayment(second.Get(), 2)));
    });
    EXPECT_EQ(ExpectedLine(80, {{4, "06"}, {6, "SUPPLIERS"}, {13, "20000087654321"}, {19, "07012013"},
                                {37, "JUNE RUN"}, {74, "C"}}) +
                  ExpectedLine(85, {{4, "07"}, {8, "INV 778"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"},
                                    {31, "12345678"}, {33, "SMITH & CO"}}) +
                  ExpectedLine(85, {{4, "07"}, {8, "REF Q2"}, {16, "GBP"}, {17, "7.00"}, {25, "309901"},
                                    {31, "00012345"}, {33, "J. ONEILL"}}),
              file);
    EXPECT_EQ((std::vector<long>{StatusProcessed, StatusProcessed}), first->statusCodesSet);
}

TEST(PaymentLineLayout, AdHocBulkFileNamesItselfAndFallsBackToThePayerDigits)
{
    ComPtr<FakePayment> first = StandardPayment();
    ComPtr<FakePayment> unreferenced = StandardPayment();
    unreferenced->payeeReference.clear();
    unreferenced->emptyAsNull = true;
    const std::string file = WrittenFile([&](FILE* out) {
        EXPECT_TRUE(WriteAdHocBulkHeader(out, ProcessingDate(), "June", "C:\\Pay\\june payments.csv", CHostPayment(first.Get(), 1)));
        EXPECT_TRUE(WriteAdHocBulkLine(out, CHostPayment(first.Get(), 1)));
        EXPECT_TRUE(WriteAdHocBulkLine(out, CHostPayment(unreferenced.Get(), 2)));
    });
    EXPECT_EQ(ExpectedLine(85, {{4, "08"}, {9, "JUNE PAYMENTS.CS"}, {13, "20000087654321"}, {19, "07012013"},
                                {37, "JUNE"}}) +
                  ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"}, {31, "12345678"},
                                    {33, "SMITH & CO"}, {37, "INV 778"}}) +
                  ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"}, {31, "12345678"},
                                    {33, "SMITH & CO"}, {37, "20000087654321"}}),
              file);
}

TEST(PaymentLineLayout, LongPayeeNamesAreCutToTheirField)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payeeAccountName = L"The Very Long Payee Name Company Limited";
    ASSERT_EQ(40u, payment->payeeAccountName.size());
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {13, "20000087654321"}, {17, "125.50"}, {19, "07012013"}, {25, "401122"},
                                {31, "12345678"}, {33, "THE VERY LONG PAYE"}, {37, "INV 778"}}),
              PaymentLineOf(payment.Get(), StandardDomestic));
    EXPECT_EQ(ExpectedLine(85, {{4, "07"}, {8, "INV 778"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"},
                                {31, "12345678"}, {33, "THE VERY LONG PAYE"}}),
              PaymentLineOf(payment.Get(), BulkList));
    EXPECT_EQ(ExpectedLine(85, {{4, "09"}, {16, "GBP"}, {17, "125.50"}, {25, "401122"}, {31, "12345678"},
                                {33, "THE VERY LONG PAYEE NAME COMPANY LI"}, {37, "INV 778"}}),
              AdHocLineOf(payment.Get()));
}

TEST(PaymentLineLayout, ReferencesAreCleanedAndCut)
{
    ComPtr<FakePayment> payment = StandardPayment();
    payment->payeeReference = L"Invoice 2013/0042, part \"B\" of 12";
    EXPECT_EQ(ExpectedLine(85, {{4, "01"}, {13, "20000087654321"}, {17, "125.50"}, {19, "07012013"}, {25, "401122"},
                                {31, "12345678"}, {33, "SMITH & CO"}, {37, "INVOICE 2013/0042 "}}),
              PaymentLineOf(payment.Get(), StandardDomestic));
    EXPECT_EQ(ExpectedLine(85, {{4, "07"}, {8, "INVOICE 2013/0042 PART B "}, {16, "GBP"}, {17, "125.50"},
                                {25, "401122"}, {31, "12345678"}, {33, "SMITH & CO"}}),
              PaymentLineOf(payment.Get(), BulkList));
}
