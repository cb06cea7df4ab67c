// The statement service: the common service operations, and the statement
// import behind ImportStatement: the user chooses a statement file through the
// host's file selection component, and every line of the host's bank account
// in it is added to the host's statement as a transaction.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VornBankReconciliation.h"
#include "VornEBanking.h"
#include "VornTiloOnline.h"
#include "com/BankServiceImpl.h"
#include "com/ComHolders.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"
#include "statements/TransactionFile.h"
#include "text/CString.h"

class CBankStatementService : public CSupportErrorInfoImpl<&IID_IBankStatementService>,
                              public IBankServiceImpl<IBankStatementService, &IID_IBankStatementService>,
                              public CComObjectRoot
{
public:
    CBankStatementService();

    VORN_IUNKNOWN_METHODS

    // No status texts: only the pointer is checked.
    STDMETHODIMP GetStatementStatusText(LONG code, BSTR* text) override;
    // The statement import: RunStatementImport below.
    STDMETHODIMP ImportStatement(IVornBankContext* context, IVornStatement* statement) override;

private:
    // The host account of the last import that could read it; empty at first.
    CString m_bankSortCode;
    CString m_bankAccountNumber;
};

// The whole run of ImportStatement. Refuses a missing context or statement
// with E_INVALIDARG before anything else; then sets the status value to 0,
// or to 1 when no file was chosen (the statement is then untouched). The
// rest is ImportStatementFile's. Failures of the host's components and
// objects are raised as host-call failures.
void RunStatementImport(IVornBankContext* context, IVornStatement* statement, LONG& status,
                        CString& bankSortCode, CString& bankAccountNumber);

// The part after the choice. The file is opened (one that cannot be is
// refused with the system's error code of the open, thrown as a Win32 error
// code) and read whole by the reader's rules; a file that breaks one is
// refused naming its line, and the host's statement is never called. Then
// the host account is read, the statement cleared and its balance set to
// 0.0, and the file's lines of that account added in their order, numbered
// from 1. A failed host call, or a read of the file that fails, ends the
// import; once the statement was cleared it is cleared again, so the host
// keeps no statement half filled.
void ImportStatementFile(const wchar_t* path, IVornBankContext* context, IVornStatement* statement,
                         CString& bankSortCode, CString& bankAccountNumber);

// The user's choice of a statement file, made by the host's file selection
// component with the component's recognition function: a path of at most 259
// characters and its NUL.
const int StatementPathSize = 260;

// True when a file was chosen, its path then in `path` as the host gave it;
// false when none was, `path` then empty. A chosen path too long for the
// buffer is refused with ERROR_FILENAME_EXCED_RANGE, thrown as a Win32 error
// code. A failure of the settings component or the file selection component
// (or of making either) is raised as a host-call failure.
bool ChooseStatementFile(wchar_t (&path)[StatementPathSize]);

// The texts of one import as the host gets them: BSTRs converted from the
// module's narrow strings with the calling thread's ANSI code page, as
// MultiByteToWideChar converts them, and which type codes are the cheque's.
// A single-byte code page is read once into a table, so each text is one
// allocation and one pass; each type code is compared with the cheque's once
// per import.
class CHostTexts
{
public:
    // From a UTF-8 file's texts, or from the ANSI code page's.
    explicit CHostTexts(bool utf8);

    // The text as a new BSTR, after the prefix when one is given. Throws
    // std::bad_alloc when the BSTR cannot be allocated.
    BStr ToHostText(const CString& text, const wchar_t* prefix = nullptr) const;
    BStr ToHostText(TextSpan text, const wchar_t* prefix = nullptr) const;

    // IsChequeType of the type code's BSTR.
    bool IsChequeType(TextSpan type);

private:
    // Type codes (at most this long) already compared, and their answers.
    static const int RememberedTypeLength = 3;
    static const int RememberedTypes = 16;
    struct TypeAnswer
    {
        char type[RememberedTypeLength];
        int length;
        bool cheque;
    };

    UINT m_codePage;
    bool m_singleByte = false;
    wchar_t m_table[256];
    TypeAnswer m_types[RememberedTypes] = {};
    int m_typeCount = 0;
};

// Hands one statement line over to the host's statement: adds a transaction
// to the statement and fills it: number (VT_I4), date, direction and amount,
// description, reference. An ordinary line gets its type code as reference
// and its combined narrative as description; a cheque ("CHQ" exactly) its
// first narrative as reference and "CHQ " and the combined narrative as
// description. Every call is checked: a failure, and a statement that gives
// no transaction object, are raised naming the call and the transaction.
void HandOverRecord(IVornStatement* statement, CTransactionRecord& record, LONG number, CHostTexts& texts);

// The host's bank account as the statement import keeps it: the digits of
// its sort code and its account number as given, stored in the service.
// Room for an account text converted from the host's BSTR, NUL included.
const int AccountTextSize = 32;

// Replaces the stored texts with the host account's. A failing call, and a
// context that gives no account, are raised as host-call failures: the
// lines of an account read before are never taken for another's. A null
// BSTR is the empty text; one holding a NUL before its end is refused. A
// text is converted with wcstombs and cut to its first 31 bytes; it ends
// before a character that the conversion cannot take.
void ReadHostAccount(IVornBankContext* context, CString& bankSortCode, CString& bankAccountNumber);

// The digits '0' to '9' of an account text, in their order; at most
// the first 31.
CString SortCodeDigits(const CString& text);

// The transaction type code of a cheque, "CHQ": one BSTR for the module's
// whole life, made when the module loads and freed when it unloads.
const wchar_t ChequeTypeText[] = L"CHQ";
// What a cheque's description begins with, before its combined narrative.
const wchar_t ChequeDescriptionPrefix[] = L"CHQ ";

void CreateChequeTypeCode();
void FreeChequeTypeCode();

// True only for a type exactly equal to the code: VarBstrCmp in the user's
// default locale with no flags, so case matters. Throws E_OUTOFMEMORY when
// the code could not be made at load, rather than miss every cheque.
bool IsChequeType(BSTR type);
