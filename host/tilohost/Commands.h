// The commands of tilohost. Each returns the program's exit status
// (ExitStatus.h); bad input throws BadInput before anything runs, a failed
// call on the way to the component throws ComponentCallFailed, a report or
// log not written OutputNotWritten.
#pragma once

#include "tilohost/CommandLine.h"

int RegisterAll();
int UnregisterAll();
int PayBatch(const CommandLine& line);
int ImportStatement(const CommandLine& line);
int ShowStatusText(long code);
int ShowEveryStatusText();
int ShowVersion();
