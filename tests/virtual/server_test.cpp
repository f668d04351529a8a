#include "tools/virtual/virtual_server.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "link/virtual_wire.h"
#include "tests/virtual/command_request.h"
#include "tests/support/temp_dir.h"
#include "tools/virtual/device_description.h"

namespace fs = std::filesystem;

namespace {

constexpr int kWaitMs = 2000;  // bound for every wait; never reached when the server works

// A client of one virtual interface, as the HID channel's virtual transport is.
class Client {
public:
    explicit Client(const fs::path& socket) {
        m_fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socket.c_str());
        m_connected = ::connect(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~Client() { ::close(m_fd); }
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool Connected() const { return m_connected; }
    bool Send(const std::vector<uint8_t>& report) const {
        return ::send(m_fd, report.data(), report.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(report.size());
    }
    // The next report; empty when none comes within the bound or the server closed the connection.
    std::vector<uint8_t> Receive(int timeoutMs = kWaitMs) const {
        pollfd wait{m_fd, POLLIN, 0};
        if (::poll(&wait, 1, timeoutMs) <= 0) {
            return {};
        }
        std::vector<uint8_t> report(4096);
        const ssize_t n = ::recv(m_fd, report.data(), report.size(), MSG_DONTWAIT);
        report.resize(n > 0 ? n : 0);
        return report;
    }
    // True when the server closed this connection (accepted or still waiting to be).
    bool Closed() const {
        pollfd wait{m_fd, POLLIN, 0};
        char byte = 0;
        return ::poll(&wait, 1, kWaitMs) == 1 && ::recv(m_fd, &byte, 1, MSG_DONTWAIT) <= 0;
    }

private:
    int m_fd = -1;
    bool m_connected = false;
};

class ServerTest : public testing::Test {
protected:
    void StartServer(const std::vector<std::string>& words, int latencyUs = 0) {
        m_server = std::make_unique<CVirtualServer>(
            CVirtualServer::Options{m_dir.Path().string(), LogPath().string(), latencyUs});
        for (const std::string& word : words) {
            ASSERT_TRUE(m_server->Add(word));
        }
        std::string error;
        ASSERT_TRUE(m_server->Start(&error)) << error;
    }
    fs::path LogPath() const { return m_dir.Path() / "reports.log"; }
    fs::path Socket(const std::string& id) const { return m_dir.Path() / (id + ".sock"); }
    fs::path Info(const std::string& id) const { return m_dir.Path() / (id + ".hid"); }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir.Path())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir m_dir;
    std::unique_ptr<CVirtualServer> m_server;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(ServerTest, ServesEachInterfaceWithItsIdentityAndStopRemovesEverything) {
    StartServer({"keyboard", "keyboard-receiver"});
    EXPECT_EQ(Entries(), (std::vector<std::string>{"control.sock", "keyboard-if1.hid", "keyboard-if1.sock",
                                                   "keyboard-receiver-if1.hid", "keyboard-receiver-if1.sock",
                                                   "reports.log"}));
    for (const char* word : {"keyboard", "keyboard-receiver"}) {
        VirtualInterfaceInfo info;
        ASSERT_TRUE(ParseVirtualInfo(ReadFile(Info(std::string(word) + "-if1")), info)) << word;
        const VirtualDeviceDescription& device = *FindVirtualDevice(word);
        EXPECT_EQ(info.vendor, device.vendor);
        EXPECT_EQ(info.product, device.product);
        EXPECT_EQ(info.interfaceNumber, device.interfaceNumber);
        EXPECT_EQ(info.descriptor, device.descriptor);
    }
    Client client(Socket("keyboard-if1"));
    ASSERT_TRUE(client.Connected());
    m_server->Stop();
    EXPECT_TRUE(client.Closed());
    EXPECT_EQ(Entries(), std::vector<std::string>{"reports.log"});
}

TEST_F(ServerTest, UnplugRemovesTheInterfaceAndPlugBringsItBack) {
    StartServer({"keyboard"});
    Client client(Socket("keyboard-if1"));
    ASSERT_TRUE(client.Connected());
    EXPECT_EQ(m_server->Control("unplug keyboard"), "");
    EXPECT_FALSE(fs::exists(Info("keyboard-if1")));
    EXPECT_FALSE(fs::exists(Socket("keyboard-if1")));
    EXPECT_TRUE(client.Closed());
    EXPECT_EQ(m_server->Control("unplug keyboard").rfind("error: ", 0), 0u);
    EXPECT_EQ(m_server->Control("plug keyboard"), "");
    EXPECT_TRUE(fs::exists(Info("keyboard-if1")));
    Client again(Socket("keyboard-if1"));
    ASSERT_TRUE(again.Send(CommandRequest(1)));
    EXPECT_EQ(again.Receive().size(), 64u);
}

TEST_F(ServerTest, RepliesAndEventsReachEveryConnection) {
    StartServer({"keyboard"});
    Client first(Socket("keyboard-if1")), second(Socket("keyboard-if1"));
    ASSERT_TRUE(first.Connected() && second.Connected());
    ASSERT_TRUE(first.Send(CommandRequest(3, 34, 0)));
    const std::vector<uint8_t> reply = first.Receive();
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], 3);
    EXPECT_EQ(reply[8 + kInfoKeyCountByte], 170);
    EXPECT_EQ(second.Receive(), reply);

