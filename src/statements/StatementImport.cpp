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
    char path[StatementPathSize];
    if (!ChooseStatementFile(path))
    {
        status = NoFileChosen;
        return;
    }
    ImportStatementFile(path, context, statement, bankSortCode, bankAccountNumber);
}

void ImportStatementFile(const char* path, IVornBankContext* context, IVornStatement* statement,
                         CString& bankSortCode, CString& bankAccountNumber)
{
    statement->ClearTransactions();
    statement->SetStatementBalance(0.0);
    ReadHostAccount(context, bankSortCode, bankAccountNumber);

    CTransactionFile file(path, std::ios::in | std::ios::binary);
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
    file.Close();
}
