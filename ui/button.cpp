#include "ui/button.h"

#include "ui/attributes.h"
#include "ui/notifications.h"
#include "ui/render.h"

std::wstring CButtonUI::GetClass() const {
    return L"Button";
}

void CButtonUI::SetNormalImage(std::wstring image) {
    m_images.normal = std::move(image);
    Invalidate();
}

void CButtonUI::SetHotImage(std::wstring image) {
    m_images.hot = std::move(image);
    Invalidate();
}

void CButtonUI::SetPushedImage(std::wstring image) {
    m_images.pushed = std::move(image);
    Invalidate();
}

void CButtonUI::SetForeImage(std::wstring image) {
    m_foreImage = std::move(image);
    Invalidate();
}

bool CButtonUI::Activate() {
    if (!CControlUI::Activate()) {
        return false;
    }
    SendNotify(kNotifyClick);
    return true;
}

void CButtonUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UiEvent::ButtonDown:
        case UiEvent::DblClick:
            if (IsEnabled()) {
                m_captured = true;
                m_pushed = true;
                Invalidate();
            }
            return;
        case UiEvent::MouseMove:
            if (m_captured) {
                const bool inside = m_pos.Contains(event.ptMouse);
                if (inside != m_pushed) {
                    m_pushed = inside;
                    Invalidate();
                }
            }
            return;
        case UiEvent::ButtonUp:
            if (m_captured) {
                m_captured = false;
                const bool activate = m_pushed && m_pos.Contains(event.ptMouse);
                m_pushed = false;
                Invalidate();
                if (activate) {
                    Activate();
                }
            }
            return;
        case UiEvent::MouseEnter:
            m_hot = IsEnabled();
            Invalidate();
            return;
        case UiEvent::MouseLeave:
            m_hot = false;
            Invalidate();
            return;
        default:
            break;
    }
    CLabelUI::DoEvent(event);
}

void CButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiColor color = 0;
    if (m_images.SetAttribute(name, value)) {
        Invalidate();
    } else if (name == L"foreimage") {
        SetForeImage(std::wstring(value));
    } else if (name == L"hotbkcolor" && ParseColor(value, color)) {
        SetHotBkColor(color);
    } else if (name == L"pushedbkcolor" && ParseColor(value, color)) {
        SetPushedBkColor(color);
    } else if (name == L"hottextcolor" && ParseColor(value, color)) {
        SetHotTextColor(color);
    } else if (name == L"pushedtextcolor" && ParseColor(value, color)) {
        SetPushedTextColor(color);
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CButtonUI::PaintBkColor(CRenderUI& render) {
    if (m_pushed && m_pushedBkColor != 0) {
        render.FillRect(m_pos, m_pushedBkColor);
    } else if (m_hot && m_hotBkColor != 0) {
        render.FillRect(m_pos, m_hotBkColor);
    } else {
        CLabelUI::PaintBkColor(render);
    }
}

const std::wstring& CButtonUI::StateImage() const {
    return m_images.For(IsEnabled(), m_pushed, m_hot, IsFocused());
}

void CButtonUI::PaintStatusImage(CRenderUI& render) {
    DrawImage(render, StateImage());
    DrawImage(render, m_foreImage);
}

UiColor CButtonUI::CurrentTextColor() const {
    if (IsEnabled() && m_pushed && m_pushedTextColor != 0) {
        return m_pushedTextColor;
    }
    if (IsEnabled() && m_hot && m_hotTextColor != 0) {
        return m_hotTextColor;
    }
    return CLabelUI::CurrentTextColor();
}
