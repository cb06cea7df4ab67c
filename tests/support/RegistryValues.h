// What the registry holds, read for tests' checks.
#pragma once

#include <windows.h>

#include <string>

// A string value (the key's default value when `name` is null), or
// "<missing>" when there is none.
std::wstring RegistryString(HKEY root, const std::wstring& key, const wchar_t* name = nullptr);

bool RegistryKeyExists(HKEY root, const std::wstring& key);
