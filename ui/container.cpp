#include "ui/container.h"

#include <algorithm>

#include "ui/attributes.h"
#include "ui/paint_manager.h"
#include "ui/render.h"

namespace {
constexpr int kScrollBarWidth = 6;  // at 96 DPI
constexpr int kWheelStep = 40;      // at 96 DPI
constexpr UiColor kScrollBarColor = 0x80808080;
}  // namespace

CContainerUI::~CContainerUI() {
    // Children go first, while this container still has its manager for their reaping.
    RemoveAll();
}

std::wstring CContainerUI::GetClass() const {
    return L"Container";
}

bool CContainerUI::Add(CControlUI* control) {
    return AddAt(control, GetCount());
}

bool CContainerUI::AddAt(CControlUI* control, int index) {
    if (control == nullptr || index < 0 || index > GetCount()) {
        return false;
    }
    m_items.insert(m_items.begin() + index, control);
    control->SetManager(m_manager, this, true);
    control->SetInternVisible(IsVisible() && IsChildShown(index));
    NeedUpdate();
    return true;
}

bool CContainerUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int index = GetItemIndex(control);
    if (index < 0) {
        return false;
    }
    m_items.erase(m_items.begin() + index);
    if (doNotDestroy) {
        control->SetManager(nullptr, nullptr, false);
    } else {
        delete control;
    }
    NeedUpdate();
    return true;
}

bool CContainerUI::RemoveAt(int index, bool doNotDestroy) {
    return Remove(GetItemAt(index), doNotDestroy);
}

void CContainerUI::RemoveAll() {
    std::vector<CControlUI*> items;
    items.swap(m_items);
    for (CControlUI* item : items) {
        delete item;
    }
    m_scrollPos = 0;
    NeedUpdate();
}

CControlUI* CContainerUI::GetItemAt(int index) const {
    return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)] : nullptr;
}

int CContainerUI::GetItemIndex(CControlUI* control) const {
    const auto it = std::find(m_items.begin(), m_items.end(), control);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

void CContainerUI::SetInset(const UiRect& inset) {
    m_inset = inset;
    NeedUpdate();
}

void CContainerUI::SetChildPadding(int padding) {
    m_childPadding = std::max(padding, 0);
    NeedUpdate();
}

void CContainerUI::EnableScroll(bool on) {
    m_scroll = on;
    m_scrollPos = 0;
    NeedUpdate();
}

void CContainerUI::SetScrollPos(int pos) {
    pos = std::clamp(pos, 0, m_scrollRange);
    if (pos == m_scrollPos) {
        return;
    }
    m_scrollPos = pos;
    SetPos(m_pos);
    Invalidate();
}

void CContainerUI::EnsureVisible(CControlUI* child) {
    if (GetItemIndex(child) < 0 || !m_scroll) {
        return;
    }
    if (m_manager != nullptr) {
        m_manager->LayoutIfNeeded();  // positions of children added since the last layout
    }
    const UiRect inner = InnerRect();
    const UiRect& rc = child->GetPos();
    if (rc.top < inner.top) {
        SetScrollPos(m_scrollPos - (inner.top - rc.top));
    } else if (rc.bottom > inner.bottom) {
        SetScrollPos(m_scrollPos + (rc.bottom - inner.bottom));
    }
}

void CContainerUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    CControlUI::SetManager(manager, parent, init);
    for (CControlUI* item : m_items) {
        item->SetManager(manager, this, init);
    }
}

void CContainerUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    PropagateVisibility();
}

void CContainerUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    PropagateVisibility();
}

void CContainerUI::PropagateVisibility() {
    for (int i = 0; i < GetCount(); ++i) {
        m_items[static_cast<size_t>(i)]->SetInternVisible(IsVisible() && IsChildShown(i));
    }
}

UiRect CContainerUI::InnerRect() const {
    const UiRect inset{Scale(m_inset.left), Scale(m_inset.top), Scale(m_inset.right), Scale(m_inset.bottom)};
    return m_pos.Deflated(inset);
}

void CContainerUI::PlaceFloats() {
    for (CControlUI* item : m_items) {
        if (!item->IsFloat() || !item->IsVisible()) {
            continue;
        }
        const UiRect& fp = item->GetFloatPos();
        const UiSize size = item->EstimateSize({m_pos.Width(), m_pos.Height()});
        const int left = m_pos.left + Scale(fp.left);
        const int top = m_pos.top + Scale(fp.top) - m_scrollPos;
        item->SetPos({left, top, left + size.cx, top + size.cy});
    }
}

