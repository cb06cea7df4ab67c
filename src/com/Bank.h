// The component's root object: the bank "Tilo Online" and its services.
#pragma once

#include "VornTiloOnline.h"
#include "com/BankImpl.h"
#include "com/BankServices.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"

class CBank : public CSupportErrorInfoImpl<&IID_IBank>, public IBankImpl<CBankServices>, public CComObjectRoot
{
public:
    VORN_IUNKNOWN_METHODS
};
