#pragma once
// The notification-area icon. A person's click reaches the owner window as kWmTrayIcon (1025), sent
// on the UI thread, with lParam = kWmLButtonUp (click), kWmRButtonUp (context click),
// kWmLButtonDblClk (double click) or kWmMButtonUp (middle click).
#include <memory>
#include <string>

class CWindowUI;
class QSystemTrayIcon;

class CTrayIcon {
public:
    CTrayIcon();
    ~CTrayIcon();
    CTrayIcon(const CTrayIcon&) = delete;
    CTrayIcon& operator=(const CTrayIcon&) = delete;

    // Shows the icon (an image of the skin) with a tooltip. False when the owner is null or the icon
    // exists already; the desktop may still have no notification area to show it in.
    bool Create(CWindowUI* owner, const std::wstring& image, const std::wstring& tooltip);
    void Delete();
    bool IsCreated() const;
    void SetTooltip(const std::wstring& tooltip);
    std::wstring GetTooltip() const;
    void SetIcon(const std::wstring& image);
    QSystemTrayIcon* GetNativeIcon() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
