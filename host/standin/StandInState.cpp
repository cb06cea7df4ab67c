#include "standin/StandInState.h"

#include <string.h>

#include <algorithm>

StandInState& State()
{
    static StandInState state;
    return state;
}

const ForcedFailure* FailureOf(int operation)
{
    if (operation < StandInConfigureBank || operation > StandInGetSelectionStatus)
        return nullptr;
    const ForcedFailure& failure = State().failures[operation];
    return FAILED(failure.result) ? &failure : nullptr;
}

void RecordSettingsCall(int operation, const unsigned char* bankBlock, int blockSize, long option)
{
    StandInSettingsCall call{};
    call.operation = operation;
    call.option = option;
    if (bankBlock)
    {
        const char* text = reinterpret_cast<const char*>(bankBlock);
        const size_t length = strnlen(text, blockSize);
        memcpy(call.bankText, text, std::min(length, sizeof call.bankText - 1));
        call.bankBlockClean = length < static_cast<size_t>(blockSize);
        for (int index = static_cast<int>(length); call.bankBlockClean && index < blockSize; ++index)
            call.bankBlockClean = bankBlock[index] == 0;
    }
    State().settingsCalls.push_back(call);
}
