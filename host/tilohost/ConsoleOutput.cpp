#include "tilohost/ConsoleOutput.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "tilohost/FileAccess.h"
#include "tilohost/ReportFile.h"
#include "tilohost/TextConversion.h"

namespace
{
size_t CharacterCount(const std::string& text)
{
    size_t count = 0;
    for (unsigned char ch : text)
        count += (ch & 0xC0) != 0x80;
    return count;
}

// The bytes of the first `characters` characters.
std::string FirstCharacters(const std::string& text, size_t characters)
{
    size_t count = 0;
    for (size_t index = 0; index < text.size(); ++index)
    {
        if ((static_cast<unsigned char>(text[index]) & 0xC0) != 0x80 && count++ == characters)
            return text.substr(0, index);
    }
    return text;
}

std::string IndentedLines(const std::string& text)
{
    std::string result;
    for (size_t index = 0; index < text.size(); ++index)
    {
        const char ch = text[index];
        if (ch == '\r' || ch == '\n')
        {
            if (ch == '\r' && index + 1 < text.size() && text[index + 1] == '\n')
                ++index;
            result += "\n      ";
        }
        else
            result += ch;
    }
    return result;
}
}

void PrepareConsole()
{
    SetConsoleOutputCP(CP_UTF8);
    // Lines end in LF, as the Linux side expects.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

void PrintLine(const std::string& text)
{
    fputs(text.c_str(), stdout);
    fputc('\n', stdout);
    fflush(stdout);
}

std::string PadRight(const std::string& text, size_t width)
{
    const size_t count = CharacterCount(text);
    return count >= width ? FirstCharacters(text, width) : text + std::string(width - count, ' ');
}

std::string PadLeft(const std::string& text, size_t width)
{
    const size_t count = CharacterCount(text);
    return count >= width ? text : std::string(width - count, ' ') + text;
}

std::string CountOf(long count, const char* one, const char* many)
{
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string DescribeHResult(HRESULT result)
{
    struct Named
    {
        unsigned long value;
        const char* name;
    };
    static const Named names[] = {
        {0x00000000, "S_OK"},
        {0x00000001, "S_FALSE"},
        {0x00000028, "success: too many payments"},
        {0x80020009, "DISP_E_EXCEPTION"},
        {0x80004003, "E_POINTER"},
        {0x80070057, "E_INVALIDARG"},
        {0x80004005, "E_FAIL"},
        {0x8000FFFF, "E_UNEXPECTED"},
        {0x8007000E, "E_OUTOFMEMORY"},
        {0x80040154, "REGDB_E_CLASSNOTREG"},
        {0x800401F3, "CO_E_CLASSSTRING"},
    };
    std::string text = HResultText(result);
    for (const Named& named : names)
    {
        if (named.value == static_cast<unsigned long>(result))
            return text + " (" + named.name + ")";
    }
    return text + (SUCCEEDED(result) ? " (success)" : " (failure)");
}

std::string DescribePath(const std::string& path)
{
    const std::string full = FullPath(path);
    const std::string unixPath = UnixPathOf(full);
    return unixPath.empty() ? full : full + "  (" + unixPath + ")";
}

void PrintMessageBoxes(const std::vector<MessageBoxContent>& boxes)
{
    if (boxes.empty())
    {
        PrintLine("Message boxes: none");
        return;
    }
    PrintLine("Message boxes:");
    for (const MessageBoxContent& box : boxes)
        PrintLine("  \"" + Utf8FromAnsi(box.caption) + "\":\n      " + IndentedLines(Utf8FromAnsi(box.text)));
}
