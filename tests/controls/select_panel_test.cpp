// Drag selection on a select panel: which key buttons a drag selects, and when the panel says so.
#include <gtest/gtest.h>

#include <set>

#include "controls/device_key_button.h"
#include "controls/select_panel.h"
#include "controls_window.h"
#include "ui/option.h"

namespace {
const wchar_t* const kKeys[] = {L"key_0", L"key_1", L"light_0", L"key_nested"};

class SelectPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenControlsWindow(window);
        panel = window.FindControl<CSelectPanelUI>(L"panel");
        ASSERT_NE(panel, nullptr);
        window.log.clear();
    }

    CDeviceKeyButtonUI* Key(const wchar_t* name) { return window.FindControl<CDeviceKeyButtonUI>(name); }

    std::set<std::wstring> Selected() {
        std::set<std::wstring> out;
        for (const wchar_t* name : kKeys) {
            if (Key(name)->IsSelected()) {
                out.insert(name);
            }
        }
        return out;
    }

    // A point of the panel at an offset from its top-left corner (96 DPI, no scaling here).
    UiPoint At(int x, int y) const { return {panel->GetPos().left + x, panel->GetPos().top + y}; }

    CTestWindow window{ControlsData(L"panel.xml")};
    CSelectPanelUI* panel = nullptr;
    CTestMouse mouse{window};
};

struct DragCase {
    const char* what;
    std::set<std::wstring> before;
    std::vector<UiPoint> path;  // panel offsets: press, moves, release
    std::set<std::wstring> after;
    bool notifies;
};

TEST_F(SelectPanelTest, ADragSelectsTheDirectKeyButtonsItMeetsAndTellsTheWindow) {
    const DragCase cases[] = {
        {"a drag over two keys", {L"light_0"}, {{10, 10}, {80, 30}, {150, 70}}, {L"key_0", L"key_1"}, true},
        {"the same drag from bottom right to top left",
         {},
         {{150, 70}, {90, 40}, {10, 10}},
         {L"key_0", L"key_1"},
         true},
        {"a drag over no button deselects every key",
         {L"key_0", L"key_1", L"light_0"},
         {{160, 170}, {200, 180}, {240, 210}},
         {},
         true},
        {"a drag over the nested key leaves it alone",
         {L"key_nested"},
         {{70, 90}, {250, 95}, {390, 215}},
         {L"key_nested"},
         true},
        {"a click without movement changes nothing",
         {L"key_0", L"light_0"},
         {{80, 100}, {80, 100}},
         {L"key_0", L"light_0"},
         false},
    };
    for (const DragCase& c : cases) {
        SCOPED_TRACE(c.what);
        for (const wchar_t* name : kKeys) {
            Key(name)->SetSelected(c.before.count(name) > 0);
        }
        window.log.clear();
        mouse.Press(At(c.path.front().x, c.path.front().y));
        for (size_t i = 1; i + 1 < c.path.size(); ++i) {
            mouse.Move(At(c.path[i].x, c.path[i].y));
        }
        mouse.Release(At(c.path.back().x, c.path.back().y));

        EXPECT_EQ(Selected(), c.after);
        EXPECT_EQ(window.log, c.notifies ? std::vector<std::wstring>{L"click_select_end:panel"}
                                         : std::vector<std::wstring>{});
        EXPECT_TRUE(window.FindControl<COptionUI>(L"opt")->IsSelected()) << "not a key button";
        EXPECT_FALSE(panel->IsDragging());
    }
}

TEST_F(SelectPanelTest, TheSelectionRectangleFollowsTheMouseWhileDragging) {
    mouse.Press(At(150, 70));
    mouse.Move(At(10, 90));
    EXPECT_TRUE(panel->IsDragging());
    EXPECT_EQ(panel->GetSelectionRect(), SpanRect(At(10, 90), At(150, 70)));
    EXPECT_EQ(panel->GetSelectionRect().left, At(10, 0).x);
    EXPECT_EQ(panel->GetSelectionRect().top, At(0, 70).y);
    // The band is drawn over the picture while the drag lasts.
    const UiPoint inside = At(80, 80);
    EXPECT_NE(mouse.Grab().pixel(inside.x, inside.y), qRgb(0x30, 0x38, 0x40));
    mouse.Release(At(10, 90));
    EXPECT_EQ(mouse.Grab().pixel(inside.x, inside.y), qRgb(0x30, 0x38, 0x40));
}

TEST_F(SelectPanelTest, ADisabledPanelStartsNoDrag) {
    Key(L"key_0")->SetSelected(true);
    panel->SetEnabled(false);
    mouse.Drag({At(10, 10), At(80, 30), At(150, 70)});
    EXPECT_EQ(Selected(), std::set<std::wstring>{L"key_0"});
    EXPECT_TRUE(window.log.empty());
}
}  // namespace
