// The host's settings component: answers with what the controller set,
// records every call and fails where the controller asked it to.
#pragma once

#include "VornEBanking.h"
#include "standin/StandInObject.h"

class CBankSettings
    : public CStandInObject<IVornBankSettings, &IID_IVornBankSettings, &LIBID_VornEBankingLib>
{
public:
    STDMETHODIMP ConfigureBank(unsigned char* bankBlock, LONG option) override;
    STDMETHODIMP GetStatementFileSettings(unsigned char* bankBlock, unsigned char* selectionBlock) override;
    STDMETHODIMP GetPaymentFileDefaults(unsigned char* bankBlock, unsigned char* fileName,
                                        unsigned char* extension, unsigned char* directory) override;
};
