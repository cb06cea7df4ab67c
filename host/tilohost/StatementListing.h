// The transaction lines of a statement file as tilohost reads them itself,
// beside the component: which accounts a file holds, and which line of the
// file a transaction came from. The file is read a record at a time, and
// only counts are kept, whatever its size.
#pragma once

#include <map>
#include <string>
#include <vector>

struct ListedLine
{
    int line = 0;  // where it starts, counted from 1 (the header)
    std::string dateText;  // UTF-8
};

struct StatementListing
{
    // Lines of 14 fields or more after the header.
    long transactionLines = 0;
    // "60-12-47 31926818: 12 lines" for each account of those lines, in the
    // order each is first met; a sort code of six digits is shown in pairs.
    std::vector<std::string> accountsHeld;
    // Of the lines the component takes for the host account (the first six
    // characters of the Sort Code column equal to the digits of its sort
    // code, the first eight of the Account Number column to its account
    // number), those asked for (in ascending order), by their number counted
    // from 1.
    std::map<long, ListedLine> accountLines;
};

// A file that cannot be read as comma-separated text gives an empty
// listing, and `problem` says why.
StatementListing ListStatement(const std::string& path, const std::string& sortCode,
                               const std::string& accountNumber, const std::vector<long>& asked,
                               std::string& problem);
