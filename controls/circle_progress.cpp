#include "controls/circle_progress.h"

#include "ui/attributes.h"
#include "ui/render.h"

double RingSweepDegrees(int value, int min, int max) {
    const double span = static_cast<double>(max) - min;
    return span > 0 ? (static_cast<double>(value) - min) / span * 360.0 : 0.0;
}

std::wstring CCircleProgressUI::GetClass() const {
    return L"CircleProgress";
}

void CCircleProgressUI::SetForeColor(UiColor color) {
    m_foreColor = color;
    CProgressUI::SetForeColor(color);
}

void CCircleProgressUI::SetInnerColor(UiColor color) {
    m_innerColor = color;
    Invalidate();
}

void CCircleProgressUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiColor color = 0;
    if (name == L"forecolor" && ParseColor(value, color)) {
        SetForeColor(color);
    } else if (name == L"innercolor" && ParseColor(value, color)) {
        SetInnerColor(color);
    } else {
        CProgressUI::SetAttribute(name, value);
    }
}

void CCircleProgressUI::PaintBkColor(CRenderUI&) {
    // The disc in PaintStatusImage is the background.
}

void CCircleProgressUI::PaintStatusImage(CRenderUI& render) {
    render.FillEllipse(m_pos, GetBkColor());
    // Six o'clock, clockwise on the screen: the render's angles run counter-clockwise.
    render.FillPie(m_pos, -90.0, -RingSweepDegrees(GetValue(), GetMinValue(), GetMaxValue()), m_foreColor);
    const int ring = Scale(kRingWidth);
    render.FillEllipse(m_pos.Deflated({ring, ring, ring, ring}), m_innerColor);
}
