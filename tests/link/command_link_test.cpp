#include "link/command_link.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "link/command_packet.h"
#include "platform/debug.h"
#include "platform/tick.h"
#include "tests/link/fake_interface.h"
#include "tests/support/temp_dir.h"

namespace {

struct Sent {
    uint8_t command;
    uint8_t length;
    uint16_t offset;
    bool operator==(const Sent&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Sent& s) {
    return os << "{cmd " << int(s.command) << ", len " << int(s.length) << ", off " << s.offset << "}";
}

// A device that echoes each command with status 0 and, for reads, payload bytes (offset + i) & 0xFF.
// Tests change `status`, `answerAs` or `silent` to shape the replies.
class CommandLinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_fake.reset();
        m_fake = std::make_unique<FakeInterface>(
            m_dir.Str(), "kb-if1", VirtualInterfaceInfo{0x320F, 0x5055, 1, ConsumerAndVendorDescriptor()},
            [this](const Report& r) { return Answer(r); });
    }

    std::vector<Report> Answer(const Report& r) {
        if (silent || r.size() != 64)
            return {};
        if (replyDelayMs > 0)
            SleepMs(replyDelayMs);
        Report reply(64, 0);
        reply[0] = 4;
        reply[3] = answerAs != 0 ? answerAs.load() : r[3];
        reply[7] = status;
        reply[8] = payload8;
        const uint16_t offset = r[5] | (r[6] << 8);
        if (r[3] != CMD_QUERY_RECEIVER_LINK) {
            for (int i = 0; i < r[4]; ++i)
                reply[8 + i] = static_cast<uint8_t>(offset + i);
        }
        std::vector<Report> replies;
        if (staleFirst)
            replies.push_back(Report{4, 0, 0, 18});
        replies.push_back(reply);
        return replies;
    }

    void Open(bool receiver) {
        ASSERT_TRUE(
            m_link.OpenLink(L"virtual:" + m_fake->Node() + L"#vid_320f&pid_5055&mi_01&col02", receiver));
        ASSERT_TRUE(m_fake->WaitForClients(1));
    }

    std::vector<Sent> SentPackets() const {
        std::vector<Sent> sent;
        for (const auto& r : m_fake->Received()) {
            EXPECT_EQ(r.size(), 64u);
            EXPECT_EQ(r[0], 4);
            EXPECT_EQ(PacketChecksum(r.data()), r[1] | (r[2] << 8)) << "checksum of command " << int(r[3]);
            sent.push_back({r[3], r[4], static_cast<uint16_t>(r[5] | (r[6] << 8))});
        }
        return sent;
    }

    std::atomic<uint8_t> status{0};
    std::atomic<uint8_t> answerAs{0};
    std::atomic<uint8_t> payload8{0};
    std::atomic<bool> silent{false};
    std::atomic<bool> staleFirst{false};
    std::atomic<int> replyDelayMs{0};
    TempDir m_dir;
    std::unique_ptr<FakeInterface> m_fake;
    CCommandLink m_link;
};

std::vector<uint8_t> Pattern(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i)
        v[i] = static_cast<uint8_t>(i * 7 + 1);
    return v;
}
}  // namespace

TEST(CommandPacket, LayoutAndChecksum) {
    const CommandPacket begin = BuildCommandPacket(CMD_BEGIN_TRANSFER, 0, 0, nullptr);
    CommandPacket expected{};
    expected[0] = 4;
    expected[1] = 1;
    expected[3] = 1;
    EXPECT_EQ(begin, expected);
    EXPECT_EQ(PacketChecksum(BuildCommandPacket(CMD_QUERY_RECEIVER_LINK, 0, 0, nullptr).data()), 0x00AA);
    const uint8_t ff[56] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    const CommandPacket p = BuildCommandPacket(CMD_WRITE_SETTINGS, 10, 0x1234, ff);
    // 6 + 10 + 0x34 + 0x12 + 10 * 0xFF = 0xA4C
    EXPECT_EQ(p[1], 0x4C);
    EXPECT_EQ(p[2], 0x0A);
    EXPECT_EQ(p[5], 0x34);
    EXPECT_EQ(p[6], 0x12);
    EXPECT_EQ(p[18], 0);  // zero after the payload
}

