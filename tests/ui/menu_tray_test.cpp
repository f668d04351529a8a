// Menus report the picked item to their owner; the tray icon reports clicks as message 1025.
#include <gtest/gtest.h>

#include <QMenu>
#include <QSystemTrayIcon>

#include "test_window.h"
#include "ui/menu.h"
#include "ui/messages.h"
#include "ui/resource_manager.h"
#include "ui/tray_icon.h"

namespace {
class MenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenTestWindow(window);
        window.onMessage = [this](uint32_t msg, WPARAM, LPARAM lParam, bool& handled) -> LRESULT {
            if (msg == kWmMenuClick) {
                const auto* cmd = reinterpret_cast<const MenuCmdUI*>(lParam);
                picks.push_back(cmd->name + L"|" + cmd->text + L"|" + cmd->userData);
                handled = true;
            } else if (msg == kWmTrayIcon) {
                trayClicks.push_back(static_cast<uint32_t>(lParam));
                handled = true;
            }
            return 0;
        };
    }

    CTestWindow window{L"person.xml"};
    std::vector<std::wstring> picks;
    std::vector<uint32_t> trayClicks;
};

TEST_F(MenuTest, OpeningAMenuItemReportsItsNameToTheOwner) {
    ASSERT_TRUE(CResourceManager::Instance().LoadLanguage(L"lang_en.xml"));
    CMenuWnd menu;
    ASSERT_TRUE(menu.Open(&window, L"menu.xml", {100, 100}, kMenuAlignLeft | kMenuAlignTop));
    EXPECT_TRUE(menu.IsOpen());
    EXPECT_TRUE(CUiPerson::PickMenuItem(menu, L"exit"));
    ASSERT_TRUE(menu.Open(&window, L"menu.xml", {100, 100}, kMenuAlignRight | kMenuAlignBottom));
    EXPECT_TRUE(CUiPerson::PickMenuItem(menu, L"setwnd_menu"));  // inside the "more" sub-menu
    EXPECT_EQ(picks, (std::vector<std::wstring>{L"exit|Exit|", L"setwnd_menu|Settings|7"}));
    // A hidden item cannot be picked.
    ASSERT_TRUE(menu.Open(&window, L"menu.xml", {100, 100}, kMenuAlignLeft | kMenuAlignTop));
    EXPECT_FALSE(menu.GetNativeMenu()->findChild<QAction*>(QStringLiteral("hidden_menu"))->isVisible());
    menu.Close();
    EXPECT_FALSE(menu.IsOpen());
}

TEST_F(MenuTest, AMenuThatCannotBeReadDoesNotOpen) {
    CMenuWnd menu;
    EXPECT_FALSE(menu.Open(&window, L"missing_menu.xml", {0, 0}, 0));
    EXPECT_FALSE(menu.Open(&window, L"lang_en.xml", {0, 0}, 0));  // XML, but no menu items
    EXPECT_FALSE(menu.IsOpen());
}

TEST(MenuAlignment, TheBitsPlaceTheMenuAgainstItsPoint) {
    struct Case {
        uint32_t alignment;
        UiPoint expected;
    };
    const Case cases[] = {
        {kMenuAlignLeft | kMenuAlignTop, {100, 200}},     // 6: below and to the right
        {kMenuAlignTop | kMenuAlignRight, {60, 200}},     // 12: below, to the left
        {kMenuAlignLeft | kMenuAlignBottom, {100, 150}},  // 18: above, to the right
        {kMenuAlignRight | kMenuAlignBottom, {60, 150}},  // 24: above and to the left
        {0, {100, 200}},
    };
    for (const auto& c : cases) {
        const UiPoint p = MenuTopLeft({100, 200}, {40, 50}, c.alignment);
        EXPECT_EQ(p.x, c.expected.x) << c.alignment;
        EXPECT_EQ(p.y, c.expected.y) << c.alignment;
    }
}

TEST_F(MenuTest, TrayClicksReachTheOwnerAsMessage1025) {
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(&window, L"images/key.svg", L"Plemix PX-300 Device"));
    EXPECT_FALSE(tray.Create(&window, L"images/key.svg", L"again"));
    EXPECT_EQ(tray.GetTooltip(), L"Plemix PX-300 Device");
    QSystemTrayIcon* icon = tray.GetNativeIcon();
    for (auto reason : {QSystemTrayIcon::Trigger, QSystemTrayIcon::Context, QSystemTrayIcon::DoubleClick}) {
        emit icon->activated(reason);
    }
    EXPECT_EQ(trayClicks, (std::vector<uint32_t>{kWmLButtonUp, kWmRButtonUp, kWmLButtonDblClk}));
    tray.Delete();
    EXPECT_FALSE(tray.IsCreated());
    CTrayIcon orphan;
    EXPECT_FALSE(orphan.Create(nullptr, L"", L""));
}
}  // namespace
