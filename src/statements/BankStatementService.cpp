#include "statements/BankStatementService.h"

#include <ctype.h>
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
    // The host's statement is emptied only for a file that can be read.
    CTransactionFile file(path);
    if (file.OpenError() != 0)
        throw file.OpenError();

    statement->ClearTransactions();
    statement->SetStatementBalance(0.0);
    ReadHostAccount(context, bankSortCode, bankAccountNumber);

    CTransactionRecord record;
    if (file.BuildColumnIndex())
    {
        CHostTexts texts;
        LONG number = 1;
        while (file.ReadRecord(record))
        {
            if (BelongsToAccount(record, bankSortCode, bankAccountNumber))
                HandOverRecord(statement, record, number++, texts);
        }
    }
    // A file that stops giving bytes before its end has not been read.
    const DWORD readError = file.ReadError();
    file.Close();
    if (readError != 0)
        throw readError;
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
    static_assert(sizeof recognize == 4, "the block's first field holds a 32-bit address");
    memcpy(block, &recognize, sizeof recognize);

    IVornStatementFileSelector* chooser = HostComponent(selector, HostFileSelectionName);
    CheckHostCall(chooser->SelectStatementFile(block), chooser, IID_IVornStatementFileSelector,
                  HostFileSelectionName, L"SelectStatementFile");
    // Neither result is checked; a status that cannot be read counts as no
    // choice.
    LONG status = NothingChosen;
    chooser->GetSelectionStatus(&status);
    BStr chosen;
    chooser->GetSelectedFile(chosen.Out());

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
    ComPtr<IVornTransaction> transaction;
    statement->AddTransaction(transaction.Out());
    // Without the object there is nowhere to put this line or any later one.
    if (!transaction)
        throw E_POINTER;

    Variant numberValue;
    numberValue->vt = VT_I4;
    numberValue->lVal = number;
    transaction->SetNumber(numberValue.Get());
    transaction->SetDate(record.GetDate());
    if (record.IsDebit())
    {
        transaction->SetDirection(Debit);
        transaction->SetAmount(record.GetDebit());
    }
    else
    {
        transaction->SetDirection(Credit);
        transaction->SetAmount(record.GetCredit());
    }

    const CString& narrative = record.GetNarrative();
    transaction->SetDescription(texts.ToHostText(narrative).Get());

    const TextSpan type = record.Text(CTransactionRecord::Type);
    if (texts.IsChequeType(type))
    {
        transaction->SetReference(texts.ToHostText(record.Text(CTransactionRecord::Narrative1)).Get());
        transaction->SetDescription(texts.ToHostText(narrative, ChequeDescriptionPrefix).Get());
    }
    else
    {
        transaction->SetReference(texts.ToHostText(type).Get());
    }
}

CHostTexts::CHostTexts()
{
    CPINFO codePage = {};
    m_singleByte = GetCPInfo(CP_THREAD_ACP, &codePage) && codePage.MaxCharSize == 1;
    for (int byte = 0; m_singleByte && byte < 256; ++byte)
    {
        const char narrow = static_cast<char>(byte);
        if (MultiByteToWideChar(CP_THREAD_ACP, 0, &narrow, 1, &m_table[byte], 1) != 1)
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
    const int wideLength = length > 0 ? MultiByteToWideChar(CP_THREAD_ACP, 0, source, length, target, length) : 0;
    if (wideLength == length)
        return converted;
    BStr shorter(SysAllocStringLen(converted.Get(), prefixLength + wideLength));
    if (!shorter.Get())
        throw std::bad_alloc();
    return shorter;
}

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
