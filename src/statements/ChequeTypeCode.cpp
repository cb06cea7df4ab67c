#include "statements/ChequeTypeCode.h"

namespace
{
BSTR g_chequeTypeCode = nullptr;
}

void CreateChequeTypeCode()
{
    if (!g_chequeTypeCode)
        g_chequeTypeCode = SysAllocString(L"CHQ");
}

void FreeChequeTypeCode()
{
    SysFreeString(g_chequeTypeCode);
    g_chequeTypeCode = nullptr;
}

bool IsChequeType(BSTR type)
{
    if (!g_chequeTypeCode)
        throw E_OUTOFMEMORY;
    return VarBstrCmp(type, g_chequeTypeCode, LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}
