#include "tilohost/CommandLine.h"

#include <cerrno>
#include <cstdlib>

#include "tilohost/Failures.h"

namespace
{
const char Usage[] =
    "Usage:\n"
    "  tilohost register\n"
    "  tilohost unregister\n"
    "  tilohost pay PAYMENTS.csv [--account SORTCODE/ACCOUNT] [--defaults NAME,EXT,DIR]\n"
    "                            [--auto ANSWERS] [--report FILE] [--log FILE]\n"
    "  tilohost import STATEMENT.csv [--account SORTCODE/ACCOUNT] [--cancel] [--report FILE]\n"
    "                                [--log FILE]\n"
    "  tilohost status-text [CODE]\n"
    "  tilohost --version\n"
    "  tilohost help\n"
    "\n"
    "register, unregister  register (or remove) the stand-in host and the component; each step is\n"
    "                      reported, and repeating a command changes nothing.\n"
    "pay                   reads a batch of payments from a UTF-8 CSV file and hands it to the\n"
    "                      component's payment service (ProcessPayments). The header names the\n"
    "                      columns, in any order, any of: Amount, PayerSortCode, PayerAccountNumber,\n"
    "                      PayeeReference, PayeeSortCode, PayeeAccountNumber, PayeeAccountName,\n"
    "                      PayeeRollNumber, Details, StatusCode (1 marks an IAT; the component takes\n"
    "                      any value but 0 as the mark). Missing columns are empty or 0. Without\n"
    "                      --auto the dialogs are shown to you. After the payments, a summary: how\n"
    "                      many passed and failed their checks, the amount that passed, the IATs,\n"
    "                      and the format, date, template and reference read back from the file.\n"
    "import                the stand-in file selection chooses STATEMENT.csv (or the user cancels:\n"
    "                      --cancel) and the component's statement service imports it\n"
    "                      (ImportStatement) into a host statement that shows what it received,\n"
    "                      with a summary: transactions, debits and credits, first and last date.\n"
    "status-text           the component's text for a payment status code (GetPaymentStatusText);\n"
    "                      without a code, every code that has a text.\n"
    "--version             the version of tilohost, and the file version and path of the component\n"
    "                      registered as VornTiloOnline.Bank.1.\n"
    "\n"
    "--account SORTCODE/ACCOUNT  the host's bank account (texts as given); without it pay passes no\n"
    "                      bank context and import a context without an account.\n"
    "--defaults NAME,EXT,DIR  the payment file defaults of the host's settings\n"
    "                      (default: payments,csv,C:\\).\n"
    "--auto ANSWERS        a robot answers the dialogs as a user would. ANSWERS is a ';'-separated\n"
    "                      list of: format=0..3 (0 Standard Domestic/IATs, 1 Template, 2 Bulk List,\n"
    "                      3 Ad Hoc Bulk), date=YYYY-MM-DD, template=TEXT, benref=TEXT,\n"
    "                      iat=I,J,... (rows to mark as IATs), dialog=ok|cancel,\n"
    "                      save=PATH|cancel (default: the name the save dialog offers; a relative\n"
    "                      PATH is taken from the current folder),\n"
    "                      redirect=yes|no (the \"Windows Redirect\" question; default no),\n"
    "                      shot=PNG (a picture of the filled dialog before OK).\n"
    "                      Every message box gets OK; every other Yes/No question gets Yes.\n"
    "--report FILE         also writes the results for programs, one record per line:\n"
    "                      pay: payment,INDEX,CODE ... message,CAPTION,TEXT ... run,STATUS,HRESULT\n"
    "                      summary,PAYMENTS,PASSED,FAILED,AMOUNT,IATS,FORMAT,BYTES\n"
    "                      import: clear, balance,VALUE, txn,NUMBER,DATE,DIRECTION,AMOUNT,REFERENCE,\n"
    "                      DESCRIPTION ... import,STATUS,HRESULT\n"
    "                      summary,TRANSACTIONS,DEBITS,DEBIT_TOTAL,CREDITS,CREDIT_TOTAL,FIRST,LAST,\n"
    "                      RECOGNISED\n"
    "                      (texts with \\\\ \\, \\r \\n escaped; HRESULT as 0x and 8 hex digits).\n"
    "--log FILE            writes what the component sends to the debugger output during its call,\n"
    "                      one line each with the time it was written (why reading a statement\n"
    "                      stopped, for one).\n"
    "\n"
    "Paths are Windows paths for tilohost.exe; the wrapper scripts/tilohost takes Linux paths\n"
    "(PAYMENTS.csv, STATEMENT.csv, --report, --log, DIR of --defaults, save= and shot=) and\n"
    "converts them.\n"
    "\n"
    "Exit status of pay and import:\n"
    "  0  the call succeeded and did all of it: the payment file was written and every payment\n"
    "     passed its checks (run status 0, S_OK); or the statement file was read and at least one\n"
    "     transaction imported (import status 0)\n"
    "  1  the component's call failed (a failure HRESULT), or the run's report or log could not\n"
    "     be written\n"
    "  2  bad usage or bad input: nothing was run\n"
    "  3  cancelled by the user or the --auto answers: the payment dialog, the save dialog, a\n"
    "     refused processing date, or the statement file choice (import status 1)\n"
    "  4  the run ended without a payment file: run status 2 (the file failed) or 40 (too many\n"
    "     payments)\n"
    "  5  the payment file was written, but some payments failed their checks (run status 1,\n"
    "     S_FALSE): they are in the file, and their codes say why\n"
    "  6  the import succeeded but took no line: the file holds none for the bank account (the\n"
    "     summary lists the accounts it holds)\n"
    "The other commands: 0 when they did what was asked, 1 when a call failed, 2 for bad usage.\n";

struct CommandName
{
    const char* name;
    CommandKind kind;
};

const CommandName Commands[] = {
    {"help", CommandKind::Help},          {"--version", CommandKind::Version},
    {"register", CommandKind::Register},
    {"unregister", CommandKind::Unregister}, {"pay", CommandKind::Pay},
    {"import", CommandKind::Import},      {"status-text", CommandKind::StatusText},
};

bool TakesFile(CommandKind kind)
{
    return kind == CommandKind::Pay || kind == CommandKind::Import;
}

// Which options a command takes.
bool Allows(CommandKind kind, const std::string& option)
{
    if (option == "--account" || option == "--report" || option == "--log")
        return TakesFile(kind);
    if (option == "--defaults" || option == "--auto")
        return kind == CommandKind::Pay;
    if (option == "--cancel")
        return kind == CommandKind::Import;
    return false;
}

AccountOption ParseAccount(const std::string& text)
{
    const size_t slash = text.find('/');
    if (slash == std::string::npos)
        throw BadUsage("--account wants SORTCODE/ACCOUNT, not \"" + text + "\"");
    AccountOption account;
    account.given = true;
    account.sortCode = text.substr(0, slash);
    account.accountNumber = text.substr(slash + 1);
    return account;
}

DefaultsOption ParseDefaults(const std::string& text)
{
    const size_t first = text.find(',');
    const size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos)
        throw BadUsage("--defaults wants NAME,EXT,DIR, not \"" + text + "\"");
    DefaultsOption defaults;
    defaults.given = true;
    defaults.fileName = text.substr(0, first);
    defaults.extension = text.substr(first + 1, second - first - 1);
    defaults.directory = text.substr(second + 1);
    if (defaults.extension.size() > 3)
        throw BadUsage("--defaults: the extension has at most 3 characters, not \"" + defaults.extension + "\"");
    return defaults;
}

