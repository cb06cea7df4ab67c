// The control functions of StandInControl.h.
#include "standin/StandInControl.h"

#include "common/CodePageText.h"
#include "standin/Registration.h"
#include "standin/StandInState.h"

namespace
{
std::string TextOrEmpty(const char* text)
{
    return text ? text : "";
}

bool IsStandInClass(int standInClass)
{
    return standInClass == StandInSettingsClass || standInClass == StandInFileSelectorClass;
}
}

extern "C" void StandInReset(void)
{
    StandInState& state = State();
    for (int standInClass = StandInSettingsClass; standInClass <= StandInFileSelectorClass; ++standInClass)
    {
        if (state.classRemoved[standInClass])
            StandInRegisterClass(standInClass);
    }
    state = StandInState();
}

extern "C" void StandInSetPaymentFileDefaults(const char* fileName, const char* extension, const char* directory)
{
    StandInState& state = State();
    state.paymentFileName = TextOrEmpty(fileName);
    state.paymentExtension = TextOrEmpty(extension);
    state.paymentDirectory = TextOrEmpty(directory);
}

extern "C" void StandInFailOperation(int operation, HRESULT result, const char* description)
{
    if (operation < StandInConfigureBank || operation > StandInGetSelectionStatus)
        return;
    ForcedFailure& failure = State().failures[operation];
    failure.result = FAILED(result) ? result : S_OK;
    failure.description = TextOrEmpty(description);
    failure.posted = description != nullptr;
}

extern "C" int StandInSettingsCallCount(void)
{
    return static_cast<int>(State().settingsCalls.size());
}

extern "C" int StandInGetSettingsCall(int index, StandInSettingsCall* call)
{
    const StandInState& state = State();
    if (!call || index < 0 || index >= static_cast<int>(state.settingsCalls.size()))
        return 0;
    *call = state.settingsCalls[index];
    return 1;
}

extern "C" void StandInSetStatementFileChoice(const char* path, long status)
{
    StandInSetStatementFileChoiceW(WideFromCodePage(CP_ACP, TextOrEmpty(path)).c_str(), status);
}

extern "C" void StandInSetStatementFileChoiceW(const wchar_t* path, long status)
{
    StandInState& state = State();
    state.choicePath = path ? path : L"";
    state.choiceStatus = status;
}

extern "C" void StandInGetSelectionRecord(StandInSelectionRecord* record)
{
    if (record)
        *record = State().selection;
}

extern "C" HRESULT StandInUnregisterClass(int standInClass)
{
    if (!IsStandInClass(standInClass))
        return E_INVALIDARG;
    const HRESULT result = UnregisterStandInClass(standInClass);
    if (SUCCEEDED(result))
        State().classRemoved[standInClass] = true;
    return result;
}

extern "C" HRESULT StandInRegisterClass(int standInClass)
{
    if (!IsStandInClass(standInClass))
        return E_INVALIDARG;
    const HRESULT result = RegisterStandInClass(standInClass);
    if (SUCCEEDED(result))
        State().classRemoved[standInClass] = false;
    return result;
}
