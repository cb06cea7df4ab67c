// What a payment run did to the batch, in counts: which payments have their
// line in the payment file, which of those passed their checks and which
// failed (by status code), the amount that passed and the IAT lines.
#pragma once

#include <map>
#include <vector>

#include "tilohost/WrittenPaymentFile.h"

struct PaymentRunSummary
{
    long payments = 0;
    // Payments whose line is in the file (the first ones of the batch).
    long written = 0;
    long passed = 0;
    long failed = 0;
    // A bulk header that failed its checks on the first payment: the file
    // holds the header alone, and that payment counts as failed.
    bool headerFailed = false;
    // The sum of the passed payments' amounts as the file writes them (in
    // pence, so no rounding of the batch's amounts is added up).
    double passedAmount = 0.0;
    // Failed payments by status code.
    std::map<long, long> failedByCode;
    long iats = 0;
};

// `file` is the payment file as read back, or null when the run left none;
// then nothing was processed and every count but `payments` is 0.
// `codes` are the payments' status codes after the run, in the batch's order.
PaymentRunSummary SummariseRun(const std::vector<long>& codes, const WrittenPaymentFile* file);
