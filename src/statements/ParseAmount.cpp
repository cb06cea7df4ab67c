#include "statements/ParseAmount.h"

#include "statements/TextCleaning.h"

#include <stdlib.h>

double ParseAmount(const CString& text)
{
    CString amount(text);
    StripQuotes(amount);
    RemoveWhitespace(amount);
    RemoveChars(amount, ",-");
    if (amount.GetLength() == 0)
        return 0.0;
    return atof(amount.GetString());
}
