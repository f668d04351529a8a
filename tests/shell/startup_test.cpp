// Start-up: the language chosen from the settings store and the language list, the faces it brings,
// the window scale, the tray menu's place, and a second start of the program.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

#include "platform/debug.h"
#include "platform/tick.h"
#include "shell/language.h"
#include "shell/tray_menu_anchor.h"
#include "shell/window_scale.h"
#include "tests/support/temp_dir.h"
#include "ui/menu.h"
#include "ui/paint_manager.h"
#include "ui/resource_manager.h"
#include "ui_person.h"

namespace {
// A language list of 16 entries with ids 100 + index (entry 3 has id 520), each with a text file.
class LanguageTest : public ::testing::Test {
protected:
    void SetUp() override {
        TestApplication();
        std::ofstream list(m_dir.Path() / "Language.config");
        list << "{\"Language\": [";
        for (int i = 0; i < 16; ++i) {
            const int id = i == 3 ? 520 : 100 + i;
            list << (i ? "," : "") << "{\"Language_ID\": " << id << ", \"Language_name\": \"L" << i
                 << "\", \"Language_file\": \"lang" << i << ".xml\"}";
            std::ofstream(m_dir.Path() / ("lang" + std::to_string(i) + ".xml"))
                << "<Language name=\"L" << i << "\"><Text key=\"k\">text " << i << "</Text></Language>";
        }
        list << "]}";
        list.close();
        CPaintManagerUI::SetResourcePath(m_dir.Path().wstring());
    }

    TempDir m_dir;
    CRegistryStore m_store{(m_dir.Path() / "registry.json").wstring()};
    CLanguageSettings m_language{m_store, (m_dir.Path() / "Language.config").wstring()};
};
}  // namespace

TEST_F(LanguageTest, IndexFromTheStoredId) {
    EXPECT_EQ(m_language.ReadLanguageIndex(), 0u);  // no key: index 0
    ASSERT_TRUE(m_store.CreateKey(AppRegistryKey()));
    EXPECT_EQ(m_language.ReadLanguageIndex(), 3u);  // key without "LANGUAGE": the entry of id 520
    m_store.WriteDword(AppRegistryKey(), L"LANGUAGE", 107);
    EXPECT_EQ(m_language.ReadLanguageIndex(), 7u);
    m_store.WriteDword(AppRegistryKey(), L"LANGUAGE", 9999);
    EXPECT_EQ(m_language.ReadLanguageIndex(), 0u);  // no entry has it
}

TEST_F(LanguageTest, ApplyingChangesFacesTextsAndTheStoredId) {
    m_store.CreateKey(AppRegistryKey());
    CDebugCapture capture;
    m_language.ApplyLanguage(15);
    EXPECT_EQ(CPaintManagerUI::GetFont(50).face, L"Noto Sans Thai");
    EXPECT_TRUE(CPaintManagerUI::GetFont(50).bold);
    EXPECT_EQ(CPaintManagerUI::GetFont(1).size, 14);
    EXPECT_EQ(m_store.ReadDword(AppRegistryKey(), L"LANGUAGE"), 115u);
    m_language.ApplyLanguage(5);
    EXPECT_EQ(CPaintManagerUI::GetFont(0).face, L"Verdana Unicode MS");
    EXPECT_EQ(CResourceManager::Instance().GetText(L"k"), L"text 5");
    CPaintManagerUI::AddFont(0, TFontInfoUI{L"marker", 15});
    m_language.ApplyLanguage(7);
    EXPECT_EQ(CPaintManagerUI::GetFont(0).face, L"marker");  // 5 -> 7 keeps the fonts
    EXPECT_EQ(CResourceManager::Instance().GetText(L"k"), L"text 7");
    EXPECT_EQ(capture.Count(L"写成功！"), 3u);

    // The current index again: no text reload, no store write.
    m_store.WriteDword(AppRegistryKey(), L"LANGUAGE", 1);
    CResourceManager::Instance().LoadLanguage(L"lang1.xml");
    m_language.ApplyLanguage(7);
    EXPECT_EQ(CResourceManager::Instance().GetText(L"k"), L"text 1");
    EXPECT_EQ(m_store.ReadDword(AppRegistryKey(), L"LANGUAGE"), 1u);
    EXPECT_EQ(capture.Count(L"写成功！"), 3u);
}

