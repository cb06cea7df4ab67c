// The list of the services that the bank offers: the payment service at
// position 0, the statement service at position 1.
#pragma once

#include "VornTiloOnline.h"
#include "com/BankServicesImpl.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"

class CBankServices : public CSupportErrorInfoImpl<&IID_IBankServices>,
                      public IBankServicesImpl<IBankServices, &IID_IBankServices>,
                      public CComObjectRoot
{
public:
    VORN_IUNKNOWN_METHODS

    // Fills the list with its two services.
    HRESULT FinalConstruct() override;
};
