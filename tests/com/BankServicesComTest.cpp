#include <gtest/gtest.h>

#include "VornTiloOnline.h"
#include "support/ComponentObjects.h"
#include "support/PostedError.h"

namespace
{
const HRESULT InvalidArgument = static_cast<HRESULT>(0x800AFFFC);
const wchar_t PaymentName[] = L"Bank Payment Service";
const wchar_t StatementName[] = L"Bank Reconciliation Service";

std::wstring NameOf(IUnknown* object)
{
    ComPtr<IVornBankService> service;
    if (FAILED(object->QueryInterface(IID_IVornBankPaymentService, service.OutVoid())) &&
        FAILED(object->QueryInterface(IID_IVornBankStatementService, service.OutVoid())))
        return L"<not a service>";
    BStr name;
    return TextOf(service->GetName(name.Out()), name);
}

class BankServicesList : public testing::Test
{
protected:
    void SetUp() override { ASSERT_EQ(S_OK, CreateByProgId(L"VornTiloOnline.BankServices.1", IID_IBankServices, list)); }

    // The name of the service that GetItem gives for the index, or "<failed>".
    std::wstring ItemName(VARIANT* index)
    {
        ComPtr<IVornBankService> item;
        const HRESULT result = list->GetItem(index, item.Out());
        lastResult = result;
        return SUCCEEDED(result) ? NameOf(item.Get()) : L"<failed>";
    }

    std::wstring ItemNameAt(VARTYPE type, double value)
    {
        Variant index;
        V_VT(index.Get()) = VT_R8;
        V_R8(index.Get()) = value;
        if (type != VT_R8)
            VariantChangeType(index.Get(), index.Get(), 0, type);
        return ItemName(index.Get());
    }

    std::wstring ItemNamed(const wchar_t* name)
    {
        Variant index;
        V_VT(index.Get()) = VT_BSTR;
        V_BSTR(index.Get()) = SysAllocString(name);
        return ItemName(index.Get());
    }

    ComPtr<IEnumVARIANT> NewEnumerator()
    {
        ComPtr<IUnknown> unknown;
        ComPtr<IEnumVARIANT> enumerator;
        EXPECT_EQ(S_OK, list->NewEnum(unknown.Out()));
        if (unknown)
            unknown->QueryInterface(IID_IEnumVARIANT, enumerator.OutVoid());
        return enumerator;
    }

    ComPtr<IBankServices> list;
    HRESULT lastResult = S_OK;
};

// Names of what one Next delivers; fetched and result reported beside.
struct NextOutcome
{
    HRESULT result;
    ULONG fetched;
    std::vector<std::wstring> names;
};

NextOutcome Next(IEnumVARIANT* enumerator, ULONG wanted)
{
    VARIANT items[4];
    NextOutcome outcome{S_OK, 99, {}};
    outcome.result = enumerator->Next(wanted, items, &outcome.fetched);
    for (ULONG i = 0; i < wanted; ++i)
    {
        if (V_VT(&items[i]) == VT_DISPATCH)
            outcome.names.push_back(NameOf(V_DISPATCH(&items[i])));
        else
            EXPECT_EQ(VT_EMPTY, V_VT(&items[i]));
        VariantClear(&items[i]);
    }
    return outcome;
}

using Names = std::vector<std::wstring>;
}

TEST_F(BankServicesList, HoldsThePaymentThenTheStatementService)
{
    LONG count = 0;
    ASSERT_EQ(S_OK, list->GetCount(&count));
    EXPECT_EQ(2, count);
    EXPECT_EQ(PaymentName, ItemNameAt(VT_I4, 0));
    EXPECT_EQ(StatementName, ItemNameAt(VT_I4, 1));
    EXPECT_EQ(StatementName, ItemNameAt(VT_R8, 1.0));
    EXPECT_EQ(StatementName, ItemNameAt(VT_I2, 1));
}

TEST_F(BankServicesList, RefusesPositionsOutsideTheList)
{
    for (double position : {2.0, -1.0, 100.0})
    {
        ClearPostedError();
        EXPECT_EQ(L"<failed>", ItemNameAt(VT_I4, position)) << position;
        EXPECT_EQ(InvalidArgument, lastResult);
        EXPECT_EQ(L"Invalid argument", TakePostedError().description);
    }
    Variant empty;
    EXPECT_EQ(L"<failed>", ItemName(empty.Get()));
    EXPECT_EQ(InvalidArgument, lastResult);
    EXPECT_EQ(L"<failed>", ItemName(nullptr));
    EXPECT_EQ(InvalidArgument, lastResult);
    EXPECT_EQ(InvalidArgument, list->GetItem(empty.Get(), nullptr));
    EXPECT_EQ(InvalidArgument, list->GetCount(nullptr));
    EXPECT_EQ(InvalidArgument, list->NewEnum(nullptr));
}

