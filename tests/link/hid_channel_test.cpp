#include "link/hid_channel.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "link/hid_nodes.h"
#include "link/hid_transports.h"
#include "platform/tick.h"
#include "tests/link/fake_interface.h"
#include "tests/support/temp_dir.h"

namespace fs = std::filesystem;

namespace {
// Points both transports at empty test folders for one test.
class ChannelTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("PX300_VIRTUAL_DIR", m_virtual.Str().c_str(), 1);
        SetHidSysfsRoot(m_sysfs.Str());
    }
    void TearDown() override { SetHidSysfsRoot(""); }

    // A fake sysfs hidraw entry with a uevent and a report descriptor.
    void AddHidraw(int number, const std::string& uevent, const std::vector<uint8_t>& descriptor) {
        const fs::path dev =
            m_sysfs.Path() / "sys/class/hidraw" / ("hidraw" + std::to_string(number)) / "device";
        fs::create_directories(dev);
        std::ofstream(dev / "uevent") << uevent;
        std::ofstream(dev / "report_descriptor", std::ios::binary)
            .write(reinterpret_cast<const char*>(descriptor.data()), descriptor.size());
    }

    std::vector<std::wstring> Paths() {
        CHidChannel channel;
        EXPECT_TRUE(channel.EnumerateInterfaces());
        std::vector<std::wstring> paths;
        while (const wchar_t* p = channel.NextPath())
            paths.emplace_back(p);
        return paths;
    }

    std::wstring VendorPath(const FakeInterface& fake) const {
        return L"virtual:" + fake.Node() + L"#vid_320f&pid_5055&mi_01&col02";
    }

    TempDir m_virtual;
    TempDir m_sysfs;
    const VirtualInterfaceInfo m_keyboard{0x320F, 0x5055, 1, ConsumerAndVendorDescriptor()};
};

Report VendorReport(uint8_t command) {
    Report r(64, 0);
    r[0] = 4;
    r[3] = command;
    return r;
}
}  // namespace

TEST_F(ChannelTest, NothingPresentEnumeratesEmpty) {
    CHidChannel channel;
    EXPECT_EQ(channel.NextPath(), nullptr);  // before any enumeration
    ASSERT_TRUE(channel.EnumerateInterfaces());
    EXPECT_EQ(channel.PathCount(), 0u);
    EXPECT_EQ(channel.NextPath(), nullptr);
}

TEST_F(ChannelTest, OnePathPerTopLevelCollectionOfBothTransports) {
    AddHidraw(10, "HID_ID=0003:0000320F:00005055\nHID_PHYS=usb-0000:00:14.0-3/input1\n",
              ConsumerAndVendorDescriptor());
    AddHidraw(2, "HID_ID=0003:00000C76:00001630\nHID_PHYS=usb-0000:00:14.0-4/input3\n",
              {0x05, 0x0C, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0});
    AddHidraw(3, "HID_ID=0005:0000046D:0000B012\nHID_PHYS=aa:bb\n",  // bluetooth: no interface number
              {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x01, 0x81, 0x02, 0xC0});
    AddHidraw(4, "HID_ID=0003:0000320F:00005055\n", {0xC0});  // unusable descriptor: left out
    AddHidraw(5, "garbage", ConsumerAndVendorDescriptor());   // no identity: left out
    FakeInterface fake(m_virtual.Str(), "kb-if1", m_keyboard);
    const std::vector<std::wstring> expected = {
        L"hidraw:/dev/hidraw2#vid_0c76&pid_1630&mi_03",
        L"hidraw:/dev/hidraw3#vid_046d&pid_b012",
        L"hidraw:/dev/hidraw10#vid_320f&pid_5055&mi_01&col01",
        L"hidraw:/dev/hidraw10#vid_320f&pid_5055&mi_01&col02",
        L"virtual:" + fake.Node() + L"#vid_320f&pid_5055&mi_01&col01",
        VendorPath(fake),
    };
    EXPECT_EQ(Paths(), expected);
}

TEST_F(ChannelTest, OpensTheNamedCollectionAndRefusesOthers) {
    FakeInterface fake(m_virtual.Str(), "kb-if1", m_keyboard);
    CHidChannel channel;
    ASSERT_TRUE(channel.Open(VendorPath(fake), true, true, true, false));
    EXPECT_EQ(channel.Capabilities().usagePage, 0xFF1C);
    EXPECT_EQ(channel.Capabilities().usage, 0x92);
    EXPECT_EQ(channel.Capabilities().InputReportByteLength(), 64);
    EXPECT_EQ(channel.Attributes().vendorId, 0x320F);
    EXPECT_EQ(channel.InterfaceNumber(), 1u);
    EXPECT_EQ(channel.CollectionNumber(), 2u);
    const std::wstring node = L"virtual:" + fake.Node();
    EXPECT_FALSE(channel.Open(node + L"#vid_320f&pid_5055&mi_01&col03", true, true, true, false));
    EXPECT_FALSE(channel.IsOpen());
    EXPECT_FALSE(
        channel.Open(node + L"#vid_320f&pid_5055&mi_01", true, true, true, false));  // two collections
    EXPECT_FALSE(channel.Open(L"virtual:" + m_virtual.Path().wstring() + L"/missing.sock#vid_1", true, true,
                              true, false));
    EXPECT_FALSE(channel.Open(L"virtual:/" + std::wstring(300, L'x') + L".sock", true, true, true, false));
}

