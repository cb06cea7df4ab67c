// Reading one transaction line into a record.
#pragma once

#include "com/CArray.h"
#include "statements/StatementLine.h"
#include "statements/TransactionRecord.h"

// Reads the next line that is not blank (empty, or blanks and tabs only)
// into the record through the file's column index table. A line with
// exactly 18 fields is read by the full layout (five narratives) when the
// table has its 18 entries; every other line of at least 14 fields by the
// short layout. Raises ErrorTooFewFields for a shorter line and when no line
// can be read (the end of the file, a line too long to read whole, a failed
// read); the table's own errors pass through as well.
void ParseRecord(CStatementLineReader& lines, const CArray<int>& columnIndex, CTransactionRecord& record);
