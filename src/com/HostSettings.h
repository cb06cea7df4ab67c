// The host's settings component as the component uses it: made anew for each
// use and released when the using operation ends. A failure of creation
// shows on the first call as a host-call failure with E_POINTER; a failing
// call is raised as a host-call failure with the component's HRESULT and
// error information (see HostComponent.h).
#pragma once

#include "VornEBanking.h"
#include "com/ComHolders.h"

// The bank's name, as the host knows this component.
const char BankName[] = "Tilo Online";

const int BankBlockSize = 100;
const int ConfigureBankBlockSize = 1024;
const int SelectionBlockSize = 400;
const int PaymentFileNameSize = 1024;
const int PaymentExtensionSize = 4;
const int PaymentDirectorySize = 1024;

// The bank identification block: "Tilo Online", its NUL, zero fill.
void FillBankBlock(unsigned char* block, int size);

class CHostSettings
{
public:
    CHostSettings();

    void ConfigureBank();
    void GetStatementFileSettings(unsigned char (&selectionBlock)[SelectionBlockSize]);
    void GetPaymentFileDefaults(char (&fileName)[PaymentFileNameSize],
                                char (&extension)[PaymentExtensionSize],
                                char (&directory)[PaymentDirectorySize]);

private:
    ComPtr<IVornBankSettings> m_settings;
};
