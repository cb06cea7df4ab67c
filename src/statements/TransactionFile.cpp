#include "statements/TransactionFile.h"

#include <windows.h>
#include <initializer_list>
#include <new>
#include <stdio.h>
#include <string.h>
#include <string>

#include "statements/TransactionFields.h"

void CTransactionRecord::Reset()
{
    m_line[0] = '\0';
    for (Place& column : m_columns)
        column = Place{0, 0};
    m_narrative.Empty();
    m_debit = 0.0;
    m_credit = 0.0;
    m_isDebit = 0;
    m_date = 0.0;
}

CString CTransactionRecord::TextString(Column column) const
{
    CString text;
    const TextSpan span = Text(column);
    text.Assign(span.start, span.length);
    return text;
}

const CString& CTransactionRecord::GetNarrative()
{
    const TextSpan first = Text(Narrative1);
    m_narrative.Assign(first.start, first.length);
    for (Column next : {Narrative2, Narrative3, Narrative4, Narrative5})
    {
        const TextSpan text = Text(next);
        if (text.length > 0)
        {
            m_narrative.AppendBytes(" ", 1);
            m_narrative.AppendBytes(text.start, text.length);
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
    m_longLine = false;
    m_lineNumber = 0;
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

namespace
{
// The first line feed from `start` on, or null before `end`; four bytes are
// looked at a time.
const char* FindLineFeed(const char* start, const char* end)
{
    const unsigned long Ones = 0x01010101UL;
    const unsigned long Highs = 0x80808080UL;
    const unsigned long LineFeeds = 0x0A0A0A0AUL;
    const char* p = start;
    while (end - p >= 4)
    {
        unsigned long word;
        memcpy(&word, p, sizeof word);
        const unsigned long matches = word ^ LineFeeds;
        // A byte of the word is a line feed exactly when one of these is zero.
        if (((matches - Ones) & ~matches & Highs) != 0)
            break;
        p += 4;
    }
    for (; p < end; ++p)
    {
        if (*p == '\n')
            return p;
    }
    return nullptr;
}
}

LineRead CStatementLineReader::ReadLine(char (&line)[StatementLineBufferSize])
{
    line[0] = '\0';
    if (m_stopped || !Fill())
        return LineRead::End;

    // One byte beyond the limit has room: the carriage return of a line end.
    int length = 0;
    bool ended = false;
    while (!ended && Fill())
    {
        const char* start = m_block.get() + m_position;
        const DWORD available = m_filled - m_position;
        const char* feed = FindLineFeed(start, start + available);
        const DWORD taken = feed ? static_cast<DWORD>(feed - start) : available;
        if (length + taken > static_cast<DWORD>(StatementLineLength + 1))
        {
            m_stopped = true;
            m_longLine = true;
            ++m_lineNumber;
            line[0] = '\0';
            return LineRead::TooLong;
        }
        memcpy(line + length, start, taken);
        length += taken;
        m_position += taken + (feed ? 1 : 0);
        ended = feed != nullptr;
    }
    if (length > 0 && line[length - 1] == '\r')
        --length;
    line[length] = '\0';
    if (length > StatementLineLength || m_readError)
    {
        m_stopped = true;
        line[0] = '\0';
        if (m_readError)
            return LineRead::End;
        m_longLine = true;
        ++m_lineNumber;
        return LineRead::TooLong;
    }
    ++m_lineNumber;
    return LineRead::Line;
}

namespace
{
bool HoldsText(const char* bytes, DWORD count)
{
    for (DWORD index = 0; index < count; ++index)
    {
        const char ch = bytes[index];
        if (ch != ' ' && ch != '\t' && ch != '\r' && ch != '\n')
            return true;
    }
    return false;
}
}

bool CStatementLineReader::TextFollows()
{
    if (!m_file)
        return false;
    if (m_position < m_filled && HoldsText(m_block.get() + m_position, m_filled - m_position))
        return true;
    // The rest of the file is looked through in a buffer of its own, and the
    // file's position put back.
    LARGE_INTEGER here = {};
    const LARGE_INTEGER none = {};
    if (!SetFilePointerEx(m_file.Get(), none, &here, FILE_CURRENT))
        return false;
    std::unique_ptr<char[]> rest(new (std::nothrow) char[BlockSize]);
    bool found = false;
    DWORD read = 0;
    while (rest && !found && ReadFile(m_file.Get(), rest.get(), BlockSize, &read, nullptr) && read > 0)
        found = HoldsText(rest.get(), read);
    SetFilePointerEx(m_file.Get(), here, nullptr, FILE_BEGIN);
    return found;
}

namespace
{
const int ShortLayoutFields = 14;
const int FullLayoutFields = 18;
const double AmountThreshold = 0.000005;

// The field of a column, through its entry in the column index table; a
// field the line lacks reads as empty, at the line's start.
TextSpan ColumnField(const char* line, const CLineFields& fields, const CArray<int>& columnIndex, int entry)
{
    TextSpan field{line, 0};
    fields.Field(columnIndex.GetAt(entry), field);
    return field;
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
    char* line = record.m_line;
    LineRead read = lines.ReadLine(record.m_line);
    while (read == LineRead::Line && IsBlank(line))
        read = lines.ReadLine(record.m_line);
    if (read != LineRead::Line)
        throw CTransactionRecord::ErrorTooFewFields;
    // The line is split once; every column is read where it lies.
    const CLineFields fields(line, ',');
    const int fieldCount = fields.Count();
    if (fieldCount < ShortLayoutFields)
        throw CTransactionRecord::ErrorTooFewFields;
    // A short header gives a table of 14 entries: its 18-field lines are read
    // by the short positions too.
    const bool fullLayout = fieldCount == FullLayoutFields && columnIndex.GetSize() >= FullLayoutFields;

    // A text column: quotes stripped, then its first `width` characters.
    auto readText = [&](int entry, CTransactionRecord::Column column, int width) {
        TextSpan field = ColumnField(line, fields, columnIndex, entry);
        StripQuotes(field);
        record.m_columns[column] = {static_cast<int>(field.start - line), field.length < width ? field.length : width};
    };
    readText(0, CTransactionRecord::SortCode, 6);
    readText(1, CTransactionRecord::AccountNumber, 8);
    readText(2, CTransactionRecord::AccountAlias, 35);
    readText(3, CTransactionRecord::AccountShortName, 35);
    readText(4, CTransactionRecord::Currency, 3);
    readText(5, CTransactionRecord::AccountType, 20);
    readText(6, CTransactionRecord::Bic, 34);
    readText(7, CTransactionRecord::BankName, 35);
    readText(8, CTransactionRecord::BranchName, 27);
    readText(9, CTransactionRecord::DateText, MaxFieldLength);
    record.m_date = ParseDate(record.Text(CTransactionRecord::DateText));
    readText(10, CTransactionRecord::Narrative1, 50);

    int entry = 11;
    if (fullLayout)
    {
        readText(entry++, CTransactionRecord::Narrative2, 50);
        readText(entry++, CTransactionRecord::Narrative3, 50);
        readText(entry++, CTransactionRecord::Narrative4, 50);
        readText(entry++, CTransactionRecord::Narrative5, 50);
    }
    readText(entry++, CTransactionRecord::Type, 3);

    const int debitEntry = entry++;
    const int creditEntry = entry;
    const double debit = ParseAmount(ColumnField(line, fields, columnIndex, debitEntry));
    if (debit > AmountThreshold)
    {
        record.m_debit = debit;
        record.m_isDebit = 1;
        return;
    }
    const double credit = ParseAmount(ColumnField(line, fields, columnIndex, creditEntry));
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
        ReportEarlyStop(record);
        OutputDebugStringA("Failed to read the Balance record\n");
        return false;
    }
    return true;
}

void CTransactionFile::ReportEarlyStop(const CTransactionRecord& record)
{
    if (!m_lines.IsOpen())
        return;
    char text[160];
    if (m_lines.StoppedAtLongLine())
    {
        snprintf(text, sizeof text,
                 "Reading stopped at line %d: it is longer than %d characters; it and the lines after it were "
                 "not read\n",
                 m_lines.LineNumber(), StatementLineLength);
        OutputDebugStringA(text);
        return;
    }
    // A short line is the last one read, still in the record; one at the
    // end of the file (a footer) ends the reading as the end would.
    bool insideQuotes = false;
    const int fields = CountFields(record.GetLine(), ',', insideQuotes);
    if (record.GetLine()[0] == '\0' || fields >= ShortLayoutFields || !m_lines.TextFollows())
        return;
    snprintf(text, sizeof text,
             "Reading stopped at line %d: it has %d fields, fewer than %d; the lines after it were not read\n",
             m_lines.LineNumber(), fields, ShortLayoutFields);
    OutputDebugStringA(text);
}

void CTransactionFile::Close()
{
    m_lines.Close();
}
