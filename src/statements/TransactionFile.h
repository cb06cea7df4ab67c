// A statement file opened for reading: its header tells whether it is a
// statement file and which layout it has; then it gives one transaction line
// after the other. Trouble shows only as debugger output and false results.
#pragma once

#include "statements/TransactionRecord.h"
#include "text/CString.h"

#include <fstream>

class CTransactionFile
{
public:
    // Opens the file and reads its header. The import reads in binary mode
    // (std::ios::in | std::ios::binary), the recognition of a chosen file in
    // text mode (std::ios::in). A file that cannot be opened leaves a usable
    // object with a header field count of 0.
    CTransactionFile(const char* path, std::ios::openmode mode);
    CTransactionFile(const CTransactionFile&) = delete;
    CTransactionFile& operator=(const CTransactionFile&) = delete;
    ~CTransactionFile();

    // False only when opening or reading the header raised an error; a file
    // that is missing or locked merely stays closed.
    bool Open(const char* path, std::ios::openmode mode);

    // Reads the header line and counts its fields. False when the file is not
    // open, or when the header is too long to be read whole: the file is then
    // no statement file and its field count stays 0.
    bool ReadHeader();

    int GetColumnCount() const { return m_headerFieldCount; }

    // A header of 18 fields (the full layout) or 14 (the short layout).
    bool HasStatementHeader() const;

    // Fills the module's column index table with the positions 1 to N of a
    // header of N = 18 or 14 fields; false for any other header.
    bool BuildColumnIndex();

    // Reads the next transaction line; false when it cannot be read (the end
    // of the file, a line of fewer than 14 fields or too long, a closed file).
    // Once a read has failed, every later one fails.
    bool ReadRecord(CTransactionRecord& record);

    void Close();

private:
    CString m_headerText;
    std::ifstream m_stream;
    int m_headerFieldCount = 0;
};
