#include "controls/device_key_button.h"

#include <algorithm>

#include "controls/tinted_image.h"
#include "ui/notifications.h"
#include "ui/render.h"

namespace {
constexpr int kSelectFrame = 2;  // width of the selection frame at 96 DPI

void Assign(CControlUI& control, std::wstring& member, std::wstring image) {
    member = std::move(image);
    control.Invalidate();
}

void Flag(CControlUI& control, bool& member, bool value) {
    if (member != value) {
        member = value;
        control.Invalidate();
    }
}
}  // namespace

std::wstring CDeviceKeyButtonUI::GetClass() const {
    return L"DeviceKeyButton";
}

void CDeviceKeyButtonUI::SetSelected(bool selected) {
    Flag(*this, m_selected, selected);
}

void CDeviceKeyButtonUI::SetLightImage(std::wstring image) {
    Assign(*this, m_lightImage, std::move(image));
}

void CDeviceKeyButtonUI::SetKeySetImage(std::wstring image) {
    Assign(*this, m_keySetImage, std::move(image));
}

void CDeviceKeyButtonUI::SetKeyUnsetImage(std::wstring image) {
    Assign(*this, m_keyUnsetImage, std::move(image));
}

void CDeviceKeyButtonUI::ShowLight(bool show) {
    Flag(*this, m_lightShown, show);
}

void CDeviceKeyButtonUI::ShowKeySetImage(bool show) {
    Flag(*this, m_keySetHidden, !show);
}

void CDeviceKeyButtonUI::ShowKeyUnsetImage(bool show) {
    Flag(*this, m_keyUnsetHidden, !show);
}

void CDeviceKeyButtonUI::SetLightColor(UiColor color, int brightness) {
    color |= 0xFF000000;
    brightness = std::clamp(brightness, 0, 255);
    if (color != m_lightColor || brightness != m_brightness) {
        m_lightColor = color;
        m_brightness = brightness;
        if (m_lightShown) {
            Invalidate();
        }
    }
}

UiColor CDeviceKeyButtonUI::ShownLightColor() const {
    const auto channel = [this](int shift) {
        return ((m_lightColor >> shift & 0xFF) * static_cast<UiColor>(m_brightness) / 255) << shift;
    };
    return 0xFF000000 | channel(16) | channel(8) | channel(0);
}

void CDeviceKeyButtonUI::SetSelectColor(UiColor color) {
    m_selectColor = color;
    Invalidate();
}

void CDeviceKeyButtonUI::DoEvent(TEventUI& event) {
    const bool doubleClick = event.Type == UiEvent::DblClick && IsEnabled() && m_pos.Contains(event.ptMouse);
    CButtonUI::DoEvent(event);
    if (doubleClick) {
        SendNotify(kNotifyDblClick);  // last: a handler may remove the key
    }
}

void CDeviceKeyButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"lightimage") {
        SetLightImage(std::wstring(value));
    } else if (name == L"keysetimage") {
        SetKeySetImage(std::wstring(value));
    } else if (name == L"keyunsetimage") {
        SetKeyUnsetImage(std::wstring(value));
    } else if (name != L"gmnametextcolor") {
        CButtonUI::SetAttribute(name, value);
    }
}

void CDeviceKeyButtonUI::PaintStatusImage(CRenderUI& render) {
    CButtonUI::PaintStatusImage(render);
    if (m_lightShown) {
        DrawTintedImage(render, m_pos, m_lightImage, ShownLightColor(), kLightFade);
    }
    if (!m_keyUnsetHidden) {
        DrawImage(render, m_keyUnsetImage);
    }
    if (!m_keySetHidden) {
        DrawImage(render, m_keySetImage);
    }
}

void CDeviceKeyButtonUI::PaintBorder(CRenderUI& render) {
    CButtonUI::PaintBorder(render);
    if (m_selected) {
        render.DrawBorder(m_pos, Scale(kSelectFrame), m_selectColor, Scale(GetBorderRound()));
    }
}
