#include "dialog/PaymentRows.h"

#include <commctrl.h>

#include <cstdio>

#include "com/HostPayments.h"

namespace
{
struct Column
{
    const char* header;
    int width;
    int alignment;
};

const Column PaymentColumns[] = {
    {"Sort Code", 65, LVCFMT_LEFT},  {"Acc. Number", 80, LVCFMT_LEFT}, {"Name", 95, LVCFMT_LEFT},
    {"Amount", 70, LVCFMT_RIGHT},    {"Reference", 90, LVCFMT_LEFT},   {"Details", 110, LVCFMT_LEFT},
    {"Is IAT", 50, LVCFMT_LEFT},
};

enum ColumnIndex
{
    SortCodeColumn,
    AccountNumberColumn,
    NameColumn,
    AmountColumn,
    ReferenceColumn,
    DetailsColumn,
    IatColumn,
};

// Longest text each column shows.
const int SortCodeLength = 10;
const int AccountNumberLength = 29;
const int NameLength = 31;
const int ReferenceLength = 31;
const int DetailsLength = 254;

void SetColumnText(CListView& list, int row, int column, IVornPayment* payment, PaymentTextGetter getter,
                   int maxLength)
{
    list.SetText(row, column, ReadPaymentText(payment, getter).Left(maxLength).GetString());
}
}

void InsertPaymentColumns(CListView& list)
{
    int column = 0;
    for (const Column& each : PaymentColumns)
        list.InsertColumn(column++, each.header, each.width, each.alignment);
}

void AddPaymentRow(CListView& list, IVornPayment* payment, long index)
{
    const CString sortCode = ReadPaymentText(payment, &IVornPayment::GetPayeeSortCode).Left(SortCodeLength);
    const int row = list.AddRow(sortCode.GetString(), index);
    if (row < 0)
        return;
    SetColumnText(list, row, AccountNumberColumn, payment, &IVornPayment::GetPayeeAccountNumber,
                  AccountNumberLength);
    SetColumnText(list, row, NameColumn, payment, &IVornPayment::GetPayeeAccountName, NameLength);
    char amount[64];
    snprintf(amount, sizeof amount, "%.2f", ReadPaymentAmount(payment));
    list.SetText(row, AmountColumn, amount);
    SetColumnText(list, row, ReferenceColumn, payment, &IVornPayment::GetPayeeReference, ReferenceLength);
    SetColumnText(list, row, DetailsColumn, payment, &IVornPayment::GetDetails, DetailsLength);
    list.SetText(row, IatColumn, ReadPaymentStatusCode(payment) != 0 ? "Yes" : "No");
}
