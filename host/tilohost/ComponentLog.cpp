#include "tilohost/ComponentLog.h"

#include "tilohost/ConsoleOutput.h"
#include "tilohost/Failures.h"
#include "tilohost/FileAccess.h"
#include "tilohost/TextConversion.h"

ComponentLog::ComponentLog(const std::string& path) : m_file(path, "log file") {}

void ComponentLog::Begin()
{
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

std::vector<std::string> ComponentLog::Texts() const
{
    std::vector<std::string> texts;
    for (const DebugText& entry : m_entries)
        texts.push_back(entry.text);
    return texts;
}

void ComponentLog::Finish()
{
    if (!m_file.Wanted())
        return;
    End();
    std::string text;
    for (const DebugText& entry : m_entries)
        text += Utf8FromAnsi(DebugLogLine(entry)) + '\n';
    if (!m_file.Write(text))
        throw OutputNotWritten(m_file.Path() + ": the log could not be written", E_FAIL);
    PrintLine("Component log: " + CountOf(static_cast<long>(m_entries.size()), "text", "texts") + " in " +
              DescribePath(m_file.Path()));
}
