// Inputs and the texts made from them, shown in reports: printable ASCII as
// it stands, every other byte as \xHH.
#pragma once

#include <stddef.h>

#include <string>

// At most `limit` bytes are shown; a longer text ends with "... (N bytes)".
std::string Printable(const std::string& bytes, size_t limit = 80);
