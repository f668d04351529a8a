#include "ui/local_bridge.h"

#include "platform/debug.h"
#include "ui/messages.h"
#include "ui/window.h"

bool CLocalMessageBridge::Start(const std::string& path) {
    return m_endpoint.Start(path, [this](const LocalFrame& frame) { OnFrame(frame); });
}

void CLocalMessageBridge::OnFrame(const LocalFrame& frame) {
    const uint32_t msg = frame.name.empty() ? frame.number : RegisterWindowMessage(frame.name);
    if (msg == 0 || !m_window.IsMessageAllowedFromOutside(msg)) {
        DebugLine(L"ui: message " + std::to_wstring(msg) + L" from another process is not let in");
        return;
    }
    CWindowUI* window = &m_window;
    m_window.PostCall([window, msg, frame] {
        if (msg != kWmCopyData) {
            window->DispatchMessage(msg, frame.wParam, frame.lParam);
            return;
        }
        CopyDataUI data;
        data.dwData = static_cast<uintptr_t>(frame.lParam);
        data.data = frame.payload;
        window->DispatchMessage(kWmCopyData, frame.wParam, reinterpret_cast<LPARAM>(&data));
    });
}
