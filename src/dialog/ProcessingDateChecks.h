// The checks that a processing date passes before the payment dialog takes
// it. Each shows its own warning, owned by `owner`, when it rejects; the
// dialog runs CheckDateHorizon only after CheckBankingDate accepted.
#pragma once

#include <windows.h>
#include <oleauto.h>

// Accepts a banking day from today on; rejects an earlier day and a weekend
// or bank holiday with a message that says how far the next likely banking
// day is.
bool CheckBankingDate(HWND owner, DATE date);

// Accepts a date at most 45 days after today.
bool CheckDateHorizon(HWND owner, DATE date);
