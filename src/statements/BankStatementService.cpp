#include "statements/BankStatementService.h"

#include <new>
#include <stdlib.h>
#include <string.h>

#include "VornBankReconciliation.h"
#include "com/ComHolders.h"
#include "com/ErrorReporting.h"
#include "com/HostComponent.h"
#include "com/HostSettings.h"
#include "statements/RecognizeStatementFile.h"
#include "statements/TransactionFile.h"
#include "text/TextNormalisers.h"

CBankStatementService::CBankStatementService() : IBankServiceImpl("Bank Reconciliation Service") {}

InterfaceTable CBankStatementService::Interfaces()
{
    return ServiceInterfaces<CBankStatementService, IBankStatementService, &IID_IBankStatementService,
                             &IID_IVornBankStatementService>();
}

STDMETHODIMP CBankStatementService::GetStatementStatusText(LONG, BSTR* text)
{
    return MethodGuard([&]() -> HRESULT {
        RequirePointer(text);
        return S_OK;
    });
}

STDMETHODIMP CBankStatementService::ImportStatement(IVornBankContext* context, IVornStatement* statement)
{
    return MethodGuard([&]() -> HRESULT {
        const CServiceRun run(m_running, L"The bank reconciliation service is already running a statement import");
        RunStatementImport(context, statement, m_status, m_bankSortCode, m_bankAccountNumber);
        return S_OK;
    });
}

namespace
{
const LONG ImportRan = 0;
const LONG NoFileChosen = 1;

// Byte for byte, case-sensitive, as the string class compares.
bool SameText(const TextSpan& text, const CString& other)
{
    return text.length == other.GetLength() && memcmp(text.start, other.GetString(), text.length) == 0;
}

bool BelongsToAccount(const CTransactionRecord& record, const CString& bankSortCode,
                      const CString& bankAccountNumber)
{
    return SameText(record.Text(CTransactionRecord::SortCode), bankSortCode) &&
           SameText(record.Text(CTransactionRecord::AccountNumber), bankAccountNumber);
}
}

void RunStatementImport(IVornBankContext* context, IVornStatement* statement, LONG& status,
                        CString& bankSortCode, CString& bankAccountNumber)
{
    RequirePointer(context);
    RequirePointer(statement);
    status = ImportRan;
    wchar_t path[StatementPathSize];
    if (!ChooseStatementFile(path))
    {
        status = NoFileChosen;
        return;
    }
    ImportStatementFile(path, context, statement, bankSortCode, bankAccountNumber);
}

void ImportStatementFile(const wchar_t* path, IVornBankContext* context, IVornStatement* statement,
                         CString& bankSortCode, CString& bankAccountNumber)
{
    // The whole file is read and checked before the host's statement is
    // touched: a file refused on the way leaves it as it was.
    CTransactionFile file(path);
    if (file.OpenError() != 0)
        throw file.OpenError();
    file.BuildColumnIndex();
    file.CheckLines();

    // Failures of the host's objects are described from here on, never with
    // information left on the thread from before.
    SetErrorInfo(0, nullptr);
    ReadHostAccount(context, bankSortCode, bankAccountNumber);
    CheckHostObjectCall(statement->ClearTransactions(), statement, L"ClearTransactions");
    try
    {
        CheckHostObjectCall(statement->SetStatementBalance(0.0), statement, L"SetStatementBalance");
        CHostTexts texts(file.IsUtf8());
        CTransactionRecord record;
        LONG number = 1;
        while (file.ReadRecord(record))
        {
            if (BelongsToAccount(record, bankSortCode, bankAccountNumber))
                HandOverRecord(statement, record, number++, texts);
        }
    }
    catch (...)
    {
        // The host is left no statement half filled; the failure that ended
        // the import is what the caller learns, whatever this call gives.
        statement->ClearTransactions();
        throw;
    }
}

namespace
{
const LONG FileChosen = 0;
const LONG NothingChosen = 1;
}

