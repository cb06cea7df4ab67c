#include "engine/FuzzTarget.h"

#include <windows.h>
#include <mbctype.h>
#include <ole2.h>
#include <stdio.h>
#include <stdarg.h>
#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "engine/CrashGuard.h"
#include "engine/FileBytes.h"
#include "engine/FuzzRandom.h"
#include "engine/Mutator.h"
#include "engine/Printable.h"

namespace
{
const char Usage[] = "usage: %s [options]\n"
                     "  --seed N            seed of the mutations (default: from the clock; always printed)\n"
                     "  --seconds S         time budget (default 60)\n"
                     "  --runs N            stop after N inputs (default: no limit)\n"
                     "  --seeds DIR         corpus seed files (repeatable)\n"
                     "  --regressions DIR   replay every file of DIR first; a file named KIND--*.ext shows KIND\n"
                     "  --known FILE        finding kinds known to be broken today (one per line: TARGET/KIND note)\n"
                     "  --replay FILE       run FILE (repeatable) and say what it does; nothing else runs\n"
                     "  --minimize FILE     shrink FILE while it breaks the same rule; nothing else runs\n"
                     "  --out DIR           findings go to DIR\\<target> (default: fuzz beside the program's folder)\n"
                     "  --max-length N      longest input made (default 32768)\n"
                     "  --heap-check        validate every heap of the process after each input\n"
                     "  --hang-seconds S    an input running longer is a hang (default 20)\n"
                     "  --codepage CP       run the C runtime's multibyte functions and the thread's ANSI code\n"
                     "                      page under CP (932, 936, 949 or 950)\n"
                     "Exit status: 0 nothing new found, 1 findings, 2 bad usage, 3 crash, 4 hang, 5 broken heap.\n";

struct Options
{
    uint64_t seed = 0;
    bool seedGiven = false;
    double seconds = 60;
    uint64_t runs = 0;
    std::vector<std::string> seedFolders;
    std::string regressions;
    std::string known;
    std::vector<std::string> replay;
    std::string minimize;
    std::string out;
    size_t maxLength = 32768;
    bool heapCheck = false;
    DWORD hangSeconds = 20;
    UINT codePage = 0;
};

struct Verdict
{
    bool passed = true;
    std::string kind;
    std::string detail;
    uint32_t signature = 0;
};

struct KindRecord
{
    uint64_t count = 0;
    int saved = 0;
    size_t smallest = static_cast<size_t>(-1);
    std::string smallestFile;
};

// Paths given as Linux paths are reached through Wine's drive Z:.
std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// A folder beside the one the program lies in: build\fuzz for build\bin.
std::string BesideProgramFolder(const char* name)
{
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program, length < MAX_PATH ? length : 0);
    for (int up = 0; up < 2 && folder.find('\\') != std::string::npos; ++up)
        folder.erase(folder.rfind('\\'));
    return folder + "\\" + name;
}

