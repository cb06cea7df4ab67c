// How the program fails: bad usage or bad input stop it before it runs
// anything (exit status 2); a failed call on the component, or a report or
// log that could not be written, ends it with status 1 (ExitStatus.h has
// them all).
#pragma once

#include <stdexcept>
#include <string>

class BadInput : public std::runtime_error
{
public:
    explicit BadInput(const std::string& message) : std::runtime_error(message) {}
};

// The same for a mistake in the command line itself: the usage text is
// pointed to, or shown whole when the command line lacks what a command
// needs (`showUsage`).
class BadUsage : public BadInput
{
public:
    explicit BadUsage(const std::string& message, bool showUsage = false)
        : BadInput(message), showUsage(showUsage)
    {
    }
    bool showUsage;
};

// The command could not finish what it ran: exit status 1, with the
// failure's HRESULT.
class RunFailed : public std::runtime_error
{
public:
    RunFailed(const std::string& what, long result) : std::runtime_error(what), result(result) {}
    long result;
};

// A call on the component (or on COM to reach it) failed.
class ComponentCallFailed : public RunFailed
{
public:
    using RunFailed::RunFailed;
};

// The report or the log of a run could not be written.
class OutputNotWritten : public RunFailed
{
public:
    using RunFailed::RunFailed;
};
