#include "platform/event.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

// All events share one lock and one condition: waits on several events at once then need no
// per-waiter bookkeeping. The program has a few dozen events, so the shared wake-up costs nothing.
namespace {
std::mutex g_mutex;
std::condition_variable g_changed;
}  // namespace

CEvent::CEvent(bool manualReset, bool initiallySet) : m_manualReset(manualReset), m_set(initiallySet) {}

void CEvent::Set() {
    {
        std::lock_guard lock(g_mutex);
        m_set = true;
    }
    g_changed.notify_all();
}

void CEvent::Reset() {
    std::lock_guard lock(g_mutex);
    m_set = false;
}

bool CEvent::IsSet() const {
    std::lock_guard lock(g_mutex);
    return m_set;
}

bool CEvent::TryConsume() {
    if (!m_set) {
        return false;
    }
    if (!m_manualReset) {
        m_set = false;
    }
    return true;
}

bool CEvent::Wait(int timeoutMs) {
    CEvent* self = this;
    return WaitAny(&self, 1, timeoutMs) == 0;
}

int CEvent::WaitAny(std::initializer_list<CEvent*> events, int timeoutMs) {
    return WaitAny(events.begin(), events.size(), timeoutMs);
}

int CEvent::WaitAny(CEvent* const* events, size_t count, int timeoutMs) {
    std::unique_lock lock(g_mutex);
    int found = -1;
    auto ready = [&] {
        for (size_t i = 0; i < count; ++i) {
            if (events[i]->TryConsume()) {
                found = static_cast<int>(i);
                return true;
            }
        }
        return false;
    };
    if (timeoutMs < 0) {
        g_changed.wait(lock, ready);
    } else {
        g_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
    }
    return found;
}
