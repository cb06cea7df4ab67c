// reglist: every key and value under the registry keys given, one line each,
// sorted, in UTF-8. Two listings of the same keys compare line by line: the
// build turns what the component's registration adds into the package's
// registry entries, and the package tests compare installations with it.
//
//   reglist [--except KEY]... KEY...
//
// KEY is HKLM, HKCU, HKCR or HKU, then \Path\To\Key; the subtree of every
// --except KEY is left out (Wine's own keys change under a running prefix).
//
//   KEY<TAB>PATH
//   VALUE<TAB>PATH<TAB>NAME<TAB>TYPE<TAB>DATA
//
// NAME is empty for the default value. Texts keep their backslashes; '%' and
// control characters are written %XX. DATA is the text of REG_SZ and
// REG_EXPAND_SZ, the strings of REG_MULTI_SZ joined by %00, REG_DWORD in
// decimal, and the bytes in hexadecimal for every other type.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{
// Owns one open registry key.
class OpenKey
{
public:
    OpenKey() = default;
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    HKEY Get() const { return m_key; }
    HKEY* Out() { return &m_key; }

private:
    HKEY m_key = nullptr;
};

struct Failure
{
    std::string message;
};

std::string Utf8(const wchar_t* text, size_t length)
{
    if (length == 0)
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
    std::string converted(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), &converted[0], size, nullptr, nullptr);
    return converted;
}

std::string Escaped(const std::string& text)
{
    std::string escaped;
    for (unsigned char ch : text)
    {
        if (ch < 0x20 || ch == '%')
        {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", ch);
            escaped += code;
        }
        else
            escaped += static_cast<char>(ch);
    }
    return escaped;
}

std::string TypeName(DWORD type)
{
    switch (type)
    {
    case REG_SZ:
        return "REG_SZ";
    case REG_EXPAND_SZ:
        return "REG_EXPAND_SZ";
    case REG_MULTI_SZ:
        return "REG_MULTI_SZ";
    case REG_DWORD:
        return "REG_DWORD";
    case REG_BINARY:
        return "REG_BINARY";
    case REG_QWORD:
        return "REG_QWORD";
    default:
        return "TYPE_" + std::to_string(type);
    }
}

// The characters of a string value, without the terminating NULs the value
// may or may not hold.
std::wstring StringData(const std::vector<BYTE>& data)
{
    std::wstring text(reinterpret_cast<const wchar_t*>(data.data()), data.size() / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

std::string DataText(DWORD type, const std::vector<BYTE>& data)
{
    if (type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ)
    {
        const std::wstring text = StringData(data);
        return Escaped(Utf8(text.c_str(), text.size()));
    }
    if (type == REG_DWORD && data.size() == sizeof(DWORD))
        return std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
    std::string hex;
    for (BYTE byte : data)
    {
        char digits[3];
        std::snprintf(digits, sizeof digits, "%02x", byte);
        hex += digits;
    }
    return hex;
}

// Paths as given, compared without regard to case.
std::vector<std::string> g_excepted;

bool Excepted(const std::string& path)
{
    for (const std::string& excepted : g_excepted)
    {
        if (_stricmp(excepted.c_str(), path.c_str()) == 0)
            return true;
    }
    return false;
}

void ListKey(HKEY key, const std::string& path, std::vector<std::string>& lines)
{
    if (Excepted(path))
        return;
    lines.push_back("KEY\t" + path);

    DWORD subkeyCount = 0;
    DWORD longestSubkey = 0;
    DWORD valueCount = 0;
    DWORD longestName = 0;
    DWORD longestData = 0;
    LONG status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeyCount, &longestSubkey, nullptr, &valueCount,
                                   &longestName, &longestData, nullptr, nullptr);
    if (status != ERROR_SUCCESS)
        throw Failure{"cannot read " + path + ": error " + std::to_string(status)};

    std::vector<wchar_t> name(longestName + 1);
    std::vector<BYTE> data(longestData + sizeof(wchar_t));
    for (DWORD index = 0; index < valueCount; ++index)
    {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataSize = static_cast<DWORD>(data.size());
        DWORD type = 0;
        status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
        if (status != ERROR_SUCCESS)
            throw Failure{"cannot read a value of " + path + ": error " + std::to_string(status)};
        const std::vector<BYTE> value(data.begin(), data.begin() + dataSize);
        lines.push_back("VALUE\t" + path + "\t" + Escaped(Utf8(name.data(), nameLength)) + "\t" + TypeName(type) +
                        "\t" + DataText(type, value));
    }

    std::vector<wchar_t> subkey(longestSubkey + 1);
    for (DWORD index = 0; index < subkeyCount; ++index)
    {
        DWORD length = static_cast<DWORD>(subkey.size());
        status = RegEnumKeyExW(key, index, subkey.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status != ERROR_SUCCESS)
            throw Failure{"cannot list the subkeys of " + path + ": error " + std::to_string(status)};
        OpenKey child;
        status = RegOpenKeyExW(key, subkey.data(), 0, KEY_READ, child.Out());
        if (status != ERROR_SUCCESS)
            throw Failure{"cannot open " + path + "\\" + Utf8(subkey.data(), length) + ": error " +
                          std::to_string(status)};
        ListKey(child.Get(), path + "\\" + Escaped(Utf8(subkey.data(), length)), lines);
    }
}

HKEY RootKey(const std::wstring& name)
{
    if (name == L"HKLM")
        return HKEY_LOCAL_MACHINE;
    if (name == L"HKCU")
        return HKEY_CURRENT_USER;
    if (name == L"HKCR")
        return HKEY_CLASSES_ROOT;
    if (name == L"HKU")
        return HKEY_USERS;
    return nullptr;
}

void ListArgument(const std::wstring& argument, std::vector<std::string>& lines)
{
    const size_t slash = argument.find(L'\\');
    const std::wstring rootName = argument.substr(0, slash);
    const std::wstring path = slash == std::wstring::npos ? std::wstring() : argument.substr(slash + 1);
    const HKEY root = RootKey(rootName);
    if (!root)
        throw Failure{"unknown root key " + Utf8(rootName.c_str(), rootName.size()) + " (HKLM, HKCU, HKCR, HKU)"};
    OpenKey key;
    const LONG status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.Out());
    if (status != ERROR_SUCCESS)
        throw Failure{"cannot open " + Utf8(argument.c_str(), argument.size()) + ": error " + std::to_string(status)};
    ListKey(key.Get(), Utf8(argument.c_str(), argument.size()), lines);
}
}

int wmain(int argc, wchar_t** argv)
{
    std::vector<std::wstring> keys;
    for (int index = 1; index < argc; ++index)
    {
        if (std::wstring(argv[index]) == L"--except" && index + 1 < argc)
        {
            const std::wstring excepted = argv[++index];
            g_excepted.push_back(Utf8(excepted.c_str(), excepted.size()));
        }
        else
            keys.push_back(argv[index]);
    }
    if (keys.empty())
    {
        std::fputs("usage: reglist [--except KEY]... KEY...   (KEY: HKLM, HKCU, HKCR or HKU, then \\Path\\To\\Key)\n",
                   stderr);
        return 2;
    }
    std::vector<std::string> lines;
    try
    {
        for (const std::wstring& key : keys)
            ListArgument(key, lines);
    }
    catch (const Failure& failure)
    {
        std::fprintf(stderr, "reglist: %s\n", failure.message.c_str());
        return 1;
    }
    std::sort(lines.begin(), lines.end());
    // Lines end in LF alone, as the shell tools reading them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    for (const std::string& line : lines)
    {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
