#pragma once
// Brings the frames of the per-user local endpoint to a window, on the UI thread: a named frame as
// the registered message of that name, a numbered one when the window's message filter allows it,
// copy-data as kWmCopyData with a CopyDataUI whose bytes live while the window handles it. The
// endpoint's thread never waits for the window.
#include <string>

#include "platform/local_endpoint.h"

class CWindowUI;

class CLocalMessageBridge {
public:
    explicit CLocalMessageBridge(CWindowUI& window) : m_window(window) {}
    ~CLocalMessageBridge() { Stop(); }
    CLocalMessageBridge(const CLocalMessageBridge&) = delete;
    CLocalMessageBridge& operator=(const CLocalMessageBridge&) = delete;

    // Listens at path (CSingleInstance::EndpointPath in the program); false as CLocalEndpoint::Start.
    bool Start(const std::string& path);
    void Stop() { m_endpoint.Stop(); }

private:
    void OnFrame(const LocalFrame& frame);  // endpoint thread

    CWindowUI& m_window;
    CLocalEndpoint m_endpoint;
};