TEST_F(CommandLinkTest, ChunkLengthsAndOffsetsInBothModes) {
    const auto data = Pattern(510);
    uint8_t buf[512];
    struct Case {
        const char* what;
        bool receiver;
        std::function<int(CCommandLink&)> run;
        std::vector<Sent> expected;
    };
    const Case cases[] = {
        {"info wired", false, [&](CCommandLink& l) { return l.ReadDeviceInfo(buf); }, {{3, 34, 0}}},
        {"info receiver",
         true,
         [&](CCommandLink& l) { return l.ReadDeviceInfo(buf); },
         {{3, 24, 0}, {3, 10, 24}}},
        {"56 bytes wired is one packet",
         false,
         [&](CCommandLink& l) { return l.WriteSettings(data.data(), 56, 0); },
         {{6, 56, 0}}},
        {"settings 66 at 128 wired",
         false,
         [&](CCommandLink& l) { return l.WriteSettings(data.data(), 66, 128); },
         {{6, 56, 128}, {6, 10, 184}}},
        {"settings 66 at 128 receiver",
         true,
         [&](CCommandLink& l) { return l.WriteSettings(data.data(), 66, 128); },
         {{6, 24, 128}, {6, 24, 152}, {6, 18, 176}}},
        {"read settings receiver",
         true,
         [&](CCommandLink& l) { return l.ReadSettings(buf, 30, 256); },
         {{5, 24, 256}, {5, 6, 280}}},
        {"key light mask",
         false,
         [&](CCommandLink& l) { return l.WriteKeyLightMask(data.data(), 9, 5); },
         {{11, 9, 15}}},
        {"shoot keeps 56 through the receiver",
         true,
         [&](CCommandLink& l) { return l.WriteShootData(data.data(), 100); },
         {{23, 56, 0}, {23, 44, 56}}},
        {"macro receiver",
         true,
         [&](CCommandLink& l) { return l.WriteMacroData(data.data(), 50); },
         {{21, 24, 0}, {21, 24, 24}, {21, 2, 48}}},
        {"status", false, [&](CCommandLink& l) { return l.ReadStatus(buf, 8, 2); }, {{26, 8, 2}}},
        {"begin, end, host lighting",
         false,
         [&](CCommandLink& l) { return l.BeginTransfer() + l.EndTransfer() + l.StartHostLighting() - 2; },
         {{1, 0, 0}, {2, 0, 0}, {28, 0, 0}}},
        {"key table of 120 bytes",
         false,
         [&](CCommandLink& l) {
             l.SetKeyTableSize(120);
             return l.WriteKeyTable(data.data(), 0);
         },
         {{9, 56, 0}, {9, 56, 56}, {9, 8, 112}}},
        {"extra table is a third of the key table",
         false,
         [&](CCommandLink& l) {
             l.SetKeyTableSize(510);
             return l.ReadKeyExtraTable(buf);
         },
         {{27, 56, 0}, {27, 56, 56}, {27, 56, 112}, {27, 2, 168}}},
    };
    for (const auto& c : cases) {
        SetUp();  // fresh device and link per case
        m_link.CloseLink();
        Open(c.receiver);
        EXPECT_EQ(c.run(m_link), LINK_OK) << c.what;
        EXPECT_EQ(SentPackets(), c.expected) << c.what;
    }
}

TEST_F(CommandLinkTest, ReadsCopyEachChunkFromByteEight) {
    Open(true);
    std::vector<uint8_t> got(60, 0xEE);
    ASSERT_EQ(m_link.ReadSettings(got.data(), 50, 0x100), LINK_OK);
    for (size_t i = 0; i < 50; ++i)
        EXPECT_EQ(got[i], static_cast<uint8_t>(0x100 + i)) << i;
    EXPECT_EQ(got[50], 0xEE);  // nothing beyond the count
    uint8_t info[34];
    ASSERT_EQ(m_link.ReadDeviceInfo(info), LINK_OK);
    EXPECT_EQ(info[33], 33);
}

TEST_F(CommandLinkTest, StatusBytesMapToResults) {
    Open(false);
    const struct {
        uint8_t status;
        int result;
    } cases[] = {{0x00, LINK_OK}, {0x01, LINK_OK}, {0xFF, LINK_STATUS_FF}, {0xFE, LINK_STATUS_FE}};
    for (const auto& c : cases) {
        status = c.status;
        EXPECT_EQ(m_link.BeginTransfer(), c.result) << int(c.status);
    }
}

TEST_F(CommandLinkTest, FirstFailingChunkEndsTheTransferAndDeviceInfoIsAllOrNothing) {
    Open(true);
    status = 0xFF;
    uint8_t info[34];
    std::fill(std::begin(info), std::end(info), 0x5A);
    EXPECT_EQ(m_link.ReadDeviceInfo(info), LINK_STATUS_FF);
    EXPECT_EQ(SentPackets().size(), 1u);
    EXPECT_EQ(info[0], 0x5A);  // destination untouched
}

TEST_F(CommandLinkTest, BankSizeAndOffsetLimitsAreRefusedBeforeSending) {
    Open(false);
    EXPECT_FALSE(m_link.SetKeyTableSize(513));
    EXPECT_EQ(m_link.KeyTableSize(), 512);
    EXPECT_TRUE(m_link.SetKeyTableSize(512));
    const auto data = Pattern(512);
    EXPECT_EQ(m_link.WriteKeyTable(data.data(), 1), LINK_BAD_BANK);
    EXPECT_EQ(m_link.WriteKeyLightMask(data.data(), 57, 0), LINK_WRITE_FAILED);
    uint8_t buf[64];
    EXPECT_EQ(m_link.ReadStatus(buf, 57, 0), LINK_WRITE_FAILED);
    EXPECT_EQ(m_link.WriteSettings(data.data(), 100, 0xFFC0), LINK_WRITE_FAILED);  // would wrap to 0
    EXPECT_EQ(m_link.ReadSettings(buf, 64, 0xFFC0), LINK_OK);                      // ends at 0x10000
    SleepMs(20);
    EXPECT_EQ(SentPackets().size(), 2u);  // only the read that fits
}

