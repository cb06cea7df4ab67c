// The registry script format of the module's registration scripts:
//
//   HKCR
//   {
//       NoRemove CLSID
//       {
//           ForceRemove {...} = s 'Bank Class'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Tokens are separated by white space; texts in single quotes, a doubled
// quote standing for one. A key may carry a default string value and named
// string values (val). On unregistration NoRemove keys stay, ForceRemove keys
// go with their whole subtree, and other keys go when no subkey is left;
// ForceRemove keys are also deleted with their subtree before registration.
// %NAME% is replaced before parsing; %% stands for a percent sign.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

struct RegistryScriptValue
{
    std::wstring name;
    std::wstring text;
};

struct RegistryScriptKey
{
    enum Removal
    {
        RemoveWhenEmpty,
        NoRemove,
        ForceRemove
    };

    std::wstring name;
    Removal removal = RemoveWhenEmpty;
    bool hasDefault = false;
    std::wstring defaultText;
    std::vector<RegistryScriptValue> values;
    std::vector<RegistryScriptKey> subkeys;
};

struct RegistryScriptRoot
{
    HKEY root;
    std::vector<RegistryScriptKey> keys;
};

using RegistryReplacements = std::vector<std::pair<std::wstring, std::wstring>>;

// The script with every %NAME% replaced (names compared without regard to
// case). An unknown name or a lone percent sign is thrown as
// DISP_E_EXCEPTION.
std::wstring ExpandRegistryScript(const std::wstring& script, const RegistryReplacements& replacements);

// The roots and key trees of an expanded script; a script that breaks the
// format is thrown as DISP_E_EXCEPTION.
std::vector<RegistryScriptRoot> ParseRegistryScript(const std::wstring& script);

// Writes or removes what the script describes; gives the first failure.
HRESULT RegisterRegistryScript(const std::vector<RegistryScriptRoot>& script);
HRESULT UnregisterRegistryScript(const std::vector<RegistryScriptRoot>& script);
