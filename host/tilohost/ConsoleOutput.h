// Output for people: UTF-8 lines on standard output, tables padded by
// characters, message boxes as they were shown.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "robot/WindowRobot.h"

// Standard output and error take UTF-8 with LF line ends, also when they
// are Wine's console.
void PrepareConsole();

void PrintLine(const std::string& text);

// Cut or padded to `width` characters (not bytes).
std::string PadRight(const std::string& text, size_t width);
std::string PadLeft(const std::string& text, size_t width);

// "1 payment", "2 payments".
std::string CountOf(long count, const char* one, const char* many);

// 0x00000001 (S_FALSE), with the name of the values the component gives.
std::string DescribeHResult(HRESULT result);

// A path and, under Wine, where it lies on the Linux side.
std::string DescribePath(const std::string& path);

// Every box, caption and text (its lines indented), or a line saying there
// was none.
void PrintMessageBoxes(const std::vector<MessageBoxContent>& boxes);
