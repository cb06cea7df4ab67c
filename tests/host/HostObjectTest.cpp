// The host's recording objects as COM objects, and the record of the calls
// they do not serve, which fails any test that makes one.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "objects/FakePayments.h"
#include "objects/FakeStatement.h"
#include "support/UnexpectedHostCalls.h"

namespace
{
// A stray call, then the check that the test main runs after each test.
void StrayCallChecked()
{
    ComPtr<FakePayment> payment = MakeHostObject<FakePayment>();
    payment->SetAmount(1.0);
    payment->SetCurrency(nullptr);
    UnexpectedHostCallCheck().OnTestEnd(*testing::UnitTest::GetInstance()->current_test_info());
}
}

TEST(HostObject, AnswersToItsOwnInterfaceAndIDispatchAndRefusesOthersWithANullPointer)
{
    ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();
    EXPECT_EQ(1, statement->RefCount());
    ComPtr<IUnknown> identity;
    ComPtr<IDispatch> dispatch;
    ComPtr<IVornStatement> own;
    ASSERT_EQ(S_OK, statement->QueryInterface(IID_IUnknown, identity.OutVoid()));
    ASSERT_EQ(S_OK, statement->QueryInterface(IID_IDispatch, dispatch.OutVoid()));
    ASSERT_EQ(S_OK, statement->QueryInterface(IID_IVornStatement, own.OutVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(own.Get()), identity.Get());
    EXPECT_EQ(4, statement->RefCount());

    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, statement->QueryInterface(IID_IVornTransaction, &refused));
    EXPECT_EQ(nullptr, refused);
    EXPECT_EQ(E_POINTER, statement->QueryInterface(IID_IVornStatement, nullptr));
    EXPECT_EQ(4, statement->RefCount());
}

TEST(HostObject, ACallItDoesNotServeIsAnsweredNotImplementedAndRecordedWithItsInterface)
{
    ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();
    ComPtr<IVornTransaction> transaction;
    ASSERT_EQ(S_OK, statement->AddTransaction(transaction.Out()));
    const ExpectUnexpectedHostCalls expected(
        {"IVornStatement::GetStatementDate", "IVornTransaction::SetPayee", "IVornTransaction::Invoke"});
    DATE date = 0;
    EXPECT_EQ(E_NOTIMPL, statement->GetStatementDate(&date));
    EXPECT_EQ(E_NOTIMPL, transaction->SetPayee(nullptr));
    EXPECT_EQ(E_NOTIMPL, transaction->Invoke(1, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr));
}

// A host that shows transactions as they come gets each once, complete,
// and in order, and keeps none of them.
TEST(HostObject, AStatementThatKeepsNothingHandsOverEachTransactionOnceItsSettersHaveRun)
{
    ComPtr<FakeStatement> statement = MakeHostObject<FakeStatement>();
    statement->RecordCalls(false);
    std::vector<std::string> seen;
    statement->statementCalled = [&](const StatementCall& call) { seen.push_back(DescribeCall(call)); };
    statement->transactionDone = [&](const FakeTransaction& done) {
        seen.push_back("done " + std::to_string(done.number) + " " + std::to_string(done.amount));
    };
    ASSERT_EQ(S_OK, statement->ClearTransactions());
    ASSERT_EQ(S_OK, statement->SetStatementBalance(0.0));
    for (long number : {1, 2})
    {
        ComPtr<IVornTransaction> transaction;
        ASSERT_EQ(S_OK, statement->AddTransaction(transaction.Out()));
        VARIANT value;
        value.vt = VT_I4;
        value.lVal = number;
        ASSERT_EQ(S_OK, transaction->SetNumber(&value));
        ASSERT_EQ(S_OK, transaction->SetAmount(number * 1.5));
    }
    EXPECT_EQ(3u, seen.size()) << "the second waits for a later call";
    statement->FinishTransactions();
    statement->FinishTransactions();
    EXPECT_EQ((std::vector<std::string>{"ClearTransactions", "SetStatementBalance 0", "done 1 1.500000",
                                        "done 2 3.000000"}),
              seen);
    EXPECT_TRUE(statement->Calls().empty());
    EXPECT_TRUE(statement->transactions.empty());
}

TEST(UnexpectedHostCallCheck, FailsTheTestNamingEveryCallAndEmptiesTheRecord)
{
    EXPECT_NONFATAL_FAILURE(StrayCallChecked(), "2 call(s) on host objects that they do not serve (answered "
                                                "E_NOTIMPL):\n  IVornPayment::SetAmount\n  IVornPayment::SetCurrency");
    EXPECT_EQ(std::vector<std::string>(), UnexpectedHostCalls());
}
