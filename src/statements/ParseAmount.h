// Reading an amount column of a statement line.
#pragma once

#include "text/CString.h"

// The amount a text gives, without sign: enclosing quotes, white space,
// commas and minus signs are dropped ("-1,234.50" and "1 234.50" both give
// 1234.5). A text left empty gives 0.0.
double ParseAmount(const CString& text);
