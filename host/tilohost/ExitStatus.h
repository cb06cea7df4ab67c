// The exit statuses of tilohost, on which a script can act.
#pragma once

#include <windows.h>

enum ExitStatus
{
    // The call succeeded and did all of it.
    ExitDone = 0,
    // The component's call (or a call on the way to it) failed, or the
    // run's report or log could not be written.
    ExitCallFailed = 1,
    // Bad usage or bad input: nothing was run.
    ExitBadInput = 2,
    // The user (or the robot's answers) cancelled.
    ExitCancelled = 3,
    // The payment run ended without a payment file.
    ExitNoPaymentFile = 4,
    // The payment file was written, with payments that failed their checks.
    ExitInvalidPayments = 5,
    // The import succeeded but took no line: the file holds none for the
    // host's account.
    ExitNothingImported = 6,
};

// From ProcessPayments' result, the run status it left and whether the
// payment file it reports is where the run put it.
ExitStatus PayExitStatus(HRESULT result, long runStatus, bool fileFound);

// From ImportStatement's result, the import status it left and the number
// of transactions the statement received.
ExitStatus ImportExitStatus(HRESULT result, long importStatus, long transactions);
