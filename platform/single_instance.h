#pragma once
// One running instance per user. The first instance holds a lock file named after the identity for
// its whole run (the named mutex); a later instance finds it held, tells the running one through its
// local endpoint with the identity message (wParam 0, lParam 1) and then exits with 0.
#include <string>

class CSingleInstance {
public:
    // folder: where the lock file and the endpoint live (LocalRuntimeFolder() in the program).
    CSingleInstance(std::wstring identity, std::string folder);
    ~CSingleInstance();  // releases the lock
    CSingleInstance(const CSingleInstance&) = delete;
    CSingleInstance& operator=(const CSingleInstance&) = delete;

    // True when this process is the first instance and now holds the lock. Without a usable folder
    // nothing can be checked: it says so in a debug line and answers true, so the program runs.
    bool Acquire();
    // Sends the identity message to the running instance, retrying while it has not opened its
    // endpoint yet, for at most timeoutMs. False when it could not be reached.
    bool NotifyRunning(int timeoutMs = 1000) const;
    // Where the running instance listens: the path for its CLocalEndpoint.
    std::string EndpointPath() const;

private:
    std::wstring m_identity;
    std::string m_folder;
    int m_lock = -1;
};
