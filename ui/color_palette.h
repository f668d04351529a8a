#pragma once
// CColorPaletteUI: a colour field (hue across, saturation down) over a brightness bar. The person
// presses and drags in either; releasing the mouse sends "colorchanged". GetSelectColor is the
// colour shown, SetSelectColor moves the marks without a notification.
#include "ui/control.h"

class CColorPaletteUI : public CControlUI {
public:
    std::wstring GetClass() const override;

    UiColor GetSelectColor() const;
    void SetSelectColor(UiColor color);
    int GetBarHeight() const { return m_barHeight; }

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(CRenderUI& render) override;

private:
    UiRect FieldRect() const;
    UiRect BarRect() const;
    void TrackPoint(UiPoint pt);

    int m_hue = 0;           // 0..359
    int m_saturation = 255;  // 0..255
    int m_value = 255;       // 0..255
    int m_barHeight = 12;    // at 96 DPI
    enum class Drag { None, Field, Bar } m_drag = Drag::None;
};
