// Files named on the command line: paths are UTF-8 texts as Windows takes
// them (the wrapper script turns Linux paths into these).
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "com/ComHolders.h"

// A C runtime stream, closed when its owner goes.
struct StdioFileTraits
{
    using Handle = FILE*;
    static Handle Empty() { return nullptr; }
    static void Close(Handle file) { fclose(file); }
};
using StdioFile = UniqueHandle<StdioFileTraits>;

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

// Why the system refuses a file at the path, in its own words, found
// without creating or changing anything: the file, or the folder that would
// hold it, cannot be opened. Empty when nothing stops it.
std::string WhyNotWritable(const std::string& path);

// A file the run reads or writes, named for messages ("the report").
struct NamedPath
{
    std::string path; // empty: none given
    const char* what;
};

// Throws BadInput when one file given is another's (the same file by its
// volume and index, or by full path when it does not exist yet): an output
// created at the start would destroy the input the run reads, or two
// outputs would overwrite each other. The first is the input.
void CheckFilesApart(const std::vector<NamedPath>& files);

// A file that a run writes at its end (the report, the log). It is created
// (or emptied) at once, so a path that cannot be written is bad input
// before anything runs: BadInput "PATH: the WHAT cannot be created". With
// no path nothing is written.
class OutputFile
{
public:
    OutputFile(const std::string& path, const char* what);

    bool Wanted() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }

    // Writes the text and leaves the file open; false when writing failed
    // (or the file is closed). True when no file is wanted.
    bool Append(const std::string& text);
    // Writes the text and closes the file, once; false when writing or
    // closing failed. True when no file is wanted.
    bool Write(const std::string& text);

private:
    std::string m_path;
    StdioFile m_file;
};

// The full path (current folder and relative parts resolved).
std::string FullPath(const std::string& path);

// Where the path lies on the Linux side, when the program runs under Wine;
// empty otherwise.
std::string UnixPathOf(const std::string& path);
