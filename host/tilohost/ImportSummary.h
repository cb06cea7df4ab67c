// What a host statement received from an import, in counts: transactions,
// debits and credits with their totals, the first and the last date.
#pragma once

#include <string>

// One transaction as the statement's calls left it.
struct ReceivedTransaction
{
    long number = 0;
    double date = 0.0;
    long direction = -1;  // 0 debit, 1 credit; -1 when never set
    double amount = 0.0;
    std::string reference;
    std::string description;
};

struct ImportSummary
{
    long transactions = 0;
    long debits = 0;
    double debitTotal = 0.0;
    long credits = 0;
    double creditTotal = 0.0;
    // OLE dates, days only; 0 when no transaction had a date.
    double firstDate = 0.0;
    double lastDate = 0.0;
    // Transactions whose date could not be read (0).
    long undated = 0;

    // Counts one more transaction.
    void Add(const ReceivedTransaction& transaction);
};

// "DD/MM/YYYY" of an OLE date, "(no date)" for 0 or a date out of range.
std::string ShownDay(double date);
// "YYYY-MM-DD" of an OLE date; empty for 0 or a date out of range.
std::string IsoDay(double date);
