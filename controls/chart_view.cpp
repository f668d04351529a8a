#include "controls/chart_view.h"

#include <algorithm>
#include <numeric>

#include "ui/attributes.h"
#include "ui/render.h"

namespace {
constexpr UiColor kPalette[] = {0xFF00B4FF, 0xFFFF5A36, 0xFF5CD65C, 0xFFFFC107,
                                0xFFB266FF, 0xFF00D1C1, 0xFFFF7EB9, 0xFF9E9E9E};
constexpr int kTextLine = 18;  // height of a line of text at 96 DPI
constexpr int kSwatch = 10;    // legend colour box at 96 DPI

UiColor ColorOf(size_t index) {
    return kPalette[index % std::size(kPalette)];
}

long long Positive(int value) {
    return std::max(value, 0);
}
}  // namespace

std::vector<ChartSlice> PieSlices(const std::vector<ChartItem>& items) {
    const long long total =
        std::accumulate(items.begin(), items.end(), 0LL,
                        [](long long sum, const ChartItem& i) { return sum + Positive(i.value); });
    std::vector<ChartSlice> slices;
    double start = 90.0;
    for (const ChartItem& item : items) {
        const double span = total > 0 ? -360.0 * static_cast<double>(Positive(item.value)) / total : 0.0;
        slices.push_back({start, span});
        start += span;
    }
    return slices;
}

std::vector<UiRect> HistogramBars(const UiRect& area, const std::vector<ChartItem>& items, int barWidth) {
    std::vector<UiRect> bars;
    if (items.empty() || area.IsEmpty()) {
        return bars;
    }
    long long top = 0;
    for (const ChartItem& item : items) {
        top = std::max(top, Positive(item.value));
    }
    const int count = static_cast<int>(items.size());
    for (int i = 0; i < count; ++i) {
        const int slotLeft = area.left + static_cast<int>(static_cast<long long>(area.Width()) * i / count);
        const int slotRight =
            area.left + static_cast<int>(static_cast<long long>(area.Width()) * (i + 1) / count);
        const int width = std::min(barWidth, slotRight - slotLeft);
        const int left = slotLeft + (slotRight - slotLeft - width) / 2;
        const int height =
            top > 0 ? static_cast<int>(area.Height() * Positive(items[static_cast<size_t>(i)].value) / top)
                    : 0;
        bars.push_back({left, area.bottom - height, left + width, area.bottom});
    }
    return bars;
}

std::wstring CChartViewUI::GetClass() const {
    return L"ChartView";
}

void CChartViewUI::SetView(View view) {
    m_view = view;
    Invalidate();
}

void CChartViewUI::AddItem(std::wstring name, int value) {
    m_items.push_back({std::move(name), value});
    Invalidate();
}

void CChartViewUI::RemoveAllItems() {
    m_items.clear();
    Invalidate();
}

void CChartViewUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    int n = 0;
    bool flag = false;
    UiColor color = 0;
    if (name == L"view") {
        SetView(EqualsNoCase(value, L"histpgram") || EqualsNoCase(value, L"histogram") ? View::Histogram
                                                                                       : View::Pie);
    } else if (name == L"shadowimage") {
        m_shadowImage = value;
    } else if (name == L"shadowimageheight" && ParseInt(value, n)) {
        m_shadowHeight = std::max(n, 0);
    } else if (name == L"pillarimage") {
        m_pillarImage = value;
    } else if (name == L"pillarimagewidth" && ParseInt(value, n)) {
        m_pillarWidth = std::max(n, 1);
    } else if ((name == L"showtext" || name == L"showhtml") && ParseBool(value, flag)) {
        m_showText = flag;
    } else if (name == L"font" && ParseInt(value, n)) {
        m_font = n;
    } else if (name == L"textcolor" && ParseColor(value, color)) {
        m_textColor = color;
    } else {
        CControlUI::SetAttribute(name, value);
        return;
    }
    Invalidate();
}

UiRect CChartViewUI::PlotRect() const {
    UiRect plot = m_pos;
    plot.bottom -= Scale(m_shadowHeight);
    if (m_showText && m_view == View::Histogram) {
        plot.top += Scale(kTextLine);     // values over the bars
        plot.bottom -= Scale(kTextLine);  // names under them
    }
    plot.bottom = std::max(plot.bottom, plot.top);
    return plot;
}

void CChartViewUI::PaintStatusImage(CRenderUI& render) {
    if (m_shadowHeight > 0 && !m_shadowImage.empty()) {
        render.DrawImage({m_pos.left, m_pos.bottom - Scale(m_shadowHeight), m_pos.right, m_pos.bottom},
                         m_shadowImage);
    }
    const UiRect plot = PlotRect();
    if (m_view == View::Pie) {
        PaintPie(render, plot);
    } else {
        PaintHistogram(render, plot);
    }
}

void CChartViewUI::PaintPie(CRenderUI& render, const UiRect& plot) {
    // The pie is a circle on the left of the plot; the legend, when shown, takes at least half.
    const int side = std::min(m_showText ? plot.Width() / 2 : plot.Width(), plot.Height());
    const UiRect disc{plot.left, plot.top + (plot.Height() - side) / 2, plot.left + side,
                      plot.top + (plot.Height() - side) / 2 + side};
    const std::vector<ChartSlice> slices = PieSlices(m_items);
    for (size_t i = 0; i < slices.size(); ++i) {
        render.FillPie(disc, slices[i].startDeg, slices[i].spanDeg, ColorOf(i));
    }
    if (!m_showText) {
        return;
    }
    const int line = Scale(kTextLine);
    const int swatch = Scale(kSwatch);
    int top = plot.top;
    for (size_t i = 0; i < m_items.size() && top + line <= plot.bottom; ++i, top += line) {
        const int left = disc.right + swatch;
        const int mid = top + (line - swatch) / 2;
        render.FillRect({left, mid, left + swatch, mid + swatch}, ColorOf(i));
        render.DrawText({left + 2 * swatch, top, plot.right, top + line},
                        m_items[i].name + L" " + std::to_wstring(m_items[i].value), m_textColor, m_font,
                        kTextLeft | kTextVCenter | kTextSingleLine | kTextEndEllipsis);
    }
}

void CChartViewUI::PaintHistogram(CRenderUI& render, const UiRect& plot) {
    const std::vector<UiRect> bars = HistogramBars(plot, m_items, Scale(m_pillarWidth));
    const int line = Scale(kTextLine);
    for (size_t i = 0; i < bars.size(); ++i) {
        if (m_pillarImage.empty() || !render.DrawImage(bars[i], m_pillarImage)) {
            render.FillRect(bars[i], ColorOf(i));
        }
        if (m_showText) {
            // Texts span the bar's slot, wider than the bar itself.
            const int slot = plot.Width() / static_cast<int>(bars.size());
            const int cx = (bars[i].left + bars[i].right) / 2;
            const unsigned style = kTextCenter | kTextVCenter | kTextSingleLine | kTextEndEllipsis;
            render.DrawText({cx - slot / 2, bars[i].top - line, cx + slot / 2, bars[i].top},
                            std::to_wstring(m_items[i].value), m_textColor, m_font, style);
            render.DrawText({cx - slot / 2, plot.bottom, cx + slot / 2, plot.bottom + line}, m_items[i].name,
                            m_textColor, m_font, style);
        }
    }
}
