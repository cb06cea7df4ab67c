// The recognition function that the host's file selection component calls,
// through the address the import writes into the file selection block, to
// tell a statement file by its header.
#pragma once

// What the host is told a recognised file is; 22 bytes with its NUL.
const char StatementTypeName[] = "Tilo Online Statement";

// Writes StatementTypeName with its NUL into the host's type name buffer and
// gives 1 when the file's header has 18 or 14 fields; otherwise gives 0 and
// leaves the buffer alone (also for a missing buffer). Never throws into the
// host.
extern "C" int __cdecl RecognizeStatementFile(char* typeName, const char* path);

using StatementFileRecognizer = int(__cdecl*)(char* typeName, const char* path);
