#include "engine/Mutator.h"

#include <algorithm>

#include "engine/Printable.h"

namespace
{
std::string Bytes(const char* text, size_t length)
{
    return std::string(text, length);
}

// Values that readers of amounts, dates, quotes and lines get wrong, and
// bytes that change meaning under double-byte code pages.
const std::vector<std::string>& Tokens()
{
    static const std::vector<std::string> tokens = {
        "1e309",
        "-1e309",
        "1e999",
        "1e308",
        "1e-5",
        "2E3",
        "1e20",
        "1e250",
        "-1e-320",
        "0x1p4",
        "999999999.99",
        "1000000000.00",
        "999999999.995",
        "99999999999",
        "0.005",
        "0.004",
        "-0",
        "-0.00",
        "-",
        "--",
        "+",
        ".",
        "..",
        "(25.00)",
        "5 GBP",
        "NaN",
        "nan",
        "inf",
        "-inf",
        "INF",
        "1.#INF",
        "\"",
        "\"\"",
        "\"\"\"",
        ",",
        ",,",
        ",\"",
        "\",",
        "|",
        "||",
        "\r",
        "\n",
        "\r\n",
        "\n\n",
        "\r\n\r\n",
        "\r\r",
        " ",
        "   ",
        "\t",
        "\x1A",
        Bytes("\0", 1),
        Bytes("\0\0", 2),
        "\xFF",
        "\xFF\xFE",
        "\xEF\xBB\xBF",
        "\x81",
        "\x9F",
        "\xE0",
        "\xFC",
        "\xA1",
        "\xFE",
        "\x82\xA0",
        "\x81\"",
        "\x81,",
        "\x81\r\n",
        "\x81\n",
        "\xC3\xA9",
        "\xE2\x82\xAC",
        "\xF0\x9F\x92\xB0",
        "\xED\xA0\x80",
        "\xC0\x80",
        "\xC3",
        "\xE3\x81\x82",
        "CHQ",
        "chq",
        "TFR",
        "00/00/0000",
        "31/02/2012",
        "30/11/2012",
        "2012-11-30",
        "29/02/2100",
        "1/1/1",
        "99999/1/1",
        "30/11/12",
        "-1",
        "0",
        "1",
        "00000000",
        "123456",
        "12345678",
        "12-34-56",
        "601247",
        "31926818",
        "60-12-47",
        "2147483648",
        "-2147483649",
        "%s%n%x",
        "\\",
        "?",
        "&",
        "/",
    };
    return tokens;
}

const char InterestingBytes[] = {'\0',   '\xFF', '\x7F', '\x80', '"',    ',',    '|',    '\r',   '\n',  '\x1A',
                                 ' ',    '\t',   '-',    '.',    '+',    'e',    'E',    '0',    '9',   '\x81',
                                 '\x9F', '\xE0', '\xFC', '\xA1', '\xFE', '\xC3', '\xE2', '\x01', '\x1F'};

// Lengths on both sides of the readers' limits: 255-character texts, the
// 511-byte field, the 2047-character line.
const size_t InterestingLengths[] = {1,   2,   3,   8,   16,   18,   35,   50,   254,  255,  256,  257,
                                     510, 511, 512, 513, 1023, 1024, 2045, 2046, 2047, 2048, 2049, 4096};
}

std::string Mutator::Mutate(const std::string& input, const std::vector<std::string>& corpus)
{
    std::string data = input;
    m_edits.clear();
    const size_t edits = size_t(1) << m_random.Below(4);
    for (size_t i = 0; i < edits; ++i)
        EditOnce(data, corpus);
    if (data == input)
        FlipBit(data);
    if (data.size() > m_maxLength)
        data.resize(m_maxLength);
    return data;
}

void Mutator::Note(const char* edit, const std::string& detail)
{
    if (!m_edits.empty())
        m_edits += ' ';
    m_edits += edit;
    if (!detail.empty())
        m_edits += "(" + Printable(detail, 16) + ")";
}

void Mutator::EditOnce(std::string& data, const std::vector<std::string>& corpus)
{
    switch (m_random.Below(data.empty() ? 3 : 16))
    {
    case 0:
    case 1: InsertToken(data); break;
    case 2: InsertRun(data); break;
    case 3: FlipBit(data); break;
    case 4: SetByte(data, static_cast<char>(m_random.Below(256)), "random-byte"); break;
    case 5: SetByte(data, InterestingByte(), "byte"); break;
    case 6: AddToByte(data); break;
    case 7: DeleteChunk(data); break;
    case 8: DuplicateChunk(data); break;
    case 9: OverwriteChunk(data); break;
    case 10:
    case 11: ReplaceField(data); break;
    case 12:
    case 13: EditLine(data); break;
    case 14: Splice(data, corpus); break;
    default: Truncate(data); break;
    }
}

size_t Mutator::ChunkLength(size_t available)
{
    if (available == 0)
        return 0;
    // Mostly short chunks, now and then a large one.
    const size_t limit = m_random.OneIn(4) ? available : std::min<size_t>(available, 32);
    return 1 + m_random.Below(limit);
}

const std::string& Mutator::Token()
{
    return Tokens()[m_random.Below(Tokens().size())];
}

