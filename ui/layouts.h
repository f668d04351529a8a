#pragma once
// The three layouts: children stacked top to bottom, left to right, or one page at a time.
// A child with a fixed size in the stacking direction keeps it (within its min/max); the others share
// what is left. Across the stacking direction a child without a fixed size fills the layout.
#include "ui/container.h"

class CVerticalLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    void SetPos(const UiRect& rc) override;
};

class CHorizontalLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    void SetPos(const UiRect& rc) override;
};

// Shows the page GetCurSel() in the whole inner rectangle; the other pages are hidden.
class CTabLayoutUI : public CContainerUI {
public:
    std::wstring GetClass() const override;
    // False (and nothing changes) for an index outside the pages.
    bool SelectItem(int index);
    bool SelectItem(CControlUI* page) { return SelectItem(GetItemIndex(page)); }
    int GetCurSel() const { return m_curSel; }
    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

protected:
    bool IsChildShown(int index) const override { return index == m_curSel; }

private:
    int m_curSel = 0;
};

// Lays out children of a container along one axis (shared by the two stacking layouts).
void LayoutLinear(CContainerUI& box, const UiRect& inner, int childPadding, bool vertical, int scrollPos,
                  int& contentSize);
