// The image buttons and the recording indicator: the delete box, panning a picture, the cursor a
// button names, and the recording pulse.
#include <gtest/gtest.h>

#include <chrono>

#include "controls/hand_img_button.h"
#include "controls/hand_img_select_button.h"
#include "controls/redio_macro_button.h"
#include "controls_window.h"
#include "ui/container.h"

namespace {
class ButtonsTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenControlsWindow(window);
        hand = window.FindControl<CHandImgButtonUI>(L"hand");
        pan = window.FindControl<CHandImgSelectButtonUI>(L"pan");
        rec = window.FindControl<CRedioMacroButtonUI>(L"rec");
        ASSERT_TRUE(hand != nullptr && pan != nullptr && rec != nullptr);
        window.log.clear();
    }

    CTestWindow window{ControlsData(L"buttons.xml")};
    CHandImgButtonUI* hand = nullptr;
    CHandImgSelectButtonUI* pan = nullptr;
    CRedioMacroButtonUI* rec = nullptr;
    CTestMouse mouse{window};
};

TEST_F(ButtonsTest, TheDeleteBoxSitsInTheLowerRightCornerScaledToTheWindow) {
    struct {
        int dpi;
        UiRect fromCorner;  // right - box.left, bottom - box.top, right - box.right, bottom - box.bottom
    } cases[] = {{96, {30, 29, 10, 9}}, {144, {45, 44, 15, 14}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        ASSERT_TRUE(window.PaintManager().SetDPI(c.dpi));
        window.PaintManager().LayoutIfNeeded();
        const UiRect& b = hand->GetPos();
        const UiRect box = hand->DeleteBoxRect();
        EXPECT_EQ(
            (UiRect{b.right - box.left, b.bottom - box.top, b.right - box.right, b.bottom - box.bottom}),
            c.fromCorner);

        hand->EnableDelete(true);
        window.log.clear();
        mouse.Move(Center(b));
        mouse.Press(Center(box));
        mouse.Release(Center(box));
        mouse.Move({1, 1});
        EXPECT_EQ(window.log,
                  (std::vector<std::wstring>{L"msenter:hand", L"click_handdelete:hand", L"msleave:hand"}));
    }
}

TEST_F(ButtonsTest, AButtonRemovedByItsHoverHandlerIsLeftAlone) {
    window.onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == L"msenter") {
            dynamic_cast<CContainerUI*>(msg.pSender->GetParent())->Remove(msg.pSender);
        }
    };
    for (const wchar_t* name : {L"hand", L"pan"}) {
        CControlUI* button = window.FindControl(name);
        ASSERT_NE(button, nullptr) << name;
        mouse.Move(Center(button->GetPos()));
        EXPECT_EQ(window.FindControl(name), nullptr) << name;
        mouse.Move({1, 1});
    }
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"msenter:hand", L"msenter:pan"}));
}

TEST_F(ButtonsTest, TheDeleteBoxNeverShowsBeforeDeletionIsEnabled) {
    const UiRect box = hand->DeleteBoxRect();
    // A point of the hot delete image's red disc, clear of its cross.
    const auto boxPixel = [&] { return mouse.Grab().pixel(box.left + 10, box.top + 3); };
    const QRgb button = qRgb(0x30, 0x38, 0x40);

    mouse.Move(Center(box));
    EXPECT_FALSE(hand->IsDeleteBoxShown());
    EXPECT_EQ(boxPixel(), button);
    mouse.Press(Center(box));
    mouse.Release(Center(box));
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"msenter:hand", L"click:hand"})) << "an ordinary click";

    hand->EnableDelete(true);
    EXPECT_TRUE(hand->IsDeleteBoxShown());
    EXPECT_EQ(boxPixel(), qRgb(0xE5, 0x39, 0x35));
    mouse.Move({1, 1});
    EXPECT_FALSE(hand->IsDeleteBoxShown()) << "only while the mouse is over the button";
    EXPECT_EQ(boxPixel(), button);
}

TEST_F(ButtonsTest, ADisabledButtonSendsNeitherHoverNorDelete) {
    hand->EnableDelete(true);
    hand->SetEnabled(false);
    const UiRect box = hand->DeleteBoxRect();
    mouse.Move(Center(box));
    mouse.Press(Center(box));
    mouse.Release(Center(box));
    mouse.Move({1, 1});
    EXPECT_TRUE(window.log.empty());
}

struct PanCase {
    const char* what;
    UiSize view;
    std::vector<UiPoint> moves;  // mouse movements, one after another
    UiRect source;
    bool cropped;
};

TEST(PanView, ThePartShownNeverLeavesThePicture) {
    const PanCase cases[] = {
        {"moving left shows more of the right", {100, 80}, {{-50, 0}}, {50, 0, 150, 80}, true},
        {"the right edge stops it", {100, 80}, {{-150, 0}, {-100, 0}}, {200, 0, 300, 80}, true},
        {"moving right from the start stays at 0", {100, 80}, {{30, 30}}, {0, 0, 100, 80}, true},
        {"back and forth", {100, 80}, {{-80, -70}, {30, 10}}, {50, 60, 150, 140}, true},
        {"the bottom edge stops it", {100, 80}, {{0, -500}}, {0, 120, 100, 200}, true},
        {"a view as large as the picture shows it whole", {300, 200}, {{-40, -40}}, {0, 0, 300, 200}, false},
        {"a view only narrower pans sideways only", {100, 250}, {{-20, -20}}, {20, 0, 120, 200}, true},
    };
    for (const PanCase& c : cases) {
        SCOPED_TRACE(c.what);
        CPanView view;
        view.SetImageSize({300, 200});
        view.SetViewSize(c.view);
        for (const UiPoint& d : c.moves) {
            view.Pan(d.x, d.y);
        }
        EXPECT_EQ(view.Source(), c.source);
        EXPECT_EQ(view.IsCropped(), c.cropped);
    }
}

