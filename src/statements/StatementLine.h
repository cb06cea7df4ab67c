// Reading a statement file line by line. The bytes are taken as they stand
// (no code page conversion, no end-of-file character); a line ends at a line
// feed, and a carriage return right before it (or at the end of the file)
// belongs to the line end, not to the line's text.
#pragma once

#include <windows.h>

#include <memory>

#include "com/ComHolders.h"

// A line's text holds at most 2047 characters; its buffer has room to spare.
const int StatementLineLength = 2047;
const int StatementLineBufferSize = 2049;

enum class LineRead
{
    Line,    // the buffer holds the next line's text
    End,     // no line is left, or reading has stopped (see below)
    TooLong, // the line's text is longer than StatementLineLength
};

class CStatementLineReader
{
public:
    CStatementLineReader() = default;
    CStatementLineReader(const CStatementLineReader&) = delete;
    CStatementLineReader& operator=(const CStatementLineReader&) = delete;

    // Opens the file for reading, sharing it with readers and writers. Gives
    // 0, or the system's error code of the open (or of the reading buffer).
    DWORD Open(const wchar_t* path);
    bool IsOpen() const { return static_cast<bool>(m_file); }
    void Close();

    // Reads the next line into the cleared buffer. A line too long for it is
    // never handed over cut short: the buffer is left empty. After a line too
    // long or a failed read every later call gives End.
    LineRead ReadLine(char (&line)[StatementLineBufferSize]);

    // The system's error code of a read that failed, 0 while none has.
    DWORD ReadError() const { return m_readError; }

private:
    // Makes the next byte available; false at the end of the file or when
    // reading failed.
    bool Fill();

    FileHandle m_file;
    bool m_stopped = false;
    DWORD m_readError = 0;
    DWORD m_position = 0;
    DWORD m_filled = 0;
    std::unique_ptr<char[]> m_block;
};
