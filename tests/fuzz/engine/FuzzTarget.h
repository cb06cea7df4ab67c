// What a fuzz driver gives the engine: the code under test behind one call
// per input, and the rules it must keep.
#pragma once

#include <stdint.h>

#include <stdexcept>
#include <string>

// Thrown by a driver when the code under test broke one of its rules. The
// kind names the rule ("amount-not-finite"): findings are counted, kept and
// known by it; the detail says what happened on this input.
class InvariantBroken : public std::runtime_error
{
public:
    InvariantBroken(const std::string& kind, const std::string& detail)
        : std::runtime_error(kind + ": " + detail), kind(kind), detail(detail)
    {
    }

    std::string kind;
    std::string detail;
};

// `detail` makes the text only when the rule is broken: checks run on every
// input, their reports seldom.
template <class Detail> void Require(bool kept, const char* kind, Detail detail)
{
    if (!kept)
        throw InvariantBroken(kind, detail());
}

class FuzzTarget
{
public:
    virtual ~FuzzTarget() = default;

    // Names the target's folders (seeds, regressions, findings).
    virtual const char* Name() const = 0;
    // How its input files end, e.g. ".csv".
    virtual const char* Extension() const = 0;

    // Once, before any input, with a folder of the target's own for files.
    virtual void Prepare(const std::string& workFolder) = 0;

    // Runs one input. Throws InvariantBroken for a broken rule; any other
    // exception that leaves it is a finding too. Gives a small number that
    // sums up what the input did, so that inputs with new outcomes join the
    // corpus.
    virtual uint32_t Run(const std::string& input) = 0;
};

// The engine's command line and loop; the drivers' main() calls it.
int FuzzMain(int argc, char** argv, FuzzTarget& target);
