#include <gtest/gtest.h>

#include "VornTiloOnline.h"
#include "support/ComponentObjects.h"
#include "standin/StandInControl.h"
#include "support/PostedError.h"

namespace
{
const HRESULT InvalidArgument = static_cast<HRESULT>(0x800AFFFC);

class BankObject : public testing::Test
{
protected:
    void SetUp() override
    {
        StandInReset();
        ASSERT_EQ(S_OK, CreateByProgId(L"VornTiloOnline.Bank", IID_IBank, bank));
    }
    // Also registers the host's settings class again where a test removed it.
    void TearDown() override { StandInReset(); }

    ComPtr<IBank> bank;
};
}

TEST_F(BankObject, IsTiloOnlineAndConfigurable)
{
    BStr name;
    EXPECT_EQ(L"Tilo Online", TextOf(bank->GetName(name.Out()), name));
    LONG configurable = 0;
    EXPECT_EQ(S_OK, bank->IsConfigurable(&configurable));
    EXPECT_EQ(1, configurable);
}

TEST_F(BankObject, NullOutPointersAreInvalidArguments)
{
    ClearPostedError();
    EXPECT_EQ(InvalidArgument, bank->GetName(nullptr));
    EXPECT_EQ(L"Invalid argument", TakePostedError().description);
    EXPECT_EQ(InvalidArgument, bank->GetServices(nullptr));
    EXPECT_EQ(InvalidArgument, bank->IsConfigurable(nullptr));
}

TEST_F(BankObject, GivesOneListOfTwoServicesThatMayOutliveIt)
{
    ComPtr<IVornBankServices> first;
    ComPtr<IVornBankServices> second;
    ASSERT_EQ(S_OK, bank->GetServices(first.Out()));
    ASSERT_EQ(S_OK, bank->GetServices(second.Out()));
    EXPECT_EQ(IdentityOf(first.Get()), IdentityOf(second.Get()));

    bank.Reset();
    LONG count = 0;
    EXPECT_EQ(S_OK, second->GetCount(&count));
    EXPECT_EQ(2, count);
}

TEST_F(BankObject, AnswersToItsIdentitiesAndReportsErrorsForItsOwnInterface)
{
    ComPtr<IUnknown> host;
    ComPtr<IUnknown> dispatch;
    ComPtr<IUnknown> list;
    ASSERT_EQ(S_OK, bank->QueryInterface(IID_IVornBank, host.OutVoid()));
    ASSERT_EQ(S_OK, bank->QueryInterface(IID_IDispatch, dispatch.OutVoid()));
    EXPECT_EQ(static_cast<IUnknown*>(bank.Get()), host.Get());
    EXPECT_EQ(static_cast<IUnknown*>(bank.Get()), dispatch.Get());
    EXPECT_EQ(static_cast<IUnknown*>(bank.Get()), IdentityOf(bank.Get()));
    EXPECT_EQ(E_NOINTERFACE, bank->QueryInterface(IID_IVornBankServices, list.OutVoid()));

    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, bank->QueryInterface(IID_ISupportErrorInfo, support.OutVoid()));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IBank));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IVornBank));
}

TEST_F(BankObject, ServesLateBoundCallsFromTheTypeLibrary)
{
    Variant name;
    ASSERT_EQ(S_OK, InvokeByName(bank.Get(), L"GetName", name.Get()));
    ASSERT_EQ(VT_BSTR, V_VT(name.Get()));
    EXPECT_STREQ(L"Tilo Online", V_BSTR(name.Get()));

    Variant services;
    ASSERT_EQ(S_OK, InvokeByName(bank.Get(), L"GetServices", services.Get()));
    EXPECT_EQ(VT_DISPATCH, V_VT(services.Get()));
}

TEST_F(BankObject, ConfigureHasTheHostSettingsComponentConfigureThisBank)
{
    EXPECT_EQ(S_OK, bank->Configure(0));
    EXPECT_EQ(S_OK, bank->Configure(-17));
    ASSERT_EQ(2, StandInSettingsCallCount());
    StandInSettingsCall call{};
    ASSERT_TRUE(StandInGetSettingsCall(1, &call));
    EXPECT_EQ(StandInConfigureBank, call.operation);
    EXPECT_STREQ("Tilo Online", call.bankText);
    EXPECT_EQ(1, call.bankBlockClean);
    EXPECT_EQ(3, call.option);
}

TEST_F(BankObject, ConfigureFailsAsAnExceptionWithoutTheSettingsComponent)
{
    ASSERT_EQ(S_OK, StandInUnregisterClass(StandInSettingsClass));
    EXPECT_EQ(DISP_E_EXCEPTION, bank->Configure(0));

    ASSERT_EQ(S_OK, StandInRegisterClass(StandInSettingsClass));
    StandInFailOperation(StandInConfigureBank, E_ACCESSDENIED, "Configuration refused");
    EXPECT_EQ(DISP_E_EXCEPTION, bank->Configure(0));
    EXPECT_EQ(L"Configuration refused", TakePostedError().description);

    // A failure the settings component describes not at all is not shown
    // with what an earlier call left on the thread (here: a null pointer).
    StandInFailOperation(StandInConfigureBank, E_FAIL, nullptr);
    EXPECT_EQ(static_cast<HRESULT>(0x800AFFFC), bank->IsConfigurable(nullptr));
    EXPECT_EQ(DISP_E_EXCEPTION, bank->Configure(0));
    EXPECT_EQ(L"The e-banking host's settings component failed in ConfigureBank (0x80004005).",
              TakePostedError().description);
}
