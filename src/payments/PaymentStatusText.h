// The texts of the per-payment status codes, for the host.
#pragma once

#include <windows.h>
#include <oleauto.h>

// For a code from 0 to 35 with a text (string resource 300 + code), a new
// BSTR of it in `*text`; any other code leaves `*text` untouched. A null
// `text` is thrown as E_INVALIDARG.
void PaymentStatusText(LONG code, BSTR* text);
