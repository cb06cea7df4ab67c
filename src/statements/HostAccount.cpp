#include "statements/HostAccount.h"

#include <ctype.h>
#include <stdlib.h>

#include "com/ComHolders.h"

namespace
{
// False for a null BSTR: the stored text stays.
bool ConvertAccountText(const BStr& text, CString& converted)
{
    if (!text.Get())
        return false;
    // Zero-filled and one byte short, so the text always ends inside.
    char buffer[AccountTextSize] = {};
    wcstombs(buffer, text.Get(), AccountTextSize - 1);
    converted = buffer;
    return true;
}
}

CString SortCodeDigits(const CString& text)
{
    char digits[AccountTextSize] = {};
    int count = 0;
    for (int i = 0; i < text.GetLength() && count < AccountTextSize - 1; ++i)
    {
        const char ch = text.GetAt(i);
        if (isdigit(static_cast<unsigned char>(ch)))
            digits[count++] = ch;
    }
    return CString(digits);
}

void ReadHostAccount(IVornBankContext* context, CString& bankSortCode, CString& bankAccountNumber)
{
    ComPtr<IVornBankAccount> account;
    if (FAILED(context->GetBankAccount(account.Out())) || !account)
        return;

    CString text;
    BStr accountNumber;
    account->GetBankAccountNumber(accountNumber.Out());
    if (ConvertAccountText(accountNumber, text))
        bankAccountNumber = text;

    BStr sortCode;
    account->GetBankSortCode(sortCode.Out());
    if (ConvertAccountText(sortCode, text))
        bankSortCode = SortCodeDigits(text);
}
