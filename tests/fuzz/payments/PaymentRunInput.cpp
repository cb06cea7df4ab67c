#include "payments/PaymentRunInput.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace
{
std::vector<std::string> Split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t end = text.find(separator); end != std::string::npos; end = text.find(separator, start))
    {
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    parts.push_back(text.substr(start));
    return parts;
}

int HexDigit(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// The value of `digits` hex digits at `at`, or -1.
long HexAt(const std::string& text, size_t at, int digits)
{
    if (at + digits > text.size())
        return -1;
    long value = 0;
    for (int i = 0; i < digits; ++i)
    {
        const int digit = HexDigit(text[at + i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

// A UTF-8 sequence at `at`: its length and code point, or 0 when the bytes
// are none (surrogates pass, as a lenient reader lets them).
size_t Utf8At(const std::string& text, size_t at, unsigned long& point)
{
    const unsigned char lead = text[at];
    size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || at + length > text.size())
        return 0;
    point = lead & (0xFF >> (length + 1));
    for (size_t i = 1; i < length; ++i)
    {
        const unsigned char next = text[at + i];
        if ((next & 0xC0) != 0x80)
            return 0;
        point = point << 6 | (next & 0x3F);
    }
    if ((length == 3 && point < 0x800) || (length == 4 && (point < 0x10000 || point > 0x10FFFF)))
        return 0;
    return length;
}

void AppendPoint(std::wstring& text, unsigned long point)
{
    if (point < 0x10000)
    {
        text += static_cast<wchar_t>(point);
        return;
    }
    point -= 0x10000;
    text += static_cast<wchar_t>(0xD800 + (point >> 10));
    text += static_cast<wchar_t>(0xDC00 + (point & 0x3FF));
}

// An escape at `at` (a backslash): its length and the UTF-16 unit, or 0.
size_t EscapeAt(const std::string& text, size_t at, unsigned long& unit)
{
    if (at + 1 >= text.size())
        return 0;
    switch (text[at + 1])
    {
    case 'n': unit = '\n'; return 2;
    case 'r': unit = '\r'; return 2;
    case 't': unit = '\t'; return 2;
    case '0': unit = 0; return 2;
    case '\\': unit = '\\'; return 2;
    case 'x': {
        const long value = HexAt(text, at + 2, 2);
        if (value < 0)
            return 0;
        unit = static_cast<unsigned long>(value);
        return 4;
    }
    case 'u': {
        const long value = HexAt(text, at + 2, 4);
        if (value < 0)
            return 0;
        unit = static_cast<unsigned long>(value);
        return 6;
    }
    default: return 0;
    }
}

std::wstring WideText(const std::string& text)
{
    std::wstring wide;
    for (size_t at = 0; at < text.size();)
    {
        unsigned long point = 0;
        size_t length = text[at] == '\\' ? EscapeAt(text, at, point) : 0;
        if (length)
            wide += static_cast<wchar_t>(point);
        else if ((length = Utf8At(text, at, point)) != 0)
            AppendPoint(wide, point);
        else
        {
            wide += static_cast<wchar_t>(static_cast<unsigned char>(text[at]));
            length = 1;
        }
        at += length;
    }
    return wide;
}

// The dialog's texts are narrow already: escapes give bytes, a \u the
// question mark a conversion gives.
std::string NarrowText(const std::string& text)
{
    std::string narrow;
    for (size_t at = 0; at < text.size();)
    {
        unsigned long unit = 0;
        const size_t length = text[at] == '\\' ? EscapeAt(text, at, unit) : 0;
        if (length)
        {
            narrow += unit > 0xFF ? '?' : static_cast<char>(unit);
            at += length;
        }
        else
            narrow += text[at++];
    }
    return narrow;
}

double Number(const std::string& text)
{
    std::string lower;
    for (char ch : text)
        lower += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch - 'A' + 'a' : ch);
    const size_t start = lower.find_first_not_of(" \t");
    if (start != std::string::npos)
    {
        const bool negative = lower[start] == '-';
        const std::string word = lower.substr(start + (negative || lower[start] == '+'));
        if (word.compare(0, 3, "nan") == 0)
            return NAN;
        if (word.compare(0, 3, "inf") == 0)
            return negative ? -INFINITY : INFINITY;
    }
    return strtod(text.c_str(), nullptr);
}

std::string Part(const std::vector<std::string>& parts, size_t index)
{
    return index < parts.size() ? parts[index] : std::string();
}

ComPtr<FakePayment> DecodePayment(const std::string& line)
{
    const std::vector<std::string> parts = Split(line, '|');
    ComPtr<FakePayment> payment = MakeHostObject<FakePayment>();
    payment->amount = Number(Part(parts, 0));
    payment->payerSortCode = WideText(Part(parts, 1));
    payment->payerAccountNumber = WideText(Part(parts, 2));
    payment->payeeReference = WideText(Part(parts, 3));
    payment->payeeSortCode = WideText(Part(parts, 4));
    payment->payeeAccountNumber = WideText(Part(parts, 5));
    payment->payeeAccountName = WideText(Part(parts, 6));
    payment->payeeRollNumber = WideText(Part(parts, 7));
    payment->details = WideText(Part(parts, 8));
    payment->statusCode = strtol(Part(parts, 9).c_str(), nullptr, 10);
    const std::string flags = Part(parts, 10);
    payment->emptyAsNull = flags.find('N') != std::string::npos;
    payment->gettersFail = flags.find('F') != std::string::npos;
    return payment;
}
}

PaymentRunInput DecodePaymentRunInput(const std::string& bytes)
{
    const std::vector<std::string> lines = Split(bytes, '\n');
    const std::vector<std::string> choices = Split(lines[0], '|');
    PaymentRunInput input;
    const std::string format = Part(choices, 0);
    input.format = static_cast<PaymentFormat>(format.empty() ? 0 : static_cast<unsigned char>(format[0]) % 4);
    input.processingDate = Number(Part(choices, 1));
    input.templateName = NarrowText(Part(choices, 2)).c_str();
    input.beneficiaryReference = NarrowText(Part(choices, 3)).c_str();
    input.chosenPath = NarrowText(Part(choices, 4));
    for (size_t line = 1; line < lines.size() && input.payments.size() < MostPaymentsPerInput; ++line)
        input.payments.push_back(DecodePayment(lines[line]));
    return input;
}