bool ChooseStatementFile(wchar_t (&path)[StatementPathSize])
{
    ComPtr<IVornStatementFileSelector> selector = CreateHostComponent<IVornStatementFileSelector>(
        CLSID_VornStatementFileSelector, IID_IVornStatementFileSelector);
    CHostSettings settings;
    path[0] = L'\0';

    // The settings component fills the block; of its layout only the first
    // field, the recognition function's address, is ours.
    unsigned char block[SelectionBlockSize];
    settings.GetStatementFileSettings(block);
    const StatementFileRecognizer recognize = &RecognizeStatementFile;
#ifndef _WIN64
    static_assert(sizeof recognize == 4, "the block's first field holds a 32-bit address");
#endif
    memcpy(block, &recognize, sizeof recognize);

    IVornStatementFileSelector* chooser = HostComponent(selector, HostFileSelectionName);
    CheckHostCall(chooser->SelectStatementFile(block), chooser, IID_IVornStatementFileSelector,
                  HostFileSelectionName, L"SelectStatementFile");
    // A choice the host cannot tell is a failure, never taken for a cancel.
    LONG status = NothingChosen;
    CheckHostCall(chooser->GetSelectionStatus(&status), chooser, IID_IVornStatementFileSelector,
                  HostFileSelectionName, L"GetSelectionStatus");
    BStr chosen;
    CheckHostCall(chooser->GetSelectedFile(chosen.Out()), chooser, IID_IVornStatementFileSelector,
                  HostFileSelectionName, L"GetSelectedFile");

    // The file selection component goes before the settings component.
    selector.Reset();

    if (status != FileChosen)
        return false;
    // A path that does not fit is refused whole, never opened cut short.
    if (chosen.Length() >= static_cast<UINT>(StatementPathSize))
        throw static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE);
    lstrcpynW(path, chosen.Text(), StatementPathSize);
    return true;
}

namespace
{
const LONG Debit = 0;
const LONG Credit = 1;
}

void HandOverRecord(IVornStatement* statement, CTransactionRecord& record, LONG number, CHostTexts& texts)
{
    const wchar_t Transaction[] = L"transaction";
    ComPtr<IVornTransaction> transaction;
    CheckHostObjectCall(statement->AddTransaction(transaction.Out()), statement, L"AddTransaction", Transaction,
                        number);
    // Without the object there is nowhere to put this line or any later one.
    if (!transaction)
        RaiseHostObjectFailure(E_POINTER, statement, IID_IVornStatement, L"AddTransaction", Transaction, number);
    IVornTransaction* target = transaction.Get();
    auto check = [&](HRESULT result, const wchar_t* operation) {
        CheckHostObjectCall(result, target, operation, Transaction, number);
    };

    Variant numberValue;
    numberValue->vt = VT_I4;
    numberValue->lVal = number;
    check(target->SetNumber(numberValue.Get()), L"SetNumber");
    check(target->SetDate(record.GetDate()), L"SetDate");
    if (record.IsDebit())
    {
        check(target->SetDirection(Debit), L"SetDirection");
        check(target->SetAmount(record.GetDebit()), L"SetAmount");
    }
    else
    {
        check(target->SetDirection(Credit), L"SetDirection");
        check(target->SetAmount(record.GetCredit()), L"SetAmount");
    }

    const CString& narrative = record.GetNarrative();
    check(target->SetDescription(texts.ToHostText(narrative).Get()), L"SetDescription");

    const TextSpan type = record.Text(CTransactionRecord::Type);
    if (texts.IsChequeType(type))
    {
        check(target->SetReference(texts.ToHostText(record.Text(CTransactionRecord::Narrative1)).Get()),
              L"SetReference");
        check(target->SetDescription(texts.ToHostText(narrative, ChequeDescriptionPrefix).Get()), L"SetDescription");
    }
    else
    {
        check(target->SetReference(texts.ToHostText(type).Get()), L"SetReference");
    }
}

CHostTexts::CHostTexts(bool utf8) : m_codePage(utf8 ? CP_UTF8 : CP_THREAD_ACP)
{
    CPINFO codePage = {};
    m_singleByte = !utf8 && GetCPInfo(m_codePage, &codePage) && codePage.MaxCharSize == 1;
    for (int byte = 0; m_singleByte && byte < 256; ++byte)
    {
        const char narrow = static_cast<char>(byte);
        if (MultiByteToWideChar(m_codePage, 0, &narrow, 1, &m_table[byte], 1) != 1)
            m_singleByte = false;
    }
}

bool CHostTexts::IsChequeType(TextSpan type)
{
    const bool rememberable = type.length <= RememberedTypeLength;
    for (int index = 0; rememberable && index < m_typeCount; ++index)
    {
        const TypeAnswer& known = m_types[index];
        if (known.length == type.length && memcmp(known.type, type.start, type.length) == 0)
            return known.cheque;
    }
    const bool cheque = ::IsChequeType(ToHostText(type).Get());
    if (rememberable && m_typeCount < RememberedTypes)
    {
        TypeAnswer& answer = m_types[m_typeCount++];
        memcpy(answer.type, type.start, type.length);
        answer.length = type.length;
        answer.cheque = cheque;
    }
    return cheque;
}

