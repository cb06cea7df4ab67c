#include "com/Bank.h"

IUnknown* CBank::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBank) || IsEqualIID(iid, IID_IVornBank) ||
        IsEqualIID(iid, IID_IDispatch))
        return static_cast<IBank*>(this);
    if (IsEqualIID(iid, IID_ISupportErrorInfo))
        return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}
