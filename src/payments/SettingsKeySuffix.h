// The suffix of the keys under which the payment run remembers the template
// and the beneficiary reference, so that each paying bank account keeps its
// own pair.
#pragma once

#include "VornEBanking.h"
#include "text/CString.h"

// The digits of the account's sort code, "_", the account number as the host
// gives it; a part the host cannot give is left out, the "_" stays. Empty
// when there is no context or the context gives no account.
CString SettingsKeySuffix(IVornBankContext* context);
