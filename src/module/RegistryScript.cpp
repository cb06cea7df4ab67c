#include "module/RegistryScript.h"

#include "com/ComHolders.h"

#include <wchar.h>

namespace
{
const HRESULT ScriptError = DISP_E_EXCEPTION;

bool SameText(const std::wstring& left, const wchar_t* right)
{
    return _wcsicmp(left.c_str(), right) == 0;
}

struct Token
{
    std::wstring text;
    bool quoted;
};

// Splits the script into white-space separated words and quoted texts.
std::vector<Token> Tokenize(const std::wstring& script)
{
    std::vector<Token> tokens;
    size_t position = 0;
    while (position < script.size())
    {
        if (iswspace(script[position]))
        {
            ++position;
            continue;
        }
        Token token{std::wstring(), script[position] == L'\''};
        if (token.quoted)
        {
            ++position;
            for (;;)
            {
                if (position >= script.size())
                    throw ScriptError;
                if (script[position] == L'\'')
                {
                    if (position + 1 < script.size() && script[position + 1] == L'\'')
                    {
                        token.text += L'\'';
                        position += 2;
                        continue;
                    }
                    ++position;
                    break;
                }
                token.text += script[position++];
            }
        }
        else
        {
            while (position < script.size() && !iswspace(script[position]))
                token.text += script[position++];
        }
        tokens.push_back(token);
    }
    return tokens;
}

class Parser
{
public:
    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    std::vector<RegistryScriptRoot> Roots()
    {
        std::vector<RegistryScriptRoot> roots;
        while (m_next < m_tokens.size())
        {
            RegistryScriptRoot root{RootKey(Take()), {}};
            Expect(L"{");
            while (!TakeIf(L"}"))
                root.keys.push_back(Key(Take()));
            roots.push_back(std::move(root));
        }
        return roots;
    }

private:
    static HKEY RootKey(const Token& token)
    {
        static const struct
        {
            const wchar_t* name;
            HKEY key;
        } roots[] = {
            {L"HKCR", HKEY_CLASSES_ROOT},       {L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
            {L"HKCU", HKEY_CURRENT_USER},       {L"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
            {L"HKLM", HKEY_LOCAL_MACHINE},      {L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        };
        if (!token.quoted)
        {
            for (const auto& root : roots)
            {
                if (SameText(token.text, root.name))
                    return root.key;
            }
        }
        throw ScriptError;
    }

    // A key, from its first token (a flag or its name) to the end of its body.
    RegistryScriptKey Key(const Token& first)
    {
        RegistryScriptKey key;
        Token name = first;
        if (IsWord(first, L"NoRemove") || IsWord(first, L"ForceRemove"))
        {
            key.removal = IsWord(first, L"NoRemove") ? RegistryScriptKey::NoRemove : RegistryScriptKey::ForceRemove;
            name = Take();
        }
        if (IsWord(name, L"{") || IsWord(name, L"}") || IsWord(name, L"=") || name.text.empty())
            throw ScriptError;
        key.name = name.text;
        if (TakeIf(L"="))
        {
            key.hasDefault = true;
            key.defaultText = StringValue();
        }
        if (TakeIf(L"{"))
        {
            while (!TakeIf(L"}"))
            {
                const Token token = Take();
                if (IsWord(token, L"val"))
                {
                    RegistryScriptValue value;
                    value.name = Take().text;
                    Expect(L"=");
                    value.text = StringValue();
                    key.values.push_back(value);
                }
                else
                {
                    key.subkeys.push_back(Key(token));
                }
            }
        }
        return key;
    }

    // "s 'text'": only string values are written by this module.
    std::wstring StringValue()
    {
        if (!IsWord(Take(), L"s"))
            throw ScriptError;
        const Token text = Take();
        if (!text.quoted)
            throw ScriptError;
        return text.text;
    }

    static bool IsWord(const Token& token, const wchar_t* word)
    {
        return !token.quoted && SameText(token.text, word);
    }

    Token Take()
    {
        if (m_next >= m_tokens.size())
            throw ScriptError;
        return m_tokens[m_next++];
    }

    bool TakeIf(const wchar_t* word)
    {
        if (m_next < m_tokens.size() && IsWord(m_tokens[m_next], word))
        {
            ++m_next;
            return true;
        }
        return false;
    }

    void Expect(const wchar_t* word)
    {
        if (!TakeIf(word))
            throw ScriptError;
    }

    std::vector<Token> m_tokens;
    size_t m_next = 0;
};

HRESULT FromStatus(LONG status)
{
    return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

// Deletes a key with its subtree; a key that is not there is no failure.
HRESULT DeleteTree(HKEY parent, const std::wstring& name)
{
    const LONG status = RegDeleteTreeW(parent, name.c_str());
    return status == ERROR_FILE_NOT_FOUND ? S_OK : FromStatus(status);
}

HRESULT SetString(HKEY key, const wchar_t* name, const std::wstring& text)
{
    return FromStatus(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))));
}

HRESULT RegisterKey(HKEY parent, const RegistryScriptKey& key)
{
    if (key.removal == RegistryScriptKey::ForceRemove)
    {
        const HRESULT deleted = DeleteTree(parent, key.name);
        if (FAILED(deleted))
            return deleted;
    }
    RegistryKey created;
    HRESULT result = FromStatus(RegCreateKeyExW(parent, key.name.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE,
                                                nullptr, created.Out(), nullptr));
    if (SUCCEEDED(result) && key.hasDefault)
        result = SetString(created.Get(), nullptr, key.defaultText);
    for (size_t i = 0; SUCCEEDED(result) && i < key.values.size(); ++i)
        result = SetString(created.Get(), key.values[i].name.c_str(), key.values[i].text);
    for (size_t i = 0; SUCCEEDED(result) && i < key.subkeys.size(); ++i)
        result = RegisterKey(created.Get(), key.subkeys[i]);
    return result;
}

HRESULT UnregisterKey(HKEY parent, const RegistryScriptKey& key)
{
    if (key.removal == RegistryScriptKey::ForceRemove)
        return DeleteTree(parent, key.name);

    DWORD subkeyCount = 0;
    {
        RegistryKey opened;
        const LONG status = RegOpenKeyExW(parent, key.name.c_str(), 0, KEY_READ | KEY_WRITE, opened.Out());
        if (status == ERROR_FILE_NOT_FOUND)
            return S_OK;
        HRESULT result = FromStatus(status);
        for (size_t i = 0; SUCCEEDED(result) && i < key.subkeys.size(); ++i)
            result = UnregisterKey(opened.Get(), key.subkeys[i]);
        for (size_t i = 0; SUCCEEDED(result) && i < key.values.size(); ++i)
        {
            const LONG deleted = RegDeleteValueW(opened.Get(), key.values[i].name.c_str());
            if (deleted != ERROR_FILE_NOT_FOUND)
                result = FromStatus(deleted);
        }
        if (SUCCEEDED(result) && key.removal == RegistryScriptKey::RemoveWhenEmpty)
            result = FromStatus(RegQueryInfoKeyW(opened.Get(), nullptr, nullptr, nullptr, &subkeyCount, nullptr,
                                                 nullptr, nullptr, nullptr, nullptr, nullptr, nullptr));
        if (FAILED(result) || key.removal == RegistryScriptKey::NoRemove)
            return result;
    }
    // Keys that others have added to stay with their parent.
    return subkeyCount == 0 ? FromStatus(RegDeleteKeyW(parent, key.name.c_str())) : S_OK;
}

template <class Apply>
HRESULT ApplyToKeys(const std::vector<RegistryScriptRoot>& script, Apply apply)
{
    for (const RegistryScriptRoot& root : script)
    {
        for (const RegistryScriptKey& key : root.keys)
        {
            const HRESULT result = apply(root.root, key);
            if (FAILED(result))
                return result;
        }
    }
    return S_OK;
}
}

std::wstring ExpandRegistryScript(const std::wstring& script, const RegistryReplacements& replacements)
{
    std::wstring expanded;
    size_t position = 0;
    while (position < script.size())
    {
        const size_t percent = script.find(L'%', position);
        if (percent == std::wstring::npos)
        {
            expanded.append(script, position, std::wstring::npos);
            break;
        }
        expanded.append(script, position, percent - position);
        const size_t end = script.find(L'%', percent + 1);
        if (end == std::wstring::npos)
            throw ScriptError;
        const std::wstring name = script.substr(percent + 1, end - percent - 1);
        if (name.empty())
        {
            expanded += L'%';
        }
        else
        {
            bool found = false;
            for (const auto& replacement : replacements)
            {
                if (SameText(name, replacement.first.c_str()))
                {
                    expanded += replacement.second;
                    found = true;
                    break;
                }
            }
            if (!found)
                throw ScriptError;
        }
        position = end + 1;
    }
    return expanded;
}

std::vector<RegistryScriptRoot> ParseRegistryScript(const std::wstring& script)
{
    return Parser(Tokenize(script)).Roots();
}

HRESULT RegisterRegistryScript(const std::vector<RegistryScriptRoot>& script)
{
    return ApplyToKeys(script, RegisterKey);
}

HRESULT UnregisterRegistryScript(const std::vector<RegistryScriptRoot>& script)
{
    return ApplyToKeys(script, UnregisterKey);
}