long ParseCode(const std::string& text)
{
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 10);
    if (text.empty() || *end || errno || value < -2147483648LL || value > 2147483647LL)
        throw BadUsage("status-text wants a 32-bit whole number, not \"" + text + "\"");
    return static_cast<long>(value);
}

CommandKind ParseCommand(const std::string& name)
{
    for (const CommandName& command : Commands)
    {
        if (name == command.name)
            return command.kind;
    }
    if (name == "-h" || name == "--help")
        return CommandKind::Help;
    throw BadUsage("unknown command \"" + name + "\"");
}
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments)
{
    CommandLine line;
    if (arguments.empty())
        throw BadUsage("", true);
    line.command = ParseCommand(arguments[0]);
    std::vector<std::string> positional;
    for (size_t index = 1; index < arguments.size(); ++index)
    {
        std::string option = arguments[index];
        if (option.compare(0, 2, "--") != 0)
        {
            positional.push_back(option);
            continue;
        }
        std::string value;
        bool hasValue = false;
        const size_t equals = option.find('=');
        if (equals != std::string::npos)
        {
            value = option.substr(equals + 1);
            option.resize(equals);
            hasValue = true;
        }
        if (!Allows(line.command, option))
            throw BadUsage("option " + option + " does not belong to command " + arguments[0]);
        if (option == "--cancel")
        {
            if (hasValue)
                throw BadUsage("--cancel takes no value");
            line.cancel = true;
            continue;
        }
        if (!hasValue)
        {
            if (++index == arguments.size())
                throw BadUsage(option + " wants a value");
            value = arguments[index];
        }
        if (option == "--account")
            line.account = ParseAccount(value);
        else if (option == "--defaults")
            line.defaults = ParseDefaults(value);
        else if (option == "--auto")
        {
            line.autoGiven = true;
            line.autoAnswers = value;
        }
        else if (value.empty())
            throw BadUsage(option + " wants a file");
        else if (option == "--log")
            line.logPath = value;
        else
            line.reportPath = value;
    }

    if (TakesFile(line.command))
    {
        if (positional.empty())
            throw BadUsage("command " + arguments[0] + " wants a file", true);
        if (positional.size() > 1)
            throw BadUsage("command " + arguments[0] + " wants one file (too many arguments)");
        line.file = positional[0];
    }
    else if (line.command == CommandKind::StatusText)
    {
        if (positional.size() > 1)
            throw BadUsage("command status-text wants at most one code (too many arguments)");
        line.codeGiven = !positional.empty();
        if (line.codeGiven)
            line.code = ParseCode(positional[0]);
    }
    else if (!positional.empty())
        throw BadUsage("command " + arguments[0] + " takes no arguments");
    return line;
}

const char* UsageText()
{
    return Usage;
}
