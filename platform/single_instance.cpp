#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/debug.h"
#include "platform/local_endpoint.h"
#include "platform/text.h"
#include "platform/tick.h"

CSingleInstance::CSingleInstance(std::wstring identity, std::string folder)
    : m_identity(std::move(identity)), m_folder(std::move(folder)) {}

CSingleInstance::~CSingleInstance() {
    if (m_lock >= 0) {
        close(m_lock);  // releases the lock; the file stays for the next instance
    }
}

bool CSingleInstance::Acquire() {
    if (m_lock >= 0) {
        return true;
    }
    if (m_folder.empty()) {
        DebugLine(L"platform: no runtime folder, the single-instance check is skipped");
        return true;
    }
    const std::string path = LocalRuntimePath(m_identity, m_folder, ".lock");
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        DebugLine(L"platform: cannot open " + Utf8ToWide(path) + L", the single-instance check is skipped");
        return true;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return false;  // another instance holds it
    }
    m_lock = fd;
    return true;
}

bool CSingleInstance::NotifyRunning(int timeoutMs) const {
    if (m_folder.empty()) {
        return false;
    }
    LocalFrame frame;
    frame.name = m_identity;
    frame.wParam = 0;
    frame.lParam = 1;
    const uint64_t deadline = GetTickCount64() + static_cast<uint64_t>(timeoutMs);
    for (;;) {
        if (SendLocalFrame(EndpointPath(), frame, timeoutMs)) {
            return true;
        }
        if (GetTickCount64() >= deadline) {
            return false;
        }
        SleepMs(50);  // the running instance may not have opened its endpoint yet
    }
}

std::string CSingleInstance::EndpointPath() const {
    return LocalRuntimePath(m_identity, m_folder, ".socket");
}