char Mutator::InterestingByte()
{
    return InterestingBytes[m_random.Below(sizeof InterestingBytes)];
}

size_t Mutator::InterestingLength()
{
    if (m_random.OneIn(3))
        return 1 + m_random.Below(600);
    return InterestingLengths[m_random.Below(sizeof InterestingLengths / sizeof InterestingLengths[0])];
}

void Mutator::FlipBit(std::string& data)
{
    if (data.empty())
    {
        data.push_back('\x01');
        Note("flip-bit");
        return;
    }
    data[m_random.Below(data.size())] ^= static_cast<char>(1 << m_random.Below(8));
    Note("flip-bit");
}

void Mutator::SetByte(std::string& data, char value, const char* edit)
{
    data[m_random.Below(data.size())] = value;
    Note(edit, std::string(1, value));
}

void Mutator::AddToByte(std::string& data)
{
    const size_t at = m_random.Below(data.size());
    data[at] = static_cast<char>(data[at] + static_cast<int>(m_random.Below(17)) - 8);
    Note("add-to-byte");
}

void Mutator::InsertToken(std::string& data)
{
    const std::string& token = Token();
    data.insert(Position(data), token);
    Note("token", token);
}

void Mutator::InsertRun(std::string& data)
{
    const char value = m_random.OneIn(2) ? InterestingByte() : "A9 ,\"0"[m_random.Below(6)];
    const size_t length = InterestingLength();
    data.insert(Position(data), length, value);
    Note("run", std::to_string(length) + "x" + std::string(1, value));
}

void Mutator::DeleteChunk(std::string& data)
{
    const size_t at = m_random.Below(data.size());
    data.erase(at, ChunkLength(data.size() - at));
    Note("delete-chunk");
}

void Mutator::DuplicateChunk(std::string& data)
{
    const size_t at = m_random.Below(data.size());
    const std::string chunk = data.substr(at, ChunkLength(data.size() - at));
    data.insert(Position(data), chunk);
    Note("duplicate-chunk");
}

void Mutator::OverwriteChunk(std::string& data)
{
    const size_t from = m_random.Below(data.size());
    const std::string chunk = data.substr(from, ChunkLength(data.size() - from));
    const size_t to = m_random.Below(data.size());
    data.replace(to, std::min(chunk.size(), data.size() - to), chunk);
    Note("overwrite-chunk");
}

// A field is what lies between two separators of the comma-separated and
// pipe-separated inputs; its text becomes a token, a run, or nothing.
void Mutator::ReplaceField(std::string& data)
{
    const char* separators = ",|\n";
    const size_t at = m_random.Below(data.size());
    const size_t before = data.find_last_of(separators, at == 0 ? 0 : at - 1);
    const size_t start = (before == std::string::npos || at == 0) ? 0 : before + 1;
    size_t end = data.find_first_of(separators, start);
    if (end == std::string::npos)
        end = data.size();
    // A field's text stops before the CR of its line's CR LF.
    if (end > start && end < data.size() && data[end] == '\n' && data[end - 1] == '\r')
        --end;
    std::string replacement;
    switch (m_random.Below(4))
    {
    case 0: break;
    case 1: replacement.assign(InterestingLength(), m_random.OneIn(2) ? InterestingByte() : '9'); break;
    default: replacement = Token(); break;
    }
    if (m_random.OneIn(4))
        replacement = "\"" + replacement + "\"";
    data.replace(start, end - start, replacement);
    Note("field", replacement);
}

void Mutator::EditLine(std::string& data)
{
    std::vector<size_t> starts = {0};
    for (size_t i = 0; i + 1 < data.size(); ++i)
    {
        if (data[i] == '\n')
            starts.push_back(i + 1);
    }
    auto lineAt = [&](size_t index) {
        const size_t start = starts[index];
        const size_t end = index + 1 < starts.size() ? starts[index + 1] : data.size();
        return std::make_pair(start, end - start);
    };
    const auto line = lineAt(m_random.Below(starts.size()));
    switch (m_random.Below(4))
    {
    case 0:
        data.insert(line.first, data.substr(line.first, line.second));
        Note("duplicate-line");
        break;
    case 1:
        data.erase(line.first, line.second);
        Note("delete-line");
        break;
    case 2: {
        const auto other = lineAt(m_random.Below(starts.size()));
        const std::string moved = data.substr(other.first, other.second);
        data.insert(line.first, moved);
        Note("copy-line");
        break;
    }
    default: {
        static const char* const breaks[] = {"\n", "\r\n", "\r", " \r\n", "\x1A\r\n"};
        const char* lineBreak = breaks[m_random.Below(5)];
        data.insert(line.first, lineBreak);
        Note("blank-line", lineBreak);
        break;
    }
    }
}

void Mutator::Splice(std::string& data, const std::vector<std::string>& corpus)
{
    if (corpus.empty())
    {
        DuplicateChunk(data);
        return;
    }
    const std::string& other = corpus[m_random.Below(corpus.size())];
    data = data.substr(0, Position(data)) + other.substr(m_random.Below(other.size() + 1));
    Note("splice");
}

void Mutator::Truncate(std::string& data)
{
    data.resize(m_random.Below(data.size()));
    Note("truncate");
}
