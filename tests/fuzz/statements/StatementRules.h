// The rules the host's statement holds an import to, checked over the calls
// that a FakeStatement recorded.
#pragma once

#include "objects/FakeStatement.h"

// Longest text the reader may hand over: its field buffer's.
const size_t LongestHostText = 511;

struct ImportOutcome
{
    int transactions = 0;
    bool hostFailed = false;
    bool anyCheque = false;
    bool anyDebit = false;
    bool anyCredit = false;
};

// `result` is what the interface method gave for the import, `posted` the
// description of the error information it posted. Throws
// InvariantBroken for the first broken rule:
//   text-too-long            a description or reference over 511 bytes
//   amount-not-finite        an amount that is NaN or infinite
//   negative-amount          an amount below 0
//   date-not-finite          a date that is NaN or infinite
//   bad-direction            a direction other than 0 and 1
//   numbering                numbers other than 1, 2, 3, ... one per transaction
//   call-after-failure       a call after AddTransaction gave no object, but
//                            the statement's clearing that undoes the import
//   call-to-old-transaction  a call on a transaction after the next was added
//   unexpected-call          a call the statement or a transaction does not take
//   failure-not-reported     AddTransaction gave no object, yet the import succeeded
//   failure-left-statement-filled  a failed import whose statement was
//                            called and not cleared last
//   failure-not-undone       AddTransaction gave no object, and the statement
//                            was not cleared again
ImportOutcome CheckStatementCalls(const FakeStatement& statement, HRESULT result, const std::string& posted);
