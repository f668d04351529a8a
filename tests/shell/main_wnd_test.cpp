// The main window shell: its layout carries every control the code looks up, the no-device hint after
// the first scan, hiding to the tray and back, the host-lighting switch, and "exit".
#include "shell/main_wnd.h"

#include <gtest/gtest.h>

#include "link/hid_nodes.h"
#include "platform/app_identity.h"
#include "platform/debug.h"
#include "platform/text.h"
#include "platform/tick.h"
#include "shell/startup.h"
#include "tests/support/temp_dir.h"
#include "ui/application.h"
#include "ui/control.h"
#include "ui/messages.h"
#include "ui_person.h"

namespace {
class MainWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        setenv("PX300_PROGRAM_DIR", PX300_SOURCE_DIR, 1);
        setenv("PX300_VIRTUAL_DIR", m_virtual.Str().c_str(), 1);
        SetHidSysfsRoot(m_sysfs.Str());
        ASSERT_TRUE(SetupResources());
        m_store.CreateKey(AppRegistryKey());
        ASSERT_TRUE(m_window.Create(nullptr, kAppIdentity, UiSize{800, 572}));
        m_window.ShowWindow(true);
        // windowinit hides the window; the first scan's identity message brings it back.
        ASSERT_TRUE(WaitFor([&] { return m_window.Initialised() && m_window.IsVisible(); }));
    }
    void TearDown() override {
        if (m_window.IsWindow()) {
            m_window.Close(0);
            WaitFor([&] { return !m_window.IsWindow(); });
        }
        SetHidSysfsRoot("");
    }

    template <class Condition>
    static bool WaitFor(Condition done) {
        for (int i = 0; i < 1500 && !done(); ++i) {
            CUiApplication::DoEvents(10);
            SleepMs(10);
        }
        return done();
    }

    TempDir m_virtual, m_sysfs, m_config;
    CRegistryStore m_store{(m_config.Path() / "registry.json").wstring()};
    CLanguageSettings m_language{m_store, Utf8ToWide(PX300_SOURCE_DIR) + L"/DefaultData/Language.config"};
    CMainWnd m_window{m_language, RegisterAppMessages()};
};
}  // namespace

TEST_F(MainWndTest, LayoutHasEveryControlTheCodeUses) {
    for (const wchar_t* name :
         {L"root", L"closebtn", L"maxbtn", L"restorebtn", L"minbtn", L"skinbtn", L"gamemodebtn", L"cloudbtn",
          L"smarteyesbtn", L"setbtn", L"control_light_status", L"device_select_layout", L"No_device_Link",
          L"nodevice_ok_btn", L"device_switch", L"device_power_switch", L"device_select_prev",
          L"device_select_next"}) {
        EXPECT_NE(m_window.FindControl(name), nullptr) << WideToUtf8(name);
    }
    EXPECT_EQ(m_window.FindControl(L"device_switch")->GetClass(), L"TabLayout");
}

TEST_F(MainWndTest, NoDeviceHintAndTheEnglishTextsAfterTheFirstScan) {
    EXPECT_TRUE(m_window.FindControl(L"No_device_Link")->IsVisible());
    EXPECT_EQ(m_window.FindControl(L"title_label")->GetText(), L"PX-300 Device Center");  // id 520
    EXPECT_EQ(m_language.CurrentIndex(), 1u);
}

TEST_F(MainWndTest, LanguageChangedAppliesTheChosenLanguage) {
    ASSERT_EQ(m_language.CurrentIndex(), 1u);
    m_window.SendMessage(kWmLanguageChanged, 0, 0);
    EXPECT_EQ(m_language.CurrentIndex(), 0u);
    EXPECT_EQ(m_store.ReadDword(AppRegistryKey(), L"LANGUAGE"), 2052u);
    EXPECT_EQ(m_window.FindControl(L"title_label")->GetText(), L"PX-300 设备中心");
}

TEST_F(MainWndTest, CloseButtonHidesAndTheTrayIconToggles) {
    CUiPerson person(m_window);
    ASSERT_TRUE(person.Click(L"closebtn"));
    EXPECT_FALSE(m_window.IsVisible());
    m_window.SendMessage(kWmTrayIcon, 0, kWmLButtonUp);
    EXPECT_TRUE(m_window.IsVisible());
    m_window.SendMessage(kWmTrayIcon, 0, kWmLButtonUp);
    EXPECT_FALSE(m_window.IsVisible());
}

TEST_F(MainWndTest, HostLightingSwitchShowsItsState) {
    CUiPerson person(m_window);
    EXPECT_TRUE(m_window.HostLighting());
    ASSERT_TRUE(person.Click(L"control_light_status"));
    EXPECT_FALSE(m_window.HostLighting());
    EXPECT_EQ(m_window.FindControl(L"control_light_status")->GetText(), L"不控制灯光");
    ASSERT_TRUE(person.Click(L"control_light_status"));
    EXPECT_EQ(m_window.FindControl(L"control_light_status")->GetText(), L"控制灯光");
}

TEST_F(MainWndTest, ExitClosesTheWindowAndStopsDiscovery) {
    CDebugCapture capture;
    MenuCmdUI exit;
    exit.name = L"exit";
    m_window.SendMessage(kWmMenuClick, 0, reinterpret_cast<LPARAM>(&exit));
    ASSERT_TRUE(WaitFor([&] { return !m_window.IsWindow(); }));
    EXPECT_EQ(capture.Count(L"抓取设备线程设定退出"), 1u);
    EXPECT_EQ(capture.Count(L"所有对象处于激发状态"), 1u);
}
