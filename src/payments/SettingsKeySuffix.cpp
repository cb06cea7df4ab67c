#include "payments/SettingsKeySuffix.h"

#include "com/ComHolders.h"
#include "text/TextNormalisers.h"

CString SettingsKeySuffix(IVornBankContext* context)
{
    if (!context)
        return CString();
    ComPtr<IVornBankAccount> account;
    // A host that reports success but hands out no account has none.
    if (FAILED(context->GetBankAccount(account.Out())) || !account)
        return CString();

    CString suffix;
    BStr sortCode;
    if (SUCCEEDED(account->GetBankSortCode(sortCode.Out())))
        suffix = DigitsOf(sortCode.Get());
    suffix.Append("_");
    BStr accountNumber;
    if (SUCCEEDED(account->GetBankAccountNumber(accountNumber.Out())))
        suffix.Append(accountNumber.Text());
    return suffix;
}
