// The two texts remembered per paying bank account (template name and
// beneficiary reference), kept in the host's settings file BANKSERV.INI in
// the all-users application-data folder, section "MIGRATED"; and the default
// path of the payment file, from the directory and name the host configures.
#pragma once

#include <windows.h>

#include <cstddef>

#include "text/CString.h"

// Key prefixes; the payment run appends the paying account's suffix.
extern const char* const TemplateKeyPrefix;
extern const char* const BenRefKeyPrefix;

// The only section read or written.
extern const char* const SettingsSection;

// Full path of the settings file. Computed once the shell gives the folder;
// until then it is empty and every call asks the shell again.
const char* SettingsFilePath();

// Reads the key into `buffer`, whose size (in characters, as handed to the
// profile functions) is `*size`; true when a non-empty value came back.
bool ReadSetting(const CString& key, char* buffer, DWORD* size);

// Assigns the key's value to `value` when one is stored; a missing key or an
// empty value leaves `value` as it was.
void LoadSetting(const CString& key, CString& value);

// Stores the value as it is (an empty text gives an empty value); true on
// success.
bool WriteSetting(const CString& key, const char* value);

// Appends "\" to the text in `buffer` (of `size` characters) unless it already
// ends in one; an empty text gets the backslash. False, leaving the text as it
// was, when there is no room.
bool AppendBackslash(char* buffer, size_t size);

// Writes into `output` (of `outputSize` characters) the directory, one
// backslash and the file name. A directory that cannot be found (or that is
// too long to search) is reported to the user and replaced by "C:\"; the root
// of drive A: is taken as it is, disk or not. A result longer than the
// output buffer is cut.
void ResolveDefaultPaymentPath(const char* fileName, const char* directory, char* output,
                               size_t outputSize);
