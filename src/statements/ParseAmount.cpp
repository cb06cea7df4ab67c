#include "statements/ParseAmount.h"

#include "statements/TextCleaning.h"

#include <math.h>
#include <stdlib.h>
#include <string.h>

namespace
{
// The length of the plain decimal number at the start of the text: an
// optional plus sign, digits, at most one point, digits. An exponent is no
// part of it, so "1e-5" (which loses its minus sign) cannot become 100000.
size_t PlainNumberLength(const char* text)
{
    size_t length = 0;
    if (text[length] == '+')
        ++length;
    while (text[length] >= '0' && text[length] <= '9')
        ++length;
    if (text[length] == '.')
    {
        ++length;
        while (text[length] >= '0' && text[length] <= '9')
            ++length;
    }
    return length;
}
}

double ParseAmount(const CString& text)
{
    CString amount(text);
    StripQuotes(amount);
    RemoveWhitespace(amount);
    RemoveChars(amount, ",-");
    const size_t length = PlainNumberLength(amount.GetString());
    if (length == 0)
        return 0.0;
    // What follows the number is ignored, as atof ignores it.
    const CString number = amount.Left(static_cast<int>(length));
    const double value = atof(number.GetString());
    // Digits too many for a double are no amount.
    return isfinite(value) ? value : 0.0;
}
