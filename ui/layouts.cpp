#include "ui/layouts.h"

#include <algorithm>
#include <vector>

#include "ui/attributes.h"
#include "ui/paint_manager.h"

namespace {
// A rectangle seen along the stacking axis: main = the stacking direction, cross = the other one.
struct Axis {
    bool vertical;
    int Main(UiSize s) const { return vertical ? s.cy : s.cx; }
    int Cross(UiSize s) const { return vertical ? s.cx : s.cy; }
    int MainBefore(const UiRect& r) const { return vertical ? r.top : r.left; }
    int MainAfter(const UiRect& r) const { return vertical ? r.bottom : r.right; }
    int CrossBefore(const UiRect& r) const { return vertical ? r.left : r.top; }
    int CrossAfter(const UiRect& r) const { return vertical ? r.right : r.bottom; }
    int MinMain(const CControlUI& c) const { return vertical ? c.GetMinHeight() : c.GetMinWidth(); }
    int MaxMain(const CControlUI& c) const { return vertical ? c.GetMaxHeight() : c.GetMaxWidth(); }
    int MinCross(const CControlUI& c) const { return vertical ? c.GetMinWidth() : c.GetMinHeight(); }
    int MaxCross(const CControlUI& c) const { return vertical ? c.GetMaxWidth() : c.GetMaxHeight(); }
    UiRect Make(int main0, int cross0, int main1, int cross1) const {
        return vertical ? UiRect{cross0, main0, cross1, main1} : UiRect{main0, cross0, main1, cross1};
    }
};

int Scaled(const CContainerUI& box, int v) {
    return box.GetManager() != nullptr ? box.GetManager()->Scale(v) : v;
}

int Clamp(int v, int lo, int hi) {
    return std::max(lo, std::min(v, std::max(lo, hi)));
}
}  // namespace

void LayoutLinear(CContainerUI& box, const UiRect& inner, int childPadding, bool vertical, int scrollPos,
                  int& contentSize) {
    const Axis ax{vertical};
    const UiSize available{inner.Width(), inner.Height()};
    const int gap = Scaled(box, childPadding);

    struct Item {
        CControlUI* control;
        UiSize size;
        UiRect padding;
        int main;        // the size along the stacking axis
        bool stretches;  // no fixed size along the axis: takes a share of what is left
    };
    std::vector<Item> items;
    int used = 0;  // fixed sizes, paddings and gaps
    for (int i = 0; i < box.GetCount(); ++i) {
        CControlUI* c = box.GetItemAt(i);
        if (c->IsFloat() || !c->IsVisible()) {
            continue;
        }
        const UiRect& p = c->GetPadding();
        Item item{c,
                  c->EstimateSize(available),
                  {Scaled(box, p.left), Scaled(box, p.top), Scaled(box, p.right), Scaled(box, p.bottom)},
                  0,
                  false};
        item.stretches = ax.Main(item.size) == 0;
        if (!item.stretches) {
            item.main = Clamp(ax.Main(item.size), Scaled(box, ax.MinMain(*c)), Scaled(box, ax.MaxMain(*c)));
            used += item.main;
        }
        used += ax.MainBefore(item.padding) + ax.MainAfter(item.padding) + (items.empty() ? 0 : gap);
        items.push_back(item);
    }

    // Share what is left among the stretching children. One held at its minimum or maximum takes
    // that and leaves the rest to the others; the last one of the final share takes the odd pixels.
    std::vector<Item*> pool;
    for (Item& item : items) {
        if (item.stretches) {
            pool.push_back(&item);
        }
    }
    int left = ax.Main(available) - used;
    for (bool bounded = true; bounded && !pool.empty();) {
        bounded = false;
        const int share = std::max(0, left) / static_cast<int>(pool.size());
        for (auto it = pool.begin(); it != pool.end(); ++it) {
            const int lo = Scaled(box, ax.MinMain(*(*it)->control));
            const int hi = Scaled(box, ax.MaxMain(*(*it)->control));
            if (share < lo || share > hi) {
                (*it)->main = share < lo ? lo : hi;
                left -= (*it)->main;
                pool.erase(it);
                bounded = true;
                break;
            }
        }
    }
    for (size_t i = 0; i < pool.size(); ++i) {
        const int share = std::max(0, left) / static_cast<int>(pool.size());
        pool[i]->main =
            share + (i + 1 == pool.size() ? std::max(0, left) - share * static_cast<int>(pool.size()) : 0);
    }

    const int crossSpace = ax.Cross(available);
    int pos = ax.MainBefore(inner) - scrollPos;
    for (const Item& item : items) {
        CControlUI& c = *item.control;
        const int crossRoom = crossSpace - ax.CrossBefore(item.padding) - ax.CrossAfter(item.padding);
        int cross = ax.Cross(item.size) == 0 ? crossRoom : std::min(ax.Cross(item.size), crossRoom);
        cross = Clamp(cross, Scaled(box, ax.MinCross(c)), Scaled(box, ax.MaxCross(c)));
        if (&item != &items.front()) {
            pos += gap;
        }
        pos += ax.MainBefore(item.padding);
        const int cross0 = ax.CrossBefore(inner) + ax.CrossBefore(item.padding);
        c.SetPos(ax.Make(pos, cross0, pos + item.main, cross0 + cross));
        pos += item.main + ax.MainAfter(item.padding);
    }
    contentSize = pos + scrollPos - ax.MainBefore(inner);
}

std::wstring CVerticalLayoutUI::GetClass() const {
    return L"VerticalLayout";
}

void CVerticalLayoutUI::SetPos(const UiRect& rc) {
    CControlUI::SetPos(rc);
    int content = 0;
    const int before = GetScrollPos();
    LayoutLinear(*this, InnerRect(), GetChildPadding(), true, before, content);
    SetContentHeight(content);
    if (GetScrollPos() != before) {  // the content shrank below the scrolled-to position
        LayoutLinear(*this, InnerRect(), GetChildPadding(), true, GetScrollPos(), content);
    }
    PlaceFloats();
}

std::wstring CHorizontalLayoutUI::GetClass() const {
    return L"HorizontalLayout";
}

void CHorizontalLayoutUI::SetPos(const UiRect& rc) {
    CControlUI::SetPos(rc);
    int content = 0;
    LayoutLinear(*this, InnerRect(), GetChildPadding(), false, 0, content);
    SetContentHeight(InnerRect().Height());
    PlaceFloats();
}

std::wstring CTabLayoutUI::GetClass() const {
    return L"TabLayout";
}

bool CTabLayoutUI::SelectItem(int index) {
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    m_curSel = index;
    PropagateVisibility();
    NeedUpdate();
    return true;
}

bool CTabLayoutUI::AddAt(CControlUI* control, int index) {
    const int before = GetCount();
    if (!CContainerUI::AddAt(control, index)) {
        return false;
    }
    if (index <= m_curSel && m_curSel < before) {
        ++m_curSel;  // the shown page stays the shown page
    }
    PropagateVisibility();
    return true;
}

bool CTabLayoutUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int index = GetItemIndex(control);
    if (!CContainerUI::Remove(control, doNotDestroy)) {
        return false;
    }
    if (index < m_curSel || m_curSel >= GetCount()) {
        m_curSel = std::max(0, m_curSel - 1);
    }
    PropagateVisibility();
    return true;
}

void CTabLayoutUI::RemoveAll() {
    CContainerUI::RemoveAll();
    m_curSel = 0;
}

void CTabLayoutUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    int n = 0;
    if (name == L"selectedid" && ParseInt(value, n)) {
        m_curSel = std::max(n, 0);
        PropagateVisibility();
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}
