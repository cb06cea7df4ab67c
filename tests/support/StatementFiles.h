// The content of statement files for tests, written into temporary files
// byte for byte as given.
#pragma once

#include <string>
#include <vector>

#include "support/TemporaryFile.h"

// The fields joined by commas, as they stand (quotes are the caller's).
std::string CommaLine(const std::vector<std::string>& fields);

// A header line of the given number of fields ("Column 1,Column 2,...").
std::string HeaderLine(int fieldCount);

// The columns of one transaction line that tests vary; the others are
// fixed, plausible values.
struct StatementLineFields
{
    std::string sortCode = "123456";
    std::string accountNumber = "12345678";
    std::string date = "30/11/2012";
    std::vector<std::string> narratives = {"N1"};
    std::string type = "TFR";
    std::string debit;
    std::string credit;
};

// The line in the full layout (18 fields: five narratives, missing ones
// empty) or the short one (14 fields: the first narrative only).
std::string FullStatementLine(const StatementLineFields& fields);
std::string ShortStatementLine(const StatementLineFields& fields);

// A header of `headerFields` fields and the lines, each ended by CR LF.
std::string StatementContent(int headerFields, const std::vector<std::string>& lines);

// A path in the temporary folder where no file exists.
std::string MissingStatementPath();
