#pragma once
// CPaintManagerUI: one per window. Holds the window's control tree, finds controls by name, delivers
// input to controls, sends their notifications to the window's notify handlers, runs control timers,
// tracks focus, hover and capture, and knows the window's scale. Its static part is shared by every
// window: the skin folder, the font table and the set of live windows (for a scale or text change
// that concerns all of them). UI thread only unless a call says otherwise.
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ui/types.h"

class QWidget;
class CRenderUI;

struct TFontInfoUI {
    std::wstring face;
    int size = 14;  // pixel height at 96 DPI
    bool bold = false;
    bool underline = false;
    bool italic = false;
};

class CPaintManagerUI {
public:
    CPaintManagerUI();
    ~CPaintManagerUI();
    CPaintManagerUI(const CPaintManagerUI&) = delete;
    CPaintManagerUI& operator=(const CPaintManagerUI&) = delete;

    // --- shared by every window ---
    // The skin folder; layouts, images and language files are looked up below it.
    static void SetResourcePath(std::wstring path);
    static const std::wstring& GetResourcePath();
    // A skin-relative name as a file path: backslashes become '/', absolute paths stay as they are.
    static std::wstring ResolvePath(std::wstring_view file);

    // Font table by id, shared by all windows; id -1 or an unknown id gives the default font.
    static void AddFont(int id, TFontInfoUI font);
    static void SetDefaultFont(TFontInfoUI font);
    static void RemoveAllFonts();  // keeps the default font
    static TFontInfoUI GetFont(int id);
    static bool HasFont(int id);
    // Registers a font file (TTF/OTF) for this process: a handle > 0, or 0 when it cannot be loaded.
    static int LoadPrivateFont(const std::wstring& path);
    static void UnloadPrivateFont(int handle);

    // Accepted scales: 96, 120, 144, 168 and 192 DPI.
    static bool IsValidDPI(int dpi);
    // Sets the scale of every live window; false (and nothing changes) for a rejected value.
    static bool SetAllDPI(int dpi);
    // Every live manager, oldest first.
    static std::vector<CPaintManagerUI*> Managers();

    // --- this window ---
    // The widget that shows this manager's tree (set by the window).
    void SetHost(QWidget* host);
    QWidget* GetHost() const;

    int GetDPI() const { return m_dpi; }
    // Scales the window and its tree; the window's size follows the ratio. False for a rejected value.
    bool SetDPI(int dpi);
    int Scale(int value) const;

    // Window attributes of the layout: initial size, size limits and the caption (drag) area.
    UiSize GetInitSize() const { return m_initSize; }
    void SetInitSize(UiSize size) { m_initSize = size; }
    UiSize GetMinInfo() const { return m_minInfo; }
    void SetMinInfo(UiSize size) { m_minInfo = size; }
    UiSize GetMaxInfo() const { return m_maxInfo; }
    void SetMaxInfo(UiSize size) { m_maxInfo = size; }
    const UiRect& GetCaptionRect() const { return m_caption; }
    void SetCaptionRect(const UiRect& rc) { m_caption = rc; }

    // Takes ownership of the root (deleting a previous one) and attaches the tree.
    void AttachRoot(CControlUI* root);
    CControlUI* GetRoot() const { return m_root; }
    // The first attached control with that name, or null.
    CControlUI* FindControl(std::wstring_view name) const;
    CControlUI* FindControlAt(UiPoint pt) const;
    // The attached option controls of a group, in attach order.
    const std::vector<CControlUI*>& GetOptionGroup(const std::wstring& group) const;

    void AddNotifier(INotifyUI* notifier);
    void RemoveNotifier(INotifyUI* notifier);
    // Sends to every notifier in order. async queues it to the event loop (dropped when the sender
    // has gone by then).
    void SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0,
                    bool async = false);
    void SendNotify(TNotifyUI& msg, bool async = false);

    CControlUI* GetFocus() const { return m_focus; }
    // Moves the focus (null: none). The old control gets KillFocus and "killfocus", the new one
    // SetFocus and "setfocus".
    void SetFocus(CControlUI* control);

    void Invalidate();
    void Invalidate(const UiRect& rc);
    void NeedUpdate();      // lay the tree out again before the next paint
    void LayoutIfNeeded();  // lay out now when needed (tests, measurements)
    UiSize GetClientSize() const;
    void SetCursor(UiCursor cursor);

    // Control timers (see CControlUI::SetTimer). Thread-safe.
    bool SetTimer(CControlUI* control, uint32_t id, uint32_t elapseMs);
    void KillTimer(CControlUI* control, uint32_t id);
    void KillTimers(CControlUI* control);
    void KillAllTimers();

    // Input from the host widget, in client pixels.
    void OnMouseMove(UiPoint pt, uint16_t keyState);
    void OnMouseLeaveWindow();
    void OnButtonDown(UiPoint pt, uint16_t keyState);
    void OnButtonUp(UiPoint pt, uint16_t keyState);
    void OnDblClick(UiPoint pt, uint16_t keyState);
    void OnRButtonDown(UiPoint pt, uint16_t keyState);
    void OnContextMenu(UiPoint pt);
    void OnWheel(UiPoint pt, bool down, uint16_t keyState);
    void OnKeyDown(uint32_t vk, uint16_t keyState);
    void OnResize(UiSize client);
    void Paint(CRenderUI& render, const UiRect& paint);

    // Called by controls when they join or leave this manager.
    void InitControl(CControlUI* control);
    void ReapObjects(CControlUI* control);
    void RenameControl(CControlUI* control, const std::wstring& oldName);
    void AddOptionGroup(const std::wstring& group, CControlUI* control);
    void RemoveOptionGroup(const std::wstring& group, CControlUI* control);
    // The live control with that serial number, or null (queued work checks its target with it).
    CControlUI* FindBySerial(uint64_t serial) const;

private:
    struct Impl;
    TEventUI MakeEvent(UiEvent type, CControlUI* sender, UiPoint pt, uint16_t keyState) const;
    // Delivers an input event to a control (nothing for null).
    void Deliver(UiEvent type, CControlUI* target, UiPoint pt, uint16_t keyState, WPARAM wParam = 0);
    void SetHot(CControlUI* control, UiPoint pt, uint16_t keyState);

    std::unique_ptr<Impl> m_impl;
    CControlUI* m_root = nullptr;
    int m_dpi = 96;
    UiSize m_initSize;
    UiSize m_minInfo;
    UiSize m_maxInfo;
    UiRect m_caption;
    UiPoint m_lastMouse;
    bool m_layoutNeeded = true;
    UiSize m_client;
    CControlUI* m_focus = nullptr;
    CControlUI* m_hot = nullptr;
    CControlUI* m_captured = nullptr;
    std::vector<INotifyUI*> m_notifiers;
    std::map<std::wstring, std::vector<CControlUI*>, std::less<>> m_names;
    std::map<std::wstring, std::vector<CControlUI*>> m_groups;
    std::map<uint64_t, CControlUI*> m_bySerial;
};
