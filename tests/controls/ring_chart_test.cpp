// The progress ring's sweep and drawing, and the chart's slices and bars.
#include <gtest/gtest.h>

#include "controls/chart_view.h"
#include "controls/circle_progress.h"
#include "controls_window.h"

namespace {
TEST(RingSweep, IsTheValuesShareOfTheRangeInDegrees) {
    struct {
        int value, min, max;
        double degrees;
    } cases[] = {
        {0, 0, 100, 0},      {25, 0, 100, 90},  {100, 0, 100, 360},
        {1, 0, 3, 120},      {75, 50, 150, 90},  // measured from the minimum
        {5, 5, 5, 0},                            // an empty range draws no sweep
        {0, -100, 100, 180},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(RingSweepDegrees(c.value, c.min, c.max), c.degrees)
            << c.value << " of " << c.min << ".." << c.max;
    }
}

class RingChartTest : public ::testing::Test {
protected:
    void SetUp() override { OpenControlsWindow(window); }

    // The pixel at an angle of a clock face (hours) and a radius from the control's centre.
    QRgb OnClock(const CControlUI* control, double hours, int radius) {
        const UiPoint c = Center(control->GetPos());
        const double a = (hours / 12.0) * 2 * M_PI;
        return mouse.Grab().pixel(c.x + static_cast<int>(radius * std::sin(a)),
                                  c.y - static_cast<int>(radius * std::cos(a)));
    }

    CTestWindow window{ControlsData(L"ring.xml")};
    CTestMouse mouse{window};
};

TEST_F(RingChartTest, TheRingFillsClockwiseFromSixOClock) {
    auto* ring = window.FindControl<CCircleProgressUI>(L"ring");
    ASSERT_NE(ring, nullptr);
    const QRgb fore = qRgb(0, 0xFF, 0);
    const QRgb back = qRgb(0, 0, 0xFF);
    struct {
        int value;
        double hours;
        QRgb expected;
    } cases[] = {
        {25, 7.5, fore}, {25, 4.5, back},  {25, 10.5, back}, {50, 10.5, fore},
        {50, 1.5, back}, {100, 1.5, fore}, {0, 7.5, back},
    };
    for (const auto& c : cases) {
        ring->SetValue(c.value);
        EXPECT_EQ(OnClock(ring, c.hours, 45), c.expected) << c.value << " at " << c.hours << " o'clock";
    }
    EXPECT_EQ(OnClock(ring, 0, 0), qRgb(0xFF, 0xFF, 0xFF)) << "the middle";
    EXPECT_EQ(OnClock(ring, 0, 38), qRgb(0xFF, 0xFF, 0xFF)) << "inside the ring's 10 pixels";
    ring->SetInnerColor(0xFF202428);
    EXPECT_EQ(OnClock(ring, 0, 0), qRgb(0x20, 0x24, 0x28));
}

TEST(PieSlices, ShareTheCircleFromTwelveOClockClockwise) {
    const auto slices = PieSlices({{L"a", 1}, {L"b", 3}, {L"neg", -5}});
    ASSERT_EQ(slices.size(), 3u);
    EXPECT_DOUBLE_EQ(slices[0].startDeg, 90);
    EXPECT_DOUBLE_EQ(slices[0].spanDeg, -90);
    EXPECT_DOUBLE_EQ(slices[1].startDeg, 0);
    EXPECT_DOUBLE_EQ(slices[1].spanDeg, -270);
    EXPECT_DOUBLE_EQ(slices[2].spanDeg, 0);
    for (const ChartSlice& s : PieSlices({{L"zero", 0}, {L"none", 0}})) {
        EXPECT_DOUBLE_EQ(s.spanDeg, 0);
    }
}

TEST(HistogramBars, StandInEqualSlotsScaledToTheLargestValue) {
    const auto bars = HistogramBars({0, 0, 300, 100}, {{L"a", 50}, {L"b", 100}, {L"c", -1}}, 20);
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0], (UiRect{40, 50, 60, 100}));
    EXPECT_EQ(bars[1], (UiRect{140, 0, 160, 100}));
    EXPECT_EQ(bars[2], (UiRect{240, 100, 260, 100}));
    EXPECT_EQ(HistogramBars({0, 0, 30, 100}, {{L"a", 1}, {L"b", 1}}, 20)[0].Width(), 15) << "slot-wide";
    EXPECT_TRUE(HistogramBars({0, 0, 30, 100}, {}, 20).empty());
}

TEST_F(RingChartTest, BothChartsDrawTheirItems) {
    auto* pie = window.FindControl<CChartViewUI>(L"pie");
    auto* bars = window.FindControl<CChartViewUI>(L"bars");
    ASSERT_TRUE(pie != nullptr && bars != nullptr);
    EXPECT_EQ(pie->GetView(), CChartViewUI::View::Pie);
    EXPECT_EQ(bars->GetView(), CChartViewUI::View::Histogram);
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(OnClock(pie, 3, 30), black) << "nothing to draw yet";
    for (CChartViewUI* chart : {pie, bars}) {
        chart->AddItem(L"a", 1);
        chart->AddItem(L"b", 3);
    }
    EXPECT_NE(OnClock(pie, 1.5, 30), black);
    EXPECT_NE(OnClock(pie, 1.5, 30), OnClock(pie, 7.5, 30)) << "two slices, two colours";
    const UiRect& b = bars->GetPos();
    const QImage shot = mouse.Grab();
    EXPECT_EQ(shot.pixel(b.left + b.Width() / 4, b.top + 10), black) << "above the short bar";
    EXPECT_NE(shot.pixel(b.left + b.Width() / 4, b.bottom - 10), black);
    EXPECT_NE(shot.pixel(b.left + 3 * b.Width() / 4, b.top + 10), black) << "the tall bar";
    bars->RemoveAllItems();
    EXPECT_EQ(mouse.Grab().pixel(b.left + 3 * b.Width() / 4, b.top + 10), black);
}
}  // namespace
