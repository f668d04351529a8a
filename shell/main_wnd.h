#pragma once
// CMainWnd: the program's main window, built from "XML_MAIN". It owns the connection slots and the
// worker-thread slots (slot 0 runs discovery), the tray icon and its menu, shows and hides itself from
// the tray, follows the identity message to the front, and ends the program on the menu's "exit".
#include <array>
#include <memory>

#include "link/discovery.h"
#include "link/slot_list.h"
#include "platform/event.h"
#include "shell/app_messages.h"
#include "shell/language.h"
#include "ui/menu.h"
#include "ui/tray_icon.h"
#include "ui/window.h"

constexpr int kWorkerSlots = 20;
constexpr uint32_t kTimerScale = 1011;
constexpr uint32_t kTimerTrayMenu = 1032;
constexpr uint32_t kWmShowProgress = 3072;
constexpr uint32_t kWmLanguageChanged = 3089;
constexpr uint32_t kWmDeviceStatus = 3329;
constexpr uint32_t kWmDeviceItem = 3331;

class CMainWnd : public CWindowUI {
public:
    CMainWnd(CLanguageSettings& language, const AppMessages& messages);
    ~CMainWnd() override;

    std::wstring GetWindowClassName() const override { return L"MainWnd"; }
    std::wstring GetSkinFile() const override;
    void InitWindow() override;
    void Notify(TNotifyUI& msg) override;
    LRESULT HandleMessage(uint32_t msg, WPARAM wParam, LPARAM lParam, bool& handled) override;
    CControlUI* CreateControl(const std::wstring& tag) override;

    const CSlotList& Slots() const { return m_slots; }
    bool HostLighting() const { return m_hostLighting; }
    bool Initialised() const { return m_initialised; }

private:
    void OnWindowInit();
    void OnClick(CControlUI* sender);
    void OnTrayIcon(LPARAM mouseMessage);
    void OnMenuCommand(const std::wstring& name);
    void ShowNoDeviceHint();
    void ComeToFront();  // the identity message: hint, then raise
    void Raise();
    void ApplyScaleAndSize();
    void OpenTrayMenu();
    void SetHostLighting(bool on);
    void StopWorkers();

    CLanguageSettings& m_language;
    const AppMessages& m_messages;
    CSlotList m_slots;
    std::array<std::unique_ptr<CEvent>, kWorkerSlots> m_stopEvents;
    CDiscovery m_discovery{m_slots, *this};
    CTrayIcon m_tray;
    CMenuWnd m_menu;
    bool m_hostLighting = true;
    bool m_initialised = false;
    bool m_workersStopped = false;
    int m_scale = 96;
};
