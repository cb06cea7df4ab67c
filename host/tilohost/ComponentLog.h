// --log FILE: what the component sends to the debugger output during its
// call, one line each with the time it was written, captured in this
// process as a debugger-output viewer would show it.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "diagnostics/DebugOutputCapture.h"
#include "tilohost/FileAccess.h"

class ComponentLog
{
public:
    // Creates the file at once, so a path that cannot be written is bad
    // input before anything runs (BadInput). No path: nothing is kept.
    explicit ComponentLog(const std::string& path);

    // Captures from Begin to End: the component's call. The texts are
    // captured with no log file too, for what the tool itself tells of them.
    void Begin();
    void End();
    // The texts captured so far, in the order written.
    std::vector<std::string> Texts() const;
    // Writes the lines captured, closes the file and says how many went
    // where. Throws OutputNotWritten when writing failed.
    void Finish();

private:
    OutputFile m_file;
    std::unique_ptr<DebugOutputCapture> m_capture;
    std::vector<DebugText> m_entries;
};
