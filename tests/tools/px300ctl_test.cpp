// px300ctl as a script sees it: output lines and exit status, against px300-virtual in-process.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>

#include "platform/tick.h"
#include "tests/support/temp_dir.h"
#include "tools/virtual/virtual_server.h"

namespace {
struct CtlRun {
    std::string out;
    int status;
};

class Px300ctl : public ::testing::Test {
protected:
    void SetUp() override {
        m_server = std::make_unique<CVirtualServer>(CVirtualServer::Options{m_dir.Str(), "", 0});
        ASSERT_TRUE(m_server->Add("keyboard"));
        ASSERT_TRUE(m_server->Add("keyboard-receiver"));
        ASSERT_TRUE(m_server->Start());
    }

    CtlRun Ctl(const std::string& args) {
        const std::string command = "PX300_VIRTUAL_DIR=" + m_dir.Str() +
                                    " " PX300_BINARY_DIR "/tools/px300ctl/px300ctl " + args + " 2>/dev/null";
        CtlRun run{{}, -1};
        FILE* pipe = popen(command.c_str(), "r");
        std::array<char, 4096> buf{};
        while (size_t n = fread(buf.data(), 1, buf.size(), pipe))
            run.out.append(buf.data(), n);
        const int status = pclose(pipe);
        run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return run;
    }

    std::string Path(const char* word, const char* ids) const {
        return "'virtual:" + m_dir.Str() + "/" + word + "-if1.sock#" + ids + "&mi_01&col04'";
    }

    TempDir m_dir;
    std::unique_ptr<CVirtualServer> m_server;
};
}  // namespace

TEST_F(Px300ctl, ListsEveryCollectionWithItsIdentity) {
    const CtlRun run = Ctl("list");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(
        run.out.find("keyboard-if1.sock#vid_320f&pid_5055&mi_01&col04 0x320f 0x5055 1 4 0xff1c 0x0092\n"),
        std::string::npos)
        << run.out;
    EXPECT_NE(run.out.find("#vid_0000&pid_0000&mi_01&col03 0x0000 0x0000 1 3 0x000c 0x0001\n"),
              std::string::npos);
}

TEST_F(Px300ctl, ProtoPrintsTheResultThenTheData) {
    const std::string kb = Path("keyboard", "vid_320f&pid_5055");
    CtlRun run = Ctl("proto " + kb + " write-settings 0x20 a1b2c3");
    EXPECT_EQ(run.out, "LINK_OK\n");
    EXPECT_EQ(run.status, 0);
    run = Ctl("proto " + kb + " read-settings 3 32");
    EXPECT_EQ(run.out, "LINK_OK\na1b2c3\n");
    run = Ctl("proto " + Path("keyboard-receiver", "vid_0000&pid_0000") + " --receiver query-receiver");
    EXPECT_EQ(run.out, "true\n");
    m_server->Control("reachable keyboard-receiver no");
    run = Ctl("proto " + Path("keyboard-receiver", "vid_0000&pid_0000") + " --receiver info");
    EXPECT_EQ(run.out, "LINK_DEVICE_ABSENT\n");
    EXPECT_EQ(run.status, 1);
    run = Ctl("proto " + kb + " write-keytable 1 00");
    EXPECT_EQ(run.out, "LINK_BAD_BANK\n");
    EXPECT_EQ(run.status, 1);
}

TEST_F(Px300ctl, BadArgumentsGiveUsageAndStatusTwo) {
    const std::string kb = Path("keyboard", "vid_320f&pid_5055");
    const std::string cases[] = {
        "",
        "frobnicate",
        "list extra",
        "proto",
        "proto " + kb,
        "proto " + kb + " fly",
        "proto " + kb + " read-settings 3",
        "proto " + kb + " read-settings x 0",
        "proto " + kb + " read-settings 70000 0",
        "proto " + kb + " read-settings -1 0",
        "proto " + kb + " write-settings 0 abc",
        "proto " + kb + " write-settings 0 zz",
        "proto " + kb + " read-keytable 513",
        "devices now",
    };
    for (const auto& c : cases) {
        const CtlRun run = Ctl(c);
        EXPECT_EQ(run.status, 2) << c;
        EXPECT_EQ(run.out, "") << c;
    }
    EXPECT_EQ(Ctl("proto 'virtual:/nowhere.sock#vid_1' info").status, 1);
}

TEST_F(Px300ctl, DevicesPrintsTheFilledSlots) {
    const CtlRun run = Ctl("devices");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("0 1 0 virtual:"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("1 1 255 virtual:"), std::string::npos);
    EXPECT_NE(run.out.find("2 9 0 virtual:"), std::string::npos);
    EXPECT_NE(run.out.find("3 9 255 virtual:"), std::string::npos);
}

TEST_F(Px300ctl, WatchReportsArrivalsAndRemovalsUntilInterrupted) {
    const std::string out = m_dir.Str() + "/watch.txt";
    const pid_t watch = fork();
    if (watch == 0) {
        setenv("PX300_VIRTUAL_DIR", m_dir.Str().c_str(), 1);
        if (freopen(out.c_str(), "w", stdout) == nullptr)
            _exit(127);
        execl(PX300_BINARY_DIR "/tools/px300ctl/px300ctl", "px300ctl", "watch", nullptr);
        _exit(127);
    }
    auto text = [&] {
        std::string s;
        if (FILE* f = fopen(out.c_str(), "r")) {
            char buf[4096];
            while (size_t n = fread(buf, 1, sizeof buf, f))
                s.append(buf, n);
            fclose(f);
        }
        return s;
    };
    auto waitFor = [&](const std::string& needle) {
        for (int i = 0; i < 1000 && text().find(needle) == std::string::npos; ++i)
            SleepMs(10);
        return text().find(needle) != std::string::npos;
    };
    EXPECT_TRUE(waitFor("arrived 0 1 0 virtual:")) << text();
    EXPECT_TRUE(waitFor("arrived 3 9 255 virtual:")) << text();
    m_server->Control("unplug keyboard");
    EXPECT_TRUE(waitFor("removed 1 1 255 virtual:")) << text();
    EXPECT_TRUE(waitFor("removed 0 1 0 virtual:")) << text();
    kill(watch, SIGINT);
    int status = 0;
    waitpid(watch, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
