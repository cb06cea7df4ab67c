// The command line of tilohost: the command, its file and its options.
#pragma once

#include <string>
#include <vector>

enum class CommandKind
{
    Help,
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
    long code = 0;           // status-text
    AccountOption account;   // pay, import
    DefaultsOption defaults; // pay
    bool autoGiven = false;  // pay
    std::string autoAnswers;
    bool cancel = false;     // import
    std::string reportPath;  // pay, import; empty: no report
};

// The arguments after the program's name. Throws BadUsage.
CommandLine ParseCommandLine(const std::vector<std::string>& arguments);

const char* UsageText();
