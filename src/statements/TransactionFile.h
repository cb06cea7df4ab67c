// A statement file opened for reading: its header tells whether it is a
// statement file and which layout it has; then it gives one transaction line
// after the other, each read into a record. Trouble with the lines shows only
// as debugger output and false results.
#pragma once

#include <windows.h>

#include <memory>

#include "com/CArray.h"
#include "com/ComHolders.h"
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

// One transaction line of a statement file, as the reader leaves it.
class CTransactionRecord
{
public:
    // Raised by the reader and caught by it; none leaves the reader.
    enum
    {
        ErrorTooFewFields = 1,
        ErrorFileNotOpen = 4
    };

    // Every text empty, every number 0.
    void Reset();

    const CString& GetSortCode() const { return m_sortCode; }
    const CString& GetAccountNumber() const { return m_accountNumber; }
    const CString& GetType() const { return m_type; }
    const CString& GetFirstNarrative() const { return m_narrative1; }
    double GetDebit() const { return m_debit; }
    double GetCredit() const { return m_credit; }
    double GetDate() const { return m_date; }
    int IsDebit() const { return m_isDebit; }

    CString GetAccountAlias() const { return m_accountAlias; }
    CString GetAccountShortName() const { return m_accountShortName; }
    CString GetCurrency() const { return m_currency; }
    CString GetAccountType() const { return m_accountType; }
    CString GetBic() const { return m_bic; }
    CString GetBankName() const { return m_bankName; }
    CString GetBranchName() const { return m_branchName; }
    // The Date column as read, quotes stripped and not cut.
    CString GetDateText() const { return m_dateText; }

    // Narrative 1, then each further non-empty narrative after one space (so
    // an empty narrative 1 before a filled narrative 2 gives a leading
    // space); at most 254 characters.
    CString GetNarrative();

private:
    friend void ParseRecord(CStatementLineReader& lines, const CArray<int>& columnIndex,
                            CTransactionRecord& record);

    CString m_sortCode;
    CString m_accountNumber;
    CString m_accountAlias;
    CString m_accountShortName;
    CString m_currency;
    CString m_accountType;
    CString m_bic;
    CString m_bankName;
    CString m_branchName;
    CString m_dateText;
    CString m_narrative;
    CString m_narrative1;
    CString m_narrative2;
    CString m_narrative3;
    CString m_narrative4;
    CString m_narrative5;
    CString m_type;
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
    // over. Once a read has failed, every later one fails.
    bool ReadRecord(CTransactionRecord& record);

    // The system's error code of a read of the file that failed, 0 while none
    // has: the file then ends early without being at its end.
    DWORD ReadError() const { return m_lines.ReadError(); }

    void Close();

private:
    CString m_headerText;
    CStatementLineReader m_lines;
    int m_headerFieldCount = 0;
    DWORD m_openError = ERROR_FILE_NOT_FOUND;
    // Entry k holds the field position (from 1) of the k-th column; each file
    // keeps its own, so a file read meanwhile cannot change how this one is
    // read.
    CArray<int> m_columnIndex{0};
};
