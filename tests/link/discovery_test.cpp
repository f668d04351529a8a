#include "link/discovery.h"

#include <gtest/gtest.h>

#include "link/hid_nodes.h"
#include "platform/app_identity.h"
#include "platform/debug.h"
#include "platform/tick.h"
#include "tests/link/fake_interface.h"
#include "tests/link/recording_target.h"
#include "tests/support/temp_dir.h"
#include "tools/virtual/virtual_server.h"

namespace {
class DiscoveryTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("PX300_VIRTUAL_DIR", m_dir.Str().c_str(), 1);
        SetHidSysfsRoot(m_sysfs.Str());  // no real hidraw nodes in tests
    }
    void TearDown() override { SetHidSysfsRoot(""); }

    void Serve(std::initializer_list<const char*> words) {
        m_server = std::make_unique<CVirtualServer>(CVirtualServer::Options{m_dir.Str(), "", 0});
        for (const char* w : words)
            ASSERT_TRUE(m_server->Add(w)) << w;
        std::string error;
        ASSERT_TRUE(m_server->Start(&error)) << error;
    }

    std::vector<RecordedMessage> Arrivals() const {
        std::vector<RecordedMessage> out;
        for (const auto& m : m_target.Messages()) {
            if (m.msg == WM_DEVICE_ARRIVED || m.msg == WM_DEVICE_REMOVED)
                out.push_back(m);
        }
        return out;
    }

    TempDir m_dir;
    TempDir m_sysfs;
    std::unique_ptr<CVirtualServer> m_server;
    CSlotList m_slots;
    RecordingTarget m_target;
    CDiscovery m_discovery{m_slots, m_target};
    const uint32_t m_identity = RegisterWindowMessage(kAppIdentity);
};

RecordedMessage Arrived(WPARAM slot) {
    return {WM_DEVICE_ARRIVED, slot, 0, true};
}
RecordedMessage Removed(WPARAM slot) {
    return {WM_DEVICE_REMOVED, slot, 0, true};
}
}  // namespace

TEST(DeviceTables, LookupsAndSlotEquality) {
    EXPECT_EQ(FindMatchRow(0x320F, 0x5055, DEVICE_KEYBOARD, ROLE_MAIN), 0);
    EXPECT_EQ(FindMatchRow(0, 0, DEVICE_MOUSE_RECEIVER, ROLE_AUXILIARY), 7);
    EXPECT_EQ(FindMatchRow(0x0C76, 0x1630, DEVICE_HEADSET, ROLE_MAIN), 10);
    EXPECT_EQ(FindMatchRow(0x0C76, 0x1630, DEVICE_HEADSET, ROLE_AUXILIARY), -1);
    EXPECT_EQ(FindOptionRow(0, 0, 2, 0), 0);
    EXPECT_EQ(FindOptionRow(0x320F, 0x5055, 1, 0), 1);
    EXPECT_EQ(FindOptionRow(0, 0, 9, 0), -1);  // a keyboard seen through the receiver has no row
    ConnectionSlot a = kMatchTable[2], b = kMatchTable[2];
    b.connected = 1;
    b.partner = 7;
    EXPECT_EQ(a, b);
    EXPECT_FALSE(kMatchTable[2] == kMatchTable[4]);  // same interface, other type
    EXPECT_TRUE(kMatchTable[2].SameInterface(kMatchTable[4]));
}

TEST_F(DiscoveryTest, KeyboardCollectionsFillSlotsZeroAndOneAndIdentityIsPostedOnce) {
    ASSERT_NO_FATAL_FAILURE(Serve({"keyboard"}));
    ASSERT_TRUE(m_discovery.ScanOnce());
    EXPECT_EQ(Arrivals(), (std::vector<RecordedMessage>{Arrived(1), Arrived(0)}));  // col03 is listed first
    EXPECT_EQ(m_slots.Get(0).connected, 1);
    EXPECT_NE(m_slots.Get(0).path.find(L"&mi_01&col04"), std::wstring::npos);
    EXPECT_NE(m_slots.Get(1).path.find(L"&col03"), std::wstring::npos);
    ASSERT_TRUE(m_discovery.ScanOnce());
    EXPECT_EQ(Arrivals().size(), 2u);  // nothing new
    EXPECT_EQ(m_target.Count(m_identity), 1u);
    EXPECT_FALSE(m_target.Messages().back().sent);
}

TEST_F(DiscoveryTest, ReceiverAndCableConnectionsFillTheirOwnSlots) {
    ASSERT_NO_FATAL_FAILURE(Serve({"keyboard-receiver", "keyboard"}));
    ASSERT_TRUE(m_discovery.ScanOnce());
    const auto slots = m_slots.Snapshot();
    for (size_t i : {0, 1, 2, 3})
        EXPECT_EQ(slots[i].connected, 1) << i;
    for (size_t i = 4; i < slots.size(); ++i)
        EXPECT_TRUE(slots[i].IsFree()) << i;
    EXPECT_NE(slots[0].path, slots[2].path);
    EXPECT_NE(slots[2].path.find(L"vid_0000&pid_0000"), std::wstring::npos);
}

