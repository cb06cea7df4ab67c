// Texts that the statement import hands to the host: BSTRs converted from
// the module's narrow strings with the calling thread's ANSI code page.
#pragma once

#include "com/ComHolders.h"
#include "text/CString.h"

// Throws std::bad_alloc when the BSTR cannot be allocated.
BStr ToHostText(const CString& text);
