// The payment file's lines: the fixed grid of comma-separated fields, the
// writers of each record type, and the writing of a whole batch. Each writer
// writes exactly one line, checks the payment's fields as it writes them and
// leaves the payment's status code; it returns true when every check passed.
// A line is written in full whatever its checks say.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <stdio.h>

#include <vector>

#include "VornBankPayments.h"
#include "com/HostPayments.h"
#include "com/PaymentTypes.h"
#include "payments/PaymentRun.h"
#include "text/CString.h"
#include "text/TextNormalisers.h"

// The numbers (from 1) of the fields that the payment file uses.
enum PaymentField
{
    FieldRecordType = 4,
    FieldTemplate = 6,
    FieldBulkReference = 8,
    FieldFileName = 9,
    FieldPayerAccount = 13,
    FieldCurrency = 16,
    FieldAmount = 17,
    FieldProcessingDate = 19,
    FieldPayeeSortCode = 25,
    FieldPayeeAccountNumber = 31,
    FieldPayeeName = 33,
    FieldReference = 37,
    FieldIatReference = 40,
    FieldBulkListMarker = 74,
};

// One line of the payment file on its fixed grid of comma-separated fields,
// most of them empty, built in one buffer as its fields are given.
class CPaymentLine
{
public:
    static const int StandardFieldCount = 85;
    // The bulk list header is the one shorter line.
    static const int BulkListHeaderFieldCount = 80;

    explicit CPaymentLine(int fieldCount = StandardFieldCount);

    // Fields are given in the order of the grid, each at most once. A field
    // outside the grid, or one at or before a field already given, is refused
    // with E_INVALIDARG.
    void Set(int field, const char* text, int length);
    void Set(int field, const CFieldText& value) { Set(field, value.GetString(), value.GetLength()); }
    void Set(int field, const char* text) { Set(field, text, lstrlenA(text)); }

    // Writes the fields and the line end, CR LF (the file is opened in
    // binary mode: no runtime translates what is written). Write errors are
    // left to the caller's check of the file.
    void Write(FILE* file);

private:
    // Room for every field at its longest value and the separators.
    static const int Capacity = 1024;

    // Separators up to the start of `field`.
    void MoveTo(int field);

    int m_fieldCount;
    int m_field = 1;
    int m_length = 0;
    char m_text[Capacity];
};

// The writers. The file and the payment are required (E_INVALIDARG).

// Record "01", or "03" for a payment whose status code marks it as an IAT
// (formats 0 and 1); record "07" in format 2. Other formats: E_INVALIDARG.
bool WritePaymentLine(FILE* file, DATE processingDate, PaymentFormat format, const CString& templateName,
                      const CHostPayment& payment);

// Record "06", the header of a bulk list file, from the batch's first payment.
bool WriteBulkListHeader(FILE* file, const CHostPayment& first, DATE processingDate, const CString& templateName,
                         const CString& beneficiaryReference);

// Record "08", the header of an ad hoc bulk file, from the batch's first
// payment; it names the file chosen in the save dialog.
bool WriteAdHocBulkHeader(FILE* file, DATE processingDate, const CString& beneficiaryReference,
                          const char* chosenPath, const CHostPayment& first);

// Record "09", one payment of an ad hoc bulk file.
bool WriteAdHocBulkLine(FILE* file, const CHostPayment& payment);

// What the user chose in the payment dialog.
struct PaymentChoices
{
    DATE processingDate = 0;
    CString templateName;
    CString beneficiaryReference;
    PaymentFormat format = StandardDomestic;
};

// Writes a batch into the open payment file: the header line of the bulk
// formats, then one line per payment in the host's order, for the first
// `count` payments. Sets `status` as the lines go: RunHasInvalidPayments when
// a line fails its checks (and, for the header, no payment line follows);
// RunFileFailed when a write fails, which ends the writing. A failed host
// call is raised. Gives S_FALSE when a line failed its checks, otherwise
// S_OK. An empty batch gets no header. `begun` receives every payment whose
// line (or header) was begun, also when the writing ends early, so that a
// run that fails can take back the codes it set.
HRESULT WritePaymentBatch(CPaymentFile& file, IVornPayments* payments, long count,
                          const PaymentChoices& choices, const char* chosenPath, LONG& status,
                          std::vector<CHostPayment>& begun);
