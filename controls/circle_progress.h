#pragma once
// CCircleProgressUI ("CircleProgress"): a progress drawn as a ring. The whole disc in the background
// colour, the part for the value in the fore colour from six o'clock clockwise, and the middle (10
// pixels in from the edge) in the inner colour, white unless "innercolor" says otherwise; then the
// text.
#include "ui/progress.h"

// The ring's sweep in degrees for a value: its share of the range times 360, 0 for an empty range.
double RingSweepDegrees(int value, int min, int max);

class CCircleProgressUI : public CProgressUI {
public:
    static constexpr int kRingWidth = 10;  // at 96 DPI

    std::wstring GetClass() const override;

    // Keeps the colour for the ring as well as giving it to the progress.
    void SetForeColor(UiColor color);
    UiColor GetForeColor() const { return m_foreColor; }
    void SetInnerColor(UiColor color);

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkColor(CRenderUI& render) override;
    void PaintStatusImage(CRenderUI& render) override;

private:
    UiColor m_foreColor = 0;
    UiColor m_innerColor = 0xFFFFFFFF;
};
