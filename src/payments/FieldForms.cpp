#include "payments/FieldForms.h"

#include "text/TextNormalisers.h"

#include <stdio.h>
#include <string.h>

namespace
{
const int MaximumFieldLength = 255;

CString Padded(const CString& text, int width, char fill, bool padOnLeft)
{
    const int length = text.GetLength();
    if (length >= width)
        return text;
    char buffer[MaximumFieldLength + 1];
    const int padding = (width > MaximumFieldLength ? MaximumFieldLength : width) - length;
    char* target = buffer;
    if (padOnLeft)
        target += padding;
    memset(padOnLeft ? buffer : buffer + length, fill, padding);
    memcpy(target, text.GetString(), length);
    buffer[length + padding] = '\0';
    return CString(buffer);
}
}

CString RightAligned(const CString& text, int width, char fill)
{
    return Padded(text, width, fill, true);
}

CString LeftAligned(const CString& text, int width, char fill)
{
    return Padded(text, width, fill, false);
}

CString FormatAmount(double amount)
{
    char buffer[MaximumFieldLength + 1];
    const int written = snprintf(buffer, sizeof buffer, "%.2f", amount);
    // A locale with a decimal comma would put it before the two decimals.
    const int length = written < 0 ? 0 : (written > MaximumFieldLength ? MaximumFieldLength : written);
    buffer[length] = '\0';
    if (length == written && length >= 3 && buffer[length - 3] == ',')
        buffer[length - 3] = '.';
    return CString(buffer);
}

CString GridSafe(const CString& text)
{
    return FilteredText(text, [](char ch) {
        const unsigned char code = static_cast<unsigned char>(ch);
        return (ch == ',' || ch == '"' || code < 0x20 || code == 0x7F) ? '\0' : ch;
    });
}
