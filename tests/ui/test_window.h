#pragma once
// A window over a test layout that records every notification and can be given a message handler.
#include <functional>
#include <string>
#include <vector>

#include "platform/text.h"
#include "ui/control.h"
#include "ui/paint_manager.h"
#include "ui/window.h"
#include "ui_person.h"

inline std::wstring TestDataDir() {
    return Utf8ToWide(PX300_SOURCE_DIR) + L"/tests/ui/data";
}

class CTestWindow : public CWindowUI {
public:
    using MessageHandler = std::function<LRESULT(uint32_t, WPARAM, LPARAM, bool&)>;

    explicit CTestWindow(std::wstring layout) : m_layout(std::move(layout)) {}

    std::wstring GetWindowClassName() const override { return L"TestWnd"; }
    std::wstring GetSkinFile() const override { return m_layout; }
    void Notify(TNotifyUI& msg) override {
        if (msg.sType == L"timer") {
            timers.push_back(msg.wParam);
            return;
        }
        log.push_back(msg.sType + L":" + (msg.pSender != nullptr ? msg.pSender->GetName() : L""));
        last = msg;
        if (onNotify) {
            onNotify(msg);
        }
    }
    LRESULT HandleMessage(uint32_t msg, WPARAM wParam, LPARAM lParam, bool& handled) override {
        if (onMessage) {
            return onMessage(msg, wParam, lParam, handled);
        }
        handled = false;
        return 0;
    }
    void OnFinalMessage() override { ++finalMessages; }

    std::vector<std::wstring> log;  // "type:sender name"
    std::vector<WPARAM> timers;     // ids of "timer" notifications
    TNotifyUI last;
    MessageHandler onMessage;
    std::function<void(TNotifyUI&)> onNotify;
    int finalMessages = 0;

private:
    std::wstring m_layout;
};

// Opens a layout of the test data folder in a shown window.
inline void OpenTestWindow(CTestWindow& window) {
    TestApplication();
    CPaintManagerUI::SetResourcePath(TestDataDir());
    ASSERT_TRUE(window.Create(nullptr, L"test"));
    window.ShowWindow();
    CUiApplication::DoEvents();
}
