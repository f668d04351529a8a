#pragma once
// Win32-style event: manual or auto reset, waits with a timeout, waits on several events at once.
// An auto-reset event releases one waiter per Set and resets itself when it does.
#include <cstddef>
#include <initializer_list>

constexpr int kWaitInfinite = -1;

class CEvent {
public:
    explicit CEvent(bool manualReset = false, bool initiallySet = false);
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void Set();
    void Reset();
    bool IsSet() const;

    // True when the event was (or became) signalled within timeoutMs; kWaitInfinite waits without limit.
    bool Wait(int timeoutMs);

    // Waits until one of the events is signalled. Returns the index of the first signalled event in
    // list order (an auto-reset event is consumed), or -1 when timeoutMs passes first.
    static int WaitAny(std::initializer_list<CEvent*> events, int timeoutMs);
    static int WaitAny(CEvent* const* events, size_t count, int timeoutMs);

private:
    bool TryConsume();  // caller holds the shared lock

    const bool m_manualReset;
    bool m_set;
};
