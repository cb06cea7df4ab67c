#include "statements/StatementLine.h"

#include <string.h>

#include <new>

namespace
{
// Large enough that a statement takes few reads.
const DWORD BlockSize = 64 * 1024;
}

DWORD CStatementLineReader::Open(const wchar_t* path)
{
    Close();
    if (!path)
        return ERROR_INVALID_PARAMETER;
    if (!m_block)
    {
        m_block.reset(new (std::nothrow) char[BlockSize]);
        if (!m_block)
            return ERROR_NOT_ENOUGH_MEMORY;
    }
    m_file = FileHandle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    return m_file ? 0 : GetLastError();
}

void CStatementLineReader::Close()
{
    m_file.Reset();
    m_stopped = false;
    m_readError = 0;
    m_position = 0;
    m_filled = 0;
}

bool CStatementLineReader::Fill()
{
    if (m_position < m_filled)
        return true;
    if (m_stopped || !m_file)
        return false;
    DWORD read = 0;
    if (!ReadFile(m_file.Get(), m_block.get(), BlockSize, &read, nullptr))
    {
        m_readError = GetLastError();
        m_stopped = true;
        return false;
    }
    m_position = 0;
    m_filled = read;
    return read > 0;
}

LineRead CStatementLineReader::ReadLine(char (&line)[StatementLineBufferSize])
{
    memset(line, 0, sizeof line);
    if (m_stopped || !Fill())
        return LineRead::End;

    // One byte beyond the limit has room: the carriage return of a line end.
    int length = 0;
    bool ended = false;
    while (!ended && Fill())
    {
        const char* start = m_block.get() + m_position;
        const DWORD available = m_filled - m_position;
        const char* feed = static_cast<const char*>(memchr(start, '\n', available));
        const DWORD taken = feed ? static_cast<DWORD>(feed - start) : available;
        if (length + taken > static_cast<DWORD>(StatementLineLength + 1))
        {
            m_stopped = true;
            memset(line, 0, sizeof line);
            return LineRead::TooLong;
        }
        memcpy(line + length, start, taken);
        length += taken;
        m_position += taken + (feed ? 1 : 0);
        ended = feed != nullptr;
    }
    if (length > 0 && line[length - 1] == '\r')
        line[--length] = '\0';
    if (length > StatementLineLength || m_readError)
    {
        m_stopped = true;
        memset(line, 0, sizeof line);
        return length > StatementLineLength ? LineRead::TooLong : LineRead::End;
    }
    return LineRead::Line;
}
