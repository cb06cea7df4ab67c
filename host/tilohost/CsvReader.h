// Comma-separated text as RFC 4180 writes it: fields separated by commas,
// records by CR LF or LF; a field in double quotes may hold commas, line
// breaks and doubled quotes. A UTF-8 byte order mark is skipped; blank lines
// are skipped.
#pragma once

#include <string>
#include <vector>

struct CsvRecord
{
    int line = 0;  // the line it starts on, counted from 1
    std::vector<std::string> fields;
};

// Throws BadInput naming the line of a quote left open or of text after a
// closing quote. Lines are counted from `firstLine`, the text's first.
std::vector<CsvRecord> ReadCsv(const std::string& text, int firstLine = 1);
