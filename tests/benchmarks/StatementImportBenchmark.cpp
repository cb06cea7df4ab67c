// Imports a generated statement of 100,000 lines of one account through COM,
// as the host does: the registered statement service, the registered
// stand-in host choosing the file, and a host statement that only counts or
// one that does nothing at all. Prints lines and megabytes per second, the
// process's peak memory, and how the import compares with a loop that only
// reads the same file's lines, one line per layout in the form
//   import full layout, no-op host: 52.1 ms, bare read 11.9 ms, ratio 4.4
#include <windows.h>
#include <ole2.h>
#include <psapi.h>

#include <stdio.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "VornBankReconciliation.h"
#include "objects/FakeBanking.h"
#include "objects/FakeStatement.h"
#include "standin/StandInControl.h"
#include "support/StatementFiles.h"

namespace
{
const int LineCount = 100000;
const int Repetitions = 7;
const wchar_t StatementServiceProgId[] = L"VornTiloOnline.BankStatementService.1";

// The stand-in host's control functions, from the DLL that COM loaded from
// its registration (this program lives apart from it, so it cannot import
// them).
struct StandInControl
{
    decltype(&StandInReset) reset = nullptr;
    decltype(&StandInSetStatementFileChoice) setChoice = nullptr;
    ComPtr<IUnknown> keepLoaded;

    bool Load()
    {
        if (FAILED(CoCreateInstance(CLSID_VornStatementFileSelector, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                                    keepLoaded.OutVoid())))
            return false;
        HMODULE module = GetModuleHandleA("VornHostStandIn.dll");
        if (!module)
            return false;
        reset = reinterpret_cast<decltype(reset)>(reinterpret_cast<void*>(GetProcAddress(module, "StandInReset")));
        setChoice = reinterpret_cast<decltype(setChoice)>(
            reinterpret_cast<void*>(GetProcAddress(module, "StandInSetStatementFileChoice")));
        return reset && setChoice;
    }
};

StandInControl g_standIn;

// A transaction that takes every value and keeps none.
class NoOpTransaction : public FakeTransaction
{
public:
    NoOpTransaction() : FakeTransaction(std::make_shared<StatementCallLog>(), 0) {}

    STDMETHODIMP SetNumber(VARIANT*) override { return S_OK; }
    STDMETHODIMP SetDate(double) override { return S_OK; }
    STDMETHODIMP SetReference(BSTR) override { return S_OK; }
    STDMETHODIMP SetDirection(long) override { return S_OK; }
    STDMETHODIMP SetDescription(BSTR) override { return S_OK; }
    STDMETHODIMP SetAmount(double) override { return S_OK; }
};

// A statement that hands out one transaction object over and over and keeps
// nothing: what is left is the component's own work.
class NoOpStatement : public HostObject<IVornStatement>
{
public:
    int addCalls = 0;

    STDMETHODIMP GetTransactionCount(long*) override { return Unexpected("GetTransactionCount"); }
    STDMETHODIMP GetTransaction(long, IVornTransaction**) override { return Unexpected("GetTransaction"); }
    STDMETHODIMP AddTransaction(IVornTransaction** item) override
    {
        ++addCalls;
        *item = m_transaction.CopyOut();
        return S_OK;
    }
    STDMETHODIMP ClearTransactions() override { return S_OK; }
    STDMETHODIMP GetStatementDate(DATE*) override { return Unexpected("GetStatementDate"); }
    STDMETHODIMP GetStatementBalance(double*) override { return Unexpected("GetStatementBalance"); }
    STDMETHODIMP SetStatementBalance(double) override { return S_OK; }

private:
    ComPtr<NoOpTransaction> m_transaction = MakeHostObject<NoOpTransaction>();
};

double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / frequency.QuadPart;
}

// A line as the bank exports it: varied dates, narratives, types and
// amounts; a cheque now and then.
StatementLineFields GeneratedLine(int index)
{
    static const char* const types[] = {"BGC", "DDR", "TFR", "FPO", "FPI", "CHQ", "POS", "ATM"};
    char text[64];
    StatementLineFields fields;
    fields.sortCode = "203040";
    fields.accountNumber = "41234567";
    snprintf(text, sizeof text, "%02d/%02d/%04d", 1 + index % 28, 1 + (index / 28) % 12, 2010 + index % 5);
    fields.date = text;
    fields.type = types[index % 8];
    if (fields.type == "CHQ")
    {
        snprintf(text, sizeof text, "%06d", 100000 + index % 900000);
        fields.narratives = {text, "PAID TO SUPPLIER"};
    }
    else
    {
        snprintf(text, sizeof text, "\"PAYEE %d, LONDON\"", index % 977);
        fields.narratives = {text, "REF INV-2013", "", "GBP", "MARKET STREET"};
    }
    snprintf(text, sizeof text, "%d.%02d", 1 + index % 4999, index % 100);
    (index % 3 ? fields.debit : fields.credit) = text;
    return fields;
}

