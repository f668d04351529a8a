#pragma once
// CControlUI: the base of every control. A control belongs to its parent container (or, for the root,
// to its window); it is attached to a window's paint manager when it joins that window's tree.
// Every operation works on a detached control too: timers, repaints and notifications then do nothing.
// All calls on the UI thread, except SetTimer/KillTimer, which may come from any thread.
//
// Sizes, paddings and positions are given at 96 DPI; the paint manager scales them to the window's
// DPI when it lays the tree out. GetPos() is in device pixels.
//
// Subclasses (the controls of controls/) override DoEvent for mouse and keys, DoPaint or the Paint*
// steps for drawing, SetAttribute for their own layout attributes and GetClass for their tag name.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/types.h"

class CPaintManagerUI;
class CRenderUI;

class CControlUI {
public:
    CControlUI();
    virtual ~CControlUI();
    CControlUI(const CControlUI&) = delete;
    CControlUI& operator=(const CControlUI&) = delete;

    // The tag name of the control's class ("Button", "DeviceKeyButton").
    virtual std::wstring GetClass() const;

    const std::wstring& GetName() const { return m_name; }
    void SetName(std::wstring name);

    CControlUI* GetParent() const { return m_parent; }
    CPaintManagerUI* GetManager() const { return m_manager; }
    // Attaches this control (and its children) to a manager; null detaches. DoInit runs once, on the
    // first attach with init = true.
    virtual void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true);
    uint64_t Serial() const { return m_serial; }

    // Text. With the resource-text flag the stored text is a language key and GetText returns the
    // current language's text for it (the key itself when the language has none).
    virtual std::wstring GetText() const;
    virtual void SetText(std::wstring text);
    const std::wstring& GetTextRaw() const { return m_text; }
    bool IsResourceText() const { return m_resourceText; }
    void SetResourceText(bool on);
    std::wstring GetToolTip() const;  // resolved like the text
    void SetToolTip(std::wstring tip);

    // Visible: own flag and not hidden by a parent or a tab layout.
    virtual bool IsVisible() const { return m_visible && m_internVisible; }
    virtual void SetVisible(bool visible = true);
    virtual void SetInternVisible(bool visible = true);
    // Enabled: own flag and every parent enabled.
    virtual bool IsEnabled() const { return m_enabled && (m_parent == nullptr || m_parent->IsEnabled()); }
    virtual void SetEnabled(bool enabled = true);
    bool IsMouseEnabled() const { return m_mouseEnabled; }
    void SetMouseEnabled(bool on) { m_mouseEnabled = on; }
    bool IsContextMenuUsed() const { return m_contextMenu; }
    void SetContextMenuUsed(bool on) { m_contextMenu = on; }
    // Controls that keep the keyboard focus when clicked (edits, lists, combos).
    virtual bool IsFocusable() const { return false; }
    bool IsFocused() const;
    void SetFocus();

    const std::wstring& GetUserData() const { return m_userData; }
    void SetUserData(std::wstring data) { m_userData = std::move(data); }
    uintptr_t GetTag() const { return m_tag; }
    void SetTag(uintptr_t tag) { m_tag = tag; }

    UiColor GetBkColor() const { return m_bkColor; }
    void SetBkColor(UiColor color);
    const std::wstring& GetBkImage() const { return m_bkImage; }
    void SetBkImage(std::wstring image);
    UiColor GetBorderColor() const { return m_borderColor; }
    void SetBorderColor(UiColor color);
    int GetBorderSize() const { return m_borderSize; }
    void SetBorderSize(int size);
    int GetBorderRound() const { return m_borderRound; }
    void SetBorderRound(int radius);
    UiCursor GetCursor() const { return m_cursor; }
    void SetCursor(UiCursor cursor) { m_cursor = cursor; }

    // Geometry.
    const UiRect& GetPos() const { return m_pos; }
    virtual void SetPos(const UiRect& rc);
    int GetFixedWidth() const { return m_fixed.cx; }
    void SetFixedWidth(int cx);
    int GetFixedHeight() const { return m_fixed.cy; }
    void SetFixedHeight(int cy);
    int GetMinWidth() const { return m_minSize.cx; }
    int GetMinHeight() const { return m_minSize.cy; }
    int GetMaxWidth() const { return m_maxSize.cx; }
    int GetMaxHeight() const { return m_maxSize.cy; }
    void SetMinWidth(int cx);
    void SetMinHeight(int cy);
    void SetMaxWidth(int cx);
    void SetMaxHeight(int cy);
    const UiRect& GetPadding() const { return m_padding; }
    void SetPadding(const UiRect& padding);
    bool IsFloat() const { return m_float; }
    void SetFloat(bool on);
    // Position of a floating control inside its parent: left, top, right, bottom offsets.
    const UiRect& GetFloatPos() const { return m_floatPos; }
    void SetFloatPos(const UiRect& pos);
    // The size the control wants (device pixels); 0 in a dimension means "stretch".
    virtual UiSize EstimateSize(UiSize available);

    // Timers of this control: TEventUI Timer with wParam = id every elapseMs on the UI thread, until
    // killed (the default DoEvent turns it into the "timer" notification). Setting a running id again
    // restarts it. From another thread the change is queued to the UI thread. False when detached.
    bool SetTimer(uint32_t id, uint32_t elapseMs);
    void KillTimer(uint32_t id);
    void KillTimers();

    void Invalidate();        // repaint
    void NeedUpdate();        // relayout this control's subtree
    void NeedParentUpdate();  // relayout the parent (size changed)

    // Events: Event delivers to DoEvent unless the control is detached.
    void Event(TEventUI& event);
    virtual void DoEvent(TEventUI& event);
    // The control's action for a click or Enter: sends "click" in buttons; false when disabled.
    virtual bool Activate();

    // Layout attributes of the dialect (skin/README.md); unknown names are ignored.
    virtual void SetAttribute(std::wstring_view name, std::wstring_view value);

    // Painting in DuiLib's order: background colour, background image, status image, text, border.
    virtual void DoPaint(CRenderUI& render, const UiRect& paint);
    virtual void PaintBkColor(CRenderUI& render);
    virtual void PaintBkImage(CRenderUI& render);
    virtual void PaintStatusImage(CRenderUI& render);
    virtual void PaintText(CRenderUI& render);
    virtual void PaintBorder(CRenderUI& render);
    // Draws an image string in this control's rectangle; false when nothing was drawn.
    bool DrawImage(CRenderUI& render, std::wstring_view image);

    // Lookup below (and including) this control.
    virtual CControlUI* FindSubControl(std::wstring_view name);
    // The topmost visible, mouse-enabled control at a point, or null.
    virtual CControlUI* FindControlAt(UiPoint pt);
    // Calls visit for this control and every descendant, parents first.
    virtual void ForEach(const std::function<void(CControlUI*)>& visit);

