#include "ui/list.h"

#include "ui/attributes.h"
#include "ui/messages.h"
#include "ui/notifications.h"
#include "ui/paint_manager.h"
#include "ui/render.h"

namespace {
constexpr uint32_t kVkUp = 0x26;
constexpr uint32_t kVkDown = 0x28;
}  // namespace

bool IsSelectableItem(CControlUI* control) {
    return control != nullptr && dynamic_cast<IListItemUI*>(control) != nullptr && control->IsVisible() &&
           control->IsEnabled();
}

bool IListOwnerUI::SetListInfoAttribute(TListInfoUI& info, std::wstring_view name, std::wstring_view value) {
    UiColor color = 0;
    UiRect rc;
    int n = 0;
    if (!name.starts_with(L"item")) {
        return false;
    }
    if (name == L"itemfont" && ParseInt(value, n)) {
        info.font = n;
    } else if (name == L"itemalign") {
        info.textStyle &= ~(kTextCenter | kTextRight);
        info.textStyle |= value == L"center" ? kTextCenter : value == L"right" ? kTextRight : kTextLeft;
    } else if (name == L"itemtextpadding" && ParseRect(value, rc)) {
        info.textPadding = rc;
    } else if (name == L"itemtextcolor" && ParseColor(value, color)) {
        info.textColor = color;
    } else if (name == L"itemselectedtextcolor" && ParseColor(value, color)) {
        info.selectedTextColor = color;
    } else if (name == L"itemdisabledtextcolor" && ParseColor(value, color)) {
        info.disabledTextColor = color;
    } else if (name == L"itembkcolor" && ParseColor(value, color)) {
        info.bkColor = color;
    } else if (name == L"itemselectedbkcolor" && ParseColor(value, color)) {
        info.selectedBkColor = color;
    } else if (name == L"itemhotbkcolor" && ParseColor(value, color)) {
        info.hotBkColor = color;
    } else if (name == L"itemheight" && ParseInt(value, n)) {
        info.itemHeight = n;
    } else {
        return false;
    }
    return true;
}

bool IListItemUI::HandleItemEvent(CControlUI& self, TEventUI& event) {
    CPaintManagerUI* manager = self.GetManager();
    switch (event.Type) {
        case UiEvent::ButtonDown:
            if (self.IsEnabled() && m_owner != nullptr) {
                m_owner->SelectItem(m_index, true);
            }
            return true;  // the element may be gone now
        case UiEvent::ButtonUp:
            if (self.IsEnabled() && self.GetPos().Contains(event.ptMouse)) {
                manager->SendNotify(&self, kNotifyItemClick);
            }
            return true;
        case UiEvent::DblClick:
            if (self.IsEnabled()) {
                manager->SendNotify(&self, kNotifyItemActivate);
            }
            return true;
        case UiEvent::MouseEnter:
        case UiEvent::MouseLeave:
            m_hot = event.Type == UiEvent::MouseEnter && self.IsEnabled();
            self.Invalidate();
            return true;
        default:
            return false;
    }
}

void IListItemUI::PaintItemBk(CControlUI& self, CRenderUI& render) const {
    if (m_owner == nullptr) {
        return;
    }
    const TListInfoUI& info = m_owner->GetListInfo();
    const UiColor color = m_selected ? info.selectedBkColor : m_hot ? info.hotBkColor : info.bkColor;
    if (color != 0) {
        render.FillRect(self.GetPos(), color);
    }
}

UiSize IListItemUI::ItemSize(const CControlUI& self, UiSize fixed) const {
    if (fixed.cy == 0 && m_owner != nullptr) {
        const int h = m_owner->GetListInfo().itemHeight;
        fixed.cy = self.GetManager() != nullptr ? self.GetManager()->Scale(h) : h;
    }
    return fixed;
}

std::wstring CListLabelElementUI::GetClass() const {
    return L"ListLabelElement";
}

void CListLabelElementUI::SetSelected(bool selected) {
    m_selected = selected;
    Invalidate();
}

void CListLabelElementUI::DoEvent(TEventUI& event) {
    if (!HandleItemEvent(*this, event)) {
        CLabelUI::DoEvent(event);
    }
}

UiSize CListLabelElementUI::EstimateSize(UiSize available) {
    return ItemSize(*this, CLabelUI::EstimateSize(available));
}

void CListLabelElementUI::PaintBkColor(CRenderUI& render) {
    CLabelUI::PaintBkColor(render);
    PaintItemBk(*this, render);
}

void CListLabelElementUI::PaintText(CRenderUI& render) {
    if (m_owner == nullptr) {
        CLabelUI::PaintText(render);
        return;
    }
    const TListInfoUI& info = m_owner->GetListInfo();
    const UiColor color = !IsEnabled() ? info.disabledTextColor
                          : m_selected ? info.selectedTextColor
                                       : info.textColor;
    const UiRect& p = info.textPadding;
    render.DrawText(m_pos.Deflated({Scale(p.left), Scale(p.top), Scale(p.right), Scale(p.bottom)}), GetText(),
                    color, info.font, info.textStyle);
}

