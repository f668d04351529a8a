#pragma once
// The program's one debug output sink (the stand-in for the system debugger output).
// Lines go to stderr when PX300_DEBUG=1; a test can capture them instead.
#include <functional>
#include <string>
#include <string_view>

using DebugSink = std::function<void(const std::wstring& line)>;

// Writes one debug line. Thread-safe.
void DebugLine(std::wstring_view line);

// True when a written line goes anywhere (a sink is set, or PX300_DEBUG=1): lets hot paths skip
// formatting lines nobody reads.
bool DebugEnabled();

// Replaces the sink (nullptr restores the default stderr sink). Returns the previous sink.
DebugSink SetDebugSink(DebugSink sink);

// Captures every debug line written while it lives (tests). Thread-safe.
class CDebugCapture {
public:
    CDebugCapture();
    ~CDebugCapture();
    CDebugCapture(const CDebugCapture&) = delete;
    CDebugCapture& operator=(const CDebugCapture&) = delete;

    std::wstring Text() const;                     // every captured line, each followed by '\n'
    size_t Count(std::wstring_view needle) const;  // lines that contain needle

private:
    struct State;
    State* m_state;
    DebugSink m_previous;
};
