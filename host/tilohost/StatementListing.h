// The transaction lines of a statement file as tilohost reads them itself,
// beside the component: which accounts a file holds, and which line of the
// file a transaction came from.
#pragma once

#include <string>
#include <vector>

struct ListedLine
{
    int line = 0;  // where it starts, counted from 1 (the header)
    std::string sortCode;
    std::string accountNumber;
    std::string dateText;  // UTF-8
};

// The lines of 14 fields or more after the header. A file that cannot be
// read as comma-separated text gives none, and `problem` says why.
std::vector<ListedLine> ListStatementLines(const std::string& path, std::string& problem);

// "60-12-47 31926818: 12 lines" for each account of the lines, in the order
// each is first met; a sort code of six digits is shown in pairs.
std::vector<std::string> AccountsHeld(const std::vector<ListedLine>& lines);

// The lines the component takes for the host account: the first six
// characters of the Sort Code column equal to the digits of `sortCode`, the
// first eight of the Account Number column to `accountNumber`.
std::vector<ListedLine> LinesOfAccount(const std::vector<ListedLine>& lines, const std::string& sortCode,
                                       const std::string& accountNumber);
