#include "controls/hand_img_button.h"

#include "ui/notifications.h"
#include "ui/paint_manager.h"
#include "ui/render.h"

namespace {
constexpr wchar_t kNotifyHandDelete[] = L"click_handdelete";
}  // namespace

void NotifyHover(CControlUI& control, const TEventUI& event) {
    if ((event.Type == UiEvent::MouseEnter || event.Type == UiEvent::MouseLeave) && control.IsEnabled() &&
        control.GetManager() != nullptr) {
        control.GetManager()->SendNotify(
            &control, event.Type == UiEvent::MouseEnter ? kNotifyMouseEnter : kNotifyMouseLeave);
    }
}

std::wstring CHandImgButtonUI::GetClass() const {
    return L"HandImgButton";
}

void CHandImgButtonUI::SetHandImage(std::wstring image) {
    m_handImage = std::move(image);
    Invalidate();
}

void CHandImgButtonUI::SetDeleteNormalImage(std::wstring image) {
    m_deleteNormalImage = std::move(image);
    Invalidate();
}

void CHandImgButtonUI::SetDeleteHotImage(std::wstring image) {
    m_deleteHotImage = std::move(image);
    Invalidate();
}

void CHandImgButtonUI::EnableDelete(bool enable) {
    if (m_deleteDisabled == enable) {
        m_deleteDisabled = !enable;
        Invalidate();
    }
}

UiRect CHandImgButtonUI::DeleteBoxRect() const {
    return {m_pos.right - Scale(30), m_pos.bottom - Scale(29), m_pos.right - Scale(10),
            m_pos.bottom - Scale(9)};
}

bool CHandImgButtonUI::IsDeleteBoxShown() const {
    return IsHot() && !m_deleteDisabled;
}

void CHandImgButtonUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UiEvent::MouseMove: {
            const std::wstring* image =
                DeleteBoxRect().Contains(event.ptMouse) ? &m_deleteHotImage : &m_deleteNormalImage;
            if (image != m_deleteImage) {
                m_deleteImage = image;
                Invalidate();
            }
            break;
        }
        case UiEvent::ButtonUp:
            if (IsEnabled() && IsPushed() && !m_deleteDisabled && DeleteBoxRect().Contains(event.ptMouse)) {
                // The button lets go of the mouse as for a release outside it: no click.
                TEventUI release = event;
                release.ptMouse = {m_pos.left - 1, m_pos.top - 1};
                CButtonUI::DoEvent(release);
                SendNotify(kNotifyHandDelete);
                return;
            }
            break;
        default:
            break;
    }
    CButtonUI::DoEvent(event);
    NotifyHover(*this, event);  // last: a handler may remove the button
}

void CHandImgButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"handimage") {
        SetHandImage(std::wstring(value));
    } else if (name == L"deletenormalimage") {
        SetDeleteNormalImage(std::wstring(value));
    } else if (name == L"deletehotimage") {
        SetDeleteHotImage(std::wstring(value));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void CHandImgButtonUI::PaintStatusImage(CRenderUI& render) {
    CButtonUI::PaintStatusImage(render);
    DrawImage(render, m_handImage);
    if (IsDeleteBoxShown()) {
        render.DrawImage(DeleteBoxRect(), *m_deleteImage);
    }
}
