#include "tilohost/ComponentLog.h"

#include "tilohost/ConsoleOutput.h"
#include "tilohost/Failures.h"
#include "tilohost/FileAccess.h"
#include "tilohost/TextConversion.h"

ComponentLog::ComponentLog(const std::string& path) : m_path(path)
{
    if (m_path.empty())
        return;
    m_file = CreateOutputFile(m_path);
    if (!m_file)
        throw BadInput(m_path + ": the log file cannot be created");
}

ComponentLog::~ComponentLog()
{
    if (m_file)
        fclose(m_file);
}

void ComponentLog::Begin()
{
    if (m_file)
        m_capture.reset(new DebugOutputCapture);
}

void ComponentLog::End()
{
    if (!m_capture)
        return;
    const std::vector<DebugText> entries = m_capture->Entries();
    m_entries.insert(m_entries.end(), entries.begin(), entries.end());
    m_capture.reset();
}

void ComponentLog::Finish()
{
    if (!m_file)
        return;
    End();
    std::string text;
    for (const DebugText& entry : m_entries)
        text += Utf8FromAnsi(DebugLogLine(entry)) + '\n';
    bool written = fwrite(text.data(), 1, text.size(), m_file) == text.size();
    if (fclose(m_file) != 0)
        written = false;
    m_file = nullptr;
    if (!written)
        throw OutputNotWritten(m_path + ": the log could not be written", E_FAIL);
    PrintLine("Component log: " + CountOf(static_cast<long>(m_entries.size()), "text", "texts") + " in " +
              DescribePath(m_path));
}
