// Fuzz driver of the payment file: every input decodes to the dialog's
// choices and a batch of host payments (PaymentRunInput.h), whose lines are
// written by the line writers into a file opened as the payment run opens
// it, and checked (PaymentFileRules.h). The normalisers that every value
// passes are held to their own promises on each text of the input:
//   ansi-text-too-long     ToAnsiText gave more than 255 characters
//   digits-not-digits      DigitsOf gave something else than digits
//   clean-text-unclean     CleanText kept a character it drops
//   grid-unsafe            GridSafe kept a comma, quote or control character
//   amount-text-form       FormatAmount gave more than 255 characters or a comma
//   processing-date-form   FormatProcessingDate gave other than eight digits
#include <windows.h>
#include <io.h>

#include <algorithm>
#include <cstring>

#include <comdef.h>

#include "engine/FuzzTarget.h"
#include "engine/Printable.h"
#include "payments/PaymentValues.h"
#include "payments/PaymentRun.h"
#include "payments/PaymentFileRules.h"
#include "payments/PaymentLines.h"
#include "payments/PaymentRunInput.h"
#include "text/TextNormalisers.h"

namespace
{
bool KeptByCleanText(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == ' ' || ch == '&' || ch == '-' || ch == '.' ||
           ch == '/';
}

void CheckNarrowText(const CString& text)
{
    const CString clean = CleanText(text);
    const std::string cleaned(clean.GetString(), clean.GetLength());
    Require(std::all_of(cleaned.begin(), cleaned.end(), KeptByCleanText), "clean-text-unclean",
            [&] { return "\"" + Printable(cleaned) + "\""; });
    const CFieldText safe = GridSafe(CFieldText(text.GetString()));
    const std::string kept(safe.GetString(), safe.GetLength());
    Require(std::none_of(kept.begin(), kept.end(),
                         [](char ch) {
                             const unsigned char code = static_cast<unsigned char>(ch);
                             return ch == ',' || ch == '"' || code < 0x20 || code == 0x7F;
                         }),
            "grid-unsafe", [&] { return "\"" + Printable(kept) + "\""; });
}

void CheckWideText(const std::wstring& text)
{
    BStr host(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
    const CFieldText ansi = ToAnsiText(host.Get());
    Require(ansi.GetLength() <= 255, "ansi-text-too-long", [&] { return std::to_string(ansi.GetLength()); });
    const CFieldText digits = DigitsOf(host.Get());
    Require(digits.GetLength() <= 255 && IsAllDigits(digits.GetString()), "digits-not-digits",
            [&] { return Printable(digits.GetString()); });
    CheckNarrowText(CString(ansi.GetString()));
}

void CheckNormalisers(const PaymentRunInput& input)
{
    CheckNarrowText(input.templateName);
    CheckNarrowText(input.beneficiaryReference);
    const CFieldText date = FormatProcessingDate(input.processingDate);
    Require(date.GetLength() == 8 && IsAllDigits(date.GetString()), "processing-date-form",
            [&] { return Printable(date.GetString()); });
    for (const ComPtr<FakePayment>& payment : input.payments)
    {
        const CFieldText amount = FormatAmount(payment->amount);
        Require(amount.GetLength() <= 255 && strchr(amount.GetString(), ',') == nullptr, "amount-text-form",
                [&] { return Printable(amount.GetString()); });
        for (const std::wstring* text :
             {&payment->payerSortCode, &payment->payerAccountNumber, &payment->payeeReference, &payment->payeeSortCode,
              &payment->payeeAccountNumber, &payment->payeeAccountName, &payment->payeeRollNumber, &payment->details})
            CheckWideText(*text);
    }
}

class PaymentTarget : public FuzzTarget
{
public:
    ~PaymentTarget() override
    {
        if (m_reader != INVALID_HANDLE_VALUE)
            CloseHandle(m_reader);
    }

    const char* Name() const override { return "payments"; }
    const char* Extension() const override { return ".txt"; }

    void Prepare(const std::string& workFolder) override
    {
        const std::string path = workFolder + "\\current-payment-file.csv";
        if (m_file.Open(path.c_str()) != PaymentFileOpening::Opened)
            throw std::runtime_error("cannot make " + path);
        m_reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (m_reader == INVALID_HANDLE_VALUE)
            throw std::runtime_error("cannot read " + path);
    }

    uint32_t Run(const std::string& bytes) override
    {
        const PaymentRunInput input = DecodePaymentRunInput(bytes);
        CheckNormalisers(input);

        // The file is opened once, as the run opens it, and emptied for
        // every input: opening it anew would cost more than the writing.
        FILE* file = m_file.Get();
        rewind(file);
        _chsize(_fileno(file), 0);
        std::vector<WrittenLine> lines;
        // A payment whose reading fails ends the writing, as it ends the run;
        // a writer reads every value before it writes, so no part of that
        // line is in the file.
        const FakePayment* current = nullptr;
        try
        {
            if ((input.format == BulkList || input.format == AdHocBulk) && !input.payments.empty())
            {
                current = input.payments.front().Get();
                lines.push_back(WriteHeader(file, input));
            }
            int number = 0;
            for (const ComPtr<FakePayment>& payment : input.payments)
            {
                current = payment.Get();
                lines.push_back(WriteLine(file, input, payment.Get(), ++number));
            }
        }
        catch (const _com_error&)
        {
            if (!current->gettersFail)
                throw;
        }
        fflush(file);
        CheckPaymentFile(WrittenBytes(), lines);

        uint32_t passed = 0;
        uint32_t codes = 0;
        for (const WrittenLine& line : lines)
        {
            passed += line.passed;
            for (long code : line.codes)
                codes |= 1u << (code % 16);
        }
        return static_cast<uint32_t>(input.format) | std::min<uint32_t>(lines.size(), 7) << 2 |
               std::min<uint32_t>(passed, 7) << 5 | codes << 8;
    }

private:
    static WrittenLine WriteHeader(FILE* file, const PaymentRunInput& input)
    {
        WrittenLine line;
        line.isHeader = true;
        line.payment = input.payments.front().Get();
        line.paymentNumber = 1;
        line.payment->statusCodesSet.clear();
        if (input.format == BulkList)
        {
            line.recordType = "06";
            line.fieldCount = CPaymentLine::BulkListHeaderFieldCount;
            line.passed = WriteBulkListHeader(file, CHostPayment(line.payment, 1), input.processingDate, input.templateName,
                                              input.beneficiaryReference);
        }
        else
        {
            line.recordType = "08";
            line.fieldCount = CPaymentLine::StandardFieldCount;
            line.passed = WriteAdHocBulkHeader(file, input.processingDate, input.beneficiaryReference,
                                               input.chosenPath.c_str(), CHostPayment(line.payment, 1));
        }
        line.codes = line.payment->statusCodesSet;
        return line;
    }

    static WrittenLine WriteLine(FILE* file, const PaymentRunInput& input, FakePayment* payment, int number)
    {
        WrittenLine line;
        line.payment = payment;
        line.paymentNumber = number;
        line.fieldCount = CPaymentLine::StandardFieldCount;
        // The dialog marks IATs in the status code before the run.
        const bool isIat = payment->statusCode != 0;
        payment->statusCodesSet.clear();
        switch (input.format)
        {
        case StandardDomestic:
        case TemplateDomestic: line.recordType = isIat ? "03" : "01"; break;
        case BulkList: line.recordType = "07"; break;
        case AdHocBulk: line.recordType = "09"; break;
        }
        line.passed = input.format == AdHocBulk
                          ? WriteAdHocBulkLine(file, CHostPayment(payment, number))
                          : WritePaymentLine(file, input.processingDate, input.format, input.templateName,
                                             CHostPayment(payment, number));
        line.codes = payment->statusCodesSet;
        return line;
    }

    std::string WrittenBytes()
    {
        std::string bytes;
        SetFilePointer(m_reader, 0, nullptr, FILE_BEGIN);
        char buffer[65536];
        DWORD got = 0;
        while (ReadFile(m_reader, buffer, sizeof buffer, &got, nullptr) && got > 0)
            bytes.append(buffer, got);
        return bytes;
    }

    CPaymentFile m_file;
    HANDLE m_reader = INVALID_HANDLE_VALUE;
};
}

int main(int argc, char** argv)
{
    PaymentTarget target;
    return FuzzMain(argc, argv, target);
}
