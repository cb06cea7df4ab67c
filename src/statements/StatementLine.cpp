#include "statements/StatementLine.h"

#include <string.h>

bool ReadStatementLine(std::istream& stream, char (&line)[StatementLineBufferSize])
{
    memset(line, 0, sizeof line);
    stream.getline(line, StatementLineLength + 1);
    // getline fails without reaching the end of the file only when the line
    // did not fit, or when an earlier read had already failed.
    if (stream.fail() && !stream.eof())
    {
        line[0] = '\0';
        return false;
    }
    return true;
}
