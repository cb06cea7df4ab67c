// Handing one statement line over to the host's statement as a transaction.
#pragma once

#include "VornBankReconciliation.h"
#include "statements/TransactionRecord.h"

// Adds a transaction to the statement and fills it: number (VT_I4), date,
// direction and amount, description, reference. An ordinary line gets its
// type code as reference and its combined narrative as description; a
// cheque ("CHQ" exactly) its first narrative as reference and "CHQ " and the
// combined narrative as description. The setters' results are not checked.
// Throws E_POINTER when the statement gives no transaction object.
void HandOverRecord(IVornStatement* statement, CTransactionRecord& record, LONG number);