std::string WriteStatement(bool fullLayout, long long& bytes)
{
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "bst", 0, path);
    std::ofstream file(path, std::ios::binary);
    file << HeaderLine(fullLayout ? 18 : 14) << "\r\n";
    for (int index = 0; index < LineCount; ++index)
    {
        const StatementLineFields fields = GeneratedLine(index);
        file << (fullLayout ? FullStatementLine(fields) : ShortStatementLine(fields)) << "\r\n";
    }
    bytes = static_cast<long long>(file.tellp());
    return path;
}

// The baseline: the same file's lines read and nothing else done.
double ReadLinesOnly(const std::string& path, long& lines)
{
    const double start = Now();
    std::ifstream file(path, std::ios::binary);
    std::string line;
    lines = 0;
    while (std::getline(file, line))
        ++lines;
    return Now() - start;
}

void PrintPeakMemory(const char* when)
{
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    printf("  peak memory %-22s working set %.1f MB, pagefile %.1f MB\n", when,
           counters.PeakWorkingSetSize / (1024.0 * 1024.0), counters.PeakPagefileUsage / (1024.0 * 1024.0));
}

// The best of the repetitions of one import into a fresh statement of the
// kind given; false when an import failed or gave too few transactions.
template <class Statement, class Prepare>
bool BestImport(IVornBankStatementService* service, IVornBankContext* context, const char* name, Prepare prepare,
                double& best)
{
    bool complete = true;
    for (int repetition = 0; repetition < Repetitions; ++repetition)
    {
        ComPtr<Statement> statement = MakeHostObject<Statement>();
        prepare(*statement.Get());
        const double start = Now();
        const HRESULT result = service->ImportStatement(context, statement.Get());
        const double seconds = Now() - start;
        if (FAILED(result) || statement->addCalls != LineCount)
        {
            printf("%s: import gave 0x%08lX with %d transactions\n", name, static_cast<unsigned long>(result),
                   statement->addCalls);
            complete = false;
        }
        if (repetition == 0 || seconds < best)
            best = seconds;
    }
    return complete;
}

bool Measure(const char* name, bool fullLayout, IVornBankStatementService* service)
{
    long long bytes = 0;
    const std::string path = WriteStatement(fullLayout, bytes);
    g_standIn.setChoice(path.c_str(), 0);
    ComPtr<FakeBankContext> context = FakeBankContext::WithAccount(L"20-30-40", L"41234567");

    double recording = 0.0;
    double noOp = 0.0;
    bool complete = BestImport<FakeStatement>(service, context.Get(), name,
                                              [](FakeStatement& statement) { statement.RecordCalls(false); },
                                              recording);
    complete = BestImport<NoOpStatement>(service, context.Get(), name, [](NoOpStatement&) {}, noOp) && complete;

    long lines = 0;
    double reading = ReadLinesOnly(path, lines);
    for (int repetition = 1; repetition < Repetitions; ++repetition)
        reading = std::min(reading, ReadLinesOnly(path, lines));
    DeleteFileA(path.c_str());

    printf("%-12s %d lines, %.1f MB, best of %d: %.3f s: %.0f lines/s, %.2f MB/s (recording host)\n", name,
           LineCount, bytes / (1024.0 * 1024.0), Repetitions, recording, LineCount / recording,
           bytes / recording / (1024.0 * 1024.0));
    printf("import %s, no-op host: %.1f ms, bare read %.1f ms, ratio %.1f\n", name, noOp * 1000.0, reading * 1000.0,
           noOp / reading);
    PrintPeakMemory("after the imports:");
    return complete;
}
}

int main()
{
    OleInitialize(nullptr);
    bool complete = false;
    {
        PrintPeakMemory("at the start:");
        ComPtr<IVornBankStatementService> service;
        CLSID clsid;
        if (!g_standIn.Load())
        {
            printf("The stand-in host is not registered.\n");
        }
        else if (FAILED(CLSIDFromProgID(StatementServiceProgId, &clsid)) ||
                 FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IVornBankStatementService,
                                         service.OutVoid())))
        {
            printf("The statement service is not registered.\n");
        }
        else
        {
            g_standIn.reset();
            complete = Measure("full layout", true, service.Get());
            complete = Measure("short layout", false, service.Get()) && complete;
            g_standIn.reset();
        }
        g_standIn = StandInControl();
    }
    OleUninitialize();
    return complete ? 0 : 1;
}
