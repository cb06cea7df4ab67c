// What the controller set and what the stand-in's components saw: one state
// for the process, shared by the control functions and the COM objects.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "standin/StandInControl.h"

struct ForcedFailure
{
    HRESULT result = S_OK;
    std::string description;
    // Whether the failure posts error information at all.
    bool posted = true;
};

struct StandInState
{
    std::string paymentFileName = "payments";
    std::string paymentExtension = "csv";
    std::string paymentDirectory = "C:\\";

    ForcedFailure failures[StandInGetSelectionStatus + 1];
    std::vector<StandInSettingsCall> settingsCalls;

    // As the user's choice reaches the host: a wide path.
    std::wstring choicePath;
    long choiceStatus = 1;
    StandInSelectionRecord selection{};

    // Classes that StandInUnregisterClass removed, by StandInClass.
    bool classRemoved[StandInFileSelectorClass + 1] = {};
};

StandInState& State();

// The failure forced on the operation, or null when it is to succeed.
const ForcedFailure* FailureOf(int operation);

// Records a call on the settings component; the block may be null.
void RecordSettingsCall(int operation, const unsigned char* bankBlock, int blockSize, long option);
