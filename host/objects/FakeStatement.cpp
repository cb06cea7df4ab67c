#include "objects/FakeStatement.h"

#include <stdio.h>

#include "common/CodePageText.h"

namespace
{
StatementCall ValueCall(StatementOperation operation, double value)
{
    StatementCall call{operation};
    call.value = value;
    return call;
}

StatementCall IntegerCall(StatementOperation operation, long value)
{
    StatementCall call{operation};
    call.integer = value;
    return call;
}

StatementCall TextCall(StatementOperation operation, const std::wstring& text)
{
    StatementCall call{operation};
    call.text = text;
    return call;
}

const char* OperationName(StatementOperation operation)
{
    switch (operation)
    {
    case StatementOperation::ClearTransactions: return "ClearTransactions";
    case StatementOperation::SetStatementBalance: return "SetStatementBalance";
    case StatementOperation::AddTransaction: return "AddTransaction";
    case StatementOperation::SetNumber: return "SetNumber";
    case StatementOperation::SetDate: return "SetDate";
    case StatementOperation::SetDirection: return "SetDirection";
    case StatementOperation::SetAmount: return "SetAmount";
    case StatementOperation::SetDescription: return "SetDescription";
    case StatementOperation::SetReference: return "SetReference";
    }
    return "?";
}

std::string Number(double value)
{
    char text[64];
    snprintf(text, sizeof text, "%.15g", value);
    return text;
}

std::wstring TextOf(BSTR value)
{
    return value ? std::wstring(value, SysStringLen(value)) : std::wstring();
}
}

std::string DescribeCall(const StatementCall& call)
{
    std::string line;
    if (call.transaction && call.operation != StatementOperation::AddTransaction)
        line = "#" + std::to_string(call.transaction) + " ";
    line += OperationName(call.operation);
    switch (call.operation)
    {
    case StatementOperation::ClearTransactions:
        break;
    case StatementOperation::AddTransaction:
        line += call.transaction ? " #" + std::to_string(call.transaction) : std::string(" (none)");
        break;
    case StatementOperation::SetNumber:
        line += call.numberType == VT_I4 ? " VT_I4 " + std::to_string(call.integer)
                                         : " VT=" + std::to_string(call.numberType);
        break;
    case StatementOperation::SetDirection:
        line += " " + std::to_string(call.integer);
        break;
    case StatementOperation::SetDescription:
    case StatementOperation::SetReference:
        line += " \"" + CodePageFromWide(CP_ACP, call.text) + "\"";
        break;
    default:
        line += " " + Number(call.value);
        break;
    }
    return line;
}

void FakeTransaction::Record(StatementCall call)
{
    call.transaction = m_index;
    if (m_log->enabled)
        m_log->calls.push_back(std::move(call));
}

STDMETHODIMP FakeTransaction::SetNumber(VARIANT* value)
{
    if (!value)
        return Unexpected("SetNumber with no VARIANT");
    if (const HRESULT failure = ServeHostCall("IVornTransaction::SetNumber"))
        return failure;
    numberType = value->vt;
    number = value->vt == VT_I4 ? value->lVal : 0;
    StatementCall call{StatementOperation::SetNumber};
    call.numberType = numberType;
    call.integer = number;
    Record(std::move(call));
    return S_OK;
}

STDMETHODIMP FakeTransaction::SetDate(double value)
{
    if (const HRESULT failure = ServeHostCall("IVornTransaction::SetDate"))
        return failure;
    date = value;
    Record(ValueCall(StatementOperation::SetDate, value));
    return S_OK;
}

STDMETHODIMP FakeTransaction::SetDirection(long value)
{
    if (const HRESULT failure = ServeHostCall("IVornTransaction::SetDirection"))
        return failure;
    direction = value;
    Record(IntegerCall(StatementOperation::SetDirection, value));
    return S_OK;
}

STDMETHODIMP FakeTransaction::SetAmount(double value)
{
    if (const HRESULT failure = ServeHostCall("IVornTransaction::SetAmount"))
        return failure;
    amount = value;
    Record(ValueCall(StatementOperation::SetAmount, value));
    return S_OK;
}

STDMETHODIMP FakeTransaction::SetDescription(BSTR value)
{
    if (const HRESULT failure = ServeHostCall("IVornTransaction::SetDescription"))
        return failure;
    description = TextOf(value);
    Record(TextCall(StatementOperation::SetDescription, description));
    return S_OK;
}

STDMETHODIMP FakeTransaction::SetReference(BSTR value)
{
    if (const HRESULT failure = ServeHostCall("IVornTransaction::SetReference"))
        return failure;
    reference = TextOf(value);
    Record(TextCall(StatementOperation::SetReference, reference));
    return S_OK;
}

FakeStatement::FakeStatement() : m_log(std::make_shared<StatementCallLog>()) {}

void FakeStatement::Record(StatementCall call)
{
    if (m_log->enabled)
        m_log->calls.push_back(std::move(call));
}

void FakeStatement::FinishTransactions()
{
    if (!m_open)
        return;
    const ComPtr<FakeTransaction> done = std::move(m_open);
    if (transactionDone)
        transactionDone(*done.Get());
}

std::vector<std::string> FakeStatement::DescribedCalls() const
{
    std::vector<std::string> lines;
    for (const StatementCall& call : m_log->calls)
        lines.push_back(DescribeCall(call));
    return lines;
}

STDMETHODIMP FakeStatement::AddTransaction(IVornTransaction** item)
{
    if (!item)
        return Unexpected("AddTransaction with no out-pointer");
    *item = nullptr;
    if (const HRESULT failure = ServeHostCall("IVornStatement::AddTransaction"))
        return failure;
    if (beforeAddTransaction)
        beforeAddTransaction();
    FinishTransactions();
    ++addCalls;
    StatementCall call{StatementOperation::AddTransaction};
    if (objectsToGive >= 0 && addCalls > objectsToGive)
    {
        Record(std::move(call));
        return noObjectResult;
    }
    // Numbered by the count of calls, so a long run need not keep them.
    ComPtr<FakeTransaction> transaction = MakeHostObject<FakeTransaction>(m_log, addCalls);
    call.transaction = addCalls;
    Record(std::move(call));
    *item = transaction.CopyOut();
    if (transactionDone)
        m_open = transaction;
    if (m_log->enabled)
        transactions.push_back(std::move(transaction));
    return S_OK;
}

STDMETHODIMP FakeStatement::ClearTransactions()
{
    if (const HRESULT failure = ServeHostCall("IVornStatement::ClearTransactions"))
        return failure;
    FinishTransactions();
    ++clearCalls;
    transactions.clear();
    const StatementCall call{StatementOperation::ClearTransactions};
    if (statementCalled)
        statementCalled(call);
    Record(call);
    return S_OK;
}

STDMETHODIMP FakeStatement::SetStatementBalance(double value)
{
    if (const HRESULT failure = ServeHostCall("IVornStatement::SetStatementBalance"))
        return failure;
    FinishTransactions();
    balance = value;
    const StatementCall call = ValueCall(StatementOperation::SetStatementBalance, value);
    if (statementCalled)
        statementCalled(call);
    Record(call);
    return S_OK;
}
