// Layouts built from layout text: where the controls land, and what bad layouts do.
#include <gtest/gtest.h>

#include <climits>

#include "platform/debug.h"
#include "test_window.h"
#include "ui/attributes.h"
#include "ui/button.h"
#include "ui/control_factory.h"
#include "ui/dialog_builder.h"
#include "ui/layouts.h"

namespace {
// A layout attached to a manager of a given client size, without a window.
class CLaidOut {
public:
    CLaidOut(std::wstring_view xml, UiSize client, IDialogBuilderCallback* callback = nullptr) {
        TestApplication();
        CPaintManagerUI::SetResourcePath(TestDataDir());
        root = CDialogBuilder::CreateFromText(xml, L"test", callback, &pm);
        pm.AttachRoot(root);
        pm.OnResize(client);
    }
    UiRect Pos(std::wstring_view name) {
        CControlUI* c = pm.FindControl(name);
        return c != nullptr ? c->GetPos() : UiRect{-1, -1, -1, -1};
    }

    CPaintManagerUI pm;
    CControlUI* root = nullptr;
};

struct PlacementCase {
    const char* what;
    std::wstring_view xml;
    std::vector<std::pair<std::wstring_view, UiRect>> expected;
};

TEST(Layout, ControlsLandWhereTheLayoutSays) {
    const PlacementCase cases[] = {
        {"vertical: fixed heights, one stretching child, inset, padding and child padding",
         LR"(<VerticalLayout inset="5,5,5,5" childpadding="10">
               <Control name="a" height="50"/>
               <Control name="b"/>
               <Control name="c" height="30" width="40" padding="3,5,0,0"/>
             </VerticalLayout>)",
         {{L"a", {5, 5, 195, 55}}, {L"b", {5, 65, 195, 150}}, {L"c", {8, 165, 48, 195}}}},
        {"horizontal: two stretching children share the rest, the last takes the odd pixel",
         LR"(<HorizontalLayout>
               <Control name="a" width="51"/>
               <Control name="b"/>
               <Control name="c"/>
             </HorizontalLayout>)",
         {{L"a", {0, 0, 51, 200}}, {L"b", {51, 0, 125, 200}}, {L"c", {125, 0, 200, 200}}}},
        {"min and max sizes bound stretching children",
         LR"(<HorizontalLayout>
               <Control name="a" maxwidth="20"/>
               <Control name="b" minwidth="150"/>
             </HorizontalLayout>)",
         {{L"a", {0, 0, 20, 200}}, {L"b", {20, 0, 200, 200}}}},
        {"a floating control sits at its position and takes no room",
         LR"(<VerticalLayout>
               <Control name="a"/>
               <Control name="f" float="true" pos="10,20,40,60"/>
             </VerticalLayout>)",
         {{L"a", {0, 0, 200, 200}}, {L"f", {10, 20, 40, 60}}}},
        {"a child wider than its layout is cut to it",
         LR"(<VerticalLayout inset="0,0,100,0"><Control name="a" width="300" height="10"/></VerticalLayout>)",
         {{L"a", {0, 0, 100, 10}}}},
    };
    for (const auto& c : cases) {
        CLaidOut laid(c.xml, {200, 200});
        ASSERT_NE(laid.root, nullptr) << c.what;
        for (const auto& [name, rc] : c.expected) {
            EXPECT_EQ(laid.Pos(name), rc) << c.what << " / " << name.data();
        }
    }
}

TEST(Layout, AVerticalLayoutScrollsWhenItsContentOverflows) {
    CLaidOut laid(
        LR"(<VerticalLayout name="box" vscrollbar="true">
                        <Control name="a" height="80"/><Control name="b" height="80"/>
                        <Control name="c" height="80"/></VerticalLayout>)",
        {100, 100});
    auto* box = dynamic_cast<CContainerUI*>(laid.pm.FindControl(L"box"));
    EXPECT_EQ(box->GetScrollRange(), 140);
    box->SetScrollPos(500);  // clamped
    EXPECT_EQ(box->GetScrollPos(), 140);
    EXPECT_EQ(laid.Pos(L"c"), (UiRect{0, 20, 100, 100}));
    box->EnsureVisible(laid.pm.FindControl(L"a"));
    EXPECT_EQ(laid.Pos(L"a"), (UiRect{0, 0, 100, 80}));
    // A wheel step over a child scrolls its layout.
    laid.pm.OnWheel({50, 50}, true, 0);
    EXPECT_GT(box->GetScrollPos(), 0);
}

