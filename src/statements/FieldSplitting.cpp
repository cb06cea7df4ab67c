#include "statements/FieldSplitting.h"

#include <string.h>

namespace
{
// The reader parses one file at a time on the host's thread.
char g_fieldBuffer[MaxFieldLength + 1];

const char* KeepField(const char* start, size_t length)
{
    if (length > static_cast<size_t>(MaxFieldLength))
        length = MaxFieldLength;
    memcpy(g_fieldBuffer, start, length);
    g_fieldBuffer[length] = '\0';
    return g_fieldBuffer;
}

// The last field: what follows the last separator, or the last quoted text.
const char* LastField(const char* line, char separator)
{
    const char* lastSeparator = strrchr(line, separator);
    if (!lastSeparator)
        return nullptr;
    const char* rest = lastSeparator + 1;
    if (!strchr(rest, '"'))
        return KeepField(rest, strlen(rest));

    const char* closing = strrchr(line, '"');
    // The opening quote is looked for back to the line's second character.
    for (const char* p = closing - 1; p > line; --p)
    {
        if (*p == '"')
            return KeepField(p, closing - p + 1);
    }
    return KeepField(closing, 0);
}
}

int CountFields(const char* line, char separator, bool& insideQuotes)
{
    if (!line)
        return 0;
    int count = 1;
    for (const char* p = line; *p; ++p)
    {
        if (*p == '"')
            insideQuotes = !insideQuotes;
        else if (*p == separator && !insideQuotes)
            ++count;
    }
    if (insideQuotes)
        --count;
    return count;
}

const char* GetField(const char* line, char separator, int n)
{
    if (!line || n < 1)
        return nullptr;
    bool insideQuotes = false;
    int separators = 0;
    const char* start = line;
    for (const char* p = line; *p; ++p)
    {
        if (*p == '"')
        {
            insideQuotes = !insideQuotes;
        }
        else if (*p == separator && !insideQuotes)
        {
            if (++separators == n)
                return KeepField(start, p - start);
            start = p + 1;
        }
    }
    if (separators != n - 1)
        return nullptr;
    return LastField(line, separator);
}
