#include "statements/TransactionFile.h"

#include <windows.h>
#include <initializer_list>
#include <new>
#include <stdio.h>
#include <stdarg.h>
#include <string.h>
#include <string>

#include "com/HostComponent.h"
#include "statements/TransactionFields.h"

void CTransactionRecord::Reset()
{
    m_line.clear();
    m_lineNumber = 0;
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
    m_file = FileHandle(CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!m_file)
        return GetLastError();
    SkipByteOrderMark();
    return 0;
}

void CStatementLineReader::Close()
{
    m_file.Reset();
    m_stopped = false;
    m_utf8 = false;
    m_lineNumber = 0;
    m_readError = 0;
    m_position = 0;
    m_filled = 0;
}

bool CStatementLineReader::Rewind()
{
    if (!m_file || m_readError)
        return false;
    LARGE_INTEGER start = {};
    if (!SetFilePointerEx(m_file.Get(), start, nullptr, FILE_BEGIN))
    {
        m_readError = GetLastError();
        return false;
    }
    m_stopped = false;
    m_lineNumber = 0;
    m_position = 0;
    m_filled = 0;
    SkipByteOrderMark();
    return true;
}

void CStatementLineReader::SkipByteOrderMark()
{
    static const char Mark[] = "\xEF\xBB\xBF";
    m_utf8 = false;
    // The mark lies whole in the first block: a file shorter than it has none.
    if (Fill() && m_filled >= 3 && memcmp(m_block.get(), Mark, 3) == 0)
    {
        m_utf8 = true;
        m_position = 3;
    }
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
// The first line feed or NUL byte from `start` on, or null before `end`;
// four bytes are looked at a time.
const char* FindLineFeedOrNul(const char* start, const char* end)
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
        // A byte of the word is a line feed (or NUL) exactly when one of
        // these is zero.
        if ((((matches - Ones) & ~matches) | ((word - Ones) & ~word)) & Highs)
            break;
        p += 4;
    }
    for (; p < end; ++p)
    {
        if (*p == '\n' || *p == '\0')
            return p;
    }
    return nullptr;
}
}

LineRead CStatementLineReader::ReadLine(std::string& text)
{
    if (m_stopped || !Fill())
        return LineRead::End;

    const size_t begin = text.size();
    // One byte beyond the limit has room: the carriage return of a line end.
    DWORD length = 0;
    bool ended = false;
    bool nul = false;
    while (!ended && Fill())
    {
        const char* start = m_block.get() + m_position;
        const DWORD available = m_filled - m_position;
        const char* feed = FindLineFeedOrNul(start, start + available);
        const DWORD taken = feed ? static_cast<DWORD>(feed - start) : available;
        length += taken;
        if (length > static_cast<DWORD>(StatementLineLength + 1))
        {
            m_stopped = true;
            ++m_lineNumber;
            text.resize(begin);
            return LineRead::TooLong;
        }
        text.append(start, taken);
        m_position += taken + (feed ? 1 : 0);
        // A NUL is no part of the text: it is noted, and the line read on.
        if (feed && *feed == '\0')
        {
            nul = true;
            ++length;
            continue;
        }
        ended = feed != nullptr;
    }
    if (m_readError)
    {
        text.resize(begin);
        return LineRead::End;
    }
    ++m_lineNumber;
    if (text.size() > begin && text.back() == '\r')
        text.pop_back();
    if (text.size() - begin > static_cast<size_t>(StatementLineLength) || nul)
    {
        m_stopped = true;
        text.resize(begin);
        return nul ? LineRead::Nul : LineRead::TooLong;
    }
    return LineRead::Line;
}

namespace
{
const int ShortLayoutFields = 14;
const int FullLayoutFields = 18;
const double AmountThreshold = 0.000005;
// What every refusal's description ends with.
const wchar_t NothingImported[] = L" Nothing was imported.";
const int RefusalSize = 512;

// The field of a column, through its entry in the column index table.
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

// The first `width` characters of the text: bytes of an ANSI text, whole
// characters of a UTF-8 one (a continuation byte never begins one).
int CutLength(TextSpan text, int width, bool utf8)
{
    if (!utf8)
        return text.length < width ? text.length : width;
    int characters = 0;
    for (int index = 0; index < text.length; ++index)
    {
        if ((static_cast<unsigned char>(text.start[index]) & 0xC0) != 0x80 && characters++ == width)
            return index;
    }
    return text.length;
}

// Whether the text is UTF-8 as the standard allows it: no stray or missing
// continuation bytes, no overlong forms, no surrogates, nothing beyond
// U+10FFFF.
bool IsValidUtf8(const char* text, size_t length)
{
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    const unsigned char* end = p + length;
    while (p < end)
    {
        const unsigned char lead = *p++;
        if (lead < 0x80)
            continue;
        int more;
        unsigned long point;
        if (lead >= 0xC2 && lead <= 0xDF)
            more = 1, point = lead & 0x1F;
        else if (lead >= 0xE0 && lead <= 0xEF)
            more = 2, point = lead & 0x0F;
        else if (lead >= 0xF0 && lead <= 0xF4)
            more = 3, point = lead & 0x07;
        else
            return false;
        if (end - p < more)
            return false;
        for (int index = 0; index < more; ++index, ++p)
        {
            if ((*p & 0xC0) != 0x80)
                return false;
            point = (point << 6) | (*p & 0x3F);
        }
        if ((more == 2 && (point < 0x800 || (point >= 0xD800 && point <= 0xDFFF))) ||
            (more == 3 && (point < 0x10000 || point > 0x10FFFF)))
            return false;
    }
    return true;
}

const wchar_t* const AmountColumnNames[] = {L"Debit", L"Credit"};
}

