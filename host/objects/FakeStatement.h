// Recording objects of the host's statement and its transactions. The statement
// keeps one record of every call made on it and on the transactions it gave
// out, in the order they arrived, so a test (or the command-line host) can
// walk what a bank component handed over.
#pragma once

#include <functional>
#include <memory>

#include "VornBankReconciliation.h"
#include "objects/HostObject.h"

enum class StatementOperation
{
    ClearTransactions,
    SetStatementBalance,
    AddTransaction,
    SetNumber,
    SetDate,
    SetDirection,
    SetAmount,
    SetDescription,
    SetReference
};

struct StatementCall
{
    StatementOperation operation;
    // The transaction the call went to: the number of the statement's
    // AddTransaction call that gave it, counted from 1 (for AddTransaction:
    // the one it gave, 0 when it gave none); 0 for the statement's own
    // calls.
    int transaction = 0;
    // SetStatementBalance, SetDate, SetAmount.
    double value = 0.0;
    // SetDirection's direction; SetNumber's VARIANT type and its value as
    // a 32-bit integer (0 when it is not VT_I4).
    long integer = 0;
    VARTYPE numberType = VT_EMPTY;
    // SetDescription, SetReference (a null BSTR reads as empty).
    std::wstring text;
};

// One line for a call, e.g. `#2 SetNumber VT_I4 2`, `#2 SetAmount 25`,
// `#2 SetReference "CHQ"`, `SetStatementBalance 0`; texts in the ANSI code
// page, numbers with up to 15 significant digits.
std::string DescribeCall(const StatementCall& call);

// Shared by a statement and the transactions it gave out, which may
// outlive it.
struct StatementCallLog
{
    bool enabled = true;
    std::vector<StatementCall> calls;
};

class FakeTransaction : public HostObject<IVornTransaction>
{
public:
    FakeTransaction(std::shared_ptr<StatementCallLog> log, int index) : m_log(std::move(log)), m_index(index) {}

    // What the last setters left.
    VARTYPE numberType = VT_EMPTY;
    long number = 0;
    double date = 0.0;
    long direction = -1;
    double amount = 0.0;
    std::wstring description;
    std::wstring reference;

    STDMETHODIMP GetStatementLine(long*) override { return Unexpected("GetStatementLine"); }
    STDMETHODIMP GetNumber(VARIANT*) override { return Unexpected("GetNumber"); }
    STDMETHODIMP SetNumber(VARIANT* value) override;
    STDMETHODIMP GetDate(double*) override { return Unexpected("GetDate"); }
    STDMETHODIMP SetDate(double value) override;
    STDMETHODIMP GetReference(BSTR*) override { return Unexpected("GetReference"); }
    STDMETHODIMP SetReference(BSTR value) override;
    STDMETHODIMP GetValueDate(double*) override { return Unexpected("GetValueDate"); }
    STDMETHODIMP SetValueDate(double) override { return Unexpected("SetValueDate"); }
    STDMETHODIMP GetDirection(long*) override { return Unexpected("GetDirection"); }
    STDMETHODIMP SetDirection(long value) override;
    STDMETHODIMP GetPayee(BSTR*) override { return Unexpected("GetPayee"); }
    STDMETHODIMP SetPayee(BSTR) override { return Unexpected("SetPayee"); }
    STDMETHODIMP GetCategory(BSTR*) override { return Unexpected("GetCategory"); }
    STDMETHODIMP SetCategory(BSTR) override { return Unexpected("SetCategory"); }
    STDMETHODIMP GetMemo(BSTR*) override { return Unexpected("GetMemo"); }
    STDMETHODIMP SetMemo(BSTR) override { return Unexpected("SetMemo"); }
    STDMETHODIMP GetChequeNumber(BSTR*) override { return Unexpected("GetChequeNumber"); }
    STDMETHODIMP SetChequeNumber(BSTR) override { return Unexpected("SetChequeNumber"); }
    STDMETHODIMP GetCleared(long*) override { return Unexpected("GetCleared"); }
    STDMETHODIMP SetCleared(long) override { return Unexpected("SetCleared"); }
    STDMETHODIMP GetMatched(long*) override { return Unexpected("GetMatched"); }
    STDMETHODIMP SetMatched(long) override { return Unexpected("SetMatched"); }
    STDMETHODIMP GetCurrency(BSTR*) override { return Unexpected("GetCurrency"); }
    STDMETHODIMP SetCurrency(BSTR) override { return Unexpected("SetCurrency"); }
    STDMETHODIMP GetAccountCode(BSTR*) override { return Unexpected("GetAccountCode"); }
    STDMETHODIMP SetAccountCode(BSTR) override { return Unexpected("SetAccountCode"); }
    STDMETHODIMP GetNotes(BSTR*) override { return Unexpected("GetNotes"); }
    STDMETHODIMP SetNotes(BSTR) override { return Unexpected("SetNotes"); }
    STDMETHODIMP GetDescription(BSTR*) override { return Unexpected("GetDescription"); }
    STDMETHODIMP SetDescription(BSTR value) override;
    STDMETHODIMP GetTag(long*) override { return Unexpected("GetTag"); }
    STDMETHODIMP SetTag(long) override { return Unexpected("SetTag"); }
    STDMETHODIMP GetExchangeRate(double*) override { return Unexpected("GetExchangeRate"); }
    STDMETHODIMP SetExchangeRate(double) override { return Unexpected("SetExchangeRate"); }
    STDMETHODIMP GetAmount(double*) override { return Unexpected("GetAmount"); }
    STDMETHODIMP SetAmount(double value) override;

private:
    void Record(StatementCall call);

