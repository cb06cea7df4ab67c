// The rules for what the line writers leave in the payment file and in the
// payments, checked over the file's bytes.
#pragma once

#include <string>
#include <vector>

#include "objects/FakePayments.h"

// The largest amount a BACS amount field (11 digits of pence) can carry.
const char LargestAmount[] = "999999999.99";

// One line as a writer was asked for it.
struct WrittenLine
{
    std::string recordType; // "01", "06", ...
    size_t fieldCount = 0;  // 85, or 80 for "06"
    bool isHeader = false;
    bool passed = false;     // what the writer returned
    std::vector<long> codes; // the status codes it set, in order
    FakePayment* payment = nullptr;
    int paymentNumber = 0; // counted from 1
};

// Throws InvariantBroken for the first broken rule:
//   line-end               the file does not end each line with CR LF
//   line-split             a line holds a CR or LF of its own, so it splits
//   field-count            a line with another number of fields than its grid
//   record-type            a line whose record type is not its writer's
//   amount-over-limit      an amount over 999,999,999.99 that passed check 21
//   invalid-amount-passed  a line passed its checks with an amount that is
//                          no amount of money
//   status-code            the codes left disagree with what the writer returned
//   unexpected-call        a call the payment does not take
void CheckPaymentFile(const std::string& bytes, const std::vector<WrittenLine>& lines);
