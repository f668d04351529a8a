#include "controls/select_panel.h"

#include <algorithm>

#include "controls/device_key_button.h"
#include "ui/render.h"

namespace {
constexpr wchar_t kNotifySelectEnd[] = L"click_select_end";
constexpr UiColor kBandFill = 0x330099FF;
constexpr UiColor kBandEdge = 0xFF0099FF;
}  // namespace

UiRect SpanRect(UiPoint a, UiPoint b) {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

std::wstring CSelectPanelUI::GetClass() const {
    return L"SelectPanel";
}

void CSelectPanelUI::DoEvent(TEventUI& event) {
    CVerticalLayoutUI::DoEvent(event);
    switch (event.Type) {
        case UiEvent::ButtonDown:
            if (IsEnabled()) {
                m_armed = true;
                m_start = event.ptMouse;
            }
            break;
        case UiEvent::MouseMove:
            if (m_armed) {
                m_dragging = true;
            }
            if (m_dragging) {
                Track(event.ptMouse);
            }
            break;
        case UiEvent::ButtonUp:
            m_armed = false;
            if (m_dragging) {
                Track(event.ptMouse);  // the release may come without a move to its point
                m_dragging = false;
                ApplySelection();
                Invalidate();
                SendNotify(kNotifySelectEnd);
            }
            break;
        default:
            break;
    }
}

void CSelectPanelUI::Track(UiPoint pt) {
    m_current = pt;
    m_selection = SpanRect(m_start, m_current);
    Invalidate();
}

void CSelectPanelUI::ApplySelection() {
    for (CControlUI* child : m_items) {
        // Only the panel's own key buttons: a key button of a nested panel belongs to that panel.
        if (child->GetClass() == L"DeviceKeyButton") {
            if (auto* key = dynamic_cast<CDeviceKeyButtonUI*>(child)) {
                key->SetSelected(key->GetPos().Intersects(m_selection));
            }
        }
    }
}

void CSelectPanelUI::DoPaint(CRenderUI& render, const UiRect& paint) {
    CVerticalLayoutUI::DoPaint(render, paint);
    if (m_dragging && !m_selection.IsEmpty() && paint.Intersects(m_pos)) {
        CRenderUI::Clip clip(render, m_pos);
        render.FillRect(m_selection, kBandFill);
        render.DrawBorder(m_selection, 1, kBandEdge);
    }
}