TEST_F(BankServicesList, FindsServicesByTheirExactName)
{
    EXPECT_EQ(StatementName, ItemNamed(StatementName));
    EXPECT_EQ(PaymentName, ItemNamed(PaymentName));
    for (const wchar_t* other : {L"bank reconciliation service", L"Tilo Online", L"1", L""})
    {
        EXPECT_EQ(L"<failed>", ItemNamed(other));
        EXPECT_EQ(InvalidArgument, lastResult);
    }

    BSTR byReference = SysAllocString(PaymentName);
    Variant index;
    V_VT(index.Get()) = VT_BSTR | VT_BYREF;
    V_BSTRREF(index.Get()) = &byReference;
    EXPECT_EQ(PaymentName, ItemName(index.Get()));
    SysFreeString(byReference);
}

TEST_F(BankServicesList, EnumeratorDeliversTheServicesInOrder)
{
    ComPtr<IEnumVARIANT> enumerator = NewEnumerator();
    ASSERT_TRUE(enumerator);

    NextOutcome all = Next(enumerator.Get(), 3);
    EXPECT_EQ(S_FALSE, all.result);
    EXPECT_EQ(2u, all.fetched);
    EXPECT_EQ((Names{PaymentName, StatementName}), all.names);

    NextOutcome after = Next(enumerator.Get(), 1);
    EXPECT_EQ(S_FALSE, after.result);
    EXPECT_EQ(0u, after.fetched);

    EXPECT_EQ(S_OK, enumerator->Reset());
    NextOutcome none = Next(enumerator.Get(), 0);
    EXPECT_EQ(S_OK, none.result);
    EXPECT_EQ(0u, none.fetched);
    EXPECT_EQ((Names{PaymentName}), Next(enumerator.Get(), 1).names);
}

TEST_F(BankServicesList, EnumeratorSkipsOnlyWithinTheList)
{
    ComPtr<IEnumVARIANT> enumerator = NewEnumerator();
    ASSERT_TRUE(enumerator);
    EXPECT_EQ(S_OK, enumerator->Skip(2));
    EXPECT_EQ(S_FALSE, Next(enumerator.Get(), 1).result);

    EXPECT_EQ(S_OK, enumerator->Reset());
    EXPECT_EQ(S_FALSE, enumerator->Skip(3));
    EXPECT_EQ(S_FALSE, enumerator->Skip(0xFFFFFFFFu));
    EXPECT_EQ((Names{PaymentName}), Next(enumerator.Get(), 1).names);
}

TEST_F(BankServicesList, CloneContinuesFromTheSamePositionIndependently)
{
    ComPtr<IEnumVARIANT> enumerator = NewEnumerator();
    ASSERT_TRUE(enumerator);
    Next(enumerator.Get(), 1);

    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(S_OK, enumerator->Clone(clone.Out()));
    EXPECT_EQ(E_POINTER, enumerator->Clone(nullptr));
    EXPECT_EQ((Names{StatementName}), Next(clone.Get(), 1).names);
    EXPECT_EQ(S_FALSE, Next(clone.Get(), 1).result);
    EXPECT_EQ((Names{StatementName}), Next(enumerator.Get(), 2).names);
}

TEST_F(BankServicesList, EnumeratorKeepsTheListAliveAfterItsLastReference)
{
    ComPtr<IEnumVARIANT> enumerator = NewEnumerator();
    ASSERT_TRUE(enumerator);
    ComPtr<IEnumVARIANT> clone;
    ASSERT_EQ(S_OK, enumerator->Clone(clone.Out()));
    list.Reset();

    EXPECT_EQ((Names{PaymentName, StatementName}), Next(enumerator.Get(), 2).names);
    enumerator.Reset();
    EXPECT_EQ((Names{PaymentName, StatementName}), Next(clone.Get(), 2).names);
}

TEST_F(BankServicesList, EnumeratorAnswersToItsOwnIdentitiesOnly)
{
    ComPtr<IEnumVARIANT> enumerator = NewEnumerator();
    ASSERT_TRUE(enumerator);
    ComPtr<IUnknown> unknown;
    EXPECT_EQ(S_OK, enumerator->QueryInterface(IID_IUnknown, unknown.OutVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(enumerator.Get()), unknown.Get());
    EXPECT_EQ(E_POINTER, enumerator->QueryInterface(IID_IEnumVARIANT, nullptr));
    // A refusal leaves nothing behind for the caller to release.
    void* other = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, enumerator->QueryInterface(IID_IDispatch, &other));
    EXPECT_EQ(nullptr, other);
}

