// The host's bank account as the statement import keeps it: the digits of
// its sort code and its account number as given, stored in the service and
// kept from one import to the next.
#pragma once

#include "VornEBanking.h"
#include "text/CString.h"

// Room for an account text converted from the host's BSTR, NUL included.
const int AccountTextSize = 32;

// Replaces the stored texts with the account's, each one that can be read.
// No account (a failing GetBankAccount, or no object) and a null BSTR keep
// what is stored. A text is converted with wcstombs and cut to its first 31
// bytes; it ends before a character that the conversion cannot take.
void ReadHostAccount(IVornBankContext* context, CString& bankSortCode, CString& bankAccountNumber);

// The decimal digits (isdigit) of an account text, in their order; at most
// the first 31.
CString SortCodeDigits(const CString& text);
