#pragma once
// Critical section: a re-entrant lock, as the owning thread may enter it again.
#include <mutex>

class CCriticalSection {
public:
    void Enter() { m_mutex.lock(); }
    void Leave() { m_mutex.unlock(); }
    // BasicLockable, so std::lock_guard and std::scoped_lock work.
    void lock() { m_mutex.lock(); }
    void unlock() { m_mutex.unlock(); }
    bool try_lock() { return m_mutex.try_lock(); }

private:
    std::recursive_mutex m_mutex;
};

using CAutoLock = std::lock_guard<CCriticalSection>;
