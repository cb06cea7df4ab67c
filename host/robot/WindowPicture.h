// Pictures of windows as they are on the screen.
#pragma once

#include <windows.h>

#include <string>

// Saves what the screen shows of the window (frame included) as a PNG file
// at the Windows path `path`; false when that fails.
bool SaveWindowPicture(HWND window, const std::string& path);
