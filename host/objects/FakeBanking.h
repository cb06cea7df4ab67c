// Recording objects of the host's bank context and bank account.
#pragma once

#include "VornEBanking.h"
#include "objects/HostObject.h"

class FakeBankAccount : public HostObject<IVornBankAccount>
{
public:
    std::wstring sortCode;
    std::wstring accountNumber;
    // A getter that fails returns this HRESULT and no text.
    HRESULT sortCodeResult = S_OK;
    HRESULT accountNumberResult = S_OK;
    // A successful getter hands out a null BSTR.
    bool sortCodeNull = false;
    bool accountNumberNull = false;

    STDMETHODIMP GetBankSortCode(BSTR* value) override;
    STDMETHODIMP SetBankSortCode(BSTR) override { return Unexpected("SetBankSortCode"); }
    STDMETHODIMP GetBankAccountName(BSTR*) override { return Unexpected("GetBankAccountName"); }
    STDMETHODIMP SetBankAccountName(BSTR) override { return Unexpected("SetBankAccountName"); }
    STDMETHODIMP GetBankAccountNumber(BSTR* value) override;
    STDMETHODIMP SetBankAccountNumber(BSTR) override { return Unexpected("SetBankAccountNumber"); }
};

class FakeBankContext : public HostObject<IVornBankContext>
{
public:
    // The account handed out; none makes GetBankAccount succeed with null
    // unless `result` says it fails.
    ComPtr<FakeBankAccount> account;
    HRESULT result = S_OK;
    int calls = 0;

    // A context whose account has this sort code and number.
    static ComPtr<FakeBankContext> WithAccount(const wchar_t* sortCode, const wchar_t* accountNumber);
    // A context whose GetBankAccount fails.
    static ComPtr<FakeBankContext> WithoutAccount();

    STDMETHODIMP GetBankAccount(IVornBankAccount** out) override;
};