void CContainerUI::SetContentHeight(int height) {
    m_scrollRange = m_scroll ? std::max(0, height - InnerRect().Height()) : 0;
    m_scrollPos = std::min(m_scrollPos, m_scrollRange);
}

UiRect CContainerUI::ScrollBarRect() const {
    if (m_scrollRange <= 0) {
        return {};
    }
    const UiRect inner = InnerRect();
    const int view = inner.Height();
    const int thumb = std::max(Scale(20), view * view / (view + m_scrollRange));
    const int top = inner.top + (view - thumb) * m_scrollPos / m_scrollRange;
    return {m_pos.right - Scale(kScrollBarWidth), top, m_pos.right, top + thumb};
}

void CContainerUI::SetPos(const UiRect& rc) {
    CControlUI::SetPos(rc);
    const UiRect inner = InnerRect();
    for (CControlUI* item : m_items) {
        if (!item->IsFloat() && item->IsVisible()) {
            item->SetPos(inner);
        }
    }
    SetContentHeight(inner.Height());
    PlaceFloats();
}

void CContainerUI::DoEvent(TEventUI& event) {
    if (event.Type == UiEvent::ScrollWheel && m_scrollRange > 0) {
        SetScrollPos(m_scrollPos + (event.wParam != 0 ? Scale(kWheelStep) : -Scale(kWheelStep)));
        return;
    }
    if (event.Type == UiEvent::ButtonDown && ScrollBarRect().Contains(event.ptMouse)) {
        m_draggingBar = true;
        m_dragOffset = event.ptMouse.y - ScrollBarRect().top;
        return;
    }
    if (event.Type == UiEvent::MouseMove && m_draggingBar) {
        const UiRect inner = InnerRect();
        const int thumb = ScrollBarRect().Height();
        const int travel = std::max(1, inner.Height() - thumb);
        SetScrollPos((event.ptMouse.y - m_dragOffset - inner.top) * m_scrollRange / travel);
        return;
    }
    if (event.Type == UiEvent::ButtonUp) {
        m_draggingBar = false;
    }
    CControlUI::DoEvent(event);
}

void CContainerUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiRect rc;
    int n = 0;
    bool flag = false;
    if (name == L"inset" && ParseRect(value, rc)) {
        SetInset(rc);
    } else if (name == L"childpadding" && ParseInt(value, n)) {
        SetChildPadding(n);
    } else if (name == L"mousechild" && ParseBool(value, flag)) {
        SetMouseChildEnabled(flag);
    } else if (name == L"vscrollbar" && ParseBool(value, flag)) {
        EnableScroll(flag);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CContainerUI::DoPaint(CRenderUI& render, const UiRect& paint) {
    const UiRect clip = paint.Intersected(m_pos);
    if (clip.IsEmpty()) {
        return;
    }
    CRenderUI::Clip guard(render, clip);
    CControlUI::DoPaint(render, clip);
    for (CControlUI* item : m_items) {
        if (item->IsVisible() && item->GetPos().Intersects(clip)) {
            item->DoPaint(render, clip);
        }
    }
    if (m_scrollRange > 0) {
        render.FillRect(ScrollBarRect(), kScrollBarColor);
    }
}

CControlUI* CContainerUI::FindSubControl(std::wstring_view name) {
    if (name == GetName()) {
        return this;
    }
    for (CControlUI* item : m_items) {
        if (CControlUI* found = item->FindSubControl(name)) {
            return found;
        }
    }
    return nullptr;
}

CControlUI* CContainerUI::FindControlAt(UiPoint pt) {
    if (!IsVisible() || !m_pos.Contains(pt)) {
        return nullptr;
    }
    if (ScrollBarRect().Contains(pt)) {
        return this;
    }
    if (m_mouseChild) {
        const UiRect inner = InnerRect();
        for (auto it = m_items.rbegin(); it != m_items.rend(); ++it) {
            if (!(*it)->IsFloat() && !inner.Contains(pt)) {
                continue;
            }
            if (CControlUI* found = (*it)->FindControlAt(pt)) {
                return found;
            }
        }
    }
    return IsMouseEnabled() ? this : nullptr;
}

void CContainerUI::ForEach(const std::function<void(CControlUI*)>& visit) {
    visit(this);
    for (CControlUI* item : m_items) {
        item->ForEach(visit);
    }
}
