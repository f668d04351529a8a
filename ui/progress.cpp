#include "ui/progress.h"

#include <algorithm>

#include "ui/attributes.h"
#include "ui/notifications.h"
#include "ui/render.h"

std::wstring CProgressUI::GetClass() const {
    return L"Progress";
}

void CProgressUI::SetMinValue(int min) {
    m_min = min;
    m_max = std::max(m_max, m_min);
    SetValue(m_value);
    Invalidate();
}

void CProgressUI::SetMaxValue(int max) {
    m_max = max;
    m_min = std::min(m_min, m_max);
    SetValue(m_value);
    Invalidate();
}

void CProgressUI::SetValue(int value) {
    value = std::clamp(value, m_min, m_max);
    if (value != m_value) {
        m_value = value;
        Invalidate();
    }
}

void CProgressUI::SetHorizontal(bool on) {
    m_horizontal = on;
    Invalidate();
}

void CProgressUI::SetForeColor(UiColor color) {
    m_foreColor = color;
    Invalidate();
}

void CProgressUI::SetForeImage(std::wstring image) {
    m_foreImage = std::move(image);
    Invalidate();
}

void CProgressUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    int n = 0;
    bool flag = false;
    UiColor color = 0;
    if (name == L"min" && ParseInt(value, n)) {
        SetMinValue(n);
    } else if (name == L"max" && ParseInt(value, n)) {
        SetMaxValue(n);
    } else if (name == L"value" && ParseInt(value, n)) {
        SetValue(n);
    } else if (name == L"hor" && ParseBool(value, flag)) {
        SetHorizontal(flag);
    } else if (name == L"forecolor" && ParseColor(value, color)) {
        SetForeColor(color);
    } else if (name == L"foreimage") {
        SetForeImage(std::wstring(value));
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

UiRect CProgressUI::ForeRect() const {
    const long long span = std::max(1, m_max - m_min);
    const long long part = m_value - m_min;
    UiRect rc = m_pos;
    if (m_horizontal) {
        rc.right = rc.left + static_cast<int>(rc.Width() * part / span);
    } else {
        rc.top = rc.bottom - static_cast<int>(rc.Height() * part / span);
    }
    return rc;
}

void CProgressUI::PaintStatusImage(CRenderUI& render) {
    const UiRect fore = ForeRect();
    if (fore.IsEmpty()) {
        return;
    }
    if (m_foreColor != 0) {
        render.FillRect(fore, m_foreColor);
    }
    if (!m_foreImage.empty()) {
        CRenderUI::Clip clip(render, fore);
        DrawImage(render, m_foreImage);
    }
}

std::wstring CSliderUI::GetClass() const {
    return L"Slider";
}

void CSliderUI::SetChangeStep(int step) {
    m_step = std::max(step, 1);
}

void CSliderUI::SetThumbSize(UiSize size) {
    m_thumbSize = size;
    Invalidate();
}

UiRect CSliderUI::GetThumbRect() const {
    const int w = Scale(m_thumbSize.cx);
    const int h = Scale(m_thumbSize.cy);
    const long long span = std::max(1, GetMaxValue() - GetMinValue());
    const long long part = GetValue() - GetMinValue();
    if (IsHorizontal()) {
        const int x = m_pos.left + static_cast<int>((m_pos.Width() - w) * part / span);
        const int y = m_pos.top + (m_pos.Height() - h) / 2;
        return {x, y, x + w, y + h};
    }
    const int y = m_pos.bottom - h - static_cast<int>((m_pos.Height() - h) * part / span);
    const int x = m_pos.left + (m_pos.Width() - w) / 2;
    return {x, y, x + w, y + h};
}

int CSliderUI::ValueAt(UiPoint pt) const {
    const int span = GetMaxValue() - GetMinValue();
    long long offset = 0;
    long long track = 1;
    if (IsHorizontal()) {
        const int w = Scale(m_thumbSize.cx);
        track = std::max(1, m_pos.Width() - w);
        offset = pt.x - m_pos.left - w / 2;
    } else {
        const int h = Scale(m_thumbSize.cy);
        track = std::max(1, m_pos.Height() - h);
        offset = m_pos.bottom - h / 2 - pt.y;
    }
    offset = std::clamp<long long>(offset, 0, track);
    return GetMinValue() + static_cast<int>((offset * span + track / 2) / track);
}

void CSliderUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UiEvent::ButtonDown:
        case UiEvent::DblClick:
            if (IsEnabled()) {
                m_captured = true;
                const int before = GetValue();
                SetValue(ValueAt(event.ptMouse));
                if (GetValue() != before) {
                    SendNotify(kNotifyMoveValueChanged);
                }
            }
            return;
        case UiEvent::MouseMove:
            if (m_captured) {
                const int before = GetValue();
                SetValue(ValueAt(event.ptMouse));
                if (GetValue() != before) {
                    SendNotify(kNotifyMoveValueChanged);
                }
            }
            return;
        case UiEvent::ButtonUp:
            if (m_captured) {
                m_captured = false;
                SetValue(ValueAt(event.ptMouse));
                Invalidate();
                SendNotify(kNotifyValueChanged);
            }
            return;
        case UiEvent::ScrollWheel:
            if (IsEnabled()) {
                SetValue(GetValue() + (event.wParam != 0 ? -m_step : m_step));
                SendNotify(kNotifyValueChanged);
            }
            return;
        case UiEvent::MouseEnter:
        case UiEvent::MouseLeave:
            m_hot = event.Type == UiEvent::MouseEnter;
            Invalidate();
            return;
        default:
            break;
    }
    CProgressUI::DoEvent(event);
}

void CSliderUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiSize size;
    int n = 0;
    UiColor color = 0;
    if (name == L"thumbimage") {
        m_thumbImages.normal = std::wstring(value);
    } else if (name == L"thumbhotimage") {
        m_thumbImages.hot = std::wstring(value);
    } else if (name == L"thumbpushedimage") {
        m_thumbImages.pushed = std::wstring(value);
    } else if (name == L"thumbsize" && ParseSize(value, size)) {
        SetThumbSize(size);
    } else if (name == L"thumbcolor" && ParseColor(value, color)) {
        m_thumbColor = color;
    } else if (name == L"step" && ParseInt(value, n)) {
        SetChangeStep(n);
    } else {
        CProgressUI::SetAttribute(name, value);
    }
}

void CSliderUI::PaintStatusImage(CRenderUI& render) {
    CProgressUI::PaintStatusImage(render);
    const UiRect thumb = GetThumbRect();
    const std::wstring& image = m_thumbImages.For(IsEnabled(), m_captured, m_hot, false);
    if (image.empty() || !render.DrawImage(thumb, image)) {
        render.FillRect(thumb, m_thumbColor);
    }
}