TEST(Layout, AHigherScaleEnlargesSizesAndTheWindow) {
    CTestWindow window(L"person.xml");
    OpenTestWindow(window);
    window.PaintManager().LayoutIfNeeded();
    EXPECT_EQ(window.FindControl(L"ok_btn")->GetPos().Width(), 80);
    EXPECT_FALSE(window.PaintManager().SetDPI(100));
    EXPECT_TRUE(window.PaintManager().SetDPI(144));
    CUiApplication::DoEvents();
    window.PaintManager().LayoutIfNeeded();
    EXPECT_EQ(window.PaintManager().GetClientSize().cx, 900);
    EXPECT_EQ(window.PaintManager().GetClientSize().cy, 600);
    EXPECT_EQ(window.FindControl(L"ok_btn")->GetPos().Width(), 120);
    EXPECT_EQ(window.PaintManager().Scale(999999999), 1499999999);  // no overflow on silly lengths
    EXPECT_EQ(window.PaintManager().Scale(2000000000), INT_MAX);
    EXPECT_EQ(window.PaintManager().Scale(-3), -5);
    // Every window follows a scale set for all; a rejected one changes none.
    CTestWindow second(L"sample.xml");
    OpenTestWindow(second);
    EXPECT_FALSE(CPaintManagerUI::SetAllDPI(100));
    EXPECT_EQ(window.PaintManager().GetDPI(), 144);
    EXPECT_TRUE(CPaintManagerUI::SetAllDPI(120));
    EXPECT_EQ(window.PaintManager().GetDPI(), 120);
    EXPECT_EQ(second.PaintManager().GetDPI(), 120);
    CUiApplication::DoEvents();
    EXPECT_EQ(second.PaintManager().GetClientSize().cx, 400);
    for (int dpi : {96, 120, 144, 168, 192}) {
        EXPECT_TRUE(CPaintManagerUI::IsValidDPI(dpi)) << dpi;
    }
    for (int dpi : {0, -96, 95, 100, 240}) {
        EXPECT_FALSE(CPaintManagerUI::IsValidDPI(dpi)) << dpi;
    }
}

TEST(Builder, BadLayoutsGiveNullOrSkipTheBadPartWithADebugLine) {
    struct Case {
        const char* what;
        std::wstring_view xml;
        bool builds;
        std::wstring_view debug;  // a piece of the debug line
    };
    std::wstring deep;
    for (int i = 0; i < 200; ++i) {
        deep += L"<VerticalLayout>";
    }
    for (int i = 0; i < 200; ++i) {
        deep += L"</VerticalLayout>";
    }
    const Case cases[] = {
        {"not XML", L"<VerticalLayout><Button></VerticalLayout>", false, L"line 1"},
        {"empty", L"", false, L""},
        {"nested beyond the limit", deep, false, L"nested too deeply"},
        {"unknown tag", L"<VerticalLayout><Gizmo><Button/></Gizmo><Button name='b'/></VerticalLayout>", true,
         L"unknown control <Gizmo>"},
        {"children of a plain control", L"<VerticalLayout><Button><Label/></Button></VerticalLayout>", true,
         L"holds no controls"},
        {"include of a missing file", L"<VerticalLayout><Include source='missing.xml'/></VerticalLayout>",
         true, L"cannot read layout"},
        {"a layout including itself",
         L"<VerticalLayout><Include source='self_include.xml'/></VerticalLayout>", true,
         L"nested too deeply"},
        {"a layout including itself many times",
         L"<VerticalLayout><Include source='fan_include.xml'/></VerticalLayout>", true,
         L"too many layouts in one build"},
        {"bad attribute values keep the defaults", L"<Button name='b' width='wide' bkcolor='red'/>", true,
         L""},
    };
    TestApplication();
    CPaintManagerUI::SetResourcePath(TestDataDir());
    for (const auto& c : cases) {
        CDebugCapture capture;
        std::unique_ptr<CControlUI> root(CDialogBuilder::CreateFromText(c.xml, L"case"));
        EXPECT_EQ(root != nullptr, c.builds) << c.what;
        EXPECT_NE(capture.Text().find(c.debug), std::wstring::npos)
            << c.what << ": " << capture.Text().size();
    }
    std::unique_ptr<CControlUI> button(
        CDialogBuilder::CreateFromText(L"<Button width='wide' bkcolor='red'/>", L"x"));
    EXPECT_EQ(button->GetFixedWidth(), 0);
    EXPECT_EQ(button->GetBkColor(), 0u);
}

