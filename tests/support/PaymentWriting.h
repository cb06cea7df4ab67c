// Helpers of the line writer tests: the worked example payment and the bytes
// that writers leave in a file opened as the payment run opens it.
#pragma once

#include <stdio.h>

#include <string>

#include "objects/FakePayments.h"
#include "support/PaymentFileLines.h"
#include "support/TemporaryFile.h"
#include "support/TestClock.h"

// 125.50 from 20-00-00 / 87654321 to Smith & Co, 40-11-22 / 12345678, BACS
// reference INV 778, no roll number.
inline ComPtr<FakePayment> StandardPayment()
{
    ComPtr<FakePayment> payment = MakeHostObject<FakePayment>();
    payment->amount = 125.5;
    payment->payerSortCode = L"20-00-00";
    payment->payerAccountNumber = L"87654321";
    payment->payeeSortCode = L"40-11-22";
    payment->payeeAccountNumber = L"12345678";
    payment->payeeAccountName = L"Smith & Co";
    payment->payeeReference = L"INV 778";
    return payment;
}

// 7 January 2013.
inline DATE ProcessingDate()
{
    return DateOf(2013, 1, 7);
}

// Runs write(file) on a new file opened as the payment run opens it ("w+b")
// and gives every byte of it.
template <class Write>
std::string WrittenFile(Write&& write)
{
    TemporaryFile temporary;
    FILE* file = fopen(temporary.Path(), "w+b");
    if (!file)
        return "(file not opened)";
    write(file);
    fclose(file);
    return temporary.ReadBytes();
}