TEST_F(ButtonsTest, DraggingAPictureButtonPansItsPicture) {
    const std::wstring file = ControlsData(L"pan.svg");
    pan->SetHandImage(file);
    EXPECT_EQ(pan->GetImageSize().cx, 300);
    EXPECT_EQ(pan->GetImageSize().cy, 200);
    EXPECT_EQ(pan->GetDrawnImage(), L"file='" + file + L"' source='0,0,100,80'");

    const UiPoint c = Center(pan->GetPos());
    mouse.Drag({c, {c.x - 20, c.y - 5}, {c.x - 30, c.y - 10}});
    EXPECT_EQ(pan->GetDrawnImage(), L"file='" + file + L"' source='30,10,130,90'");
    EXPECT_FALSE(pan->IsPanning());
    mouse.Move({c.x - 60, c.y});
    EXPECT_EQ(pan->GetDrawnImage(), L"file='" + file + L"' source='30,10,130,90'") << "no button held";

    mouse.Drag({c, {c.x + 120, c.y + 100}});
    EXPECT_EQ(pan->GetDrawnImage(), L"file='" + file + L"' source='0,0,100,80'");
    EXPECT_EQ(mouse.Grab().pixel(c.x, c.y), qRgb(0x40, 0x80, 0xC0));

    pan->SetHandImage(L"common/controls/delete_hot.svg");  // smaller than the button: drawn whole
    EXPECT_EQ(pan->GetDrawnImage(), L"common/controls/delete_hot.svg");
    pan->SetHandImage(L"no_such_picture.png");
    EXPECT_EQ(pan->GetImageSize().cx, 0);
}

TEST_F(ButtonsTest, APictureButtonShowsTheCursorItNames) {
    const wchar_t* const names[] = {L"arrow",  L"ibeam",   L"wait",     L"cross",    L"uparrow",
                                    L"size",   L"icon",    L"sizenwse", L"sizenesw", L"sizewe",
                                    L"sizens", L"sizeall", L"no",       L"hand"};
    for (size_t i = 0; i < std::size(names); ++i) {
        pan->SetAttribute(L"cursor", names[i]);
        EXPECT_EQ(pan->GetCursor(), static_cast<UiCursor>(i)) << names[i];
    }
    pan->SetAttribute(L"cursor", L"pointer");
    EXPECT_EQ(pan->GetCursor(), UiCursor::Hand) << "an unknown name keeps the cursor";

    pan->SetAttribute(L"cursor", L"sizewe");
    mouse.Move(Center(pan->GetPos()));
    EXPECT_EQ(window.GetHostWidget()->cursor().shape(), Qt::SizeHorCursor);
    EXPECT_EQ(window.log, std::vector<std::wstring>{L"msenter:pan"});
}

TEST(RecordPulse, FallsTo80RisesTo255AndFallsAgain) {
    std::vector<int> expected;
    for (int f = 235; f > 80; f -= 20) {
        expected.push_back(f);  // 235 ... 95
    }
    expected.push_back(80);
    for (int f = 100; f < 255; f += 20) {
        expected.push_back(f);  // 100 ... 240
    }
    expected.push_back(255);
    expected.push_back(235);
    ASSERT_EQ(expected.size(), 19u);

    CRecordPulse pulse;
    EXPECT_EQ(pulse.Fade(), 255);
    std::vector<int> seen;
    for (size_t i = 0; i < expected.size(); ++i) {
        seen.push_back(pulse.Step());
    }
    EXPECT_EQ(seen, expected);
}

TEST_F(ButtonsTest, TheRecordingButtonPulsesOnItsTimerUntilStopped) {
    const std::wstring resting = rec->GetNormalImage();
    ASSERT_TRUE(rec->Start());
    EXPECT_TRUE(rec->IsRunning());
    // The timer fires every 50 ms; wait for the first step, at most five seconds on a busy machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (rec->GetFade() == 255 && std::chrono::steady_clock::now() < deadline) {
        CUiApplication::DoEvents(10);
    }
    const int fade = rec->GetFade();
    EXPECT_LT(fade, 255);
    EXPECT_EQ(rec->GetNormalImage(),
              L"res='common/controls/record.svg' fade='" + std::to_wstring(fade) + L"'");

    rec->Stop();
    EXPECT_FALSE(rec->IsRunning());
    EXPECT_EQ(rec->GetNormalImage(), resting);
    CUiApplication::DoEvents(120);
    EXPECT_EQ(rec->GetFade(), fade) << "no step after Stop";
    EXPECT_TRUE(window.timers.empty()) << "the pulse timer is the button's own";

    ASSERT_TRUE(rec->Start());
    EXPECT_EQ(rec->GetFade(), 255) << "a new recording pulses from the start";
    rec->Stop();
}
TEST_F(ButtonsTest, OnlyThePulseTimerStepsThePulse) {
    TEventUI timer;
    timer.Type = UiEvent::Timer;
    timer.wParam = 7;
    rec->Event(timer);
    EXPECT_EQ(window.timers, std::vector<WPARAM>{7}) << "other timers reach the window";
    EXPECT_EQ(rec->GetFade(), 255);

    timer.wParam = CRedioMacroButtonUI::kPulseTimer;
    rec->Event(timer);
    EXPECT_EQ(rec->GetFade(), 235);
    EXPECT_EQ(rec->GetNormalImage(), L"res='common/controls/record.svg' fade='235'");
    CUiApplication::DoEvents(120);
    EXPECT_EQ(rec->GetFade(), 235) << "not running: the step does not arm the timer again";
}
}  // namespace