// No character takes more wide characters than bytes, so the text's length
// in bytes is room enough; the BSTR is made anew only when a double-byte
// code page needed less.
BStr CHostTexts::ToHostText(const CString& text, const wchar_t* prefix) const
{
    return ToHostText(TextSpan{text.GetString(), text.GetLength()}, prefix);
}

BStr CHostTexts::ToHostText(TextSpan text, const wchar_t* prefix) const
{
    const int prefixLength = prefix ? lstrlenW(prefix) : 0;
    const int length = text.length;
    BStr converted(SysAllocStringLen(nullptr, prefixLength + length));
    if (!converted.Get())
        throw std::bad_alloc();
    wchar_t* target = converted.Get();
    for (int index = 0; index < prefixLength; ++index)
        target[index] = prefix[index];
    target += prefixLength;
    const char* source = text.start;
    if (m_singleByte)
    {
        for (int index = 0; index < length; ++index)
            target[index] = m_table[static_cast<unsigned char>(source[index])];
        return converted;
    }
    const int wideLength = length > 0 ? MultiByteToWideChar(m_codePage, 0, source, length, target, length) : 0;
    if (wideLength == length)
        return converted;
    BStr shorter(SysAllocStringLen(converted.Get(), prefixLength + wideLength));
    if (!shorter.Get())
        throw std::bad_alloc();
    return shorter;
}

namespace
{
// The account text as the component compares it: a null BSTR is the empty
// text. One that holds a NUL before its end is not what the host's account
// says, and is refused rather than read as its start.
CString AccountText(const BStr& text, const wchar_t* operation)
{
    if (!text.Get())
        return CString();
    if (wcslen(text.Get()) != text.Length())
    {
        wchar_t description[128];
        _snwprintf(description, 127, L"The e-banking host's bank account gave a text with a NUL character in %ls",
                   operation);
        description[127] = L'\0';
        RaiseDescribedFailure(HRESULT_FROM_WIN32(ERROR_INVALID_DATA), description);
    }
    // Zero-filled and one byte short, so the text always ends inside.
    char buffer[AccountTextSize] = {};
    wcstombs(buffer, text.Get(), AccountTextSize - 1);
    return CString(buffer);
}
}

CString SortCodeDigits(const CString& text)
{
    char digits[AccountTextSize] = {};
    int count = 0;
    for (int i = 0; i < text.GetLength() && count < AccountTextSize - 1; ++i)
    {
        const char ch = text.GetAt(i);
        if (IsDigit(ch))
            digits[count++] = ch;
    }
    return CString(digits);
}

void ReadHostAccount(IVornBankContext* context, CString& bankSortCode, CString& bankAccountNumber)
{
    ComPtr<IVornBankAccount> account;
    CheckHostObjectCall(context->GetBankAccount(account.Out()), context, L"GetBankAccount");
    // Lines are taken for the host's account only: with none, there is no
    // telling which lines are the host's.
    if (!account)
        RaiseHostObjectFailure(E_POINTER, context, IID_IVornBankContext, L"GetBankAccount");

    BStr accountNumber;
    CheckHostObjectCall(account->GetBankAccountNumber(accountNumber.Out()), account.Get(), L"GetBankAccountNumber");
    BStr sortCode;
    CheckHostObjectCall(account->GetBankSortCode(sortCode.Out()), account.Get(), L"GetBankSortCode");
    const CString number = AccountText(accountNumber, L"GetBankAccountNumber");
    const CString digits = SortCodeDigits(AccountText(sortCode, L"GetBankSortCode"));
    bankAccountNumber = number;
    bankSortCode = digits;
}

namespace
{
BSTR g_chequeTypeCode = nullptr;
}

void CreateChequeTypeCode()
{
    if (!g_chequeTypeCode)
        g_chequeTypeCode = SysAllocString(ChequeTypeText);
}

void FreeChequeTypeCode()
{
    SysFreeString(g_chequeTypeCode);
    g_chequeTypeCode = nullptr;
}

bool IsChequeType(BSTR type)
{
    if (!g_chequeTypeCode)
        throw E_OUTOFMEMORY;
    return VarBstrCmp(type, g_chequeTypeCode, LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}
