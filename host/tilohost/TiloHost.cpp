// tilohost: the stand-in e-banking host as a command-line program. It meets
// the bank component only through COM, as the host does, with the
// stand-in host's components and objects around it.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <new>

#include "com/ComHolders.h"
#include "common/ComScope.h"
#include "objects/HostObject.h"
#include "tilohost/CommandLine.h"
#include "tilohost/Commands.h"
#include "tilohost/ConsoleOutput.h"
#include "tilohost/ExitStatus.h"
#include "tilohost/Failures.h"
#include "tilohost/ReportFile.h"
#include "tilohost/TextConversion.h"

namespace
{
std::vector<std::string> Arguments()
{
    std::vector<std::string> arguments;
    int count = 0;
    const LocalMemory held(CommandLineToArgvW(GetCommandLineW(), &count));
    const auto wide = static_cast<LPWSTR*>(held.Get());
    for (int index = 1; wide && index < count; ++index)
        arguments.push_back(Utf8FromWide(wide[index]));
    return arguments;
}

// The host's objects answer E_NOTIMPL to a call they do not serve; the run
// goes on, and each such call is named afterwards.
void WarnOfUnexpectedHostCalls()
{
    for (const std::string& call : TakeUnexpectedHostCalls())
        fprintf(stderr, "tilohost: warning: the component called %s, which the host does not serve (answered "
                        "E_NOTIMPL)\n", call.c_str());
}

int Run(const CommandLine& line)
{
    switch (line.command)
    {
    case CommandKind::Help:
        fputs(UsageText(), stdout);
        return ExitDone;
    case CommandKind::Version:
        return ShowVersion();
    case CommandKind::Register:
        return RegisterAll();
    case CommandKind::Unregister:
        return UnregisterAll();
    case CommandKind::Pay:
        return PayBatch(line);
    case CommandKind::Import:
        return ImportStatement(line);
    case CommandKind::StatusText:
        return line.codeGiven ? ShowStatusText(line.code) : ShowEveryStatusText();
    }
    return ExitBadInput;
}
}

int main()
{
    PrepareConsole();
    // The host's thread: a single-threaded apartment with OLE, as the
    // dialogs and the component expect.
    const ComScope ole(ComScope::Ole);
    int status = ExitBadInput;
    try
    {
        status = Run(ParseCommandLine(Arguments()));
    }
    catch (const BadUsage& error)
    {
        if (*error.what())
            fprintf(stderr, "tilohost: %s\n", error.what());
        if (error.showUsage)
            fprintf(stderr, "%s%s", *error.what() ? "\n" : "", UsageText());
        else
            fputs("(tilohost help shows the usage)\n", stderr);
    }
    catch (const BadInput& error)
    {
        fprintf(stderr, "tilohost: %s\n", error.what());
    }
    catch (const RunFailed& error)
    {
        fprintf(stderr, "tilohost: %s (%s)\n", error.what(), HResultText(error.result).c_str());
        status = ExitCallFailed;
    }
    // Left to the runtime, it would end the program with 3, which says
    // "cancelled".
    catch (const std::bad_alloc&)
    {
        fputs("tilohost: out of memory\n", stderr);
        status = ExitCallFailed;
    }
    WarnOfUnexpectedHostCalls();
    fflush(stdout);
    return status;
}