TEST_F(BankServicesList, AnswersToItsIdentitiesAndReportsErrorsForItsOwnInterface)
{
    ComPtr<IUnknown> host;
    ComPtr<IUnknown> dispatch;
    ASSERT_EQ(S_OK, list->QueryInterface(IID_IVornBankServices, host.OutVoid()));
    ASSERT_EQ(S_OK, list->QueryInterface(IID_IDispatch, dispatch.OutVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(list.Get()), host.Get());
    EXPECT_EQ(static_cast<IUnknown*>(list.Get()), dispatch.Get());

    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, list->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IBankServices));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IVornBankServices));
}

TEST_F(BankServicesList, ServesLateBoundCallsFromTheTypeLibrary)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, list->QueryInterface(IID_IDispatch, dispatch.OutVoid()));
    Variant count;
    ASSERT_EQ(S_OK, InvokeByName(dispatch.Get(), L"GetCount", count.Get()));
    ASSERT_EQ(VT_I4, V_VT(count.Get()));
    EXPECT_EQ(2, V_I4(count.Get()));

    // A failure reaches a late-bound caller as an exception with its text.
    Variant name;
    V_VT(name.Get()) = VT_BSTR;
    V_BSTR(name.Get()) = SysAllocString(L"Tilo Online");
    Variant index;
    V_VT(index.Get()) = VT_VARIANT | VT_BYREF;
    V_VARIANTREF(index.Get()) = name.Get();
    Variant item;
    EXCEPINFO exception = {};
    EXPECT_EQ(DISP_E_EXCEPTION, InvokeByName(dispatch.Get(), L"GetItem", item.Get(), &exception, index.Get()));
    EXPECT_EQ(InvalidArgument, exception.scode);
    EXPECT_STREQ(L"Invalid argument", exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

// The list's own operations, called by their places in the table of virtual
// functions as a caller that knows the list's class reaches them: after the
// interface's ten and the destructor's one entry.
TEST_F(BankServicesList, OwnOperationsStandFromSlotElevenOn)
{
    void** table = *reinterpret_cast<void***>(list.Get());
    using Add = HRESULT(STDMETHODCALLTYPE*)(IBankServices*, IVornBankService*);
    using Remove = HRESULT(STDMETHODCALLTYPE*)(IBankServices*, LONG);
    using Clear = HRESULT(STDMETHODCALLTYPE*)(IBankServices*);
    using GetItemAt = HRESULT(STDMETHODCALLTYPE*)(IBankServices*, LONG, IVornBankService**);
    using GetTag = HRESULT(STDMETHODCALLTYPE*)(IBankServices*, LONG*);
    using SetTag = HRESULT(STDMETHODCALLTYPE*)(IBankServices*, LONG);

    ComPtr<IVornBankService> statement;
    ASSERT_EQ(S_OK, reinterpret_cast<GetItemAt>(table[14])(list.Get(), 1, statement.Out()));
    EXPECT_EQ(StatementName, NameOf(statement.Get()));
    EXPECT_EQ(InvalidArgument, reinterpret_cast<Add>(table[11])(list.Get(), nullptr));
    EXPECT_EQ(L"Invalid argument", TakePostedError().description);
    EXPECT_EQ(S_OK, reinterpret_cast<Add>(table[11])(list.Get(), statement.Get()));
    EXPECT_EQ(S_OK, reinterpret_cast<Remove>(table[12])(list.Get(), 0));
    LONG count = 0;
    ASSERT_EQ(S_OK, list->GetCount(&count));
    EXPECT_EQ(2, count);
    ComPtr<IVornBankService> first;
    ASSERT_EQ(S_OK, reinterpret_cast<GetItemAt>(table[14])(list.Get(), 0, first.Out()));
    EXPECT_EQ(StatementName, NameOf(first.Get()));

    EXPECT_EQ(S_OK, reinterpret_cast<SetTag>(table[16])(list.Get(), -7));
    LONG tag = 0;
    EXPECT_EQ(S_OK, reinterpret_cast<GetTag>(table[15])(list.Get(), &tag));
    EXPECT_EQ(-7, tag);
    EXPECT_EQ(S_OK, reinterpret_cast<Clear>(table[13])(list.Get()));
    ASSERT_EQ(S_OK, list->GetCount(&count));
    EXPECT_EQ(0, count);
}
