// Messages between processes: the frame format, the per-user endpoint, the single-instance check
// and the bridge that hands frames to a window on the UI thread.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTest>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/app_identity.h"
#include "platform/debug.h"
#include "platform/local_endpoint.h"
#include "platform/single_instance.h"
#include "platform/tick.h"
#include "test_window.h"
#include "ui/local_bridge.h"
#include "ui/messages.h"

namespace {
class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/px300-ipc-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempFolder() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string path;
};

// Collects the frames an endpoint hands over (on its own thread).
struct FrameLog {
    std::mutex mutex;
    std::vector<LocalFrame> frames;
    CEvent arrived{false, false};

    CLocalEndpoint::Handler Handler() {
        return [this](const LocalFrame& f) {
            {
                std::lock_guard lock(mutex);
                frames.push_back(f);
            }
            arrived.Set();
        };
    }
};

// Sends raw bytes as one packet to the endpoint at path.
bool SendRaw(const std::string& path, const std::vector<uint8_t>& bytes) {
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, path.c_str(), sizeof(addr.sun_path) - 1);
    const int fd = socket(AF_UNIX, SOCK_SEQPACKET, 0);
    const bool ok = connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) == 0 &&
                    send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == static_cast<ssize_t>(bytes.size());
    close(fd);
    return ok;
}

TEST(LocalFrames, MalformedFramesAreRefused) {
    LocalFrame frame;
    frame.name = L"Game_Start";
    frame.wParam = 1;
    frame.lParam = -2;
    frame.payload = {1, 2, 3};
    const std::vector<uint8_t> good = EncodeLocalFrame(frame);

    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<Case> cases = {
        {"empty", {}},
        {"cut in the header", {good.begin(), good.begin() + 20}},
        {"cut in the payload", {good.begin(), good.end() - 1}},
        {"a byte too many", good},
        {"wrong magic", good},
        {"reserved bits set", good},
    };
    cases[3].bytes.push_back(0);
    cases[4].bytes[0] = 'Q';
    cases[5].bytes[26] = 1;
    for (const auto& c : cases) {
        LocalFrame out;
        EXPECT_FALSE(DecodeLocalFrame(c.bytes.data(), c.bytes.size(), out)) << c.what;
    }
    LocalFrame nothing;  // neither a name nor a number
    const auto empty = EncodeLocalFrame(nothing);
    LocalFrame out;
    EXPECT_FALSE(DecodeLocalFrame(empty.data(), empty.size(), out));

    LocalFrame big;
    big.number = 74;
    big.payload.resize(kMaxLocalPayload + 1);
    EXPECT_TRUE(EncodeLocalFrame(big).empty());
    big.payload.resize(kMaxLocalPayload);
    EXPECT_FALSE(EncodeLocalFrame(big).empty());

    ASSERT_TRUE(DecodeLocalFrame(good.data(), good.size(), out));
    EXPECT_EQ(out.name, L"Game_Start");
    EXPECT_EQ(out.wParam, 1u);
    EXPECT_EQ(out.lParam, -2);
    EXPECT_EQ(out.payload, (std::vector<uint8_t>{1, 2, 3}));
}

TEST(LocalEndpoint, DeliversFramesAndSurvivesBadOnes) {
    TempFolder folder;
    const std::string path = folder.path + "/ep.socket";
    FrameLog log;
    CLocalEndpoint endpoint;
    ASSERT_TRUE(endpoint.Start(path, log.Handler()));

    CDebugCapture capture;
    EXPECT_TRUE(SendRaw(path, {'n', 'o', 'p', 'e'}));
    std::vector<uint8_t> huge(kMaxLocalPayload + 1024, 0);
    EXPECT_TRUE(SendRaw(path, huge));
    LocalFrame frame;
    frame.number = 3090;
    frame.wParam = 4;
    ASSERT_TRUE(SendLocalFrame(path, frame));
    ASSERT_TRUE(log.arrived.Wait(2000));
    std::lock_guard lock(log.mutex);
    ASSERT_EQ(log.frames.size(), 1u);
    EXPECT_EQ(log.frames[0].number, 3090u);
    EXPECT_EQ(log.frames[0].wParam, 4u);
    EXPECT_EQ(capture.Count(L"dropped a malformed frame"), 2u);
}

