#include "objects/FakeBanking.h"

STDMETHODIMP FakeBankAccount::GetBankSortCode(BSTR* value)
{
    if (!value)
        return E_POINTER;
    *value = nullptr;
    if (const HRESULT failure = ServeHostCall("IVornBankAccount::GetBankSortCode"))
        return failure;
    if (FAILED(sortCodeResult))
        return sortCodeResult;
    return HostText(sortCode, sortCodeNull, value);
}

STDMETHODIMP FakeBankAccount::GetBankAccountNumber(BSTR* value)
{
    if (!value)
        return E_POINTER;
    *value = nullptr;
    if (const HRESULT failure = ServeHostCall("IVornBankAccount::GetBankAccountNumber"))
        return failure;
    if (FAILED(accountNumberResult))
        return accountNumberResult;
    return HostText(accountNumber, accountNumberNull, value);
}

ComPtr<FakeBankContext> FakeBankContext::WithAccount(const wchar_t* sortCode, const wchar_t* accountNumber)
{
    ComPtr<FakeBankContext> context = MakeHostObject<FakeBankContext>();
    context->account = MakeHostObject<FakeBankAccount>();
    context->account->sortCode = sortCode;
    context->account->accountNumber = accountNumber;
    return context;
}

ComPtr<FakeBankContext> FakeBankContext::WithoutAccount()
{
    ComPtr<FakeBankContext> context = MakeHostObject<FakeBankContext>();
    context->result = E_FAIL;
    return context;
}

STDMETHODIMP FakeBankContext::GetBankAccount(IVornBankAccount** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    if (const HRESULT failure = ServeHostCall("IVornBankContext::GetBankAccount"))
        return failure;
    ++calls;
    if (FAILED(result))
        return result;
    *out = account.CopyOut();
    return S_OK;
}
