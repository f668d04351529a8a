#include "platform/worker_thread.h"

#include "platform/debug.h"

namespace {
thread_local CEvent* t_stopEvent = nullptr;
}

CEvent* CurrentThreadStopEvent() {
    return t_stopEvent;
}

CWorkerThread::CWorkerThread(std::wstring name) : m_name(std::move(name)) {}

CWorkerThread::~CWorkerThread() {
    Stop(1000);
}

bool CWorkerThread::Start(Body body, void* owner, CEvent* stopEvent) {
    if (m_thread.joinable()) {
        return false;
    }
    if (stopEvent == nullptr) {
        m_ownStop.Reset();  // still set from the previous Stop
    }
    m_param = ThreadParam{owner, stopEvent != nullptr ? stopEvent : &m_ownStop};
    m_done.Reset();
    m_thread = std::thread([this, body = std::move(body), param = m_param] {
        t_stopEvent = param.stopEvent;
        body(param);
        m_done.Set();
    });
    return true;
}

bool CWorkerThread::Stop(int timeoutMs) {
    if (!m_thread.joinable()) {
        return true;
    }
    m_param.stopEvent->Set();
    const bool ended = m_done.Wait(timeoutMs);
    DebugLine(ended ? m_name + L": thread ended"
                    : m_name + L": thread did not end within " + std::to_wstring(timeoutMs) + L" ms");
    m_thread.join();
    return ended;
}