std::wstring CListContainerElementUI::GetClass() const {
    return L"ListContainerElement";
}

void CListContainerElementUI::SetSelected(bool selected) {
    m_selected = selected;
    Invalidate();
}

void CListContainerElementUI::DoEvent(TEventUI& event) {
    if (!HandleItemEvent(*this, event)) {
        CHorizontalLayoutUI::DoEvent(event);
    }
}

UiSize CListContainerElementUI::EstimateSize(UiSize available) {
    return ItemSize(*this, CHorizontalLayoutUI::EstimateSize(available));
}

void CListContainerElementUI::PaintBkColor(CRenderUI& render) {
    CHorizontalLayoutUI::PaintBkColor(render);
    PaintItemBk(*this, render);
}

IListItemUI* ListItemAt(const CContainerUI& box, int index) {
    return dynamic_cast<IListItemUI*>(box.GetItemAt(index));
}

int NextSelectable(const CContainerUI& box, int index, int step) {
    for (int i = index + step; i >= 0 && i < box.GetCount(); i += step) {
        if (IsSelectableItem(box.GetItemAt(i))) {
            return i;
        }
    }
    return -1;
}

namespace {
void RenumberItems(CContainerUI& box, IListOwnerUI* owner, int curSel) {
    for (int i = 0; i < box.GetCount(); ++i) {
        if (IListItemUI* item = ListItemAt(box, i)) {
            item->SetOwner(owner);
            item->SetIndex(i);
            item->SetSelected(i == curSel);
        }
    }
}
}  // namespace

bool SelectListItem(CContainerUI& owner, int& curSel, int index, bool takeFocus, bool triggerEvent) {
    if (index != curSel) {
        if (index < -1 || index >= owner.GetCount() ||
            (index >= 0 && !IsSelectableItem(owner.GetItemAt(index)))) {
            return false;
        }
        const int old = curSel;
        if (IListItemUI* item = ListItemAt(owner, old)) {
            item->SetSelected(false);
        }
        curSel = index;
        if (IListItemUI* item = ListItemAt(owner, index)) {
            item->SetSelected(true);
        }
        owner.Invalidate();
        if (takeFocus) {
            owner.SetFocus();
        }
        if (triggerEvent && owner.GetManager() != nullptr) {
            owner.GetManager()->SendNotify(&owner, kNotifyItemSelect, static_cast<WPARAM>(index), old);
        }
    } else if (takeFocus) {
        owner.SetFocus();
    }
    return true;
}

void OnListItemInserted(CContainerUI& box, IListOwnerUI* owner, int& curSel, int index) {
    if (index <= curSel) {
        ++curSel;
    }
    RenumberItems(box, owner, curSel);
}

void OnListItemRemoved(CContainerUI& box, IListOwnerUI* owner, int& curSel, int index) {
    if (index == curSel) {
        curSel = -1;
    } else if (index < curSel) {
        --curSel;
    }
    RenumberItems(box, owner, curSel);
}

CListUI::CListUI() {
    EnableScroll(true);
}

std::wstring CListUI::GetClass() const {
    return L"List";
}

bool CListUI::SelectItem(int index, bool takeFocus, bool triggerEvent) {
    const int old = m_curSel;
    // Scroll first, so that handlers of the notification see the element in view.
    if (index != old && index >= 0 && IsSelectableItem(GetItemAt(index))) {
        EnsureVisible(GetItemAt(index));
    }
    return SelectListItem(*this, m_curSel, index, takeFocus, triggerEvent);
}

bool CListUI::AddAt(CControlUI* control, int index) {
    if (!CVerticalLayoutUI::AddAt(control, index)) {
        return false;
    }
    OnListItemInserted(*this, this, m_curSel, index);
    return true;
}

bool CListUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int index = GetItemIndex(control);
    if (!CVerticalLayoutUI::Remove(control, doNotDestroy)) {
        return false;
    }
    OnListItemRemoved(*this, this, m_curSel, index);
    return true;
}

void CListUI::RemoveAll() {
    m_curSel = -1;
    CVerticalLayoutUI::RemoveAll();
}

void CListUI::DoEvent(TEventUI& event) {
    if (event.Type == UiEvent::KeyDown && (event.chKey == kVkUp || event.chKey == kVkDown)) {
        const int next = NextSelectable(*this, m_curSel, event.chKey == kVkUp ? -1 : 1);
        if (next >= 0) {
            SelectItem(next, true);
        }
        return;
    }
    CVerticalLayoutUI::DoEvent(event);
}

void CListUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (SetListInfoAttribute(m_info, name, value)) {
        Invalidate();
    } else {
        CVerticalLayoutUI::SetAttribute(name, value);
    }
}
