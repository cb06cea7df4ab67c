// Whole files read and written through the system's own calls.
#pragma once

#include <stddef.h>

#include <string>

// False when the file cannot be read.
bool ReadFileBytes(const std::string& path, std::string& bytes);

// Makes the file hold exactly these bytes, and closes it, so that the code
// under test opens it as it would any file. Allocates nothing: the crash
// guard writes with it from its handlers.
bool WriteFileBytes(const char* path, const void* data, size_t length);
