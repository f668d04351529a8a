#include "tools/virtual/device_description.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "link/report_decode.h"
#include "link/report_descriptor.h"
#include "link/virtual_wire.h"

// Test names and failure messages show the device word, not the bytes of the description.
void PrintTo(const VirtualDeviceDescription& device, std::ostream* out) { *out << device.word; }

namespace {

std::vector<HidPreparsedData> Parse(const VirtualDeviceDescription& device) {
    std::vector<HidPreparsedData> collections;
    std::string error;
    EXPECT_TRUE(
        ParseReportDescriptor(device.descriptor.data(), device.descriptor.size(), collections, &error))
        << device.word << ": " << error;
    return collections;
}

struct Identity {
    const char* word;
    uint16_t vendor, product, interfaceNumber;
    std::vector<std::pair<uint32_t, uint32_t>> collections;  // usage page, usage, in order
};

// What discovery's match table expects of each device.
const std::vector<std::pair<uint32_t, uint32_t>> kKeyboardCollections = {
    {0x01, 0x80}, {0x01, 0x06}, {0x0C, 0x01}, {0xFF1C, 0x92}};

const std::vector<std::pair<uint32_t, uint32_t>> kMouseCollections = {
    {0x01, 0x02}, {0x01, 0x06}, {0x0C, 0x01}, {0xFF1C, 0x92}};

const Identity kIdentities[] = {
    {"keyboard", 0x320F, 0x5055, 1, kKeyboardCollections},
    {"keyboard-receiver", 0, 0, 1, kKeyboardCollections},
    {"mouse", 0, 0, 1, kMouseCollections},
    {"mouse-receiver", 0, 0, 1, kMouseCollections},
    {"mousepad", 0, 0, 1, kKeyboardCollections},
    {"headset", 0x0C76, 0x1630, 3, {{0x0C, 0x01}}},
};

TEST(VirtualDevices, IdentitiesAndCollectionsMatchWhatDiscoveryLooksFor) {
    for (const Identity& expected : kIdentities) {
        const VirtualDeviceDescription* device = FindVirtualDevice(expected.word);
        ASSERT_NE(device, nullptr) << expected.word;
        EXPECT_EQ(device->vendor, expected.vendor) << expected.word;
        EXPECT_EQ(device->product, expected.product) << expected.word;
        EXPECT_EQ(device->interfaceNumber, expected.interfaceNumber) << expected.word;
        std::vector<std::pair<uint32_t, uint32_t>> usages;
        for (const HidPreparsedData& c : Parse(*device)) {
            usages.emplace_back(c.caps.usagePage, c.caps.usage);
        }
        EXPECT_EQ(usages, expected.collections) << expected.word;
    }
    EXPECT_EQ(VirtualDevices().size(), std::size(kIdentities)) << "every device has its row here";
}

class EveryDevice : public testing::TestWithParam<VirtualDeviceDescription> {};

// As the host's parser reads the descriptor: the command collection carries 64-byte reports both
// ways, and the event report decodes to the usage it carries.
TEST_P(EveryDevice, HostFindsTheCommandAndEventReports) {
    const VirtualDeviceDescription& device = GetParam();
    const std::vector<HidPreparsedData> collections = Parse(device);
    ASSERT_FALSE(collections.empty());
    std::set<uint8_t> ids;
    for (const HidPreparsedData& c : collections) {
        for (uint8_t id : c.reportIds) {
            EXPECT_TRUE(ids.insert(id).second) << "report id " << int(id) << " in two collections";
        }
    }
    if (device.commandReportId != 0) {
        ASSERT_EQ(collections.size(), 4u);
        const HidPreparsedData& vendor = collections[3];
        EXPECT_EQ(vendor.reportIds, std::vector<uint8_t>{device.commandReportId});
        EXPECT_EQ(vendor.caps.InputReportByteLength(), kPacketSize);
        EXPECT_EQ(vendor.caps.OutputReportByteLength(), kPacketSize);
    }
    if (device.eventReportId != 0) {
        const auto consumer =
            std::find_if(collections.begin(), collections.end(),
                         [&](const HidPreparsedData& c) { return c.HasReportId(device.eventReportId); });
        ASSERT_NE(consumer, collections.end());
        EXPECT_EQ(consumer->caps.usagePage, 0x0C);
        EXPECT_EQ(consumer->caps.usage, 0x01);
        for (uint16_t usage : {0x0401, 0x1103, 0xFFFF}) {
            const uint8_t report[] = {device.eventReportId, static_cast<uint8_t>(usage & 0xFF),
                                      static_cast<uint8_t>(usage >> 8)};
            uint16_t usages[4] = {};
            uint32_t length = 4;
            ASSERT_EQ(
                HidGetUsages(HidReportType::Input, 0x0C, usages, &length, *consumer, report, sizeof report),
                HIDP_STATUS_SUCCESS);
            ASSERT_EQ(length, 1u);
            EXPECT_EQ(usages[0], usage);
        }
    }
}

TEST_P(EveryDevice, IdentityFileRoundTrips) {
    const VirtualDeviceDescription& device = GetParam();
    const VirtualInterfaceInfo info{device.vendor, device.product, device.interfaceNumber, device.descriptor};
    VirtualInterfaceInfo parsed;
    ASSERT_TRUE(ParseVirtualInfo(FormatVirtualInfo(info), parsed));
    EXPECT_EQ(parsed.descriptor, device.descriptor);
    EXPECT_LE(device.descriptor.size(), kMaxDescriptorSize);
}

TEST_P(EveryDevice, MemoriesFollowTheInformationBlock) {
    const VirtualDeviceDescription& device = GetParam();
    if (device.commandReportId == 0) {
        GTEST_SKIP() << "no command protocol";
    }
    ASSERT_EQ(device.info.size(), kDeviceInfoSize);
    const size_t keys = device.info[kInfoKeyCountByte];
    EXPECT_EQ(AreaSize(device, MemoryArea::KeyTable), 3 * keys);
    EXPECT_LE(3 * keys, 512u) << "the link moves at most 512 bytes of key table";
    EXPECT_EQ(AreaSize(device, MemoryArea::Extra), keys);
    EXPECT_EQ(AreaSize(device, MemoryArea::Macro), 128u * device.info[kInfoMacroUnitsByte]);
    EXPECT_LE(device.settingsSize, 0x10000u) << "addressable with a 16-bit offset";
    if (!device.cableWord.empty()) {
        const VirtualDeviceDescription* cable = FindVirtualDevice(device.cableWord);
        ASSERT_NE(cable, nullptr);
        EXPECT_EQ(KeyCount(*cable), keys);
    }
}

TEST_P(EveryDevice, FactoryReadsAreNeverMistakenForZerosOrAnotherChunk) {
    const VirtualDeviceDescription& device = GetParam();
    const DeviceMemory memory = FactoryMemory(device);
    for (MemoryArea area : {MemoryArea::Info, MemoryArea::Settings, MemoryArea::KeyTable, MemoryArea::Extra,
                            MemoryArea::Status}) {
        const auto& bytes = memory[static_cast<size_t>(area)];
        EXPECT_EQ(bytes.size(), AreaSize(device, area)) << AreaName(area);
        if (!bytes.empty()) {
            EXPECT_NE(std::count(bytes.begin(), bytes.end(), 0), static_cast<long>(bytes.size()))
                << AreaName(area);
        }
    }
    const auto& settings = memory[static_cast<size_t>(MemoryArea::Settings)];
    for (size_t chunk : {24u, 56u}) {
        std::set<std::vector<uint8_t>> seen;
        for (size_t at = 0; at + chunk <= settings.size(); at += chunk) {
            EXPECT_TRUE(seen.emplace(settings.begin() + at, settings.begin() + at + chunk).second)
                << chunk << "-byte chunk at " << at << " repeats an earlier one";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Devices, EveryDevice, testing::ValuesIn(VirtualDevices()),
                         [](const testing::TestParamInfo<VirtualDeviceDescription>& info) {
                             std::string name = info.param.word;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

// The mouse object finds its eleven buttons by these factory codes and scales DPI by bytes 11-15.
TEST(VirtualDevices, MiceCarryTheirButtonCodesAndADpiScale) {
    const std::vector<std::vector<uint8_t>> buttons = {{16, 1, 0},   {16, 2, 0},   {16, 4, 0},  {16, 16, 0},
                                                       {16, 8, 0},   {19, 1, 0},   {19, 2, 0},  {19, 3, 0},
                                                       {160, 27, 0}, {22, 144, 1}, {20, 120, 2}};
    for (const char* word : {"mouse", "mouse-receiver"}) {
        const VirtualDeviceDescription& mouse = *FindVirtualDevice(word);
        ASSERT_EQ(KeyCount(mouse), 11u) << word;
        for (const auto& code : buttons) {
            bool found = false;
            for (size_t at = 0; at + 3 <= mouse.factoryKeys.size(); at += 3) {
                found = found || std::equal(code.begin(), code.end(), mouse.factoryKeys.begin() + at);
            }
            EXPECT_TRUE(found) << word << " button code " << int(code[0]) << "," << int(code[1]);
        }
        EXPECT_GT(mouse.info[11], 0) << "DPI step";
        EXPECT_GT(mouse.info[12] | mouse.info[13] << 8, 0) << "sensor steps";
    }
}

TEST(MemoryAreas, NamesRoundTripAndUnknownNamesAreRefused) {
    for (size_t i = 0; i < kMemoryAreaCount; ++i) {
        MemoryArea area{};
        ASSERT_TRUE(ParseAreaName(AreaName(static_cast<MemoryArea>(i)), area));
        EXPECT_EQ(static_cast<size_t>(area), i);
    }
    MemoryArea area{};
    EXPECT_FALSE(ParseAreaName("Settings", area));
    EXPECT_FALSE(ParseAreaName("", area));
}

}  // namespace
