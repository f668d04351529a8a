#include "controls/hand_img_select_button.h"

#include <algorithm>

#include "controls/hand_img_button.h"
#include "ui/image.h"
#include "ui/image_cache.h"
#include "ui/paint_manager.h"
#include "ui/render.h"

void CPanView::SetImageSize(UiSize image) {
    m_image = image;
    m_offset = {};
}

void CPanView::SetViewSize(UiSize view) {
    m_view = view;
    Clamp();
}

UiRect CPanView::Source() const {
    return {m_offset.x, m_offset.y, m_offset.x + std::min(m_view.cx, m_image.cx),
            m_offset.y + std::min(m_view.cy, m_image.cy)};
}

bool CPanView::Pan(int dx, int dy) {
    const UiPoint before = m_offset;
    m_offset.x -= dx;
    m_offset.y -= dy;
    Clamp();
    return m_offset.x != before.x || m_offset.y != before.y;
}

void CPanView::Clamp() {
    m_offset.x = std::clamp(m_offset.x, 0, std::max(0, m_image.cx - m_view.cx));
    m_offset.y = std::clamp(m_offset.y, 0, std::max(0, m_image.cy - m_view.cy));
}

std::wstring CHandImgSelectButtonUI::GetClass() const {
    return L"HandImgSelectButton";
}

void CHandImgSelectButtonUI::SetHandImage(std::wstring image) {
    TDrawInfoUI info;
    m_file = ParseImageString(image, info) ? info.file : std::wstring();
    UiSize size;
    if (const SkinImage* picture = m_file.empty() ? nullptr : FindSkinImage(m_file, 96)) {
        size = {static_cast<int>(picture->image.width() / picture->ratio + 0.5),
                static_cast<int>(picture->image.height() / picture->ratio + 0.5)};
    }
    m_view.SetImageSize(size);
    SyncViewSize();
    Invalidate();
}

std::wstring CHandImgSelectButtonUI::GetDrawnImage() {
    SyncViewSize();
    if (m_file.empty() || !m_view.IsCropped()) {
        return m_file;
    }
    const UiRect s = m_view.Source();
    return L"file='" + m_file + L"' source='" + std::to_wstring(s.left) + L"," + std::to_wstring(s.top) +
           L"," + std::to_wstring(s.right) + L"," + std::to_wstring(s.bottom) + L"'";
}

void CHandImgSelectButtonUI::SyncViewSize() {
    // Before the first layout the button has only the size its layout attributes give it.
    const UiSize view = m_pos.IsEmpty() ? UiSize{GetFixedWidth(), GetFixedHeight()}
                                        : UiSize{Unscale(m_pos.Width()), Unscale(m_pos.Height())};
    m_view.SetViewSize(view);
}

int CHandImgSelectButtonUI::Unscale(int device) const {
    const int dpi = m_manager != nullptr ? m_manager->GetDPI() : 96;
    return device * 96 / dpi;
}

void CHandImgSelectButtonUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UiEvent::ButtonDown:
            if (IsEnabled()) {
                m_panning = true;
                m_last = {Unscale(event.ptMouse.x), Unscale(event.ptMouse.y)};
            }
            break;
        case UiEvent::MouseMove:
            if (m_panning) {
                // In picture pixels, so that slow moves at a high DPI add up instead of rounding away.
                const UiPoint at{Unscale(event.ptMouse.x), Unscale(event.ptMouse.y)};
                SyncViewSize();
                if (m_view.Pan(at.x - m_last.x, at.y - m_last.y)) {
                    Invalidate();
                }
                m_last = at;
            }
            break;
        case UiEvent::ButtonUp:
            m_panning = false;
            break;
        default:
            break;
    }
    CButtonUI::DoEvent(event);
    NotifyHover(*this, event);  // last: a handler may remove the button
}

void CHandImgSelectButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"handimage") {
        SetHandImage(std::wstring(value));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CHandImgSelectButtonUI::PaintStatusImage(CRenderUI& render) {
    CButtonUI::PaintStatusImage(render);
    DrawImage(render, GetDrawnImage());
}
