// What installing the host writes: its two classes, its three type
// libraries (embedded as TYPELIB 1, 2, 3), its bank-component category and
// the folder of its settings file. Each step is idempotent.
#pragma once

#include <windows.h>

// By StandInClass; E_INVALIDARG for another value.
HRESULT RegisterStandInClass(int standInClass);
HRESULT UnregisterStandInClass(int standInClass);

HRESULT RegisterHostTypeLibraries();
HRESULT UnregisterHostTypeLibraries();

HRESULT RegisterBankCategory();
HRESULT UnregisterBankCategory();

// <common application data>\VORN\Vorn EBanking; never removed, since it may
// hold the user's settings.
HRESULT CreateSettingsFolder();
