// The command line of tilohost: the command, its file and its options.
#pragma once

#include <string>
#include <vector>

enum class CommandKind
{
    Help,
    Version,
    Register,
    Unregister,
    Pay,
    Import,
    StatusText,
};

struct AccountOption
{
    bool given = false;
    std::string sortCode;       // as given
    std::string accountNumber;  // as given
};

struct DefaultsOption
{
    bool given = false;
    std::string fileName;
    std::string extension;
    std::string directory;
};

struct CommandLine
{
    CommandKind command = CommandKind::Help;
    std::string file;        // pay, import
    bool codeGiven = false;  // status-text; without a code: every code
    long code = 0;
    AccountOption account;   // pay, import
    DefaultsOption defaults; // pay
    bool autoGiven = false;  // pay
    std::string autoAnswers;
    bool cancel = false;     // import
    std::string reportPath;  // pay, import; empty: no report
    std::string logPath;     // pay, import; empty: no log
};

// The arguments after the program's name. Throws BadUsage; with
// showUsage for none at all and for a command without its file.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

const char* UsageText();
