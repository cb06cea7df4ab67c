#include "payments/PaymentStatusText.h"

#include "com/ErrorReporting.h"
#include "module/Module.h"
#include "payments/PaymentTypes.h"
#include "resources/resource.h"
#include "text/CString.h"

void PaymentStatusText(LONG code, BSTR* text)
{
    RequirePointer(text);
    // Compared unsigned: a negative code counts as a large one.
    if (static_cast<unsigned long>(code) > static_cast<unsigned long>(StatusFieldError))
        return;
    CString message;
    if (!message.LoadString(ModuleInstance(), IDS_PAYMENT_STATUS_FIRST + static_cast<UINT>(code)))
        return;
    const BSTR copy = message.AllocSysString();
    if (!copy)
        throw E_OUTOFMEMORY;
    *text = copy;
}