// Creates the folder and those above it; false when it is not there after.
bool MakeFolders(const std::string& folder)
{
    for (size_t at = folder.find('\\', 3); at != std::string::npos; at = folder.find('\\', at + 1))
        CreateDirectoryA(folder.substr(0, at).c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// The plain files of a folder, by name.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && found.cFileName[0] != '.')
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void Say(const char* format, ...) __attribute__((format(printf, 1, 2)));
void Say(const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    vprintf(format, arguments);
    va_end(arguments);
    fflush(stdout);
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i)
    {
        const std::string name = argv[i];
        if (name == "--heap-check")
        {
            options.heapCheck = true;
            continue;
        }
        if (i + 1 >= argc)
            return false;
        const std::string value = argv[++i];
        if (name == "--seed")
        {
            options.seed = strtoull(value.c_str(), nullptr, 10);
            options.seedGiven = true;
        }
        else if (name == "--seconds")
            options.seconds = atof(value.c_str());
        else if (name == "--runs")
            options.runs = strtoull(value.c_str(), nullptr, 10);
        else if (name == "--seeds")
            options.seedFolders.push_back(WindowsPath(value));
        else if (name == "--regressions")
            options.regressions = WindowsPath(value);
        else if (name == "--known")
            options.known = WindowsPath(value);
        else if (name == "--replay")
            options.replay.push_back(WindowsPath(value));
        else if (name == "--minimize")
            options.minimize = WindowsPath(value);
        else if (name == "--out")
            options.out = WindowsPath(value);
        else if (name == "--max-length")
            options.maxLength = strtoul(value.c_str(), nullptr, 10);
        else if (name == "--hang-seconds")
            options.hangSeconds = strtoul(value.c_str(), nullptr, 10);
        else if (name == "--codepage")
            options.codePage = strtoul(value.c_str(), nullptr, 10);
        else
            return false;
    }
    return options.maxLength > 0 && options.hangSeconds > 0;
}

// The known kinds with their notes; a missing file knows none.
std::map<std::string, std::string> ReadKnownKinds(const std::string& path)
{
    std::map<std::string, std::string> known;
    std::string text;
    if (path.empty() || !ReadFileBytes(path, text))
        return known;
    size_t start = 0;
    while (start < text.size())
    {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        const size_t space = line.find_first_of(" \t");
        const std::string kind = line.substr(0, space);
        const size_t note = space == std::string::npos ? space : line.find_first_not_of(" \t", space);
        known[kind] = note == std::string::npos ? std::string() : line.substr(note);
    }
    return known;
}

bool SelectCodePage(UINT codePage)
{
    static const std::pair<UINT, LCID> locales[] = {{932, MAKELCID(0x0411, SORT_DEFAULT)},
                                                    {936, MAKELCID(0x0804, SORT_DEFAULT)},
                                                    {949, MAKELCID(0x0412, SORT_DEFAULT)},
                                                    {950, MAKELCID(0x0404, SORT_DEFAULT)}};
    for (const auto& locale : locales)
    {
        if (locale.first == codePage)
            return _setmbcp(static_cast<int>(codePage)) == 0 && SetThreadLocale(locale.second);
    }
    return false;
}

UINT ThreadAnsiCodePage()
{
    char text[8] = {};
    GetLocaleInfoA(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE, text, sizeof text);
    return static_cast<UINT>(atoi(text));
}

class Engine
{
public:
    Engine(FuzzTarget& target, const Options& options)
        : m_target(target), m_options(options), m_known(ReadKnownKinds(options.known))
    {
    }

    Verdict Run(const std::string& input)
    {
        Verdict verdict;
        InputStarts(input);
        try
        {
            verdict.signature = m_target.Run(input);
        }
        catch (const InvariantBroken& broken)
        {
            verdict = Broken(broken.kind, broken.detail);
        }
        catch (const std::exception& error)
        {
            verdict = Broken("uncaught-exception", std::string("std::exception: ") + error.what());
        }
        catch (HRESULT code)
        {
            char text[64];
            snprintf(text, sizeof text, "HRESULT 0x%08lX", static_cast<unsigned long>(code));
            verdict = Broken("uncaught-exception", text);
        }
        catch (...)
        {
            verdict = Broken("uncaught-exception", "an exception of another type");
        }
        // Still inside the input's bracket: a heap broken badly enough to
        // fault while it is checked keeps the input too.
        if (m_options.heapCheck && !HeapsAreValid())
        {
            char name[MAX_PATH];
            SaveFinding("heap", input, "a heap of the process fails HeapValidate after this input", name, sizeof name);
            Say("\nFINDING heap: a heap of the process fails HeapValidate after this input\n  input kept in %s\n",
                name);
            TerminateProcess(GetCurrentProcess(), ExitHeapBroken);
        }
        InputDone();
        ++m_inputs;
        return verdict;
    }

    // Known kinds are listed as TARGET/KIND.
    std::string Listed(const std::string& kind) const { return std::string(m_target.Name()) + "/" + kind; }
    bool IsKnown(const std::string& kind) const { return m_known.count(Listed(kind)) != 0; }

    // Counts a finding, keeps its input (the first few of each kind, and every
    // smaller one) and tells of each kind the first time.
    void Record(const Verdict& verdict, const std::string& input, const std::string& how)
    {
        KindRecord& record = m_kinds[verdict.kind];
        ++record.count;
        const bool first = record.count == 1;
        if (record.saved < 5 || input.size() < record.smallest)
        {
            char name[MAX_PATH];
            const std::string description = verdict.kind + ": " + verdict.detail + "\r\n" + how;
            SaveFinding(verdict.kind.c_str(), input, description.c_str(), name, sizeof name);
            ++record.saved;
            if (input.size() < record.smallest)
            {
                record.smallest = input.size();
                record.smallestFile = name;
            }
        }
        if (first)
        {
            Say("%s %s: %s\n  input kept in %s\\%s (%s)\n", IsKnown(verdict.kind) ? "known finding" : "FINDING",
                verdict.kind.c_str(), verdict.detail.c_str(), m_folder.c_str(), record.smallestFile.c_str(),
                how.c_str());
        }
    }

    void SetFolder(const std::string& folder) { m_folder = folder; }

    int ReplayFiles()
    {
        int failed = 0;
        for (const std::string& path : m_options.replay)
        {
            std::string input;
            if (!ReadFileBytes(path, input))
            {
                Say("%s: cannot be read\n", path.c_str());
                ++failed;
                continue;
            }
            const Verdict verdict = Run(input);
            if (verdict.passed)
                Say("%s: keeps every rule\n", path.c_str());
            else
            {
                Say("%s: %s: %s\n", path.c_str(), verdict.kind.c_str(), verdict.detail.c_str());
                ++failed;
            }
        }
        return failed ? 1 : 0;
    }

    int Minimize()
    {
        std::string input;
        if (!ReadFileBytes(m_options.minimize, input))
        {
            Say("%s: cannot be read\n", m_options.minimize.c_str());
            return 2;
        }
        const Verdict original = Run(input);
        if (original.passed)
        {
            Say("%s keeps every rule: nothing to shrink\n", m_options.minimize.c_str());
            return 1;
        }
        int tries = 0;
        for (size_t chunk = std::max<size_t>(input.size() / 2, 1); chunk > 0 && tries < 50000; chunk /= 2)
        {
            bool shrunk = true;
            while (shrunk && tries < 50000)
            {
                shrunk = false;
                for (size_t at = 0; at < input.size() && tries < 50000;)
                {
                    std::string smaller = input;
                    smaller.erase(at, chunk);
                    ++tries;
                    const Verdict verdict = Run(smaller);
                    if (!verdict.passed && verdict.kind == original.kind)
                    {
                        input = smaller;
                        shrunk = true;
                    }
                    else
                        at += chunk;
                }
            }
        }
        const Verdict result = Run(input);
        char name[MAX_PATH];
        SaveFinding(("minimized-" + result.kind).c_str(), input, (result.kind + ": " + result.detail).c_str(), name,
                    sizeof name);
        Say("%s: %s\n  shrunk to %u bytes in %d tries: \"%s\"\n  kept in %s\\%s\n", result.kind.c_str(),
            result.detail.c_str(), static_cast<unsigned>(input.size()), tries, Printable(input, 160).c_str(),
            m_folder.c_str(), name);
        return 0;
    }

    // Replays the kept inputs that once broke something. A file whose kind is
    // still known to be broken may fail with it; a known kind whose every
    // file passes now must leave the list.
    int RunRegressions()
    {
        if (GetFileAttributesA(m_options.regressions.c_str()) == INVALID_FILE_ATTRIBUTES)
        {
            Say("  FAIL  the folder %s is missing\n", m_options.regressions.c_str());
            return 1;
        }
        const std::vector<std::string> names = FilesIn(m_options.regressions);
        int failures = 0;
        std::map<std::string, bool> knownStillFails;
        for (const std::string& name : names)
        {
            const size_t marker = name.find("--");
            const std::string named = marker == std::string::npos ? std::string() : name.substr(0, marker);
            if (IsKnown(named) && !knownStillFails.count(named))
                knownStillFails[named] = false;
            std::string input;
            if (!ReadFileBytes(m_options.regressions + "\\" + name, input))
            {
                Say("  FAIL  %s: cannot be read\n", name.c_str());
                ++failures;
                continue;
            }
            const Verdict verdict = Run(input);
            if (verdict.passed)
                Say("  ok    %s\n", name.c_str());
            else if (IsKnown(verdict.kind))
            {
                if (verdict.kind == named)
                    knownStillFails[named] = true;
                Say("  known %s: %s\n", name.c_str(), verdict.kind.c_str());
            }
            else
            {
                Say("  FAIL  %s: %s: %s\n", name.c_str(), verdict.kind.c_str(), verdict.detail.c_str());
                ++failures;
            }
        }
        for (const auto& kind : knownStillFails)
        {
            if (kind.second)
                continue;
            Say("  FAIL  %s: every regression input of this kind passes now; delete its line from %s\n",
                Listed(kind.first).c_str(), m_options.known.c_str());
            ++failures;
        }
        Say("regressions: %u inputs, %d failures\n", static_cast<unsigned>(names.size()), failures);
        return failures;
    }

    void Fuzz(uint64_t seed)
    {
        std::vector<std::string> corpus;
        for (const std::string& folder : m_options.seedFolders)
        {
            for (const std::string& name : FilesIn(folder))
            {
                std::string bytes;
                if (ReadFileBytes(folder + "\\" + name, bytes))
                    corpus.push_back(bytes.substr(0, m_options.maxLength));
            }
        }
        const size_t seeds = corpus.size();
        if (corpus.empty())
            corpus.push_back(std::string());
        Say("corpus: %u seed files\n", static_cast<unsigned>(seeds));

        const ULONGLONG start = GetTickCount64();
        const ULONGLONG budget = static_cast<ULONGLONG>(m_options.seconds * 1000);
        ULONGLONG nextStatus = start + 10000;
        auto timeLeft = [&] { return GetTickCount64() - start < budget; };
        auto runsLeft = [&] { return m_options.runs == 0 || m_inputs < m_options.runs; };

        for (size_t i = 0; i < seeds && runsLeft(); ++i)
            Consider(corpus[i], "seed file as it stands", corpus, false);

        FuzzRandom random(seed);
        Mutator mutator(random, m_options.maxLength);
        uint64_t mutants = 0;
        while (timeLeft() && runsLeft())
        {
            const std::string& parent = corpus[random.Below(corpus.size())];
            const std::string input = mutator.Mutate(parent, corpus);
            ++mutants;
            Consider(input,
                     "seed " + std::to_string(seed) + ", mutant " + std::to_string(mutants) + ": " +
                         mutator.LastEdits(),
                     corpus, true);
            if (GetTickCount64() >= nextStatus)
            {
                nextStatus += 10000;
                Status(start);
            }
        }
        Status(start);
    }

    // The summary; gives the number of kinds found that are not known.
    int Summary() const
    {
        int unknown = 0;
        for (const auto& entry : m_kinds)
        {
            const bool known = IsKnown(entry.first);
            if (!known)
                ++unknown;
            Say("  %-8s %-34s %8llu inputs, smallest %u bytes: %s\\%s\n", known ? "known" : "FINDING",
                entry.first.c_str(), static_cast<unsigned long long>(entry.second.count),
                static_cast<unsigned>(entry.second.smallest), m_folder.c_str(), entry.second.smallestFile.c_str());
            if (known && !m_known.at(Listed(entry.first)).empty())
                Say("           %s\n", m_known.at(Listed(entry.first)).c_str());
        }
        return unknown;
    }

private:
    static Verdict Broken(const std::string& kind, const std::string& detail)
    {
        Verdict verdict;
        verdict.passed = false;
        verdict.kind = kind;
        verdict.detail = detail;
        return verdict;
    }

    void Consider(const std::string& input, const std::string& how, std::vector<std::string>& corpus, bool mayJoin)
    {
        const Verdict verdict = Run(input);
        if (!verdict.passed)
        {
            Record(verdict, input, how);
            return;
        }
        // An input with an outcome not seen before is worth mutating further.
        if (m_signatures.insert(verdict.signature).second && mayJoin && corpus.size() < 2000)
            corpus.push_back(input);
    }

    void Status(ULONGLONG start) const
    {
        const double seconds = (GetTickCount64() - start) / 1000.0;
        uint64_t findings = 0;
        for (const auto& entry : m_kinds)
            findings += entry.second.count;
        Say("[%s] %.0f s: %llu inputs, %.0f/s, %u outcomes seen, findings %llu in %u kinds\n", m_target.Name(), seconds,
            static_cast<unsigned long long>(m_inputs), seconds > 0 ? m_inputs / seconds : 0.0,
            static_cast<unsigned>(m_signatures.size()), static_cast<unsigned long long>(findings),
            static_cast<unsigned>(m_kinds.size()));
    }

    FuzzTarget& m_target;
    const Options& m_options;
    std::map<std::string, std::string> m_known;
    std::map<std::string, KindRecord> m_kinds;
    std::set<uint32_t> m_signatures;
    std::string m_folder;
    uint64_t m_inputs = 0;
};
}

