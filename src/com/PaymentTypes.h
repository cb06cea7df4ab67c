// Values the payment service shares with its dialog, its line writers and
// its host: formats, per-payment status codes, run statuses, the limit.
#pragma once

// The payment file's format, as chosen in the payment dialog.
enum PaymentFormat
{
    StandardDomestic = 0,
    TemplateDomestic = 1,
    BulkList = 2,
    AdHocBulk = 3,
};

// The code each payment carries back to the host; its text is string
// resource 300 + code.
enum PaymentStatusCode
{
    StatusProcessed = 0,
    StatusBatchRejected = 20,
    StatusInvalidAmount = 21,
    StatusInvalidPayerBacsReference = 22,
    StatusInvalidPayerSortCode = 23,
    StatusInvalidPayerAccountNumber = 24,
    StatusInvalidPayerAccountName = 25,
    StatusInvalidPayerRollNumber = 26,
    StatusInvalidPayeeBacsReference = 27,
    StatusInvalidPayeeSortCode = 28,
    StatusInvalidPayeeAccountNumber = 29,
    StatusInvalidPayeeAccountName = 30,
    StatusInvalidPayeeRollNumber = 31,
    StatusInvalidReference = 32,
    StatusInvalidDetails = 33,
    StatusInvalidCurrency = 34,
    StatusFieldError = 35,
};

// Before a run the status code doubles as the Inter Account Transfer flag:
// the dialog sets it on the payments the user marks; nonzero means IAT.
const long IatMark = 1;

// The outcome of the last payment run, kept in the payment service's status.
enum PaymentRunStatus
{
    RunSucceeded = 0,
    RunHasInvalidPayments = 1,
    RunFileFailed = 2,
    RunCancelled = 3,
    RunTooManyPayments = 40,
};

const long MaximumPayments = 4000;

// What the payment dialog lets the user type, and what the payment file keeps
// of it, in characters.
const int TemplateNameWidth = 20;
const int BeneficiaryReferenceWidth = 18;
