// Reading one transaction line into a record.
#pragma once

#include "statements/TransactionRecord.h"

#include <istream>

// Reads the next line of the stream into the record through the column
// index table. A line with exactly 18 fields is read by the full layout
// (five narratives) when the table has its 18 entries; every other line of
// at least 14 fields by the short layout. Raises ErrorTooFewFields for a
// shorter line, which includes the end of the file and a line too long to
// read whole; the table's own errors pass through as well.
void ParseRecord(std::istream& stream, CTransactionRecord& record);
