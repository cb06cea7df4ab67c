// The statement import run: the user chooses a statement file through the
// host, and every line of the host's bank account in it is added to the
// host's statement as a transaction.
#pragma once

#include "VornBankReconciliation.h"
#include "text/CString.h"

// The whole run of ImportStatement. Refuses a missing context or statement
// with E_INVALIDARG before anything else; then sets the status value to 0,
// or to 1 when no file was chosen (the statement is then untouched). A file
// that cannot be opened fails the run as ImportStatementFile says. The
// stored sort code and account number are replaced by the host account's
// where it can be read. Failures of the host's components are raised as
// host-call failures.
void RunStatementImport(IVornBankContext* context, IVornStatement* statement, LONG& status,
                        CString& bankSortCode, CString& bankAccountNumber);

// The part after the choice: opens the file, then clears the statement, sets
// its balance to 0.0, reads the host account, and adds the file's lines of
// that account in their order, numbered from 1. A file that cannot be opened
// is refused with the system's error code of the open, thrown as a Win32
// error code, before the statement is touched; a read of the file that fails
// on the way is thrown the same way after the lines read before it are
// added. A file that is no statement file adds nothing.
void ImportStatementFile(const wchar_t* path, IVornBankContext* context, IVornStatement* statement,
                         CString& bankSortCode, CString& bankAccountNumber);
