// A statement file opened for reading: its header tells whether it is a
// statement file and which layout it has; then it gives one transaction line
// after the other. Trouble with the lines shows only as debugger output and
// false results.
#pragma once

#include "com/CArray.h"
#include "statements/StatementLine.h"
#include "statements/TransactionRecord.h"
#include "text/CString.h"

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
