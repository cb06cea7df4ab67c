// The batch of payments as a person gives it: a UTF-8 CSV file whose header
// names the payment fields, in any order. Missing columns leave their field
// empty (or 0); an unknown column, a repeated column, a line with another
// number of fields than the header, a malformed amount or status code, or
// text that is not UTF-8 is bad input naming the line. So is a batch with
// no payment: there is nothing to pay.
#pragma once

#include <string>
#include <vector>

#include "objects/FakePayments.h"

struct PaymentBatch
{
    ComPtr<FakePayments> payments;
    // What is read but may not mean what the person meant, naming the line.
    std::vector<std::string> warnings;
};

// Reads the file (a path as Windows takes it) into the host's payment
// collection. Throws BadInput.
PaymentBatch ReadPaymentBatch(const std::string& path);

// The same from the file's bytes.
PaymentBatch ParsePaymentBatch(const std::string& bytes);

// A decimal amount as a person writes it: optional sign, digits, optional
// decimal point and digits ("1250", "-3.5", ".75"); surrounding spaces
// allowed. False for anything else, also for an amount too large for a
// double.
bool ParseAmountText(const std::string& text, double& amount);
