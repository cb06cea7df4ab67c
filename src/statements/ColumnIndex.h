// The reader's column index table: entry k holds the field position (counted
// from 1) of the k-th column of a transaction line. It is one table for the
// whole module, filled from the header of the file being imported and kept
// until the next import refills it.
#pragma once

#include "com/CArray.h"

CArray<int>& ColumnIndex();
