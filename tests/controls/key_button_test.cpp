// Key buttons on the device picture: the light in the key's colour, the key-set image over the
// key-unset image, the selection frame and the double click.
#include <gtest/gtest.h>

#include <cstdlib>

#include "controls/device_key_button.h"
#include "controls_window.h"
#include "ui/container.h"

namespace {
constexpr QRgb kPicture = qRgb(0x30, 0x38, 0x40);  // the panel's colour under the keys

class KeyButtonTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenControlsWindow(window);
        key = window.FindControl<CDeviceKeyButtonUI>(L"key_0");
        ASSERT_NE(key, nullptr);
        window.log.clear();
    }

    QRgb PixelOf(const CControlUI* control, int dx, int dy) {
        return mouse.Grab().pixel(control->GetPos().left + dx, control->GetPos().top + dy);
    }

    CTestWindow window{ControlsData(L"panel.xml")};
    CDeviceKeyButtonUI* key = nullptr;
    CTestMouse mouse{window};
};

// The light's colour at its full image strength, laid over the picture at the light's fade.
QRgb Blend(UiColor shown) {
    const auto mix = [](int light, int under) {
        return (light * CDeviceKeyButtonUI::kLightFade + under * (255 - CDeviceKeyButtonUI::kLightFade)) /
               255;
    };
    return qRgb(mix(shown >> 16 & 0xFF, qRed(kPicture)), mix(shown >> 8 & 0xFF, qGreen(kPicture)),
                mix(shown & 0xFF, qBlue(kPicture)));
}

void ExpectNear(QRgb actual, QRgb expected) {
    EXPECT_LE(std::abs(qRed(actual) - qRed(expected)), 3) << std::hex << actual << " vs " << expected;
    EXPECT_LE(std::abs(qGreen(actual) - qGreen(expected)), 3) << std::hex << actual << " vs " << expected;
    EXPECT_LE(std::abs(qBlue(actual) - qBlue(expected)), 3) << std::hex << actual << " vs " << expected;
}

struct LightCase {
    const char* what;
    bool shown;
    UiColor color;
    int brightness;
    UiColor expectedShown;
};

TEST_F(KeyButtonTest, TheLightShowsTheKeysColourDarkenedByItsBrightness) {
    const LightCase cases[] = {
        {"red at full brightness", true, 0xFF0000, 255, 0xFFFF0000},
        {"green at half brightness", true, 0x00FF00, 128, 0xFF008000},
        {"brightness 0 is black", true, 0x4080FF, 0, 0xFF000000},
        {"out-of-range brightness is full", true, 0x0000FF, 999, 0xFF0000FF},
    };
    for (const LightCase& c : cases) {
        SCOPED_TRACE(c.what);
        key->ShowLight(c.shown);
        key->SetLightColor(c.color, c.brightness);
        EXPECT_EQ(key->ShownLightColor(), c.expectedShown);
        ExpectNear(PixelOf(key, 20, 20), Blend(c.expectedShown));
    }
    key->ShowLight(false);
    EXPECT_EQ(PixelOf(key, 20, 20), kPicture);
}

TEST_F(KeyButtonTest, AKeyWithoutLightImageTakesTheColourOverItsWholeRectangle) {
    auto* plain = window.FindControl<CDeviceKeyButtonUI>(L"key_1");
    plain->ShowLight(true);
    plain->SetLightColor(0xFFFF00);
    ExpectNear(PixelOf(plain, 1, 1), Blend(0xFFFFFF00));
}

TEST_F(KeyButtonTest, TheKeySetImageLiesOverTheKeyUnsetImage) {
    constexpr QRgb kSet = qRgb(0x00, 0xB4, 0xFF);
    constexpr QRgb kUnset = qRgb(0x5A, 0x64, 0x70);
    key->SetKeySetImage(L"common/controls/key_set.svg");
    key->SetKeyUnsetImage(L"common/controls/key_unset.svg");
    struct {
        bool set, unset;
        QRgb expected;
    } cases[] = {{false, false, kPicture}, {false, true, kUnset}, {true, false, kSet}, {true, true, kSet}};
    for (const auto& c : cases) {
        key->ShowKeySetImage(c.set);
        key->ShowKeyUnsetImage(c.unset);
        EXPECT_EQ(PixelOf(key, 34, 6), c.expected) << c.set << c.unset;  // inside the corner mark
    }
}

TEST_F(KeyButtonTest, ASelectedKeyIsFramedInTheSelectionColour) {
    EXPECT_EQ(PixelOf(key, 0, 20), kPicture);
    key->SetSelected(true);
    EXPECT_EQ(PixelOf(key, 0, 20), qRgb(0x00, 0x99, 0xFF));
    EXPECT_EQ(PixelOf(key, 20, 20), kPicture);
}

TEST_F(KeyButtonTest, ADoubleClickOnAnEnabledKeySendsDbclick) {
    CUiPerson person(window);
    ASSERT_TRUE(person.DoubleClick(L"key_0"));
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"click:key_0", L"dbclick:key_0", L"click:key_0"}));

    window.log.clear();
    key->SetEnabled(false);
    ASSERT_TRUE(person.DoubleClick(L"key_0"));
    EXPECT_TRUE(window.log.empty());
}

TEST_F(KeyButtonTest, AKeyRemovedByItsDoubleClickHandlerIsLeftAlone) {
    window.onNotify = [&](TNotifyUI& msg) {
        if (msg.sType == L"dbclick") {
            dynamic_cast<CContainerUI*>(msg.pSender->GetParent())->Remove(msg.pSender);
        }
    };
    ASSERT_TRUE(CUiPerson(window).DoubleClick(L"key_0"));
    EXPECT_EQ(window.FindControl(L"key_0"), nullptr);
    EXPECT_EQ(window.log, (std::vector<std::wstring>{L"click:key_0", L"dbclick:key_0"}));
}
}  // namespace
