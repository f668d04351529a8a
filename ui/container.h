#pragma once
// CContainerUI: a control with children, which it owns. The base places every child in its whole
// inner rectangle (position minus inset); the layouts of ui/layouts.h arrange them. A container with
// vertical scrolling shows a scroll bar when its children need more height than it has.
#include <vector>

#include "ui/control.h"

class CContainerUI : public CControlUI {
public:
    CContainerUI() = default;
    ~CContainerUI() override;

    std::wstring GetClass() const override;

    // Children: Add and AddAt take ownership; false for null or an index out of range.
    bool Add(CControlUI* control);
    virtual bool AddAt(CControlUI* control, int index);
    // Removes a child; it is deleted unless doNotDestroy, in which case the caller owns it.
    virtual bool Remove(CControlUI* control, bool doNotDestroy = false);
    bool RemoveAt(int index, bool doNotDestroy = false);
    virtual void RemoveAll();
    CControlUI* GetItemAt(int index) const;
    int GetItemIndex(CControlUI* control) const;  // -1 when not a child
    int GetCount() const { return static_cast<int>(m_items.size()); }

    const UiRect& GetInset() const { return m_inset; }
    void SetInset(const UiRect& inset);
    int GetChildPadding() const { return m_childPadding; }
    void SetChildPadding(int padding);
    bool IsMouseChildEnabled() const { return m_mouseChild; }
    void SetMouseChildEnabled(bool on) { m_mouseChild = on; }

    // Vertical scrolling (device pixels).
    bool IsScrollEnabled() const { return m_scroll; }
    void EnableScroll(bool on);
    int GetScrollPos() const { return m_scrollPos; }
    int GetScrollRange() const { return m_scrollRange; }
    void SetScrollPos(int pos);
    void EndDown() { SetScrollPos(m_scrollRange); }
    // Scrolls so that a child lies inside the visible part.
    void EnsureVisible(CControlUI* child);

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;
    void SetPos(const UiRect& rc) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoPaint(CRenderUI& render, const UiRect& paint) override;
    CControlUI* FindSubControl(std::wstring_view name) override;
    CControlUI* FindControlAt(UiPoint pt) override;
    void ForEach(const std::function<void(CControlUI*)>& visit) override;

protected:
    // Whether child index may be shown (a tab layout shows only its current page).
    virtual bool IsChildShown(int) const { return true; }
    void PropagateVisibility();
    // The rectangle children are laid out in: position minus the scaled inset.
    UiRect InnerRect() const;
    // Places the floating children, relative to this container's position.
    void PlaceFloats();
    // Records how much height the children need, for the scroll bar.
    void SetContentHeight(int height);
    UiRect ScrollBarRect() const;

    std::vector<CControlUI*> m_items;

private:
    UiRect m_inset;
    int m_childPadding = 0;
    bool m_mouseChild = true;
    bool m_scroll = false;
    int m_scrollPos = 0;
    int m_scrollRange = 0;
    bool m_draggingBar = false;
    int m_dragOffset = 0;
};
