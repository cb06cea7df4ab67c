// One line of the payment file on its fixed grid of comma-separated fields,
// most of them empty. Fields are numbered from 1.
#pragma once

#include <stdio.h>

#include "text/CString.h"

// The numbers of the fields that the payment file uses.
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

class CPaymentLine
{
public:
    static const int StandardFieldCount = 85;
    // The bulk list header is the one shorter line.
    static const int BulkListHeaderFieldCount = 80;

    explicit CPaymentLine(int fieldCount = StandardFieldCount);

    // A field outside the grid is refused with E_INVALIDARG.
    void Set(int field, const CString& value);

    // Writes the fields and "\n"; the file, opened in text mode, ends the line
    // with CR LF. Write errors are left to the caller's check of the file.
    void Write(FILE* file) const;

private:
    int m_fieldCount;
    CString m_fields[StandardFieldCount];
};
