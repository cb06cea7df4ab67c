// Conversions between the texts the command-line host meets: UTF-8 (its
// input files, its output), UTF-16 (COM and the host's objects) and the ANSI
// code page (window texts, typed keystrokes).
#pragma once

#include <string>

// Throws BadInput when `text` is not valid UTF-8.
std::wstring WideFromUtf8(const std::string& text);
std::string Utf8FromWide(const std::wstring& text);
std::string Utf8FromAnsi(const std::string& text);
// Characters the ANSI code page lacks become '?'.
std::string AnsiFromUtf8(const std::string& text);
// Whether the ANSI code page holds every character of `text`.
bool FitsAnsi(const std::string& text);