int FuzzMain(int argc, char** argv, FuzzTarget& target)
{
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        fprintf(stderr, Usage, argv[0]);
        return 2;
    }
    const HRESULT started = OleInitialize(nullptr);
    if (FAILED(started))
    {
        fprintf(stderr, "OLE cannot be started (0x%08lX)\n", static_cast<unsigned long>(started));
        return 2;
    }
    if (options.codePage && !SelectCodePage(options.codePage))
    {
        fprintf(stderr, "code page %u cannot be selected\n", options.codePage);
        return 2;
    }
    if (!options.seedGiven)
        options.seed = (static_cast<uint64_t>(GetTickCount()) << 16) ^ GetCurrentProcessId() ^ time(nullptr);

    if (options.out.empty())
        options.out = BesideProgramFolder("fuzz");
    const std::string folder = options.out + "\\" + target.Name();
    if (!MakeFolders(folder))
    {
        fprintf(stderr, "the folder %s cannot be made\n", folder.c_str());
        return 2;
    }
    target.Prepare(folder);
    InstallCrashGuard(folder, target.Extension(), options.hangSeconds);

    Engine engine(target, options);
    engine.SetFolder(folder);
    if (!options.replay.empty())
        return engine.ReplayFiles();
    if (!options.minimize.empty())
        return engine.Minimize();

    Say("[%s] seed %llu (repeat with --seed %llu), ANSI code page %u, thread ANSI code page %u, "
        "multibyte code page %d%s\n",
        target.Name(), static_cast<unsigned long long>(options.seed), static_cast<unsigned long long>(options.seed),
        GetACP(), ThreadAnsiCodePage(), _getmbcp(), options.heapCheck ? ", heaps validated after every input" : "");
    int failures = 0;
    if (!options.regressions.empty())
        failures += engine.RunRegressions();
    engine.Fuzz(options.seed);
    const int unknown = engine.Summary();
    if (unknown)
        Say("[%s] %d kinds of findings not known before\n", target.Name(), unknown);
    return failures || unknown ? 1 : 0;
}
