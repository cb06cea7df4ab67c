// Reading the date column of a statement line.
#pragma once

#include "text/CString.h"

// The OLE Automation date of a text, at time 0. The text is read day first
// (30/11/2012) and, when that gives nothing or a value below 0.000005, year
// first (2012-11-30). A form is read only when its text has at least three
// parts, each beginning with a digit (the first may have one double quote
// before it), that name a real calendar date; the platform's rolling over
// of missing or impossible parts is never accepted. A text that neither form
// reads gives 0.0.
double ParseDate(const CString& text);
