#include "statements/StatementImport.h"

#include "com/ErrorReporting.h"
#include "statements/ChooseStatementFile.h"
#include "statements/HostAccount.h"
#include "statements/TransactionFile.h"
#include "statements/TransactionHandOver.h"

namespace
{
const LONG ImportRan = 0;
const LONG NoFileChosen = 1;

bool BelongsToAccount(const CTransactionRecord& record, const CString& bankSortCode,
                      const CString& bankAccountNumber)
{
    return record.GetSortCode() == bankSortCode && record.GetAccountNumber() == bankAccountNumber;
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
        LONG number = 1;
        while (file.ReadRecord(record))
        {
            if (BelongsToAccount(record, bankSortCode, bankAccountNumber))
                HandOverRecord(statement, record, number++);
        }
    }
    // A file that stops giving bytes before its end has not been read.
    const DWORD readError = file.ReadError();
    file.Close();
    if (readError != 0)
        throw readError;
}
