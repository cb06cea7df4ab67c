// The payment dialog's list: one row per payment of the host's collection,
// with the payee's details, the amount and whether the payment is marked as
// an Inter Account Transfer.
#pragma once

#include "VornBankPayments.h"
#include "dialog/ListView.h"

// The seven columns, in order: "Sort Code", "Acc. Number", "Name", "Amount",
// "Reference", "Details", "Is IAT".
void InsertPaymentColumns(CListView& list);

// Adds the payment's row after the last one; the row's item data is the
// payment's index in the collection.
void AddPaymentRow(CListView& list, IVornPayment* payment, long index);