// A window's control factory: custom tags, compared without case, one built from another layout.
class CFactory : public IDialogBuilderCallback {
public:
    CControlUI* CreateControl(const std::wstring& tag) override {
        seen.push_back(tag);
        if (EqualsNoCase(tag, L"KeyPanel")) {
            return new CHorizontalLayoutUI;
        }
        if (EqualsNoCase(tag, L"DeviceOptionUI")) {
            return CDialogBuilder::Create(L"device_option.xml", this);
        }
        return nullptr;
    }
    std::vector<std::wstring> seen;
};

TEST(Builder, CustomTagsGoToTheWindowFactoryThenToTheRegisteredClasses) {
    CControlFactory::Instance().RegisterControl(L"RegisteredThing", [] { return new CButtonUI; });
    CFactory factory;
    CLaidOut laid(
        LR"(<VerticalLayout>
                        <keypanel name="panel"><BUTTON name="in_panel"/></keypanel>
                        <DeviceOptionUI/>
                        <registeredthing name="reg"/>
                        <Nothing/>
                      </VerticalLayout>)",
        {300, 300}, &factory);
    ASSERT_NE(laid.root, nullptr);
    EXPECT_EQ(laid.pm.FindControl(L"panel")->GetClass(), L"HorizontalLayout");
    EXPECT_NE(laid.pm.FindControl(L"in_panel"), nullptr);
    EXPECT_NE(laid.pm.FindControl(L"device_select"), nullptr);  // from device_option.xml
    EXPECT_NE(dynamic_cast<CButtonUI*>(laid.pm.FindControl(L"reg")), nullptr);
    EXPECT_EQ(factory.seen,
              (std::vector<std::wstring>{L"keypanel", L"DeviceOptionUI", L"registeredthing", L"Nothing"}));
}

// A factory that builds "LoopPanel" from a layout holding a "LoopPanel".
class CLoopFactory : public IDialogBuilderCallback {
public:
    CControlUI* CreateControl(const std::wstring& tag) override {
        return EqualsNoCase(tag, L"LoopPanel") ? CDialogBuilder::Create(L"factory_loop.xml", this) : nullptr;
    }
};

TEST(Builder, AControlBuiltFromALayoutHoldingItsOwnTagStopsAtTheNestingLimit) {
    TestApplication();
    CPaintManagerUI::SetResourcePath(TestDataDir());
    CLoopFactory factory;
    CDebugCapture capture;
    std::unique_ptr<CControlUI> root(CDialogBuilder::Create(L"factory_loop.xml", &factory));
    ASSERT_NE(root, nullptr);
    EXPECT_NE(capture.Text().find(L"nested too deeply"), std::wstring::npos);
    int levels = 0;
    for (CControlUI* c = root.get(); c != nullptr; ++levels) {
        auto* box = dynamic_cast<CContainerUI*>(c);
        c = box != nullptr && box->GetCount() > 0 ? box->GetItemAt(0) : nullptr;
    }
    EXPECT_EQ(levels, 9);  // the outermost layout and eight inside it
}

TEST(Builder, TheSameNameBelowTwoContainersIsFoundBelowEach) {
    CLaidOut laid(
        LR"(<VerticalLayout>
                        <HorizontalLayout name="mouse"><Button name="key_1" text="m"/></HorizontalLayout>
                        <HorizontalLayout name="keyboard"><Button name="key_1" text="k"/></HorizontalLayout>
                      </VerticalLayout>)",
        {300, 300});
    EXPECT_EQ(laid.pm.FindControl(L"key_1")->GetText(), L"m");
    EXPECT_EQ(laid.pm.FindControl(L"keyboard")->FindSubControl(L"key_1")->GetText(), L"k");
    // Removing the first leaves the window's lookup with the second.
    auto* mouse = dynamic_cast<CContainerUI*>(laid.pm.FindControl(L"mouse"));
    mouse->RemoveAll();
    EXPECT_EQ(laid.pm.FindControl(L"key_1")->GetText(), L"k");
}
}  // namespace
