// The transaction type code of a cheque, "CHQ": one BSTR for the module's
// whole life, made when the module loads and freed when it unloads.
#pragma once

#include <windows.h>
#include <oleauto.h>

const char ChequeTypeText[] = "CHQ";

void CreateChequeTypeCode();
void FreeChequeTypeCode();

// True only for a type exactly equal to the code: VarBstrCmp in the user's
// default locale with no flags, so case matters. Throws E_OUTOFMEMORY when
// the code could not be made at load, rather than miss every cheque.
bool IsChequeType(BSTR type);
