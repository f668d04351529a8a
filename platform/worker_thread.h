#pragma once
// The one pattern every worker thread follows: a manual-reset stop event, a parameter record
// {owner, stop event}, a loop whose waits end on the stop event, and a bounded wait when stopping
// followed by a debug line that names the outcome.
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "platform/event.h"

struct ThreadParam {
    void* owner;
    CEvent* stopEvent;
};

// The stop event of the worker thread that calls it; nullptr on threads not started by a
// CWorkerThread. Blocking calls that wait on another thread (a window's SendMessage) also wait on it,
// so stopping a worker never waits on work the stopping thread itself would have to do.
CEvent* CurrentThreadStopEvent();

class CWorkerThread {
public:
    using Body = std::function<void(const ThreadParam&)>;

    explicit CWorkerThread(std::wstring name);
    ~CWorkerThread();  // Stop(1000) when still running
    CWorkerThread(const CWorkerThread&) = delete;
    CWorkerThread& operator=(const CWorkerThread&) = delete;

    // Starts body on a new thread. stopEvent belongs to the caller (manual reset) and must outlive
    // the thread; with nullptr the worker uses an event of its own. False when already running.
    bool Start(Body body, void* owner = nullptr, CEvent* stopEvent = nullptr);

    // Signals the stop event and waits at most timeoutMs for the body to return, then writes the
    // debug line "<name>: thread ended" or "<name>: thread did not end within N ms" and joins.
    // Every wait in a body is cancellable by the stop event, so the join that follows a timed-out
    // wait ends too. Returns true when the thread ended within the bound (or was not running).
    bool Stop(int timeoutMs = 1000);

    bool Running() const { return m_thread.joinable(); }
    CEvent* StopEvent() const { return m_param.stopEvent; }

private:
    std::wstring m_name;
    CEvent m_ownStop{true, false};
    CEvent m_done{true, false};
    ThreadParam m_param{nullptr, nullptr};
    std::thread m_thread;
};