TEST_F(DiscoveryTest, UnpluggingRemovesEachOccupiedSlotOnce) {
    ASSERT_NO_FATAL_FAILURE(Serve({"keyboard"}));
    m_discovery.ScanOnce();
    m_target.Clear();
    EXPECT_EQ(m_server->Control("unplug keyboard").rfind("error", 0), std::string::npos);
    m_discovery.ScanOnce();
    m_discovery.ScanOnce();
    EXPECT_EQ(Arrivals(), (std::vector<RecordedMessage>{Removed(0), Removed(1)}));
    EXPECT_TRUE(m_slots.Get(0).IsFree());
    EXPECT_TRUE(m_slots.Get(1).IsFree());
    m_server->Control("plug keyboard");
    m_discovery.ScanOnce();
    EXPECT_EQ(Arrivals().size(), 4u);  // back in the same slots
    EXPECT_EQ(Arrivals()[3], Arrived(0));
}

TEST_F(DiscoveryTest, RightNumbersButAnotherUsagePageIsOpenedAndLeft) {
    auto descriptor = ConsumerAndVendorDescriptor();
    descriptor[27] = 0x00;  // vendor page 0xFF1C becomes 0xFF00
    // Collections 3 and 4 as on the keyboard: two unused collections first.
    const std::vector<uint8_t> pad = {0x05, 0x01, 0x09, 0x80, 0xA1, 0x01, 0x85, 0x01,
                                      0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0};
    std::vector<uint8_t> d = pad;
    d.insert(d.end(), pad.begin(), pad.end());
    d[pad.size() + 7] = 0x02;  // report id 2
    d.insert(d.end(), descriptor.begin(), descriptor.end());
    FakeInterface fake(m_dir.Str(), "other", {0x320F, 0x5055, 1, d});
    ASSERT_TRUE(m_discovery.ScanOnce());
    EXPECT_EQ(Arrivals(), (std::vector<RecordedMessage>{Arrived(1)}));  // the consumer collection still fits
    EXPECT_TRUE(m_slots.Get(0).IsFree());
    for (int i = 0; i < 2000 && fake.Accepted() < 2; ++i)
        SleepMs(2);
    EXPECT_EQ(fake.Accepted(), 2u);  // both candidates were opened
    for (int i = 0; i < 2000 && fake.WaitForClients(1, 0); ++i)
        SleepMs(2);
    EXPECT_FALSE(fake.WaitForClients(1, 0));  // and closed again
}

TEST_F(DiscoveryTest, ThreadPostsIdentityOnceAndEndsOnItsStopEvent) {
    CDebugCapture capture;
    ASSERT_NO_FATAL_FAILURE(Serve({"keyboard"}));
    CEvent stop(true, true);  // set before start: Start resets it
    ASSERT_TRUE(m_discovery.Start(stop));
    for (int i = 0; i < 200 && m_discovery.ScanCount() < 3; ++i)
        SleepMs(10);
    EXPECT_GE(m_discovery.ScanCount(), 3u);
    EXPECT_TRUE(m_discovery.Stop(1000));
    EXPECT_EQ(m_target.Count(m_identity), 1u);
    EXPECT_EQ(m_target.Count(WM_DEVICE_ARRIVED), 2u);
    EXPECT_EQ(capture.Count(L"抓取设备线程设定退出"), 1u);
    EXPECT_EQ(capture.Count(L"discovery: thread ended"), 1u);
}

TEST_F(DiscoveryTest, WithEverySlotConnectedOnlyLivenessRuns) {
    // Vendor-0 interfaces fill rows 2, 4, 6 and 8 in plug order: receiver keyboard, mouse, receiver
    // mouse, mouse pad.
    ASSERT_NO_FATAL_FAILURE(
        Serve({"keyboard", "keyboard-receiver", "mouse", "mouse-receiver", "mousepad", "headset"}));
    ASSERT_TRUE(m_discovery.ScanOnce());
    for (size_t i = 0; i < m_slots.Count(); ++i)
        EXPECT_EQ(m_slots.Get(i).connected, 1) << i;
    const uint64_t scans = m_discovery.ScanCount();
    m_discovery.ScanOnce();
    m_discovery.ScanOnce();
    EXPECT_EQ(m_discovery.ScanCount(), scans);
    m_server->Control("unplug headset");
    m_discovery.ScanOnce();  // the liveness check still runs
    EXPECT_EQ(Arrivals().back(), Removed(10));
    EXPECT_TRUE(m_slots.Get(10).IsFree());
}