TEST(WindowScale, LargeMonitorsGet144Dpi) {
    const struct {
        UiSize monitor;
        int dpi;
        UiSize window;
    } cases[] = {
        {{1920, 1080}, 144, {1500, 960}},
        {{1366, 768}, 96, {1000, 640}},
        {{1500, 1000}, 96, {1000, 640}},
        {{2560, 961}, 144, {1500, 960}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MainWindowDpi(c.monitor), c.dpi) << c.monitor.cx;
        EXPECT_EQ(MainWindowSize(c.dpi).cx, c.window.cx);
        EXPECT_EQ(MainWindowSize(c.dpi).cy, c.window.cy);
    }
}

TEST(TrayMenuAnchor, KeepsTheMenuOffThePanel) {
    const UiRect screen{0, 0, 1920, 1080};
    const UiPoint cursor{1800, 1060};
    const struct {
        const char* panel;
        UiRect available;
        UiPoint point;
        uint32_t alignment;
    } cases[] = {
        {"none", screen, cursor, 6},
        {"top", {0, 32, 1920, 1080}, {1800, 33}, 12},
        {"left", {48, 0, 1920, 1080}, {49, 1060}, 18},
        {"bottom", {0, 0, 1920, 1040}, {1800, 1020}, 24},
        {"right", {0, 0, 1872, 1080}, {1871, 1060}, 24},
    };
    for (const auto& c : cases) {
        const MenuAnchor a = TrayMenuAnchor(cursor, screen, c.available);
        EXPECT_EQ(a.point.x, c.point.x) << c.panel;
        EXPECT_EQ(a.point.y, c.point.y) << c.panel;
        EXPECT_EQ(a.alignment, c.alignment) << c.panel;
    }
}

// The program itself, twice: the second start tells the first and exits with 0.
TEST(SecondInstance, ExitsWithZeroAndTheFirstComesToTheFront) {
    TempDir home;
    const std::string runtime = (home.Path() / "run").string();
    mkdir(runtime.c_str(), 0700);
    const std::string env = "QT_QPA_PLATFORM=offscreen PX300_DEBUG=1 XDG_RUNTIME_DIR=" + runtime +
                            " XDG_CONFIG_HOME=" + home.Str() + "/cfg PX300_VIRTUAL_DIR=" + home.Str() +
                            "/virtual HOME=" + home.Str() + " ";
    const std::string program = PX300_BINARY_DIR "/shell/px300";
    const std::string log = home.Str() + "/first.log";
    const pid_t first = fork();
    if (first == 0) {
        execl("/bin/sh", "sh", "-c", ("exec env " + env + program + " 2>" + log).c_str(), nullptr);
        _exit(127);
    }
    auto logText = [&] {
        std::ifstream in(log);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    };
    for (int i = 0; i < 1500 && logText().find("windowinit") == std::string::npos; ++i)
        SleepMs(20);
    ASSERT_NE(logText().find("windowinit"), std::string::npos) << logText();

    const uint64_t start = GetTickCount64();
    const int second = std::system(("env " + env + program + " 2>/dev/null").c_str());
    EXPECT_TRUE(WIFEXITED(second));
    EXPECT_EQ(WEXITSTATUS(second), 0);
    EXPECT_LT(GetTickCount64() - start, 20000u);
    for (int i = 0; i < 500 && logText().find("，0d1d") == std::string::npos; ++i)
        SleepMs(20);
    EXPECT_NE(logText().find("，0d1d"), std::string::npos) << logText();  // identity message, lParam 1

    kill(first, SIGTERM);  // closes like the tray menu's exit
    int status = 0;
    waitpid(first, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_NE(logText().find("退出测试"), std::string::npos);
}