    std::shared_ptr<StatementCallLog> m_log;
    int m_index;
};

class FakeStatement : public HostObject<IVornStatement>
{
public:
    FakeStatement();

    // Every call in order, the transactions' included. Turned off, neither
    // the calls nor the transactions are kept, only the counters below (for
    // long runs).
    void RecordCalls(bool on) { m_log->enabled = on; }
    const std::vector<StatementCall>& Calls() const { return m_log->calls; }
    // Each call as DescribeCall gives it.
    std::vector<std::string> DescribedCalls() const;

    // The transactions given out since the last ClearTransactions, in order,
    // with what their setters left.
    std::vector<ComPtr<FakeTransaction>> transactions;
    int clearCalls = 0;
    int addCalls = 0;
    double balance = -1.0;

    // AddTransaction gives an object for this many calls (negative: no
    // limit); after that it gives none and returns `noObjectResult`.
    int objectsToGive = -1;
    HRESULT noObjectResult = S_OK;

    // Runs at the start of every AddTransaction, before it is recorded: the
    // host's own work at that moment (another import, say).
    std::function<void()> beforeAddTransaction;

    // What arrives, as it arrives, for a host that shows it without keeping
    // it (with RecordCalls(false)): the statement's ClearTransactions and
    // SetStatementBalance calls, and each transaction given out once its
    // setters have run: when the next call on the statement arrives, or at
    // FinishTransactions.
    std::function<void(const StatementCall&)> statementCalled;
    std::function<void(const FakeTransaction&)> transactionDone;
    void FinishTransactions();

    STDMETHODIMP GetTransactionCount(long*) override { return Unexpected("GetTransactionCount"); }
    STDMETHODIMP GetTransaction(long, IVornTransaction**) override { return Unexpected("GetTransaction"); }
    STDMETHODIMP AddTransaction(IVornTransaction** item) override;
    STDMETHODIMP ClearTransactions() override;
    STDMETHODIMP GetStatementDate(DATE*) override { return Unexpected("GetStatementDate"); }
    STDMETHODIMP GetStatementBalance(double*) override { return Unexpected("GetStatementBalance"); }
    STDMETHODIMP SetStatementBalance(double value) override;

private:
    void Record(StatementCall call);

    std::shared_ptr<StatementCallLog> m_log;
    // The last transaction given out, while transactionDone waits for it.
    ComPtr<FakeTransaction> m_open;
};
