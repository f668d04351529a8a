#pragma once
// CChartViewUI (registered as "CChartViewUI"): named values drawn as a pie or as a histogram.
// Attributes: "view" ("pie", or "histpgram" for the histogram; "histogram" is read the same),
// "shadowimage" with "shadowimageheight" (drawn along the foot of the chart), "pillarimage" with
// "pillarimagewidth" (each bar; without an image the bars are filled in colour), "showtext" and
// "showhtml" ("true": names and values are written beside the pie or under and over the bars),
// "font" and "textcolor" of the texts. Negative values count as 0.
#include <string>
#include <vector>

#include "ui/control.h"

struct ChartItem {
    std::wstring name;
    int value = 0;
};

struct ChartSlice {
    double startDeg = 0;  // counter-clockwise from three o'clock
    double spanDeg = 0;   // negative: clockwise on the screen
};

// The slices of a pie, from twelve o'clock clockwise, each the item's share of the total; all empty
// when the total is 0.
std::vector<ChartSlice> PieSlices(const std::vector<ChartItem>& items);
// The bars of a histogram in area: equal slots, each bar barWidth wide (narrower when the slot is)
// and centred in its slot, its height the item's share of the largest value.
std::vector<UiRect> HistogramBars(const UiRect& area, const std::vector<ChartItem>& items, int barWidth);

class CChartViewUI : public CControlUI {
public:
    enum class View { Pie, Histogram };

    std::wstring GetClass() const override;

    View GetView() const { return m_view; }
    void SetView(View view);
    void AddItem(std::wstring name, int value);
    void RemoveAllItems();
    const std::vector<ChartItem>& GetItems() const { return m_items; }

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(CRenderUI& render) override;

private:
    // The chart's area above the shadow and the text lines.
    UiRect PlotRect() const;
    void PaintPie(CRenderUI& render, const UiRect& plot);
    void PaintHistogram(CRenderUI& render, const UiRect& plot);

    View m_view = View::Pie;
    std::wstring m_shadowImage;
    int m_shadowHeight = 0;
    std::wstring m_pillarImage;
    int m_pillarWidth = 16;
    bool m_showText = false;
    int m_font = -1;
    UiColor m_textColor = 0xFFFFFFFF;
    std::vector<ChartItem> m_items;
};