protected:
    virtual void DoInit() {}
    // Scales a 96-DPI length to the window's DPI (unchanged when detached).
    int Scale(int value) const;
    void SendNotify(const wchar_t* type, WPARAM wParam = 0, LPARAM lParam = 0, bool async = false);

    CPaintManagerUI* m_manager = nullptr;
    CControlUI* m_parent = nullptr;
    UiRect m_pos;

private:
    const uint64_t m_serial;
    bool m_initialised = false;
    std::wstring m_name;
    std::wstring m_text;
    std::wstring m_toolTip;
    bool m_resourceText = false;
    bool m_visible = true;
    bool m_internVisible = true;
    bool m_enabled = true;
    bool m_mouseEnabled = true;
    bool m_contextMenu = false;
    std::wstring m_userData;
    uintptr_t m_tag = 0;
    UiColor m_bkColor = 0;
    std::wstring m_bkImage;
    UiColor m_borderColor = 0;
    int m_borderSize = 0;
    int m_borderRound = 0;
    UiCursor m_cursor = UiCursor::Arrow;
    UiSize m_fixed;
    UiSize m_minSize;
    UiSize m_maxSize{9999, 9999};
    UiRect m_padding;
    bool m_float = false;
    UiRect m_floatPos;
};

// Typed lookup below a control: null when absent or of another class.
template <class T>
T* FindSubControlAs(CControlUI* root, std::wstring_view name) {
    return root != nullptr ? dynamic_cast<T*>(root->FindSubControl(name)) : nullptr;
}