TEST_F(ChannelTest, AnIdentityFileThatIsNoRegularFileIsRefusedWithoutWaiting) {
    // A FIFO nobody writes to would block an open or a read of the identity without end.
    const fs::path fifo = m_virtual.Path() / "odd.hid";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    CHidChannel channel;
    EXPECT_FALSE(channel.Open(L"virtual:" + m_virtual.Path().wstring() + L"/odd.sock#vid_320f&pid_5055&mi_01",
                              true, true, true, false));
    std::string text;
    EXPECT_FALSE(ReadSmallFile(fifo.string(), 4096, text));
}

TEST_F(ChannelTest, ReadTimesOutWithNothingAndKeepsOnlyItsCollectionsReports) {
    FakeInterface fake(m_virtual.Str(), "kb-if1", m_keyboard);
    CHidChannel channel;
    ASSERT_TRUE(channel.Open(VendorPath(fake), true, true, true, false));
    ASSERT_TRUE(fake.WaitForClients(1));
    uint8_t buf[64];
    uint32_t bytes = 99;
    const uint64_t start = GetTickCount64();
    EXPECT_FALSE(channel.ReadReport(buf, 64, &bytes, 50));
    EXPECT_GE(GetTickCount64() - start, 45u);
    EXPECT_EQ(bytes, 0u);

    fake.Send({3, 0xE9, 0x00});  // consumer report of the same interface: not this channel's
    fake.Send(VendorReport(7));
    ASSERT_TRUE(channel.ReadReport(buf, 64, &bytes, 1000));
    EXPECT_EQ(bytes, 64u);
    EXPECT_EQ(buf[0], 4);
    EXPECT_EQ(buf[3], 7);

    // A write reaches the device whole.
    const Report out = VendorReport(1);
    EXPECT_TRUE(channel.WriteReport(out.data(), 64, &bytes, 1000));
    EXPECT_EQ(bytes, 64u);
    for (int i = 0; i < 2000 && fake.Received().empty(); ++i)
        SleepMs(2);
    ASSERT_EQ(fake.Received().size(), 1u);
    EXPECT_EQ(fake.Received()[0], out);
}

TEST_F(ChannelTest, CloseFromAnotherThreadWakesAnUnlimitedRead) {
    FakeInterface fake(m_virtual.Str(), "kb-if1", m_keyboard);
    CHidChannel channel;
    ASSERT_TRUE(channel.Open(VendorPath(fake), true, true, true, false));
    bool result = true;
    uint32_t bytes = 99;
    std::thread reader([&] {
        uint8_t buf[64];
        result = channel.ReadReport(buf, 64, &bytes, -1);
    });
    while (!channel.IsReadPending())
        std::this_thread::yield();  // the read is waiting
    SleepMs(10);
    channel.Close();
    reader.join();
    EXPECT_FALSE(result);
    EXPECT_EQ(bytes, 0u);
    EXPECT_FALSE(channel.IsOpen());
    // The channel opens again afterwards and reads normally (the cancel left nothing behind).
    ASSERT_TRUE(channel.Open(VendorPath(fake), true, true, true, false));
    for (int i = 0; i < 2000 && fake.Accepted() < 2; ++i)
        SleepMs(2);  // the new connection, not the old one
    fake.Send(VendorReport(5));
    uint8_t buf[64];
    EXPECT_TRUE(channel.ReadReport(buf, 64, &bytes, 1000));
}

TEST_F(ChannelTest, UnpluggedNodeFailsReadsAtOnce) {
    CHidChannel channel;
    {
        FakeInterface fake(m_virtual.Str(), "kb-if1", m_keyboard);
        ASSERT_TRUE(channel.Open(VendorPath(fake), true, true, true, false));
        ASSERT_TRUE(fake.WaitForClients(1));
    }
    uint8_t buf[64];
    uint32_t bytes = 0;
    const uint64_t start = GetTickCount64();
    EXPECT_FALSE(channel.ReadReport(buf, 64, &bytes, 2000));
    EXPECT_LT(GetTickCount64() - start, 1000u);
}

TEST_F(ChannelTest, UnnumberedReportsGetAZeroIdByte) {
    const std::vector<uint8_t> d = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95,
                                    0x10, 0x09, 0x01, 0x81, 0x02, 0x09, 0x01, 0x91, 0x02, 0xC0};
    FakeInterface fake(m_virtual.Str(), "hs-if3", {0x0C76, 0x1630, 3, d});
    CHidChannel channel;
    ASSERT_TRUE(
        channel.Open(L"virtual:" + fake.Node() + L"#vid_0c76&pid_1630&mi_03", true, true, true, false));
    EXPECT_EQ(channel.Capabilities().OutputReportByteLength(), 17);
    ASSERT_TRUE(fake.WaitForClients(1));
    Report out(17, 0);
    out[1] = 0xAB;
    uint32_t bytes = 0;
    ASSERT_TRUE(channel.WriteReport(out.data(), 17, &bytes, 1000));
    for (int i = 0; i < 2000 && fake.Received().empty(); ++i)
        SleepMs(2);
    ASSERT_EQ(fake.Received().size(), 1u);
    EXPECT_EQ(fake.Received()[0], Report(out.begin() + 1, out.end()));  // sent without the id byte
    fake.Send(Report(16, 0x11));
    uint8_t buf[17];
    ASSERT_TRUE(channel.ReadReport(buf, 17, &bytes, 1000));
    EXPECT_EQ(bytes, 17u);
    EXPECT_EQ(buf[0], 0);
    EXPECT_EQ(buf[16], 0x11);
}
