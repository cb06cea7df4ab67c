// A statement file opened for reading: its header tells whether it is a
// statement file and which layout it has; then it gives one transaction line
// after the other, each read into a record. Trouble with the lines shows only
// as debugger output and false results.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "com/CArray.h"
#include "com/ComHolders.h"
#include "statements/TransactionFields.h"
#include "text/CString.h"

// Reading a statement file line by line. The bytes are taken as they stand
// (no code page conversion, no end-of-file character); a line ends at a line
// feed, and a carriage return right before it (or at the end of the file)
// belongs to the line end, not to the line's text. A file that begins with
// the UTF-8 byte order mark is UTF-8 text, the mark no part of its first
// line; any other file is ANSI text.

// A line's text holds at most 2047 characters.
const int StatementLineLength = 2047;

enum class LineRead
{
    Line,    // the text holds the next line
    End,     // no line is left, or a read of the file failed (see ReadError)
    TooLong, // the line's text is longer than StatementLineLength
    Nul,     // the line holds a NUL byte: no ANSI or UTF-8 text does
};

class CStatementLineReader
{
public:
    CStatementLineReader() = default;
    CStatementLineReader(const CStatementLineReader&) = delete;
    CStatementLineReader& operator=(const CStatementLineReader&) = delete;

    // Opens the file for reading, sharing it with other readers only: a file
    // that another program is still writing is not read half-written. Gives
    // 0, or the system's error code of the open (or of the reading buffer).
    DWORD Open(const wchar_t* path);
    bool IsOpen() const { return static_cast<bool>(m_file); }
    void Close();
    // Back to the first line; false when the file cannot be read again.
    bool Rewind();

    // Whether the file began with the UTF-8 byte order mark.
    bool IsUtf8() const { return m_utf8; }

    // Reads the next line's text and appends it to `text`, which gains no
    // NUL byte of the file. A line too long or holding a NUL is not handed
    // over; after it, and after a failed read, every later call gives End.
    LineRead ReadLine(std::string& text);

    // The system's error code of a read that failed, 0 while none has.
    DWORD ReadError() const { return m_readError; }

    // The number of the last line read or refused, counted from 1 (the
    // header), blank lines included.
    int LineNumber() const { return m_lineNumber; }

private:
    // Makes the next byte available; false at the end of the file or when
    // reading failed.
    bool Fill();
    // Passes over the byte order mark at the file's start, noting it.
    void SkipByteOrderMark();

    FileHandle m_file;
    bool m_stopped = false;
    bool m_utf8 = false;
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

    // The text of the line last read into the record (a line continued
    // inside quotes joined by one space); empty when none was.
    const char* GetLine() const { return m_line.c_str(); }
    // The number of the file's line where it begins, from 1 (the header).
    int GetLineNumber() const { return m_lineNumber; }

    // A column's text where it lies in the record's line, valid while the
    // record keeps that line.
    TextSpan Text(Column column) const
    {
        return {m_line.data() + m_columns[column].start, m_columns[column].length};
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
    friend class CTransactionFile;

    struct Place
    {
        int start;
        int length;
    };

    // Room for a line of the longest text is kept from one line to the next.
    std::string m_line;
    int m_lineNumber = 0;
    Place m_columns[ColumnCount] = {};
    CString m_narrative;
    double m_debit = 0.0;
    double m_credit = 0.0;
    int m_isDebit = 0;
    double m_date = 0.0;
};

// Statement files are read exactly or refused whole. Each rule a file can
// break refuses it through RefuseStatement (below): the file's header must
// have 14 fields (the short layout) or 18 (the full one); a transaction line
// has 14 fields, or under a full header 14 or 18; a line of 1 to 13 fields
// begins the footer, after which no transaction line may come; a line that
// ends inside quotes goes on in the next line (the line break read as one
// space), and the file may not end inside them; no line is longer than
// StatementLineLength or holds a NUL byte; both amount columns are empty or
// plain amounts; a UTF-8 file is valid UTF-8. Blank lines (nothing but
// blanks, tabs and carriage returns) are passed over anywhere.
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

    int GetColumnCount() const { return m_headerFieldCount; }

    // A header of 18 fields (the full layout) or 14 (the short layout).
    bool HasStatementHeader() const;

    // Whether the file is UTF-8 text (it began with the byte order mark).
    bool IsUtf8() const { return m_lines.IsUtf8(); }

    // Refuses a file whose header is no statement header (an empty file, a
    // header too long, one with NUL bytes, or of another field count);
    // otherwise fills this file's column index table with the positions 1
    // to N of its N fields.
    void BuildColumnIndex();

    // Reads every line of the file by the rules, refusing the file when one
    // breaks a rule, then goes back to the first transaction line: nothing
    // of a refused file need ever be handed on.
    void CheckLines();

    // Reads the next transaction line into the record; false at the end of
    // the transaction lines (the end of the file, or of the footer). A line
    // that breaks a rule refuses the file; a read of the file that fails is
    // thrown as its Win32 error code. Once false, every later call is false.
    bool ReadRecord(CTransactionRecord& record);

    void Close();

private:
    // ReadRecord without its debugger output at the end; a line only
    // checked has its amounts read, not its texts and date.
    bool NextRecord(CTransactionRecord& record, bool checkOnly);
    // Reads the lines after the footer's first, refusing a transaction line.
    void ReadFooter(CTransactionRecord& record);
    // Reads the next line that is not blank into the record; false at the
    // end of the file.
    bool ReadLogicalLine(CTransactionRecord& record);
    // Appends the next line to a line that ended inside quotes, after one
    // space for the line break; refuses a file that ends there.
    void ContinueQuotedLine(CTransactionRecord& record);
    // Splits the line read into the record, continuing it while it ends
    // inside quotes; refuses a line of a UTF-8 file that is no UTF-8.
    CLineFields SplitLine(CTransactionRecord& record);
    // Reads the columns of a line with this many fields into the record.
    void ParseColumns(CTransactionRecord& record, const CLineFields& fields, int fieldCount, bool checkOnly);
    // Reads the Debit and Credit columns, from the entry given on.
    void ReadAmounts(CTransactionRecord& record, const CLineFields& fields, int entry);
    // Throws what a line read that was not a line means.
    [[noreturn]] void RefuseRead(LineRead read, int lineNumber);

    CStatementLineReader m_lines;
    int m_headerFieldCount = 0;
    bool m_headerTooLong = false;
    bool m_headerHoldsNul = false;
    // Where the footer began (its line number), 0 while none has.
    int m_footerLine = 0;
    bool m_ended = false;
    DWORD m_openError = ERROR_FILE_NOT_FOUND;
    // Entry k holds the field position (from 1) of the k-th column; each file
    // keeps its own, so a file read meanwhile cannot change how this one is
    // read.
    CArray<int> m_columnIndex{0};
};

// Refuses the statement file: throws _com_error whose description names the
// line (from 1) and what is wrong with it, ending "Nothing was imported.".
// `format` is a printf format for wide text whose first argument is the
// line number.
[[noreturn]] void RefuseStatement(const wchar_t* format, ...);

// The text of the file, as the host reads it: from UTF-8 or the ANSI code
// page, as the file says.
std::wstring FileText(TextSpan text, bool utf8);
