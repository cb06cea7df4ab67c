// The default full path of the payment file, from the directory and file name
// configured in the host.
#pragma once

#include <cstddef>

// Appends "\" to the text in `buffer` (of `size` characters) unless it already
// ends in one; an empty text gets the backslash. False, leaving the text as it
// was, when there is no room.
bool AppendBackslash(char* buffer, size_t size);

// Writes into `output` (of `outputSize` characters) the directory, one
// backslash and the file name. A directory that cannot be found (or that is
// too long to search) is reported to the user and replaced by "C:\"; the root
// of drive A: is taken as it is, disk or not. A result longer than the
// output buffer is cut.
void ResolveDefaultPaymentPath(const char* fileName, const char* directory, char* output,
                               size_t outputSize);
