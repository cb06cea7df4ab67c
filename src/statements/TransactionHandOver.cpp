#include "statements/TransactionHandOver.h"

#include "com/ComHolders.h"
#include "statements/ChequeTypeCode.h"
#include "statements/HostText.h"

namespace
{
const LONG Debit = 0;
const LONG Credit = 1;
}

void HandOverRecord(IVornStatement* statement, CTransactionRecord& record, LONG number)
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

    const CString narrative = record.GetNarrative();
    transaction->SetDescription(ToHostText(narrative).Get());

    const BStr type = ToHostText(record.GetType());
    if (IsChequeType(type.Get()))
    {
        transaction->SetReference(ToHostText(record.GetFirstNarrative()).Get());
        const CString chequeDescription = CString(ChequeTypeText) + " " + narrative;
        transaction->SetDescription(ToHostText(chequeDescription).Get());
    }
    else
    {
        transaction->SetReference(type.Get());
    }
}
