#pragma once
// Lists: CListUI holds list elements stacked vertically (scrolling when they overflow) and keeps at
// most one selected. A person pressing an element selects it ("itemselect" from the list, wParam the
// new index, lParam the old one), releasing it sends "itemclick" from the element, and a double
// click sends "itemactivate" from the element. Up and Down move the selection of a focused list.
// Elements: CListLabelElementUI (one text) and CListContainerElementUI (a row of controls).
// CComboUI (ui/combo.h) holds the same elements.
#include "ui/label.h"
#include "ui/layouts.h"

// How a list or combo draws its elements; "item..." attributes of the owner.
struct TListInfoUI {
    int font = -1;
    unsigned textStyle = kTextLeft | kTextVCenter | kTextSingleLine;
    UiRect textPadding{4, 0, 4, 0};
    UiColor textColor = 0xFF000000;
    UiColor selectedTextColor = 0xFF000000;
    UiColor disabledTextColor = 0xFFA7A6AA;
    UiColor bkColor = 0;
    UiColor selectedBkColor = 0xFFC1E3FF;
    UiColor hotBkColor = 0xFFE9F5FF;
    int itemHeight = 24;  // elements without a fixed height
};

class IListOwnerUI {
public:
    virtual ~IListOwnerUI() = default;
    virtual const TListInfoUI& GetListInfo() const = 0;
    virtual int GetCurSel() const = 0;
    // Selects an element (-1: none). False for an index out of range or a hidden/disabled element.
    virtual bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) = 0;
    // Reads an "item..." attribute; true when it was one.
    static bool SetListInfoAttribute(TListInfoUI& info, std::wstring_view name, std::wstring_view value);
};

// What every list element does; the two element classes add it to a label or a row.
class IListItemUI {
public:
    virtual ~IListItemUI() = default;
    IListOwnerUI* GetOwner() const { return m_owner; }
    void SetOwner(IListOwnerUI* owner) { m_owner = owner; }
    int GetIndex() const { return m_index; }
    void SetIndex(int index) { m_index = index; }
    bool IsSelected() const { return m_selected; }
    virtual void SetSelected(bool selected) = 0;

protected:
    // Mouse handling shared by the element classes; true when the event was taken.
    bool HandleItemEvent(CControlUI& self, TEventUI& event);
    void PaintItemBk(CControlUI& self, CRenderUI& render) const;
    UiSize ItemSize(const CControlUI& self, UiSize fixed) const;

    IListOwnerUI* m_owner = nullptr;
    int m_index = -1;
    bool m_selected = false;
    bool m_hot = false;
};

class CListLabelElementUI : public CLabelUI, public IListItemUI {
public:
    std::wstring GetClass() const override;
    void SetSelected(bool selected) override;
    void DoEvent(TEventUI& event) override;
    UiSize EstimateSize(UiSize available) override;
    void PaintBkColor(CRenderUI& render) override;
    void PaintText(CRenderUI& render) override;
};

class CListContainerElementUI : public CHorizontalLayoutUI, public IListItemUI {
public:
    std::wstring GetClass() const override;
    void SetSelected(bool selected) override;
    void DoEvent(TEventUI& event) override;
    UiSize EstimateSize(UiSize available) override;
    void PaintBkColor(CRenderUI& render) override;
};

class CListUI : public CVerticalLayoutUI, public IListOwnerUI {
public:
    CListUI();
    std::wstring GetClass() const override;

    const TListInfoUI& GetListInfo() const override { return m_info; }
    TListInfoUI& ListInfo() { return m_info; }
    int GetCurSel() const override { return m_curSel; }
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;

    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;

    bool IsFocusable() const override { return IsEnabled(); }
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    TListInfoUI m_info;
    int m_curSel = -1;
};

// Selection helpers shared by lists and combos.
IListItemUI* ListItemAt(const CContainerUI& box, int index);
// A visible, enabled list element.
bool IsSelectableItem(CControlUI* control);
// The next selectable element from index in a direction (+1/-1), or -1.
int NextSelectable(const CContainerUI& box, int index, int step);
// Moves the selection of a list or combo (owner) to index and tells the elements; with takeFocus the
// owner takes the focus, with triggerEvent it sends "itemselect". False, with nothing changed, when
// the index cannot be selected.
bool SelectListItem(CContainerUI& owner, int& curSel, int index, bool takeFocus, bool triggerEvent);
// Keep the selection, the element owners and their indexes in step after a child was inserted at
// or removed from index.
void OnListItemInserted(CContainerUI& box, IListOwnerUI* owner, int& curSel, int index);
void OnListItemRemoved(CContainerUI& box, IListOwnerUI* owner, int& curSel, int index);
