#pragma once
// CWindowUI: a top-level window built from a layout of the skin. A window class says its class name
// and layout, and may override InitWindow (controls are built), Notify (every notification of its
// controls), HandleMessage (every message of the window, before any default handling),
// CreateControl (custom tags of its layouts) and OnFinalMessage (the window is gone).
//
// Messages: PostMessage queues, from any thread; SendMessage handles the message before it returns,
// and from another thread blocks until the UI thread has handled it or the window is closing (then
// it returns 0), so a worker never waits on a window that is gone. The toolkit itself delivers
// kWmTimer (window timers), kWmSize, kWmActivate, kWmMouseHover/kWmMouseLeave, kWmKeyDown, kWmClose
// (wParam = the close code; handled keeps the window) and kWmDestroy (ui/messages.h).
//
// Lifetime: Create builds the tree and a hidden native window; Close (or kWmClose) ends it: windows
// created with it as parent end first, the native window goes, kWmDestroy is delivered, and
// OnFinalMessage follows from the event loop. The
// controls live until the CWindowUI object is destroyed, so a caller can still read them after
// ShowModal returns. UI thread only unless a call says otherwise.
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/message_target.h"
#include "ui/dialog_builder.h"
#include "ui/paint_manager.h"
#include "ui/types.h"

class QWidget;

// Window kinds for Create.
enum WindowFlags : uint32_t {
    kWindowNormal = 0,
    kWindowTool = 0x1,        // no task-bar entry
    kWindowTopMost = 0x2,     // stays above other windows
    kWindowNoActivate = 0x4,  // showing does not take the focus
};

class CWindowUI : public IMessageTarget, public INotifyUI, public IDialogBuilderCallback {
public:
    CWindowUI();
    ~CWindowUI() override;
    CWindowUI(const CWindowUI&) = delete;
    CWindowUI& operator=(const CWindowUI&) = delete;

    virtual std::wstring GetWindowClassName() const = 0;
    // The layout file, relative to the skin folder.
    virtual std::wstring GetSkinFile() const = 0;
    virtual void InitWindow() {}
    void Notify(TNotifyUI&) override {}
    virtual LRESULT HandleMessage(uint32_t msg, WPARAM wParam, LPARAM lParam, bool& handled);
    CControlUI* CreateControl(const std::wstring&) override { return nullptr; }
    virtual void OnFinalMessage() {}

    // Builds the layout and the hidden window (owned by parent's window when given). size 0 takes
    // the layout's size; sizes are at 96 DPI. False when the layout cannot be built or the window
    // exists already.
    bool Create(CWindowUI* parent, const std::wstring& title, UiSize size = {},
                uint32_t flags = kWindowNormal);
    bool IsWindow() const;
    void ShowWindow(bool show = true, bool takeFocus = true);
    // Shows the window modal and runs until it closes; returns the close code (-1 when not created).
    int ShowModal();
    // Ends the window with a close code (queued as kWmClose).
    void Close(int result = 0);
    // Centres on the parent window, or on the screen without one.
    void CenterWindow();
    bool IsVisible() const;
    bool IsMinimized() const;
    void Minimize();
    void Maximize();
    void Restore();
    void SetTopMost(bool on);
    void BringToFront();
    void SetTitle(const std::wstring& title);
    // The window icon from an image of the skin.
    void SetIcon(const std::wstring& image);
    // Client size in device pixels (no DPI scaling) and screen rectangles.
    void ResizeClient(int cx, int cy);
    void MoveTo(int x, int y);
    UiRect GetWindowRect() const;
    UiRect GetScreenRect() const;  // the whole monitor the window is on
    void Relayout();

    CPaintManagerUI& PaintManager() { return m_pm; }
    CControlUI* FindControl(std::wstring_view name) const { return m_pm.FindControl(name); }
    template <class T>
    T* FindControl(std::wstring_view name) const {
        return dynamic_cast<T*>(m_pm.FindControl(name));
    }

    // Window timers: kWmTimer with wParam = id every elapseMs until killed. Thread-safe.
    bool SetTimer(uint32_t id, uint32_t elapseMs);
    void KillTimer(uint32_t id);

    bool PostMessage(uint32_t msg, WPARAM wParam, LPARAM lParam) override;
    // Runs call on the UI thread from the window's queue, in order with posted messages; dropped when
    // the window closes first. Thread-safe; false when the window takes no messages.
    bool PostCall(std::function<void()> call);
    LRESULT SendMessage(uint32_t msg, WPARAM wParam, LPARAM lParam) override;
    // The message filter: which plain-numbered messages other processes may send to this window
    // (registered messages and copy-data always pass). Thread-safe.
    void ChangeWindowMessageFilter(uint32_t msg, bool allow);
    // Senders on other threads waiting for this window to handle their message. Thread-safe.
    size_t PendingSendCount() const;
    bool IsMessageAllowedFromOutside(uint32_t msg) const;

    // Renders the client area into a PNG file; false when it cannot be written.
    bool SaveSnapshot(const std::wstring& pngPath);
    QWidget* GetHostWidget() const;

    // Delivers a message on the UI thread: HandleMessage first, then the default handling.
    LRESULT DispatchMessage(uint32_t msg, WPARAM wParam, LPARAM lParam);

private:
    struct Impl;
    void DestroyWindow(int closeCode);

    CPaintManagerUI m_pm;
    std::unique_ptr<Impl> m_impl;
};