    EXPECT_EQ(m_server->Control("event keyboard 0x1103"), "");
    EXPECT_EQ(first.Receive(), Bytes({3, 0x03, 0x11})) << "consumer report id 3, usage low byte first";
    EXPECT_EQ(second.Receive(), Bytes({3, 0x03, 0x11}));
    EXPECT_EQ(m_server->Control("event keyboard 1025"), "");
    EXPECT_EQ(first.Receive(), Bytes({3, 0x01, 0x04}));
}

TEST_F(ServerTest, LogsEveryReportReceivedAndSent) {
    StartServer({"keyboard"});
    Client client(Socket("keyboard-if1"));
    const std::vector<uint8_t> request = CommandRequest(1);
    ASSERT_TRUE(client.Send(request));
    const std::vector<uint8_t> reply = client.Receive();
    ASSERT_EQ(reply.size(), 64u);
    ASSERT_TRUE(client.Send(Bytes({2, 0x01})));  // keyboard LED output report: logged, not answered
    const std::vector<uint8_t> end = CommandRequest(2);
    ASSERT_TRUE(client.Send(end));
    const std::vector<uint8_t> endReply = client.Receive();
    ASSERT_EQ(endReply.size(), 64u);
    ASSERT_EQ(m_server->Control("event keyboard 0xe9"), "");
    ASSERT_EQ(client.Receive(), Bytes({3, 0xE9, 0x00}));

    auto line = [](char direction, const std::vector<uint8_t>& bytes) {
        std::string text(1, direction);
        for (uint8_t b : bytes) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02x", b);
            text += hex;
        }
        return text + "\n";
    };
    EXPECT_EQ(ReadFile(LogPath()), line('>', request) + line('<', reply) + line('>', Bytes({2, 1})) +
                                       line('>', end) + line('<', endReply) + line('<', Bytes({3, 0xE9, 0})));
}

TEST_F(ServerTest, SurvivesGarbageAndClientsThatLeaveMidway) {
    StartServer({"keyboard"});
    {
        Client leaver(Socket("keyboard-if1"));
        ASSERT_TRUE(leaver.Send(CommandRequest(5, 56, 0)));
    }  // gone before its reply
    Client client(Socket("keyboard-if1"));
    std::vector<uint8_t> oversized(8000, 0x04);
    for (const auto& garbage : {std::vector<uint8_t>{}, Bytes({4}), Bytes({0xFF, 1, 2}), oversized,
                                std::vector<uint8_t>(65, 4), std::vector<uint8_t>(63, 4)}) {
        ASSERT_TRUE(client.Send(garbage)) << garbage.size();
    }
    ASSERT_TRUE(client.Send(CommandRequest(2)));
    std::vector<uint8_t> reply = client.Receive();
    while (!reply.empty() && reply[3] == 5) {  // the leaver's reply, sent to every connection
        reply = client.Receive();
    }
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], 2);
    EXPECT_EQ(reply[7], 0);
    EXPECT_TRUE(client.Receive(100).empty()) << "garbage is not answered";
}

TEST_F(ServerTest, ReceiverAndCableShareTheDeviceMemory) {
    StartServer({"keyboard-receiver", "keyboard"});
    Client receiver(Socket("keyboard-receiver-if1"));
    ASSERT_TRUE(receiver.Send(CommandRequest(6, 3, 100, Bytes({0xAB, 0xCD, 0xEF}))));
    ASSERT_EQ(receiver.Receive().at(7), 0);
    const std::string dump = m_server->Control("dump keyboard settings");
    EXPECT_NE(dump.find("ab cd ef"), std::string::npos);
    EXPECT_EQ(dump.substr(6 * 16 * 3 + 4 * 3, 8), "ab cd ef") << "line 7 starts at byte 96; byte 100 follows";
}

