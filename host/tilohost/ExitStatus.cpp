#include "tilohost/ExitStatus.h"

#include "com/PaymentTypes.h"

ExitStatus PayExitStatus(HRESULT result, long runStatus, bool fileFound)
{
    if (FAILED(result))
        return ExitCallFailed;
    switch (runStatus)
    {
    case RunSucceeded:
        return fileFound ? ExitDone : ExitNoPaymentFile;
    case RunHasInvalidPayments:
        return fileFound ? ExitInvalidPayments : ExitNoPaymentFile;
    case RunCancelled:
        return ExitCancelled;
    case RunFileFailed:
    case RunTooManyPayments:
        return ExitNoPaymentFile;
    default:
        // A status the component never leaves: nothing can be promised.
        return ExitCallFailed;
    }
}

ExitStatus ImportExitStatus(HRESULT result, long importStatus, long transactions)
{
    if (FAILED(result))
        return ExitCallFailed;
    switch (importStatus)
    {
    case 0:
        return transactions > 0 ? ExitDone : ExitNothingImported;
    case 1:
        return ExitCancelled;
    default:
        return ExitCallFailed;
    }
}
