#include "platform/debug.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/text.h"

namespace {
std::mutex g_sinkMutex;
DebugSink g_sink;

bool StderrEnabled() {
    static const bool enabled = [] {
        const char* v = std::getenv("PX300_DEBUG");
        return v != nullptr && std::strcmp(v, "1") == 0;
    }();
    return enabled;
}
}  // namespace

void DebugLine(std::wstring_view line) {
    std::lock_guard lock(g_sinkMutex);
    if (g_sink) {
        g_sink(std::wstring(line));
        return;
    }
    if (StderrEnabled()) {
        std::string text = WideToUtf8(line);
        text.push_back('\n');
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
}

bool DebugEnabled() {
    if (StderrEnabled()) {
        return true;
    }
    std::lock_guard lock(g_sinkMutex);
    return static_cast<bool>(g_sink);
}

DebugSink SetDebugSink(DebugSink sink) {
    std::lock_guard lock(g_sinkMutex);
    DebugSink previous = std::move(g_sink);
    g_sink = std::move(sink);
    return previous;
}

struct CDebugCapture::State {
    mutable std::mutex mutex;
    std::vector<std::wstring> lines;
};

CDebugCapture::CDebugCapture() : m_state(new State) {
    State* state = m_state;
    m_previous = SetDebugSink([state](const std::wstring& line) {
        std::lock_guard lock(state->mutex);
        state->lines.push_back(line);
    });
}

CDebugCapture::~CDebugCapture() {
    SetDebugSink(std::move(m_previous));
    delete m_state;
}

std::wstring CDebugCapture::Text() const {
    std::lock_guard lock(m_state->mutex);
    std::wstring all;
    for (const auto& line : m_state->lines) {
        all += line;
        all += L'\n';
    }
    return all;
}

size_t CDebugCapture::Count(std::wstring_view needle) const {
    std::lock_guard lock(m_state->mutex);
    size_t n = 0;
    for (const auto& line : m_state->lines) {
        if (line.find(needle) != std::wstring::npos) {
            ++n;
        }
    }
    return n;
}
