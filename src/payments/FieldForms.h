// How values take their place in a payment file field: aligned and padded
// to a width, amounts with two decimals, and texts kept off the field grid's
// separators.
#pragma once

#include "text/CString.h"

// The text right-aligned in width characters, padded on the left with fill;
// a longer text is left whole.
CString RightAligned(const CString& text, int width, char fill);

// The text left-aligned in width characters, padded on the right with fill;
// a longer text is left whole.
CString LeftAligned(const CString& text, int width, char fill);

// The amount as the payment file carries it: "%.2f" with "." as decimal
// separator whatever the locale, a leading "-" when negative. A text longer
// than 255 characters is cut there.
CString FormatAmount(double amount);

// The text without commas, double quotes and control characters, which would
// break a line apart or move its fields. For values written uncleaned.
CString GridSafe(const CString& text);
