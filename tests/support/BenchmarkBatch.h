// The batch the benchmarks time: as many plausible, valid payments as a run
// may take, with texts of realistic lengths.
#pragma once

#include "objects/FakePayments.h"

struct BenchmarkBatchOptions
{
    // Every seventh payment carries the IAT mark.
    bool iatMarks = false;
};

void AddBenchmarkPayments(FakePayments& payments, const BenchmarkBatchOptions& options = {});
