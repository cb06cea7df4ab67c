// The component as the host reaches it: the bank by its ProgID through COM,
// its service list, a service by name. Failures throw ComponentCallFailed.
#pragma once

#include <string>

#include "VornBankPayments.h"
#include "VornBankReconciliation.h"
#include "com/ComHolders.h"

extern const wchar_t BankProgId[];

// The bank's class as registered; throws ComponentCallFailed naming the Wine
// prefix (when under Wine) whose registry lacks it.
CLSID BankClassId();

ComPtr<IVornBankPaymentService> FindPaymentService();
ComPtr<IVornBankStatementService> FindStatementService();

// The description of the error information that the last failed call
// posted on this thread (taken, so read it once); empty when none.
std::string TakeErrorDescription();
