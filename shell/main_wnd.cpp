#include "shell/main_wnd.h"

#include "platform/app_identity.h"
#include "platform/debug.h"
#include "platform/tick.h"
#include "shell/tray_menu_anchor.h"
#include "shell/window_scale.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"
#include "ui/messages.h"
#include "ui/paint_manager.h"
#include "ui/resource_index.h"
#include "ui/resource_manager.h"
#include "ui/screen.h"

namespace {
constexpr const wchar_t* kTrayImage = L"common/logo.svg";
constexpr const wchar_t* kHostLightingOn = L"控制灯光";
constexpr const wchar_t* kHostLightingOff = L"不控制灯光";
}  // namespace

CMainWnd::CMainWnd(CLanguageSettings& language, const AppMessages& messages)
    : m_language(language), m_messages(messages) {
    for (auto& event : m_stopEvents) {
        event = std::make_unique<CEvent>(true, false);
    }
    m_language.SetAfterApply([this] {
        PaintManager().Invalidate();
        Relayout();
    });
}

CMainWnd::~CMainWnd() {
    m_language.SetAfterApply(nullptr);
    StopWorkers();
}

std::wstring CMainWnd::GetSkinFile() const {
    return CResourceIndex::Instance().File(L"XML_MAIN");
}

void CMainWnd::InitWindow() {
    DebugLine(L"InitWindow");
    CResourceManager::Instance().LoadLanguage(L"lan_cn.xml");
    SetIcon(kTrayImage);
    m_tray.Create(this, kTrayImage, kAppIdentity);
}

CControlUI* CMainWnd::CreateControl(const std::wstring& tag) {
    // Custom tags of the main window's layouts; the device pages and feature panels add theirs later.
    return CControlFactory::Instance().CreateControl(tag);
}

void CMainWnd::Notify(TNotifyUI& msg) {
    if (msg.sType != L"timer") {
        DebugLine(msg.sType);
        DebugLine(msg.pSender != nullptr ? msg.pSender->GetName() : L"");
    }
    if (msg.sType == L"windowinit") {
        OnWindowInit();
    } else if (msg.sType == L"click" && msg.pSender != nullptr) {
        OnClick(msg.pSender);
    }
}

void CMainWnd::OnWindowInit() {
    // Other processes of the user may send these.
    for (uint32_t m : {m_messages.identity, m_messages.guid15, m_messages.guid16, m_messages.guid18}) {
        ChangeWindowMessageFilter(m, true);
    }
    for (const wchar_t* name : kHookMessageNames) {
        ChangeWindowMessageFilter(RegisterWindowMessage(name), true);
    }
    m_language.ApplyLanguage(m_language.ReadLanguageIndex());
    SetHostLighting(true);
    ShowWindow(false);
    // Slot 0: discovery. Its first scan posts the identity message, which brings the window up.
    m_discovery.Start(*m_stopEvents[0]);
    SetTimer(kTimerScale, 100);
    m_initialised = true;
}

void CMainWnd::OnClick(CControlUI* sender) {
    const std::wstring& name = sender->GetName();
    if (name == L"closebtn" || name == L"nodevice_ok_btn") {
        ShowWindow(false);
    } else if (name == L"minbtn") {
        Minimize();
    } else if (name == L"maxbtn") {
        Maximize();
    } else if (name == L"restorebtn") {
        Restore();
    } else if (name == L"control_light_status") {
        SetHostLighting(!m_hostLighting);
    }
}

void CMainWnd::SetHostLighting(bool on) {
    m_hostLighting = on;
    if (CControlUI* button = FindControl(L"control_light_status")) {
        button->SetText(on ? kHostLightingOn : kHostLightingOff);
    }
}

void CMainWnd::ShowNoDeviceHint() {
    // Selector items come with the device objects; until one is visible the hint shows.
    CControlUI* list = FindControl(L"device_select_layout");
    bool anyVisible = false;
    if (list != nullptr) {
        list->ForEach([&](CControlUI* c) {
            anyVisible = anyVisible || (c != list && c->GetClass() == L"DeviceOption" && c->IsVisible());
        });
    }
    if (CControlUI* hint = FindControl(L"No_device_Link")) {
        hint->SetVisible(!anyVisible);
    }
}

