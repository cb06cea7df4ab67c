#include "com/HostSettings.h"

#include <string.h>

#include "com/HostComponent.h"

void FillBankBlock(unsigned char* block, int size)
{
    memset(block, 0, size);
    memcpy(block, BankName, sizeof BankName);
}

CHostSettings::CHostSettings()
    : m_settings(CreateHostComponent<IVornBankSettings>(CLSID_VornBankSettings, IID_IVornBankSettings))
{
}

void CHostSettings::ConfigureBank()
{
    unsigned char block[ConfigureBankBlockSize];
    FillBankBlock(block, sizeof block);
    IVornBankSettings* settings = HostComponent(m_settings, HostSettingsName);
    CheckHostCall(settings->ConfigureBank(block, 3), settings, IID_IVornBankSettings, HostSettingsName,
                  L"ConfigureBank");
}

void CHostSettings::GetStatementFileSettings(unsigned char (&selectionBlock)[SelectionBlockSize])
{
    unsigned char bank[BankBlockSize];
    FillBankBlock(bank, sizeof bank);
    IVornBankSettings* settings = HostComponent(m_settings, HostSettingsName);
    CheckHostCall(settings->GetStatementFileSettings(bank, selectionBlock), settings, IID_IVornBankSettings,
                  HostSettingsName, L"GetStatementFileSettings");
}

void CHostSettings::GetPaymentFileDefaults(char (&fileName)[PaymentFileNameSize],
                                           char (&extension)[PaymentExtensionSize],
                                           char (&directory)[PaymentDirectorySize])
{
    unsigned char bank[BankBlockSize];
    FillBankBlock(bank, sizeof bank);
    IVornBankSettings* settings = HostComponent(m_settings, HostSettingsName);
    CheckHostCall(settings->GetPaymentFileDefaults(bank, reinterpret_cast<unsigned char*>(fileName),
                                                   reinterpret_cast<unsigned char*>(extension),
                                                   reinterpret_cast<unsigned char*>(directory)),
                  settings, IID_IVornBankSettings, HostSettingsName, L"GetPaymentFileDefaults");
}
