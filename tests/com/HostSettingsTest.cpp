// The component's view of the host settings component, against the
// registered stand-in host.
#include <gtest/gtest.h>
#include <windows.h>
#include <comdef.h>

#include <string>

#include "com/ComHolders.h"
#include "com/ErrorReporting.h"
#include "com/HostSettings.h"
#include "standin/StandInControl.h"

namespace
{
class HostSettingsTest : public testing::Test
{
protected:
    void SetUp() override { StandInReset(); }
    // Also registers the settings class again where a test removed it.
    void TearDown() override { StandInReset(); }
};

std::string DescriptionOf(const _com_error& error)
{
    ComPtr<IErrorInfo> info;
    info.Attach(error.ErrorInfo());
    if (!info)
        return "(no error information)";
    BStr description;
    info->GetDescription(description.Out());
    return std::string(description.Text(), description.Text() + description.Length());
}

StandInSettingsCall LastCall()
{
    StandInSettingsCall call{};
    StandInGetSettingsCall(StandInSettingsCallCount() - 1, &call);
    return call;
}
}

TEST_F(HostSettingsTest, PaymentFileDefaultsLandInTheCallersBuffers)
{
    char name[PaymentFileNameSize], extension[PaymentExtensionSize], directory[PaymentDirectorySize];
    memset(name, 'x', sizeof name);
    memset(extension, 'x', sizeof extension);
    memset(directory, 'x', sizeof directory);

    CHostSettings().GetPaymentFileDefaults(name, extension, directory);
    EXPECT_STREQ("payments", name);
    EXPECT_STREQ("csv", extension);
    EXPECT_STREQ("C:\\", directory);

    StandInSetPaymentFileDefaults("", "", "");
    CHostSettings().GetPaymentFileDefaults(name, extension, directory);
    EXPECT_STREQ("", name);
    EXPECT_STREQ("", extension);
    EXPECT_STREQ("", directory);

    const StandInSettingsCall call = LastCall();
    EXPECT_EQ(StandInGetPaymentFileDefaults, call.operation);
    EXPECT_STREQ("Tilo Online", call.bankText);
    EXPECT_EQ(1, call.bankBlockClean);
}

TEST_F(HostSettingsTest, ConfigureAndStatementSettingsSendTheBankBlock)
{
    CHostSettings().ConfigureBank();
    StandInSettingsCall call = LastCall();
    EXPECT_EQ(StandInConfigureBank, call.operation);
    EXPECT_STREQ("Tilo Online", call.bankText);
    EXPECT_EQ(1, call.bankBlockClean);
    EXPECT_EQ(3, call.option);

    unsigned char block[SelectionBlockSize];
    memset(block, 0xCC, sizeof block);
    CHostSettings().GetStatementFileSettings(block);
    call = LastCall();
    EXPECT_EQ(StandInGetStatementFileSettings, call.operation);
    EXPECT_EQ(1, call.bankBlockClean);
    StandInStatementFileSettings filled;
    memcpy(&filled, block, sizeof filled);
    EXPECT_EQ(nullptr, filled.recognize);
    EXPECT_STREQ(StandInStatementFileTitle, filled.title);
    EXPECT_STREQ(StandInStatementFilePattern, filled.filePattern);
}

TEST_F(HostSettingsTest, FailingOperationRaisesTheHostsHResultAndErrorInformation)
{
    const HRESULT failure = static_cast<HRESULT>(0x80045678);
    char name[PaymentFileNameSize] = "", extension[PaymentExtensionSize] = "", directory[PaymentDirectorySize] = "";
    unsigned char block[SelectionBlockSize] = {};

    StandInFailOperation(StandInGetPaymentFileDefaults, failure, "Defaults are not available.");
    try
    {
        CHostSettings().GetPaymentFileDefaults(name, extension, directory);
        ADD_FAILURE() << "no host-call failure";
    }
    catch (const _com_error& error)
    {
        EXPECT_EQ(failure, error.Error());
        EXPECT_EQ("Defaults are not available.", DescriptionOf(error));
    }

    StandInFailOperation(StandInConfigureBank, E_ACCESSDENIED, "Configuration refused.");
    try
    {
        CHostSettings().ConfigureBank();
        ADD_FAILURE() << "no host-call failure";
    }
    catch (const _com_error& error)
    {
        EXPECT_EQ(E_ACCESSDENIED, error.Error());
        EXPECT_EQ("Configuration refused.", DescriptionOf(error));
    }

    StandInFailOperation(StandInGetStatementFileSettings, E_FAIL, "No statement settings.");
    try
    {
        CHostSettings().GetStatementFileSettings(block);
        ADD_FAILURE() << "no host-call failure";
    }
    catch (const _com_error& error)
    {
        EXPECT_EQ(E_FAIL, error.Error());
        EXPECT_EQ("No statement settings.", DescriptionOf(error));
    }
}

TEST_F(HostSettingsTest, AFailureThatPostsNothingIsNeverGivenAnEarlierDescription)
{
    // Information an earlier call posted and nobody read.
    ComPtr<IErrorInfo> stale;
    stale.Attach(NewErrorInfo(L"Invalid argument"));
    SetErrorInfo(0, stale.Get());
    StandInFailOperation(StandInConfigureBank, E_FAIL, nullptr);
    try
    {
        CHostSettings().ConfigureBank();
        ADD_FAILURE() << "no host-call failure";
    }
    catch (const _com_error& error)
    {
        EXPECT_EQ(E_FAIL, error.Error());
        EXPECT_EQ("The e-banking host's settings component failed in ConfigureBank (0x80004005).",
                  DescriptionOf(error));
    }
}

TEST_F(HostSettingsTest, UnregisteredSettingsClassFailsTheFirstOperationWithEPointer)
{
    ASSERT_EQ(S_OK, StandInUnregisterClass(StandInSettingsClass));
    char name[PaymentFileNameSize] = "", extension[PaymentExtensionSize] = "", directory[PaymentDirectorySize] = "";
    CHostSettings settings;
    try
    {
        settings.GetPaymentFileDefaults(name, extension, directory);
        ADD_FAILURE() << "no host-call failure";
    }
    catch (const _com_error& error)
    {
        EXPECT_EQ(E_POINTER, error.Error());
        EXPECT_EQ("The e-banking host's settings component could not be created.", DescriptionOf(error));
    }
    EXPECT_EQ(0, StandInSettingsCallCount());

    ASSERT_EQ(S_OK, StandInRegisterClass(StandInSettingsClass));
    CHostSettings().GetPaymentFileDefaults(name, extension, directory);
    EXPECT_STREQ("payments", name);
}
