// Where the build put the component and the stand-in host: beside the test
// programs.
#pragma once

#include <string>

// The full Windows path of a file in the test program's own folder.
std::string BesideTestProgram(const char* fileName);