TEST_F(ServerTest, ControlCommandsReportTheirFailures) {
    StartServer({"keyboard"});
    for (const char* command : {"", "bogus", "unplug", "unplug mouse-nothing", "unplug keyboard-receiver",
                                "reachable keyboard no", "dump keyboard flash", "event keyboard 0x10000",
                                "fault keyboard late 1", "fault keyboard no-reply -1"}) {
        EXPECT_EQ(m_server->Control(command).rfind("error: ", 0), 0u) << command;
    }
}

TEST_F(ServerTest, FaultAndReachabilityAreSeenThroughTheSocket) {
    StartServer({"keyboard-receiver"});
    Client client(Socket("keyboard-receiver-if1"));
    ASSERT_EQ(m_server->Control("fault keyboard-receiver no-reply 1"), "");
    ASSERT_TRUE(client.Send(CommandRequest(1)));
    EXPECT_TRUE(client.Receive(200).empty());
    ASSERT_EQ(m_server->Control("reachable keyboard-receiver no"), "");
    ASSERT_TRUE(client.Send(CommandRequest(5, 8, 0)));
    const std::vector<uint8_t> reply = client.Receive();
    ASSERT_EQ(reply.size(), 64u);
    EXPECT_EQ(reply[3], 0xAA);
    EXPECT_EQ(reply[8], 0x00);
}

TEST_F(ServerTest, ReplacesAStaleSocketButNotALiveServer) {
    {
        int fd = ::socket(AF_UNIX, SOCK_SEQPACKET, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", Socket("keyboard-if1").c_str());
        ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);  // left behind as by a server that crashed
    }
    StartServer({"keyboard"});
    CVirtualServer second(CVirtualServer::Options{m_dir.Path().string(), "", 0});
    ASSERT_TRUE(second.Add("keyboard"));
    std::string error;
    EXPECT_FALSE(second.Start(&error));
    EXPECT_NE(error.find("in use"), std::string::npos) << error;
    EXPECT_TRUE(fs::exists(Info("keyboard-if1"))) << "the failed start leaves the running server alone";
    Client client(Socket("keyboard-if1"));
    ASSERT_TRUE(client.Send(CommandRequest(1)));
    EXPECT_EQ(client.Receive().size(), 64u);
}

TEST_F(ServerTest, HeadsetTakesItsOutputReportsAndSendsConsumerEvents) {
    StartServer({"headset"});
    Client client(Socket("headset-if3"));
    std::vector<uint8_t> light(17, 0);
    light[0] = 0xFF;
    light[1] = 0x22;
    light[2] = 0xAA;
    light[4] = 0x80;
    ASSERT_TRUE(client.Send(light));
    ASSERT_TRUE(client.Send(CommandRequest(1)));
    EXPECT_TRUE(client.Receive(100).empty()) << "the audio chip speaks no command protocol";
    ASSERT_EQ(m_server->Control("event headset 0xe9"), "");
    EXPECT_EQ(client.Receive(), Bytes({1, 0xE9, 0x00}));
    EXPECT_EQ(ReadFile(LogPath()).rfind("> ff 22 aa 00 80 00", 0), 0u);
    EXPECT_EQ(m_server->Control("dump headset settings").rfind("error: ", 0), 0u);
    EXPECT_EQ(m_server->Control("fault headset no-reply 1").rfind("error: ", 0), 0u);
}

TEST_F(ServerTest, TheLongestLatencyStillDeliversReports) {
    StartServer({"keyboard"}, 1000000);  // one second, the most --latency-us takes
    Client client(Socket("keyboard-if1"));
    ASSERT_TRUE(client.Connected());
    ASSERT_EQ(m_server->Control("event keyboard 0xe9"), "");
    EXPECT_EQ(client.Receive(), Bytes({3, 0xE9, 0x00}));
}

TEST(VirtualServerAdd, RefusesUnknownAndRepeatedWords) {
    CVirtualServer server(CVirtualServer::Options{"/nonexistent", "", 0});
    std::string error;
    EXPECT_FALSE(server.Add("toaster", &error));
    EXPECT_NE(error.find("toaster"), std::string::npos);
    EXPECT_TRUE(server.Add("keyboard"));
    EXPECT_FALSE(server.Add("keyboard", &error));
    const std::vector<std::string> words = CVirtualServer::DeviceWords();
    EXPECT_NE(std::find(words.begin(), words.end(), "keyboard-receiver"), words.end());
}

}  // namespace