void RefuseStatement(const wchar_t* format, ...)
{
    wchar_t description[RefusalSize];
    va_list arguments;
    va_start(arguments, format);
    const int written = _vsnwprintf(description, RefusalSize - 1, format, arguments);
    va_end(arguments);
    description[RefusalSize - 1] = L'\0';
    const size_t length = written < 0 ? RefusalSize - 1 : static_cast<size_t>(written);
    const size_t ending = sizeof NothingImported / sizeof NothingImported[0];
    if (length + ending <= static_cast<size_t>(RefusalSize))
        memcpy(description + length, NothingImported, ending * sizeof(wchar_t));
    RaiseDescribedFailure(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), description);
}

std::wstring FileText(TextSpan text, bool utf8)
{
    const UINT codePage = utf8 ? CP_UTF8 : CP_ACP;
    if (text.length <= 0)
        return std::wstring();
    const int length = MultiByteToWideChar(codePage, 0, text.start, text.length, nullptr, 0);
    std::wstring wide(length > 0 ? length : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(codePage, 0, text.start, text.length, &wide[0], length);
    return wide;
}

void CTransactionFile::RefuseRead(LineRead read, int lineNumber)
{
    switch (read)
    {
    case LineRead::TooLong:
        RefuseStatement(L"Line %d of the statement is longer than %d characters.", lineNumber, StatementLineLength);
    case LineRead::Nul:
        RefuseStatement(L"Line %d of the statement holds a NUL byte: the file is no ANSI or UTF-8 text.", lineNumber);
    case LineRead::End:
    case LineRead::Line:
        break;
    }
    // Only a failed read of the file ends a line early.
    throw m_lines.ReadError();
}

bool CTransactionFile::ReadLogicalLine(CTransactionRecord& record)
{
    std::string& line = record.m_line;
    LineRead read;
    do
    {
        line.clear();
        read = m_lines.ReadLine(line);
    } while (read == LineRead::Line && IsBlank(line.c_str()));
    if (read == LineRead::End && m_lines.ReadError() == 0)
        return false;
    if (read != LineRead::Line)
        RefuseRead(read, m_lines.LineNumber());
    record.m_lineNumber = m_lines.LineNumber();
    return true;
}

void CTransactionFile::ContinueQuotedLine(CTransactionRecord& record)
{
    std::string& line = record.m_line;
    line.push_back(' ');
    const LineRead read = m_lines.ReadLine(line);
    if (read == LineRead::End && m_lines.ReadError() == 0)
        RefuseStatement(L"Line %d of the statement opens a quoted field that the file never closes.",
                        record.m_lineNumber);
    if (read != LineRead::Line)
        RefuseRead(read, m_lines.LineNumber());
}

CLineFields CTransactionFile::SplitLine(CTransactionRecord& record)
{
    // A quoted field may hold line breaks: the line then goes on in the next.
    CLineFields fields(record.m_line.c_str(), ',');
    while (fields.EndsInsideQuotes())
    {
        ContinueQuotedLine(record);
        fields = CLineFields(record.m_line.c_str(), ',');
    }
    if (IsUtf8() && !IsValidUtf8(record.m_line.data(), record.m_line.size()))
        RefuseStatement(L"Line %d of the statement is no UTF-8 text, though the file begins with the UTF-8 "
                        L"byte order mark.",
                        record.m_lineNumber);
    return fields;
}

bool CTransactionFile::NextRecord(CTransactionRecord& record, bool checkOnly)
{
    record.Reset();
    if (m_ended)
        return false;
    if (!m_lines.IsOpen())
    {
        OutputDebugStringA("File Stream is NOT open");
        return false;
    }
    if (!ReadLogicalLine(record))
    {
        m_ended = true;
        return false;
    }
    // The line is split once; every column is read where it lies.
    const CLineFields fields = SplitLine(record);
    const int fieldCount = fields.Count();
    if (fieldCount < ShortLayoutFields)
    {
        m_footerLine = record.m_lineNumber;
        ReadFooter(record);
        record.Reset();
        m_ended = true;
        return false;
    }
    const bool allowed = fieldCount == ShortLayoutFields ||
                         (fieldCount == FullLayoutFields && m_headerFieldCount == FullLayoutFields);
    if (!allowed)
        RefuseStatement(L"Line %d of the statement has %d fields; its header has %d, so its amounts cannot be "
                        L"placed.",
                        record.m_lineNumber, fieldCount, m_headerFieldCount);
    ParseColumns(record, fields, fieldCount, checkOnly);
    return true;
}

void CTransactionFile::ReadFooter(CTransactionRecord& record)
{
    while (ReadLogicalLine(record))
    {
        if (SplitLine(record).Count() >= ShortLayoutFields)
            RefuseStatement(L"Line %d of the statement: a transaction line follows the footer at line %d.",
                            record.m_lineNumber, m_footerLine);
    }
}

void CTransactionFile::ParseColumns(CTransactionRecord& record, const CLineFields& fields, int fieldCount,
                                    bool checkOnly)
{
    const char* line = record.m_line.c_str();
    const bool utf8 = IsUtf8();
    const bool fullLayout = fieldCount == FullLayoutFields;
    // Of a line only checked, the amounts are what can be wrong.
    if (checkOnly)
    {
        ReadAmounts(record, fields, fullLayout ? 16 : 12);
        return;
    }

    // A text column: quotes stripped, then its first `width` characters.
    auto readText = [&](int entry, CTransactionRecord::Column column, int width) {
        TextSpan field = ColumnField(line, fields, m_columnIndex, entry);
        StripQuotes(field);
        record.m_columns[column] = {static_cast<int>(field.start - line), CutLength(field, width, utf8)};
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
    ReadAmounts(record, fields, entry);
}

void CTransactionFile::ReadAmounts(CTransactionRecord& record, const CLineFields& fields, int entry)
{
    const char* line = record.m_line.c_str();
    // Both amounts are read, whichever of them counts: a column that holds
    // anything but a plain amount refuses the file.
    double amounts[2];
    for (int column = 0; column < 2; ++column)
    {
        const TextSpan field = ColumnField(line, fields, m_columnIndex, entry + column);
        if (!ReadPlainAmount(field, amounts[column]))
        {
            TextSpan shown = field;
            StripQuotes(shown);
            RefuseStatement(L"Line %d of the statement has \"%ls\" in its %ls column, which is not a plain amount "
                            L"(digits with at most one point).",
                            record.m_lineNumber, FileText(shown, IsUtf8()).c_str(), AmountColumnNames[column]);
        }
    }
    if (amounts[0] > AmountThreshold)
    {
        record.m_debit = amounts[0];
        record.m_isDebit = 1;
    }
    else if (amounts[1] > AmountThreshold)
        record.m_credit = amounts[1];
}

namespace
{
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
        m_headerFieldCount = 0;
        m_headerTooLong = false;
        m_headerHoldsNul = false;
        m_footerLine = 0;
        m_ended = false;
        if (!m_lines.IsOpen())
            return true;
        std::string header;
        const LineRead read = m_lines.ReadLine(header);
        m_headerTooLong = read == LineRead::TooLong;
        m_headerHoldsNul = read == LineRead::Nul;
        if (read == LineRead::Line)
        {
            bool insideQuotes = false;
            m_headerFieldCount = CountFields(header.c_str(), ',', insideQuotes);
        }
    }
    catch (...)
    {
        OutputDebugStringA("Failed to Open the file: ");
        WritePathToDebugger(path);
        return false;
    }
    return true;
}

bool CTransactionFile::HasStatementHeader() const
{
    return m_headerFieldCount == FullLayoutFields || m_headerFieldCount == ShortLayoutFields;
}

void CTransactionFile::BuildColumnIndex()
{
    if (m_headerTooLong)
        RefuseStatement(L"The file is not a statement file: its first line is longer than %d characters, where a "
                        L"header of 14 or 18 fields is expected.",
                        StatementLineLength);
    if (m_headerHoldsNul)
        RefuseStatement(L"The file is not a statement file: its first line holds NUL bytes, as UTF-16 text does; "
                        L"a statement is ANSI or UTF-8 text.");
    if (!HasStatementHeader())
        RefuseStatement(L"The file is not a statement file: its first line has %d fields, where 14 or 18 are "
                        L"expected.",
                        m_headerFieldCount);
    m_columnIndex.RemoveAll();
    for (int position = 1; position <= m_headerFieldCount; ++position)
        m_columnIndex.Add(position);
}

void CTransactionFile::CheckLines()
{
    CTransactionRecord record;
    while (NextRecord(record, true))
    {
    }
    if (!m_lines.Rewind())
        throw m_lines.ReadError() ? m_lines.ReadError() : static_cast<DWORD>(ERROR_READ_FAULT);
    std::string header;
    m_lines.ReadLine(header);
    m_footerLine = 0;
    m_ended = false;
}

bool CTransactionFile::ReadRecord(CTransactionRecord& record)
{
    const bool wasEnded = m_ended;
    if (NextRecord(record, false))
        return true;
    if (!wasEnded)
        OutputDebugStringA("Failed to read the Balance record\n");
    return false;
}

void CTransactionFile::Close()
{
    m_lines.Close();
}
