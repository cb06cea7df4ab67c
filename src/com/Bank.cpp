#include "com/Bank.h"

namespace
{
const InterfaceEntry BankInterfaces[] = {
    VORN_INTERFACE(CBank, IBank, IID_IBank),
    VORN_INTERFACE(CBank, IBank, IID_IVornBank),
    VORN_INTERFACE(CBank, IBank, IID_IDispatch),
    VORN_INTERFACE(CBank, ISupportErrorInfo, IID_ISupportErrorInfo),
};
}

InterfaceTable CBank::Interfaces()
{
    return TableOf(BankInterfaces);
}
