#include "tilohost/ReportFile.h"


std::string EscapeReportText(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char ch : text)
    {
        switch (ch)
        {
        case '\\': escaped += "\\\\"; break;
        case ',': escaped += "\\,"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        default: escaped += ch; break;
        }
    }
    return escaped;
}

std::string HResultText(HRESULT result)
{
    char text[16];
    snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(result));
    return text;
}

std::string FixedNumber(double value, int decimals)
{
    char text[64];
    snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

ReportFile::ReportFile(const std::string& path) : m_file(path, "report file") {}

namespace
{
const size_t ReportBlockSize = 64 * 1024;
}

void ReportFile::Add(const std::vector<std::string>& fields)
{
    if (!m_file.Wanted())
        return;
    for (size_t index = 0; index < fields.size(); ++index)
    {
        if (index)
            m_text += ',';
        m_text += fields[index];
    }
    m_text += '\n';
    if (m_text.size() >= ReportBlockSize)
    {
        m_written = m_file.Append(m_text) && m_written;
        m_text.clear();
    }
}

bool ReportFile::Save()
{
    const bool written = m_file.Write(m_text);
    return written && m_written;
}