void CMainWnd::ComeToFront() {
    ShowNoDeviceHint();
    Raise();
}

void CMainWnd::Raise() {
    Restore();
    ShowWindow(true);
    SetTopMost(true);
    SleepMs(10);
    SetTopMost(false);
    BringToFront();
}

void CMainWnd::ApplyScaleAndSize() {
    const bool shown = IsVisible() && !IsMinimized();
    if (!shown) {
        Restore();
    }
    const int dpi = MainWindowDpi(UiSize{GetScreenRect().Width(), GetScreenRect().Height()});
    CPaintManagerUI::SetAllDPI(96);
    ResizeClient(kMainWidth96, kMainHeight96);
    CPaintManagerUI::SetAllDPI(dpi);  // enlarges the window with the scale
    m_scale = dpi;
    CenterWindow();
    ShowWindow(shown);
}

void CMainWnd::OpenTrayMenu() {
    const UiPoint cursor = CursorScreenPos();
    const MenuAnchor anchor = TrayMenuAnchor(cursor, ScreenRectAt(cursor), AvailableRectAt(cursor));
    m_menu.Close();
    m_menu.Open(this, L"menu.xml", anchor.point, anchor.alignment);
}

void CMainWnd::OnTrayIcon(LPARAM mouseMessage) {
    if (mouseMessage == kWmRButtonUp) {
        SetTimer(kTimerTrayMenu, 10);
        return;
    }
    if (mouseMessage != kWmLButtonUp) {
        return;
    }
    ShowNoDeviceHint();
    if (IsVisible() && !IsMinimized()) {
        ShowWindow(false);
        return;
    }
    ApplyScaleAndSize();
    Raise();
    PaintManager().Invalidate();
    Relayout();
}

void CMainWnd::OnMenuCommand(const std::wstring& name) {
    if (name == L"exit") {
        Close(0);
    }
}

LRESULT CMainWnd::HandleMessage(uint32_t msg, WPARAM wParam, LPARAM lParam, bool& handled) {
    handled = true;
    if (msg == m_messages.identity && msg != 0) {
        wchar_t line[96];
        std::swprintf(line, 96, L"软件标示 %u，%lxd%lxd", msg, static_cast<unsigned long>(wParam),
                      static_cast<unsigned long>(lParam));
        DebugLine(line);
        ComeToFront();
        return 0;
    }
    switch (msg) {
        case kWmTimer:
            KillTimer(static_cast<uint32_t>(wParam));
            if (wParam == kTimerScale) {
                ApplyScaleAndSize();
                PaintManager().Invalidate();
            } else if (wParam == kTimerTrayMenu) {
                OpenTrayMenu();
            }
            return 0;
        case kWmTrayIcon:
            OnTrayIcon(lParam);
            return 0;
        case kWmMenuClick:
            if (lParam != 0) {
                OnMenuCommand(reinterpret_cast<const MenuCmdUI*>(lParam)->name);
            }
            return 0;
        case WM_DEVICE_ARRIVED:
        case WM_DEVICE_REMOVED:
            // Device objects and their selector items handle these once they exist.
            DebugLine((msg == WM_DEVICE_ARRIVED ? L"device arrived in slot " : L"device removed from slot ") +
                      std::to_wstring(wParam));
            return 0;
        case kWmLanguageChanged:
            // The settings window sends the language the user picked.
            m_language.ApplyLanguage(static_cast<size_t>(wParam));
            return 0;
        case kWmDeviceStatus:
            return 0;
        case kWmDestroy:
            DebugLine(L"退出测试");
            ShowWindow(false);
            StopWorkers();
            m_tray.Delete();
            CUiApplication::PostQuitMessage(0);
            return 0;
        default:
            handled = false;
            return 0;
    }
}

void CMainWnd::StopWorkers() {
    if (m_workersStopped) {
        return;
    }
    m_workersStopped = true;
    for (auto& event : m_stopEvents) {
        event->Set();
    }
    if (!m_discovery.Stop(1000)) {
        DebugLine(L"所有对象处于非激发状态，超时\n");
        DebugLine(L"错误\n0");
    } else {
        DebugLine(L"所有对象处于激发状态\n");
    }
}