TEST_F(CommandLinkTest, ReceiverAnswerForAnUnreachableDevice) {
    Open(true);
    answerAs = CMD_QUERY_RECEIVER_LINK;
    EXPECT_EQ(m_link.BeginTransfer(), LINK_DEVICE_ABSENT);
    EXPECT_EQ(SentPackets().size(), 1u);  // no second read after 0xAA

    payload8 = 0x00;
    EXPECT_FALSE(m_link.QueryReceiverLink());
    payload8 = 0xFF;
    EXPECT_TRUE(m_link.QueryReceiverLink());  // the query's own reply carries 0xAA
    status = 0xFE;
    EXPECT_FALSE(m_link.QueryReceiverLink());
}

TEST_F(CommandLinkTest, WiredQueryAndClosedLinkSendNothing) {
    EXPECT_FALSE(m_link.IsOpen());
    uint8_t buf[512];
    EXPECT_EQ(m_link.BeginTransfer(), LINK_NOT_READY);
    EXPECT_EQ(m_link.ReadDeviceInfo(buf), LINK_NOT_READY);
    EXPECT_EQ(m_link.SendLightFrame(buf, 30), LINK_NOT_READY);
    EXPECT_EQ(m_link.WriteKeyTable(buf, 0), LINK_NOT_READY);
    EXPECT_TRUE(m_link.QueryReceiverLink());  // wired mode after construction
    Open(false);
    m_link.CloseLink();
    EXPECT_EQ(m_link.EndTransfer(), LINK_NOT_READY);
    SleepMs(20);
    EXPECT_TRUE(m_fake->Received().empty());
}

TEST_F(CommandLinkTest, SecondReadTakesTheEchoAfterAStaleReply) {
    Open(false);
    staleFirst = true;
    EXPECT_EQ(m_link.BeginTransfer(), LINK_OK);
    // Two stale replies in a row: the second read's result stands even though its id differs.
    staleFirst = false;
    answerAs = 18;
    m_fake->Send(Report{4, 0, 0, 18});
    EXPECT_EQ(m_link.BeginTransfer(), LINK_OK);
}

TEST_F(CommandLinkTest, NoReplyIsNotReadyAndAGoneDeviceIsAWriteFailure) {
    Open(false);
    silent = true;
    EXPECT_EQ(m_link.BeginTransfer(), LINK_NOT_READY);  // two reads of 1000 ms each
    m_fake.reset();
    EXPECT_EQ(m_link.BeginTransfer(), LINK_WRITE_FAILED);
}

TEST_F(CommandLinkTest, LoggedExchangeWritesTheHexDump) {
    CDebugCapture capture;
    Open(false);
    ASSERT_EQ(m_link.BeginTransfer(), LINK_OK);
    const std::wstring text = capture.Text();
    const std::wstring request =
        L"命令\n04 01 00 01   00 00 00 00   00 00 00 00   00 00 00 00  00 00 00 00  00 00 00 00  "
        L"00 00 00 00  00 00 00 00\n";
    EXPECT_EQ(text.find(request), 0u) << std::string(text.begin(), text.end());
    EXPECT_EQ(capture.Count(L"返回"), 1u);
    EXPECT_EQ(capture.Count(L"04 00 00 01   00 00 00 00"), 1u);  // the echo
}

TEST_F(CommandLinkTest, LightFrameChunksWiredNothingThroughTheReceiver) {
    Open(false);
    const auto frame = Pattern(510);
    ASSERT_EQ(m_link.SendLightFrame(frame.data(), 510), LINK_OK);
    const auto sent = SentPackets();
    ASSERT_EQ(sent.size(), 10u);
    EXPECT_EQ(sent[9], (Sent{18, 6, 504}));
    EXPECT_EQ(m_fake->Received()[1][8], frame[56]);

    status = 0xFF;
    EXPECT_EQ(m_link.SendLightFrame(frame.data(), 510), LINK_STATUS_FF);
    EXPECT_EQ(SentPackets().size(), 11u);  // stopped at the failing packet

    m_link.CloseLink();
    Open(true);
    status = 0;
    EXPECT_EQ(m_link.SendLightFrame(frame.data(), 510), LINK_OK);
    SleepMs(20);
    EXPECT_EQ(SentPackets().size(), 11u);
}

TEST_F(CommandLinkTest, LightFrameIsDroppedWhileALoggedExchangeRuns) {
    CDebugCapture capture;
    Open(false);
    replyDelayMs = 200;
    std::thread transfer([&] { EXPECT_EQ(m_link.BeginTransfer(), LINK_OK); });
    while (!m_link.IsBusy())
        std::this_thread::yield();
    const auto frame = Pattern(100);
    EXPECT_EQ(m_link.SendLightFrame(frame.data(), 100), LINK_OK);
    transfer.join();
    EXPECT_EQ(capture.Count(L"放弃灯光数据"), 2u);
    EXPECT_EQ(SentPackets(), (std::vector<Sent>{{1, 0, 0}}));
}
