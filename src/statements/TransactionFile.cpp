#include "statements/TransactionFile.h"

#include "statements/ColumnIndex.h"
#include "statements/FieldSplitting.h"
#include "statements/ParseRecord.h"
#include "statements/StatementLine.h"

#include <windows.h>

namespace
{
const int ShortHeaderFields = 14;
const int FullHeaderFields = 18;
}

CTransactionFile::CTransactionFile(const char* path, std::ios::openmode mode)
{
    if (!Open(path, mode))
    {
        OutputDebugStringA("CTransactionFile() failed to open: ");
        OutputDebugStringA(path ? path : "");
    }
}

CTransactionFile::~CTransactionFile()
{
    Close();
}

bool CTransactionFile::Open(const char* path, std::ios::openmode mode)
{
    try
    {
        // No path is a file that cannot be opened.
        if (path)
            m_stream.open(path, mode);
        ReadHeader();
    }
    catch (...)
    {
        OutputDebugStringA("Failed to Open the file: ");
        OutputDebugStringA(path ? path : "");
        return false;
    }
    return true;
}

bool CTransactionFile::ReadHeader()
{
    if (!m_stream.is_open())
        return false;
    char line[StatementLineBufferSize];
    if (!ReadStatementLine(m_stream, line))
    {
        m_headerText = "";
        m_headerFieldCount = 0;
        return false;
    }
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
    CArray<int>& table = ColumnIndex();
    table.RemoveAll();
    for (int position = 1; position <= m_headerFieldCount; ++position)
        table.Add(position);
    return true;
}

bool CTransactionFile::ReadRecord(CTransactionRecord& record)
{
    try
    {
        if (!m_stream.is_open())
        {
            OutputDebugStringA("File Stream is NOT open");
            throw CTransactionRecord::ErrorFileNotOpen;
        }
        ParseRecord(m_stream, record);
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
    if (m_stream.is_open())
        m_stream.close();
}
