#include "tilohost/CsvReader.h"

#include "tilohost/Failures.h"

namespace
{
const char ByteOrderMark[] = "\xEF\xBB\xBF";

class CsvParser
{
public:
    CsvParser(const std::string& text, int firstLine) : m_text(text), m_line(firstLine)
    {
        if (m_text.compare(0, 3, ByteOrderMark) == 0)
            m_position = 3;
    }

    std::vector<CsvRecord> Records()
    {
        std::vector<CsvRecord> records;
        while (m_position < m_text.size())
        {
            CsvRecord record;
            record.line = m_line;
            m_quotedInRecord = false;
            ReadRecord(record.fields);
            if (m_quotedInRecord || !IsBlank(record.fields))
                records.push_back(std::move(record));
        }
        return records;
    }

private:
    // A line of nothing but blanks, or of fields that are all empty (a
    // spreadsheet's rows after the last one it filled), holds no record.
    static bool IsBlank(const std::vector<std::string>& fields)
    {
        for (const std::string& field : fields)
        {
            if (field.find_first_not_of(" \t") != std::string::npos)
                return false;
        }
        return true;
    }

    // Reads fields up to the end of the record and past its line break.
    void ReadRecord(std::vector<std::string>& fields)
    {
        for (;;)
        {
            fields.push_back(ReadField());
            if (m_position >= m_text.size())
                return;
            const char separator = m_text[m_position++];
            if (separator == ',')
                continue;
            if (separator == '\r' && m_position < m_text.size() && m_text[m_position] == '\n')
                ++m_position;
            ++m_line;
            return;
        }
    }

    std::string ReadField()
    {
        const bool quoted = m_position < m_text.size() && m_text[m_position] == '"';
        m_quotedInRecord = m_quotedInRecord || quoted;
        return quoted ? ReadQuotedField() : ReadPlainField();
    }

    std::string ReadPlainField()
    {
        const size_t end = m_text.find_first_of(",\r\n", m_position);
        const size_t stop = end == std::string::npos ? m_text.size() : end;
        std::string field = m_text.substr(m_position, stop - m_position);
        m_position = stop;
        if (field.find('"') != std::string::npos)
            throw BadInput("line " + std::to_string(m_line) + ": a double quote inside a field that is not quoted");
        return field;
    }

    std::string ReadQuotedField()
    {
        const int startLine = m_line;
        std::string field;
        ++m_position;
        for (;;)
        {
            if (m_position >= m_text.size())
                throw BadInput("line " + std::to_string(startLine) + ": a quoted field is not closed");
            const char ch = m_text[m_position++];
            if (ch == '"')
            {
                if (m_position < m_text.size() && m_text[m_position] == '"')
                {
                    field += '"';
                    ++m_position;
                    continue;
                }
                break;
            }
            if (ch == '\n')
                ++m_line;
            field += ch;
        }
        if (m_position < m_text.size() && m_text.find_first_of(",\r\n", m_position) != m_position)
            throw BadInput("line " + std::to_string(m_line) + ": text after the closing quote of a field");
        return field;
    }

    const std::string& m_text;
    size_t m_position = 0;
    int m_line;
    // Whether a field of the record being read was quoted: even an empty
    // quoted field was written on purpose.
    bool m_quotedInRecord = false;
};
}

std::vector<CsvRecord> ReadCsv(const std::string& text, int firstLine)
{
    return CsvParser(text, firstLine).Records();
}
