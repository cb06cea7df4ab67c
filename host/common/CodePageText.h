// Text between UTF-16, as COM and the host's objects hold it, and a code
// page (CP_ACP for window texts and the stand-in's blocks, CP_UTF8 for
// tilohost's files): one conversion for all of the host.
#pragma once

#include <windows.h>

#include <string>

// `flags` as MultiByteToWideChar takes them; with MB_ERR_INVALID_CHARS,
// text that is not valid in the code page gives the empty text.
std::wstring WideFromCodePage(UINT codePage, const std::string& text, DWORD flags = 0);

// A character the code page lacks becomes "?".
std::string CodePageFromWide(UINT codePage, const std::wstring& text);
