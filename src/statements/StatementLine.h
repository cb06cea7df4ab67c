// Reading one line of a statement file.
#pragma once

#include <istream>

// A line holds at most 2047 characters; its buffer has room to spare.
const int StatementLineLength = 2047;
const int StatementLineBufferSize = 2049;

// Reads the next line (without its line feed) into the cleared buffer.
// A line too long for the buffer is never handed over cut short: the buffer
// is left empty, the stream stays failed, and the result is false. At the
// end of the file the line is empty and the result is true.
bool ReadStatementLine(std::istream& stream, char (&line)[StatementLineBufferSize]);
