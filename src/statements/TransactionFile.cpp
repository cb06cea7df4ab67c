#include "statements/TransactionFile.h"

#include <windows.h>
#include <initializer_list>
#include <new>
#include <string.h>
#include <string>

#include "statements/TransactionFields.h"

void CTransactionRecord::Reset()
{
    // Emptying keeps each text's buffer for the next line.
    for (CString* text : {&m_sortCode, &m_accountNumber, &m_accountAlias, &m_accountShortName,
                          &m_currency, &m_accountType, &m_bic, &m_bankName, &m_branchName,
                          &m_dateText, &m_narrative, &m_narrative1, &m_narrative2, &m_narrative3,
                          &m_narrative4, &m_narrative5, &m_type})
        *text = "";
    m_debit = 0.0;
    m_credit = 0.0;
    m_isDebit = 0;
    m_date = 0.0;
}

CString CTransactionRecord::GetNarrative()
{
    m_narrative = "";
    if (m_narrative1.GetLength() > 0)
        m_narrative = m_narrative1;
    for (const CString* next : {&m_narrative2, &m_narrative3, &m_narrative4, &m_narrative5})
    {
        if (next->GetLength() > 0)
        {
            m_narrative.Append(" ");
            m_narrative.Append(*next);
        }
    }
    return m_narrative;
}

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

namespace
{
const int ShortLayoutFields = 14;
const int FullLayoutFields = 18;
const double AmountThreshold = 0.000005;

// The field of a column, through its entry in the column index table; a
// field the line lacks reads as empty.
CString ColumnText(const char* line, const CArray<int>& columnIndex, int entry)
{
    const char* field = GetField(line, ',', columnIndex.GetAt(entry));
    return CString(field ? field : "");
}

// A text column: quotes stripped, then its first `width` characters. The
// work is done in a buffer, so the record's text keeps its own buffer from
// line to line instead of taking new ones.
void ReadTextColumn(const char* line, const CArray<int>& columnIndex, int entry, int width, CString& target)
{
    char text[MaxFieldLength + 1];
    const char* field = GetField(line, ',', columnIndex.GetAt(entry));
    const size_t length = field ? strnlen(field, MaxFieldLength) : 0;
    memcpy(text, field ? field : "", length);
    text[length] = '\0';
    StripQuotes(text);
    if (width < MaxFieldLength)
        text[width] = '\0';
    target = text;
}

// A line of nothing but blanks (a lone carriage return of a line end
// included) carries no transaction: an edited file may hold one anywhere.
bool IsBlank(const char* line)
{
    for (const char* p = line; *p; ++p)
    {
        if (*p != ' ' && *p != '\t' && *p != '\r')
            return false;
    }
    return true;
}
}

void ParseRecord(CStatementLineReader& lines, const CArray<int>& columnIndex, CTransactionRecord& record)
{
    record.Reset();
    char line[StatementLineBufferSize];
    LineRead read = lines.ReadLine(line);
    while (read == LineRead::Line && IsBlank(line))
        read = lines.ReadLine(line);
    if (read != LineRead::Line)
        throw CTransactionRecord::ErrorTooFewFields;
    bool insideQuotes = false;
    const int fieldCount = CountFields(line, ',', insideQuotes);
    if (fieldCount < ShortLayoutFields)
        throw CTransactionRecord::ErrorTooFewFields;
    // A short header gives a table of 14 entries: its 18-field lines are read
    // by the short positions too.
    const bool fullLayout = fieldCount == FullLayoutFields && columnIndex.GetSize() >= FullLayoutFields;

    ReadTextColumn(line, columnIndex, 0, 6, record.m_sortCode);
    ReadTextColumn(line, columnIndex, 1, 8, record.m_accountNumber);
    ReadTextColumn(line, columnIndex, 2, 35, record.m_accountAlias);
    ReadTextColumn(line, columnIndex, 3, 35, record.m_accountShortName);
    ReadTextColumn(line, columnIndex, 4, 3, record.m_currency);
    ReadTextColumn(line, columnIndex, 5, 20, record.m_accountType);
    ReadTextColumn(line, columnIndex, 6, 34, record.m_bic);
    ReadTextColumn(line, columnIndex, 7, 35, record.m_bankName);
    ReadTextColumn(line, columnIndex, 8, 27, record.m_branchName);
    ReadTextColumn(line, columnIndex, 9, MaxFieldLength, record.m_dateText);
    record.m_date = ParseDate(record.m_dateText);
    ReadTextColumn(line, columnIndex, 10, 50, record.m_narrative1);

    int entry = 11;
    if (fullLayout)
    {
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative2);
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative3);
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative4);
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative5);
    }
    ReadTextColumn(line, columnIndex, entry++, 3, record.m_type);

    const int debitEntry = entry++;
    const int creditEntry = entry;
    const double debit = ParseAmount(ColumnText(line, columnIndex, debitEntry));
    if (debit > AmountThreshold)
    {
        record.m_debit = debit;
        record.m_isDebit = 1;
        return;
    }
    const double credit = ParseAmount(ColumnText(line, columnIndex, creditEntry));
    if (credit > AmountThreshold)
        record.m_credit = credit;
}

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
