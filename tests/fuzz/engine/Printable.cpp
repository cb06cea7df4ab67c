#include "engine/Printable.h"

#include <stdio.h>

std::string Printable(const std::string& bytes, size_t limit)
{
    std::string shown;
    for (size_t i = 0; i < bytes.size() && i < limit; ++i)
    {
        const unsigned char ch = static_cast<unsigned char>(bytes[i]);
        char escaped[8];
        snprintf(escaped, sizeof escaped, ch >= 0x20 && ch < 0x7F && ch != '\\' ? "%c" : "\\x%02X", ch);
        shown += escaped;
    }
    if (bytes.size() > limit)
        shown += "... (" + std::to_string(bytes.size()) + " bytes)";
    return shown;
}
