// The choice of the statement file through the registered stand-in host's
// settings and file selection components.
#include <gtest/gtest.h>
#include <comdef.h>
#include <string.h>

#include <string>

#include "standin/StandInControl.h"
#include "statements/ChooseStatementFile.h"
#include "support/StatementFiles.h"

namespace
{
class ChooseStatementFileTest : public testing::Test
{
protected:
    void SetUp() override { StandInReset(); }
    void TearDown() override { StandInReset(); }

    // Gives the HRESULT of the host-call failure, or S_OK when none was raised.
    HRESULT Choose(bool& chosen)
    {
        try
        {
            chosen = ChooseStatementFile(path);
            return S_OK;
        }
        catch (const _com_error& error)
        {
            return error.Error();
        }
    }

    char path[StatementPathSize];
};

StandInSelectionRecord Selection()
{
    StandInSelectionRecord record{};
    StandInGetSelectionRecord(&record);
    return record;
}
}

TEST_F(ChooseStatementFileTest, TheHostRunsOurRecognitionOnTheFileAndHandsBackItsPath)
{
    TempStatementFile file(StatementContent(18, {}));
    StandInSetStatementFileChoice(file.Path(), 0);
    bool chosen = false;
    ASSERT_EQ(S_OK, Choose(chosen));
    EXPECT_TRUE(chosen);
    EXPECT_STREQ(file.Path(), path);

    const StandInSelectionRecord record = Selection();
    EXPECT_EQ(1, record.selectCalls);
    EXPECT_EQ(1, record.recognitionCalled);
    EXPECT_EQ(1, record.recognitionAnswer);
    EXPECT_STREQ("Tilo Online Statement", record.typeName);

    ASSERT_EQ(1, StandInSettingsCallCount());
    StandInSettingsCall call{};
    StandInGetSettingsCall(0, &call);
    EXPECT_EQ(StandInGetStatementFileSettings, call.operation);
    EXPECT_STREQ("Tilo Online", call.bankText);
    EXPECT_EQ(1, call.bankBlockClean);
}

TEST_F(ChooseStatementFileTest, ACancelledChoiceGivesNoPath)
{
    TempStatementFile file(StatementContent(15, {}));
    StandInSetStatementFileChoice(file.Path(), 1);
    bool chosen = true;
    memset(path, 'x', sizeof path);
    ASSERT_EQ(S_OK, Choose(chosen));
    EXPECT_FALSE(chosen);
    EXPECT_STREQ("", path);
    EXPECT_EQ(1, Selection().recognitionCalled);
    EXPECT_EQ(0, Selection().recognitionAnswer);
}

TEST_F(ChooseStatementFileTest, APathLongerThan259CharactersIsRefusedAsNoChoice)
{
    const std::string longest = "C:\\" + std::string(256, 'a');
    StandInSetStatementFileChoice(longest.c_str(), 0);
    bool chosen = false;
    ASSERT_EQ(S_OK, Choose(chosen));
    EXPECT_TRUE(chosen);
    EXPECT_EQ(longest, std::string(path));

    const std::string tooLong = longest + "b";
    StandInSetStatementFileChoice(tooLong.c_str(), 0);
    ASSERT_EQ(S_OK, Choose(chosen));
    EXPECT_FALSE(chosen);
    EXPECT_STREQ("", path);
}

TEST_F(ChooseStatementFileTest, FailuresOfTheHostsComponentsAreHostCallFailures)
{
    bool chosen = false;
    StandInFailOperation(StandInGetStatementFileSettings, E_ACCESSDENIED, "no settings");
    EXPECT_EQ(E_ACCESSDENIED, Choose(chosen));
    EXPECT_EQ(0, Selection().selectCalls);

    StandInReset();
    StandInFailOperation(StandInSelectStatementFile, E_FAIL, "no dialog");
    EXPECT_EQ(E_FAIL, Choose(chosen));

    StandInReset();
    ASSERT_EQ(S_OK, StandInUnregisterClass(StandInSettingsClass));
    EXPECT_EQ(E_POINTER, Choose(chosen));
    EXPECT_EQ(0, Selection().selectCalls);

    StandInReset();
    ASSERT_EQ(S_OK, StandInUnregisterClass(StandInFileSelectorClass));
    EXPECT_EQ(E_POINTER, Choose(chosen));
    // The settings were asked for before the missing selector was used.
    EXPECT_EQ(1, StandInSettingsCallCount());
}
