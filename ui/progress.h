#pragma once
// CProgressUI: a value between a minimum and a maximum, shown as the filled part of the control
// (fore colour and/or fore image, left to right or bottom to top).
// CSliderUI: a progress the person drags with a thumb. While dragging it sends "movevaluechanged"
// for every change; releasing the mouse sends "valuechanged" with the final value, and so does each
// wheel step.
#include "ui/label.h"
#include "ui/state_images.h"

class CProgressUI : public CLabelUI {
public:
    std::wstring GetClass() const override;

    int GetMinValue() const { return m_min; }
    void SetMinValue(int min);
    int GetMaxValue() const { return m_max; }
    void SetMaxValue(int max);
    int GetValue() const { return m_value; }
    // Clamped to the range.
    void SetValue(int value);
    bool IsHorizontal() const { return m_horizontal; }
    void SetHorizontal(bool on);
    void SetForeColor(UiColor color);
    void SetForeImage(std::wstring image);

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(CRenderUI& render) override;

protected:
    // The filled part for the current value.
    UiRect ForeRect() const;

private:
    int m_min = 0;
    int m_max = 100;
    int m_value = 0;
    bool m_horizontal = true;
    UiColor m_foreColor = 0;
    std::wstring m_foreImage;
};

class CSliderUI : public CProgressUI {
public:
    std::wstring GetClass() const override;

    int GetChangeStep() const { return m_step; }
    void SetChangeStep(int step);
    UiSize GetThumbSize() const { return m_thumbSize; }
    void SetThumbSize(UiSize size);
    // The thumb's rectangle for the current value (client pixels).
    UiRect GetThumbRect() const;
    // The value a point of the track stands for.
    int ValueAt(UiPoint pt) const;

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(CRenderUI& render) override;

private:
    int m_step = 1;
    UiSize m_thumbSize{10, 10};
    CStateImages m_thumbImages;  // "thumbimage", "thumbhotimage", "thumbpushedimage"
    bool m_captured = false;
    bool m_hot = false;
    UiColor m_thumbColor = 0xFF808080;
};
