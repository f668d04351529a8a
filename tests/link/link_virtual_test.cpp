// The command link against px300-virtual's firmware models, on every virtual device that speaks the
// command protocol, on its cable or through its receiver.
#include <gtest/gtest.h>

#include <sstream>

#include "link/command_link.h"
#include "link/hid_path.h"
#include "platform/text.h"
#include "tests/support/temp_dir.h"
#include "tools/virtual/device_description.h"
#include "tools/virtual/virtual_server.h"

namespace {
std::vector<uint8_t> ParseDump(const std::string& text) {
    std::vector<uint8_t> bytes;
    std::istringstream in(text);
    std::string word;
    while (in >> word)
        bytes.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    return bytes;
}

std::vector<std::string> CommandDevices() {
    std::vector<std::string> words;
    for (const auto& d : VirtualDevices()) {
        if (d.commandReportId != 0)
            words.push_back(d.word);
    }
    return words;
}

class LinkOnVirtualDevice : public ::testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        m_device = FindVirtualDevice(GetParam());
        ASSERT_NE(m_device, nullptr);
        m_server = std::make_unique<CVirtualServer>(CVirtualServer::Options{m_dir.Str(), "", 0});
        ASSERT_TRUE(m_server->Add(GetParam()));
        ASSERT_TRUE(m_server->Start());
        // The vendor collection is the last top-level collection of the interface.
        const std::wstring node = Utf8ToWide(m_dir.Str() + "/" + GetParam() + "-if1.sock");
        const std::wstring path = FormatInterfacePath(L"virtual", node, m_device->vendor, m_device->product,
                                                      m_device->interfaceNumber, 4);
        ASSERT_TRUE(m_link.OpenLink(path, m_device->receiver)) << WideToUtf8(path);
    }

    std::vector<uint8_t> Dump(const char* area) {
        return ParseDump(m_server->Control("dump " + GetParam() + " " + area));
    }

    TempDir m_dir;
    const VirtualDeviceDescription* m_device = nullptr;
    std::unique_ptr<CVirtualServer> m_server;
    CCommandLink m_link;
};
}  // namespace

TEST_P(LinkOnVirtualDevice, InformationKeyTableAndExtraTableAsStored) {
    uint8_t info[kDeviceInfoSize];
    ASSERT_EQ(m_link.ReadDeviceInfo(info), LINK_OK);
    EXPECT_EQ(std::vector<uint8_t>(info, info + kDeviceInfoSize), m_device->info);
    if (KeyCount(*m_device) == 0) {
        return;  // no keys: no key tables
    }
    ASSERT_TRUE(m_link.SetKeyTableSize(static_cast<uint16_t>(info[5] * 3)));
    std::vector<uint8_t> keys(m_link.KeyTableSize()), extra(m_link.KeyTableSize() / 3);
    ASSERT_EQ(m_link.ReadKeyTable(keys.data()), LINK_OK);
    EXPECT_EQ(keys, Dump("keytable"));
    ASSERT_EQ(m_link.ReadKeyExtraTable(extra.data()), LINK_OK);
    EXPECT_EQ(extra, Dump("extra"));
}

TEST_P(LinkOnVirtualDevice, SettingsTransferRoundTrips) {
    std::vector<uint8_t> block(66);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = static_cast<uint8_t>(0xA0 ^ i);
    ASSERT_EQ(m_link.BeginTransfer(), LINK_OK);
    ASSERT_EQ(m_link.WriteSettings(block.data(), block.size(), 128), LINK_OK);
    ASSERT_EQ(m_link.EndTransfer(), LINK_OK);
    std::vector<uint8_t> back(block.size());
    ASSERT_EQ(m_link.ReadSettings(back.data(), back.size(), 128), LINK_OK);
    EXPECT_EQ(back, block);
    const auto memory = Dump("settings");
    EXPECT_EQ(std::vector<uint8_t>(memory.begin() + 128, memory.begin() + 194), block);
}

TEST_P(LinkOnVirtualDevice, ImagesLandInDeviceMemory) {
    const struct {
        MemoryArea area;
        const char* name;
        int (CCommandLink::*write)(const uint8_t*, uint32_t);
    } images[] = {{MemoryArea::Shoot, "shoot", &CCommandLink::WriteShootData},
                  {MemoryArea::Macro, "macro", &CCommandLink::WriteMacroData}};
    for (const auto& image : images) {
        if (AreaSize(*m_device, image.area) < 300) {
            continue;  // the device has no such memory
        }
        std::vector<uint8_t> bytes(300);
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i * 3 + image.name[0]);
        ASSERT_EQ((m_link.*image.write)(bytes.data(), bytes.size()), LINK_OK) << image.name;
        const auto memory = Dump(image.name);
        EXPECT_EQ(std::vector<uint8_t>(memory.begin(), memory.begin() + 300), bytes) << image.name;
    }
}

TEST_P(LinkOnVirtualDevice, InjectedFaultsMapToResults) {
    const struct {
        const char* fault;
        int result;
    } cases[] = {{"status-ff", LINK_STATUS_FF}, {"status-fe", LINK_STATUS_FE}};
    for (const auto& c : cases) {
        m_server->Control("fault " + GetParam() + " " + c.fault + " 1");
        EXPECT_EQ(m_link.BeginTransfer(), c.result) << c.fault;
        EXPECT_EQ(m_link.BeginTransfer(), LINK_OK) << c.fault;
    }
}

TEST_P(LinkOnVirtualDevice, ReceiverReportsAnUnreachableDevice) {
    if (!m_device->receiver) {
        EXPECT_TRUE(m_link.QueryReceiverLink());
        return;
    }
    EXPECT_TRUE(m_link.QueryReceiverLink());
    m_server->Control("reachable " + GetParam() + " no");
    EXPECT_FALSE(m_link.QueryReceiverLink());
    uint8_t info[kDeviceInfoSize];
    EXPECT_EQ(m_link.ReadDeviceInfo(info), LINK_DEVICE_ABSENT);
    m_server->Control("reachable " + GetParam() + " yes");
    EXPECT_EQ(m_link.ReadDeviceInfo(info), LINK_OK);
}

INSTANTIATE_TEST_SUITE_P(Devices, LinkOnVirtualDevice, ::testing::ValuesIn(CommandDevices()),
                         [](const auto& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 c = c == '-' ? '_' : c;
                             return name;
                         });
