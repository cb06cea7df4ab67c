#include "standin/BankSettings.h"

#include <string.h>

#include "standin/StandInState.h"

namespace
{
const int ConfigureBlockSize = 1024;
const int BankBlockSize = 100;
const int FileNameSize = 1024;
const int ExtensionSize = 4;
const int DirectorySize = 1024;

HRESULT MissingBlock()
{
    return PostError(E_POINTER, IID_IVornBankSettings, "A block is missing.");
}

void CopyText(unsigned char* buffer, int size, const std::string& text)
{
    lstrcpynA(reinterpret_cast<char*>(buffer), text.c_str(), size);
}
}

STDMETHODIMP CBankSettings::ConfigureBank(unsigned char* bankBlock, LONG option)
{
    RecordSettingsCall(StandInConfigureBank, bankBlock, ConfigureBlockSize, option);
    const HRESULT forced = ForcedResult(IID_IVornBankSettings, StandInConfigureBank);
    if (FAILED(forced))
        return forced;
    return bankBlock ? S_OK : MissingBlock();
}

STDMETHODIMP CBankSettings::GetStatementFileSettings(unsigned char* bankBlock, unsigned char* selectionBlock)
{
    RecordSettingsCall(StandInGetStatementFileSettings, bankBlock, BankBlockSize, 0);
    const HRESULT forced = ForcedResult(IID_IVornBankSettings, StandInGetStatementFileSettings);
    if (FAILED(forced))
        return forced;
    if (!bankBlock || !selectionBlock)
        return MissingBlock();
    StandInStatementFileSettings settings{};
    lstrcpynA(settings.title, StandInStatementFileTitle, sizeof settings.title);
    lstrcpynA(settings.filePattern, StandInStatementFilePattern, sizeof settings.filePattern);
    memcpy(selectionBlock, &settings, sizeof settings);
    return S_OK;
}

STDMETHODIMP CBankSettings::GetPaymentFileDefaults(unsigned char* bankBlock, unsigned char* fileName,
                                                   unsigned char* extension, unsigned char* directory)
{
    RecordSettingsCall(StandInGetPaymentFileDefaults, bankBlock, BankBlockSize, 0);
    const HRESULT forced = ForcedResult(IID_IVornBankSettings, StandInGetPaymentFileDefaults);
    if (FAILED(forced))
        return forced;
    if (!bankBlock || !fileName || !extension || !directory)
        return MissingBlock();
    const StandInState& state = State();
    CopyText(fileName, FileNameSize, state.paymentFileName);
    CopyText(extension, ExtensionSize, state.paymentExtension);
    CopyText(directory, DirectorySize, state.paymentDirectory);
    return S_OK;
}
