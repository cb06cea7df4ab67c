#include "payments/BankPaymentService.h"

CBankPaymentService::CBankPaymentService() : IBankServiceImpl("Bank Payment Service") {}

// Not IVornBankService: the host asks each service for its own interface.
IUnknown* CBankPaymentService::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBankPaymentService) ||
        IsEqualIID(iid, IID_IVornBankPaymentService) || IsEqualIID(iid, IID_IDispatch))
        return static_cast<IBankPaymentService*>(this);
    if (IsEqualIID(iid, IID_ISupportErrorInfo))
        return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}
