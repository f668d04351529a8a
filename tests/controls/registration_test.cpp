// The controls are known by their class names and their tags, and read their layout attributes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "controls/chart_view.h"
#include "controls/circle_progress.h"
#include "controls/combo_edit_element.h"
#include "controls/device_key_button.h"
#include "controls/hand_img_button.h"
#include "controls/redio_macro_button.h"
#include "controls_window.h"
#include "ui/dialog_builder.h"

namespace {
TEST(Registration, EveryClassNameAndTagCreatesItsControl) {
    CControlFactory factory;
    RegisterCustomControls(factory);
    const struct {
        const wchar_t* name;
        const wchar_t* cls;
    } cases[] = {
        {L"CCircleProgressUI", L"CircleProgress"},
        {L"CircleProgress", L"CircleProgress"},
        {L"CChartViewUI", L"ChartView"},
        {L"CWndUI", L"Wnd"},
        {L"Wnd", L"Wnd"},
        {L"CSelectPanelUI", L"SelectPanel"},
        {L"SelectPanel", L"SelectPanel"},
        {L"CDeviceKeyButtonUI", L"DeviceKeyButton"},
        {L"devicekeybutton", L"DeviceKeyButton"},  // tags compare without case
        {L"CComboEditContainerElementUI", L"ComboEditContainerElement"},
        {L"ComboEditContainerElement", L"ComboEditContainerElement"},
        {L"CHandImgButtonUI", L"HandImgButton"},
        {L"HandImgButton", L"HandImgButton"},
        {L"CHandImgSelectButtonUI", L"HandImgSelectButton"},
        {L"HandImgSelectButton", L"HandImgSelectButton"},
        {L"CRedioMacroButtonUI", L"RedioMacroButton"},
        {L"RedioMacroButton", L"RedioMacroButton"},
    };
    for (const auto& c : cases) {
        std::unique_ptr<CControlUI> control(factory.CreateControl(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        EXPECT_EQ(control->GetClass(), c.cls) << c.name;
    }
    EXPECT_EQ(factory.CreateControl(L"ChartView"), nullptr) << "the chart has no tag of its own";
}

struct AttributeCase {
    const char* what;
    const wchar_t* xml;
    std::function<bool(CControlUI&)> check;
};

template <class T>
std::function<bool(CControlUI&)> As(std::function<bool(T&)> check) {
    return [check](CControlUI& c) {
        auto* t = dynamic_cast<T*>(&c);
        return t != nullptr && check(*t);
    };
}

TEST(Attributes, EachControlReadsItsOwnAndPassesTheRestOn) {
    TestApplication();
    RegisterCustomControls(CControlFactory::Instance());
    const AttributeCase cases[] = {
        {"key images",
         LR"(<DeviceKeyButton lightimage="l.png" keysetimage="s.png" keyunsetimage="u.png" width="30"/>)",
         As<CDeviceKeyButtonUI>([](auto& k) {
             return k.GetLightImage() == L"l.png" && !k.IsLightShown() && !k.IsKeySetImageShown() &&
                    !k.IsKeyUnsetImageShown() && k.GetFixedWidth() == 30;
         })},
        {"a name text colour has no effect",
         LR"(<DeviceKeyButton gmnametextcolor="FF0000" textcolor="#FF00FF00"/>)",
         As<CDeviceKeyButtonUI>([](auto& k) { return k.GetTextColor() == 0xFF00FF00; })},
        {"the key's colours at start", LR"(<DeviceKeyButton/>)", As<CDeviceKeyButtonUI>([](auto& k) {
             return k.GetLightColor() == 0xFF000000 && k.GetSelectColor() == 0xFF0099FF && !k.IsSelected();
         })},
        {"recording image", LR"(<RedioMacroButton redioimage="r.svg" normalimage="n.svg"/>)",
         As<CRedioMacroButtonUI>([](auto& r) {
             return r.GetRecordImage() == L"r.svg" && r.GetNormalImage() == L"n.svg" && !r.IsRunning();
         })},
        {"hand image, deletion disabled",
         LR"(<HandImgButton handimage="file='h.png' dest='0,0,10,10'" deletenormalimage="d.svg"/>)",
         As<CHandImgButtonUI>([](auto& h) {
             return h.GetHandImage() == L"file='h.png' dest='0,0,10,10'" && !h.IsDeleteEnabled();
         })},
        {"ring colours", LR"(<CircleProgress forecolor="#FF112233" bkcolor="#FF445566" value="40"/>)",
         As<CCircleProgressUI>([](auto& p) {
             return p.GetForeColor() == 0xFF112233 && p.GetBkColor() == 0xFF445566 && p.GetValue() == 40;
         })},
        {"the row swallows its state images",
         LR"(<ComboEditContainerElement normalimage="n.png" hotimage="h.png" selectedimage="s.png"
             bkimage="b.png" height="28"/>)",
         As<CComboEditContainerElementUI>(
             [](auto& r) { return r.GetBkImage() == L"b.png" && r.GetFixedHeight() == 28; })},
        {"histogram, spelled as the layouts spell it",
         LR"(<CChartViewUI view="histpgram" showtext="true" pillarimagewidth="12"/>)",
         As<CChartViewUI>([](auto& c) { return c.GetView() == CChartViewUI::View::Histogram; })},
        {"pie", LR"(<CChartViewUI view="pie"/>)",
         As<CChartViewUI>([](auto& c) { return c.GetView() == CChartViewUI::View::Pie; })},
    };
    for (const AttributeCase& c : cases) {
        std::unique_ptr<CControlUI> control(CDialogBuilder::CreateFromText(c.xml, L"attributes"));
        ASSERT_NE(control, nullptr) << c.what;
        EXPECT_TRUE(c.check(*control)) << c.what;
    }
}
}  // namespace
