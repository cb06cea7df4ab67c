// Files named on the command line: paths are UTF-8 texts as Windows takes
// them (the wrapper script turns Linux paths into these).
#pragma once

#include <cstdio>
#include <string>

enum class PathKind
{
    Missing,
    File,
    Folder,
};

PathKind KindOfPath(const std::string& path);

// Every byte of the file. Throws BadInput when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// At most `limit` bytes from the start of the file; false when it cannot
// be opened or read.
bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes);

// The file's size in bytes; false when there is no such file.
bool SizeOfFile(const std::string& path, unsigned long long& size);

// Opens (creates or empties) a file for writing; null when that fails.
FILE* CreateOutputFile(const std::string& path);

// The full path (current folder and relative parts resolved).
std::string FullPath(const std::string& path);

// Where the path lies on the Linux side, when the program runs under Wine;
// empty otherwise.
std::string UnixPathOf(const std::string& path);
