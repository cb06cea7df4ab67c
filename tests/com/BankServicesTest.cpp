#include <gtest/gtest.h>

#include "module/ClassTable.h"
#include "com/ComHolders.h"
#include "payments/BankPaymentService.h"
#include "support/PostedError.h"

namespace
{
const HRESULT InvalidArgument = static_cast<HRESULT>(0x800AFFFC);

std::wstring NameOf(IVornBankService* service)
{
    BStr name;
    service->GetName(name.Out());
    return name.Text();
}

std::wstring NameAt(CBankServices& list, LONG position)
{
    ComPtr<IVornBankService> service;
    EXPECT_EQ(S_OK, list.GetItemAt(position, service.Out()));
    return service ? NameOf(service.Get()) : L"<none>";
}

LONG CountOf(CBankServices& list)
{
    LONG count = -1;
    list.GetCount(&count);
    return count;
}

LONG References(IUnknown* object)
{
    object->AddRef();
    return static_cast<LONG>(object->Release());
}

class BankServicesList : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, CreateComObject(list)); }
    ComPtr<CBankServices> list;
};
}

TEST_F(BankServicesList, AddAndRemoveHoldAndReleaseTheirReferences)
{
    ComPtr<CBankPaymentService> extra;
    ASSERT_EQ(S_OK, CreateComObject(extra));
    IVornBankService* service = static_cast<IBankPaymentService*>(extra.Get());
    const LONG before = References(service);

    ASSERT_EQ(S_OK, list->Add(service));
    EXPECT_EQ(before + 1, References(service));
    EXPECT_EQ(3, CountOf(*list.Get()));

    ASSERT_EQ(S_OK, list->Remove(2));
    EXPECT_EQ(before, References(service));
    EXPECT_EQ(2, CountOf(*list.Get()));
}

TEST_F(BankServicesList, RemoveClosesTheGapAndRefusesPositionsOutside)
{
    ClearPostedError();
    EXPECT_EQ(InvalidArgument, list->Remove(2));
    EXPECT_EQ(L"Invalid argument", TakePostedError().description);
    EXPECT_EQ(InvalidArgument, list->Remove(-1));

    ASSERT_EQ(S_OK, list->Remove(0));
    EXPECT_EQ(1, CountOf(*list.Get()));
    EXPECT_EQ(L"Bank Reconciliation Service", NameAt(*list.Get(), 0));
}

TEST_F(BankServicesList, ClearEmptiesTheListAndItCanBeFilledAgain)
{
    ComPtr<IVornBankService> kept;
    ASSERT_EQ(S_OK, list->GetItemAt(0, kept.Out()));
    ASSERT_EQ(S_OK, list->Clear());
    EXPECT_EQ(0, CountOf(*list.Get()));
    EXPECT_EQ(1, References(kept.Get()));

    ASSERT_EQ(S_OK, list->Add(kept.Get()));
    EXPECT_EQ(L"Bank Payment Service", NameAt(*list.Get(), 0));
}

TEST_F(BankServicesList, OwnOperationsCheckTheirArguments)
{
    EXPECT_EQ(InvalidArgument, list->Add(nullptr));
    EXPECT_EQ(InvalidArgument, list->GetItemAt(0, nullptr));
    EXPECT_EQ(InvalidArgument, list->GetTag(nullptr));
    IVornBankService* untouched = nullptr;
    EXPECT_EQ(InvalidArgument, list->GetItemAt(2, &untouched));
    EXPECT_EQ(nullptr, untouched);

    LONG tag = -1;
    ASSERT_EQ(S_OK, list->GetTag(&tag));
    EXPECT_EQ(0, tag);
    EXPECT_EQ(S_OK, list->SetTag(77));
    ASSERT_EQ(S_OK, list->GetTag(&tag));
    EXPECT_EQ(77, tag);
}