TEST(LocalEndpoint, OnePathOneListenerAndAStaleSocketFileIsReplaced) {
    TempFolder folder;
    const std::string path = folder.path + "/ep.socket";
    FrameLog log;
    {
        // A socket file whose process is gone.
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, path.c_str(), sizeof(addr.sun_path) - 1);
        const int fd = socket(AF_UNIX, SOCK_SEQPACKET, 0);
        ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)), 0);
        close(fd);
    }
    CLocalEndpoint first;
    ASSERT_TRUE(first.Start(path, log.Handler()));
    CLocalEndpoint second;
    EXPECT_FALSE(second.Start(path, log.Handler()));
    EXPECT_FALSE(second.Start(folder.path + "/" + std::string(120, 'x'), log.Handler()));  // too long
    const uint64_t start = GetTickCount64();
    first.Stop();
    EXPECT_LT(GetTickCount64() - start, 500u);
    EXPECT_FALSE(SendLocalFrame(path, LocalFrame{L"x", 0, 0, 0, {}}, 100));
    EXPECT_NE(access(path.c_str(), F_OK), 0);  // the socket file is gone
}

class CBridgeTest : public ::testing::Test {
protected:
    void SetUp() override {
        OpenTestWindow(window);
        window.onMessage = [this](uint32_t msg, WPARAM wParam, LPARAM lParam, bool& handled) -> LRESULT {
            if (msg == kWmCopyData) {
                const auto* data = reinterpret_cast<const CopyDataUI*>(lParam);
                received.push_back(L"copy " + std::to_wstring(data->dwData) + L" " +
                                   std::to_wstring(data->data.size()));
            } else if (msg >= kWmUser) {
                received.push_back(std::to_wstring(msg) + L" " + std::to_wstring(wParam) + L" " +
                                   std::to_wstring(lParam));
            }
            handled = msg >= kWmUser || msg == kWmCopyData;
            return 0;
        };
    }

    TempFolder folder;
    CTestWindow window{L"person.xml"};
    std::vector<std::wstring> received;
};

TEST_F(CBridgeTest, ASecondInstanceTellsTheFirstAndStops) {
    CSingleInstance first(kAppIdentity, folder.path);
    ASSERT_TRUE(first.Acquire());
    CLocalMessageBridge bridge(window);
    ASSERT_TRUE(bridge.Start(first.EndpointPath()));

    CSingleInstance second(kAppIdentity, folder.path);
    EXPECT_FALSE(second.Acquire());
    EXPECT_TRUE(second.NotifyRunning());
    const uint32_t identity = RegisterWindowMessage(kAppIdentity);
    const std::wstring expected = std::to_wstring(identity) + L" 0 1";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !received.empty(); }, 2000));
    EXPECT_EQ(received, std::vector<std::wstring>{expected});
}

TEST_F(CBridgeTest, TheFirstInstanceEndingFreesTheLock) {
    auto first = std::make_unique<CSingleInstance>(kAppIdentity, folder.path);
    ASSERT_TRUE(first->Acquire());
    CSingleInstance second(kAppIdentity, folder.path);
    EXPECT_FALSE(second.Acquire());
    EXPECT_FALSE(second.NotifyRunning(100));  // nobody listens yet
    first.reset();
    EXPECT_TRUE(second.Acquire());
    CSingleInstance nowhere(kAppIdentity, "");
    EXPECT_TRUE(nowhere.Acquire());  // cannot check: runs
}

TEST_F(CBridgeTest, PlainNumbersPassOnlyThroughTheFilterAndCopyDataKeepsItsBytes) {
    const std::string path = folder.path + "/bridge.socket";
    CLocalMessageBridge bridge(window);
    ASSERT_TRUE(bridge.Start(path));
    window.ChangeWindowMessageFilter(3093, true);
    LocalFrame blocked{L"", 3090, 1, 0, {}};
    LocalFrame allowed{L"", 3093, 2, 3, {}};
    LocalFrame copy{L"", kWmCopyData, 0, 2, std::vector<uint8_t>(1024, 7)};
    for (const LocalFrame* f : {&blocked, &allowed, &copy}) {
        ASSERT_TRUE(SendLocalFrame(path, *f));
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() >= 2; }, 2000));
    QTest::qWait(20);
    EXPECT_EQ(received, (std::vector<std::wstring>{L"3093 2 3", L"copy 2 1024"}));
}
}  // namespace
