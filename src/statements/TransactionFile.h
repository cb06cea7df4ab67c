// A statement file opened for reading: its header tells whether it is a
// statement file and which layout it has; then it gives one transaction line
// after the other, each read into a record. Trouble with the lines shows only
// as debugger output and false results.
#pragma once

#include <windows.h>

#include <memory>

#include "com/CArray.h"
#include "com/ComHolders.h"
#include "statements/TransactionFields.h"
#include "text/CString.h"

// Reading a statement file line by line. The bytes are taken as they stand
// (no code page conversion, no end-of-file character); a line ends at a line
// feed, and a carriage return right before it (or at the end of the file)
// belongs to the line end, not to the line's text.

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

    // Reads the next line's text, NUL-terminated, into the buffer. A line too
    // long for it is never handed over cut short: the buffer is left empty. After a line too
    // long or a failed read every later call gives End.
    LineRead ReadLine(char (&line)[StatementLineBufferSize]);

    // The system's error code of a read that failed, 0 while none has.
    DWORD ReadError() const { return m_readError; }

    // The number of the last line read or refused as too long, counted from
    // 1 (the header), blank lines included.
    int LineNumber() const { return m_lineNumber; }
    // Whether the reading stopped at a line too long to read.
    bool StoppedAtLongLine() const { return m_longLine; }
    // Whether anything but blanks and line ends follows what has been read.
    // Looks ahead without moving: the next line read is the same.
    bool TextFollows();

private:
    // Makes the next byte available; false at the end of the file or when
    // reading failed.
    bool Fill();

    FileHandle m_file;
    bool m_stopped = false;
    bool m_longLine = false;
    int m_lineNumber = 0;
    DWORD m_readError = 0;
    DWORD m_position = 0;
    DWORD m_filled = 0;
    std::unique_ptr<char[]> m_block;
};

// One transaction line of a statement file, as the reader leaves it. The
// record keeps its own copy of the line; its texts are read from where they
// lie in it, and made into strings only when asked for.
class CTransactionRecord
{
public:
    // Raised by the reader and caught by it; none leaves the reader.
    enum
    {
        ErrorTooFewFields = 1,
        ErrorFileNotOpen = 4
    };

    // The text columns, each kept as its field with enclosing quotes
    // stripped, cut to the column's width.
    enum Column
    {
        SortCode,         // at most 6 characters
        AccountNumber,    // 8
        AccountAlias,     // 35
        AccountShortName, // 35
        Currency,         // 3
        AccountType,      // 20
        Bic,              // 34
        BankName,         // 35
        BranchName,       // 27
        DateText,         // the Date column, not cut
        Narrative1,       // 50 each
        Narrative2,
        Narrative3,
        Narrative4,
        Narrative5,
        Type, // 3
        ColumnCount
    };

    // Every text empty, every number 0.
    void Reset();

    // The text of the line last read into the record; empty when none was.
    const char* GetLine() const { return m_line; }

    // A column's text where it lies in the record's line, valid while the
    // record keeps that line.
    TextSpan Text(Column column) const
    {
        return {m_line + m_columns[column].start, m_columns[column].length};
    }
    // The same as a string of its own.
    CString TextString(Column column) const;

    CString GetSortCode() const { return TextString(SortCode); }
    CString GetAccountNumber() const { return TextString(AccountNumber); }
    CString GetType() const { return TextString(Type); }
    CString GetFirstNarrative() const { return TextString(Narrative1); }
    double GetDebit() const { return m_debit; }
    double GetCredit() const { return m_credit; }
    double GetDate() const { return m_date; }
    int IsDebit() const { return m_isDebit; }

    CString GetAccountAlias() const { return TextString(AccountAlias); }
    CString GetAccountShortName() const { return TextString(AccountShortName); }
    CString GetCurrency() const { return TextString(Currency); }
    CString GetAccountType() const { return TextString(AccountType); }
    CString GetBic() const { return TextString(Bic); }
    CString GetBankName() const { return TextString(BankName); }
    CString GetBranchName() const { return TextString(BranchName); }
    CString GetDateText() const { return TextString(DateText); }

    // Narrative 1, then each further non-empty narrative after one space (so
    // an empty narrative 1 before a filled narrative 2 gives a leading
    // space); at most 254 characters. It stays the record's until the next
    // call or the next line.
    const CString& GetNarrative();

private:
    friend void ParseRecord(CStatementLineReader& lines, const CArray<int>& columnIndex,
                            CTransactionRecord& record);

    struct Place
    {
        int start;
        int length;
    };

    char m_line[StatementLineBufferSize] = {};
    Place m_columns[ColumnCount] = {};
    CString m_narrative;
    double m_debit = 0.0;
    double m_credit = 0.0;
    int m_isDebit = 0;
    double m_date = 0.0;
};

// Reads the next line that is not blank (empty, or blanks and tabs only)
// into the record through the file's column index table. A line with
// exactly 18 fields is read by the full layout (five narratives) when the
// table has its 18 entries; every other line of at least 14 fields by the
// short layout. Raises ErrorTooFewFields for a shorter line and when no line
// can be read (the end of the file, a line too long to read whole, a failed
// read); the table's own errors pass through as well.
void ParseRecord(CStatementLineReader& lines, const CArray<int>& columnIndex, CTransactionRecord& record);

class CTransactionFile
{
public:
    // Opens the file and reads its header; the import and the recognition of
    // a chosen file read it the same way. A file that cannot be opened leaves
    // a usable object with a header field count of 0 and its OpenError.
    explicit CTransactionFile(const wchar_t* path);
    // A path in the ANSI code page, as the host hands it to the recognition.
    explicit CTransactionFile(const char* path);
    CTransactionFile(const CTransactionFile&) = delete;
    CTransactionFile& operator=(const CTransactionFile&) = delete;
    ~CTransactionFile();

    // False only when opening or reading the header raised an error; a file
    // that is missing or locked merely stays closed (see OpenError).
    bool Open(const wchar_t* path);

    // The system's error code of the open; 0 once the file is open.
    DWORD OpenError() const { return m_openError; }

    // Reads the header line and counts its fields. False when the file is not
    // open, or when the header is too long to be read whole: the file is then
    // no statement file and its field count stays 0.
    bool ReadHeader();

    int GetColumnCount() const { return m_headerFieldCount; }

    // A header of 18 fields (the full layout) or 14 (the short layout).
    bool HasStatementHeader() const;

    // Fills this file's column index table with the positions 1 to N of a
    // header of N = 18 or 14 fields; false for any other header.
    bool BuildColumnIndex();

    // Reads the next transaction line; false when it cannot be read (the end
    // of the file, a line of fewer than 14 fields or too long, a closed file,
    // a failed read). Lines that are empty or hold only blanks are passed
    // over. Once a read has failed, every later one fails. When a line ends
    // the reading with more of the file unread, the debugger output says
    // which line and why, before the failed read's own text.
    bool ReadRecord(CTransactionRecord& record);

    // The system's error code of a read of the file that failed, 0 while none
    // has: the file then ends early without being at its end.
    DWORD ReadError() const { return m_lines.ReadError(); }

    void Close();

private:
    // Says in the debugger output which line ended the reading early, and why.
    void ReportEarlyStop(const CTransactionRecord& record);

    CString m_headerText;
    CStatementLineReader m_lines;
    int m_headerFieldCount = 0;
    DWORD m_openError = ERROR_FILE_NOT_FOUND;
    // Entry k holds the field position (from 1) of the k-th column; each file
    // keeps its own, so a file read meanwhile cannot change how this one is
    // read.
    CArray<int> m_columnIndex{0};
};
