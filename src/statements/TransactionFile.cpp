#include "statements/TransactionFile.h"

#include "statements/FieldSplitting.h"
#include "statements/ParseRecord.h"

#include <windows.h>

#include <string>

namespace
{
const int ShortHeaderFields = 14;
const int FullHeaderFields = 18;

// The wide form of an ANSI path; empty when it cannot be converted.
std::wstring WidePath(const char* path)
{
    if (!path)
        return std::wstring();
    const int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0)
        return std::wstring();
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    wide.resize(length - 1);
    return wide;
}

// The reader's debug texts are ANSI, its paths too.
void WritePathToDebugger(const wchar_t* path)
{
    char narrow[MAX_PATH * 2] = {};
    if (path)
        WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, sizeof narrow - 1, nullptr, nullptr);
    OutputDebugStringA(narrow);
}
}

CTransactionFile::CTransactionFile(const wchar_t* path)
{
    if (!Open(path))
    {
        OutputDebugStringA("CTransactionFile() failed to open: ");
        WritePathToDebugger(path);
    }
}

CTransactionFile::CTransactionFile(const char* path)
    : CTransactionFile(path ? WidePath(path).c_str() : nullptr)
{
}

CTransactionFile::~CTransactionFile()
{
    Close();
}

bool CTransactionFile::Open(const wchar_t* path)
{
    try
    {
        m_openError = m_lines.Open(path);
        ReadHeader();
    }
    catch (...)
    {
        OutputDebugStringA("Failed to Open the file: ");
        WritePathToDebugger(path);
        return false;
    }
    return true;
}

bool CTransactionFile::ReadHeader()
{
    m_headerText = "";
    m_headerFieldCount = 0;
    if (!m_lines.IsOpen())
        return false;
    char line[StatementLineBufferSize];
    if (m_lines.ReadLine(line) == LineRead::TooLong)
        return false;
    m_headerText = line;
    bool insideQuotes = false;
    m_headerFieldCount = CountFields(line, ',', insideQuotes);
    return true;
}

bool CTransactionFile::HasStatementHeader() const
{
    return m_headerFieldCount == FullHeaderFields || m_headerFieldCount == ShortHeaderFields;
}

bool CTransactionFile::BuildColumnIndex()
{
    if (!HasStatementHeader())
        return false;
    m_columnIndex.RemoveAll();
    for (int position = 1; position <= m_headerFieldCount; ++position)
        m_columnIndex.Add(position);
    return true;
}

bool CTransactionFile::ReadRecord(CTransactionRecord& record)
{
    try
    {
        if (!m_lines.IsOpen())
        {
            OutputDebugStringA("File Stream is NOT open");
            throw CTransactionRecord::ErrorFileNotOpen;
        }
        ParseRecord(m_lines, m_columnIndex, record);
    }
    catch (...)
    {
        OutputDebugStringA("Failed to read the Balance record\n");
        return false;
    }
    return true;
}

void CTransactionFile::Close()
{
    m_lines.Close();
}
