#include "statements/ColumnIndex.h"

CArray<int>& ColumnIndex()
{
    // Grows by doubling.
    static CArray<int> table(0);
    return table;
}
