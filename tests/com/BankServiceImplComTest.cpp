#include <gtest/gtest.h>

#include "VornBankPayments.h"
#include "VornBankReconciliation.h"
#include "VornTiloOnline.h"
#include "support/ComponentObjects.h"
#include "support/PostedError.h"

namespace
{
const HRESULT InvalidArgument = static_cast<HRESULT>(0x800AFFFC);

struct ServiceClass
{
    const wchar_t* progId;
    const wchar_t* name;
    const IID* ownInterface;
    const IID* hostInterface;
};

void PrintTo(const ServiceClass& service, std::ostream* out)
{
    for (const wchar_t* c = service.progId; *c; ++c)
        *out << static_cast<char>(*c);
}

class BankService : public testing::TestWithParam<ServiceClass>
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(S_OK, CreateByProgId(GetParam().progId, *GetParam().ownInterface, service));
    }

    // Any of the service's interfaces, seen as the common base.
    ComPtr<IVornBankService> service;
};
}

TEST_P(BankService, GivesItsNameAsANewStringEachTime)
{
    BStr first;
    BStr second;
    EXPECT_EQ(GetParam().name, TextOf(service->GetName(first.Out()), first));
    EXPECT_EQ(GetParam().name, TextOf(service->GetName(second.Out()), second));
    EXPECT_NE(first.Get(), second.Get());
}

TEST_P(BankService, KeepsTheStatusValueAsSet)
{
    LONG status = 99;
    ASSERT_EQ(S_OK, service->GetStatus(&status));
    EXPECT_EQ(0, status);
    EXPECT_EQ(S_OK, service->SetStatus(-5));
    ASSERT_EQ(S_OK, service->GetStatus(&status));
    EXPECT_EQ(-5, status);
}

TEST_P(BankService, NullPointersAreInvalidArguments)
{
    ClearPostedError();
    EXPECT_EQ(InvalidArgument, service->GetName(nullptr));
    EXPECT_EQ(L"Invalid argument", TakePostedError().description);
    EXPECT_EQ(InvalidArgument, service->GetStatus(nullptr));
    EXPECT_EQ(InvalidArgument, service->Reserved1(nullptr));
    EXPECT_EQ(InvalidArgument, service->Reserved2(7, nullptr));
    EXPECT_EQ(L"Invalid argument", TakePostedError().description);

    LONG value = 1234;
    EXPECT_EQ(S_OK, service->Reserved1(&value));
    EXPECT_EQ(S_OK, service->Reserved2(7, &value));
    EXPECT_EQ(1234, value);
}

TEST_P(BankService, AnswersToItsOwnIdentitiesOnly)
{
    ComPtr<IUnknown> own;
    ComPtr<IUnknown> host;
    ComPtr<IUnknown> dispatch;
    ComPtr<IUnknown> common;
    ASSERT_EQ(S_OK, service->QueryInterface(*GetParam().ownInterface, own.OutVoid()));
    ASSERT_EQ(S_OK, service->QueryInterface(*GetParam().hostInterface, host.OutVoid()));
    ASSERT_EQ(S_OK, service->QueryInterface(IID_IDispatch, dispatch.OutVoid()));
    EXPECT_EQ(own.Get(), host.Get());
    EXPECT_EQ(own.Get(), dispatch.Get());
    EXPECT_EQ(own.Get(), IdentityOf(service.Get()));
    EXPECT_EQ(E_NOINTERFACE, service->QueryInterface(IID_IVornBankService, common.OutVoid()));
    EXPECT_EQ(nullptr, common.Get());

    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, service->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(*GetParam().ownInterface));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(*GetParam().hostInterface));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IVornBankService));
}

TEST_P(BankService, ServesLateBoundCallsFromTheTypeLibrary)
{
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, service->QueryInterface(IID_IDispatch, dispatch.OutVoid()));
    UINT count = 0;
    EXPECT_EQ(S_OK, dispatch->GetTypeInfoCount(&count));
    EXPECT_EQ(1u, count);
    Variant name;
    ASSERT_EQ(S_OK, InvokeByName(dispatch.Get(), L"GetName", name.Get()));
    ASSERT_EQ(VT_BSTR, V_VT(name.Get()));
    EXPECT_STREQ(GetParam().name, V_BSTR(name.Get()));
}

INSTANTIATE_TEST_SUITE_P(
    Services, BankService,
    testing::Values(ServiceClass{L"VornTiloOnline.BankPaymentService.1", L"Bank Payment Service",
                                 &IID_IBankPaymentService, &IID_IVornBankPaymentService},
                    ServiceClass{L"VornTiloOnline.BankStatementService", L"Bank Reconciliation Service",
                                 &IID_IBankStatementService, &IID_IVornBankStatementService}),
    // Named after the service: /BankPaymentService.
    [](const testing::TestParamInfo<ServiceClass>& info) {
        std::string name;
        for (const wchar_t* c = info.param.name; *c; ++c)
        {
            if (*c != L' ')
                name += static_cast<char>(*c);
        }
        return name;
    });
