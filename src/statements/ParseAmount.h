// Reading an amount column of a statement line.
#pragma once

#include "text/CString.h"

// The amount a text gives, without sign: enclosing quotes, white space,
// commas and minus signs are dropped ("-1,234.50" and "1 234.50" both give
// 1234.5). What is left is read as far as it is a plain decimal number (an
// optional "+", digits, at most one "."; no exponent): "5 GBP" gives 5 and
// "2E3" gives 2. A text with no such number, and one whose number is too
// long for a double, give 0.0.
double ParseAmount(const CString& text);
