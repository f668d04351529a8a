#include "link/report_descriptor.h"

#include <gtest/gtest.h>

#include "link/hid_channel.h"
#include "link/report_decode.h"
#include "tests/link/fake_interface.h"
#include "tests/support/temp_dir.h"

namespace {
std::vector<HidPreparsedData> Parse(const std::vector<uint8_t>& d) {
    std::vector<HidPreparsedData> out;
    std::string error;
    EXPECT_TRUE(ParseReportDescriptor(d.data(), d.size(), out, &error)) << error;
    return out;
}

// A mouse: 5 buttons, 3 padding bits, X/Y as a 16-bit signed range of usages, wheel with a physical
// range; no report ids.
const std::vector<uint8_t> kMouse = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x09, 0x01, 0xA1, 0x00,  // desktop mouse, pointer
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25, 0x01,  // buttons 1..5
    0x75, 0x01, 0x95, 0x05, 0x81, 0x02,                          // 5 one-bit variables
    0x75, 0x03, 0x95, 0x01, 0x81, 0x01,                          // padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31,                          // X, Y
    0x16, 0x00, 0x80, 0x26, 0xFF, 0x7F, 0x75, 0x10, 0x95, 0x02, 0x81,
    0x06, 0x09, 0x38, 0x15, 0x81, 0x25, 0x7F, 0x35, 0x00, 0x45, 0x0A,  // wheel -127..127, physical 0..10
    0x75, 0x08, 0x95, 0x01, 0x81, 0x06, 0xC0, 0xC0,
};
}  // namespace

TEST(ReportDescriptor, SplitsTopLevelCollectionsWithTheirReports) {
    const auto cols = Parse(ConsumerAndVendorDescriptor());
    ASSERT_EQ(cols.size(), 2u);
    EXPECT_EQ(cols[0].caps.usagePage, 0x0C);
    EXPECT_EQ(cols[0].caps.usage, 0x01);
    EXPECT_EQ(cols[0].reportIds, std::vector<uint8_t>{3});
    EXPECT_EQ(cols[0].caps.InputReportByteLength(), 3);
    EXPECT_EQ(cols[0].caps.OutputReportByteLength(), 0);
    EXPECT_EQ(cols[1].caps.usagePage, 0xFF1C);
    EXPECT_EQ(cols[1].caps.usage, 0x92);
    EXPECT_EQ(cols[1].reportIds, std::vector<uint8_t>{4});
    EXPECT_EQ(cols[1].caps.InputReportByteLength(), 64);
    EXPECT_EQ(cols[1].caps.OutputReportByteLength(), 64);
    EXPECT_TRUE(cols[1].numberedReports);
    // The consumer array is one button capability over the whole range.
    ASSERT_EQ(cols[0].buttonCaps[0].size(), 1u);
    EXPECT_TRUE(cols[0].buttonCaps[0][0].isRange);
    EXPECT_EQ(cols[0].buttonCaps[0][0].usageMax, 0x3FF);
    EXPECT_EQ(cols[0].MaxUsageListLength(HidReportType::Input, 0x0C), 1u);
}

TEST(ReportDescriptor, MouseCapabilitiesAndLengths) {
    const auto cols = Parse(kMouse);
    ASSERT_EQ(cols.size(), 1u);
    const auto& m = cols[0];
    EXPECT_FALSE(m.numberedReports);
    EXPECT_EQ(m.caps.InputReportByteLength(), 1 + 1 + 4 + 1);
    EXPECT_EQ(m.caps.numberLinkCollectionNodes, 2);
    ASSERT_EQ(m.buttonCaps[0].size(), 1u);
    EXPECT_EQ(m.buttonCaps[0][0].usagePage, 9);
    ASSERT_EQ(m.valueCaps[0].size(), 3u);  // X, Y, wheel: single usages
    EXPECT_EQ(m.valueCaps[0][2].logicalMin, -127);
    EXPECT_EQ(m.valueCaps[0][2].physicalMax, 10);
}

TEST(ReportDescriptor, ValueRangeOfThreeUsagesGivesThreeDataItems) {
    TempDir dir;  // channel built from a node whose collection has a range value capability
    const std::vector<uint8_t> d = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x07, 0x19, 0x01, 0x29, 0x03,
        0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x03, 0x81, 0x02, 0xC0,
    };
    const auto cols = Parse(d);
    ASSERT_EQ(cols[0].valueCaps[0].size(), 1u);
    EXPECT_TRUE(cols[0].valueCaps[0][0].isRange);
    EXPECT_EQ(cols[0].valueCaps[0][0].reportCount, 3);

    FakeInterface fake(dir.Str(), "range", {0x1234, 0x5678, 0, d});
    CHidChannel channel;
    ASSERT_TRUE(
        channel.Open(L"virtual:" + fake.Node() + L"#vid_1234&pid_5678&mi_00", true, true, true, false));
    ASSERT_EQ(channel.InputDataItemCount(), 3u);
    const uint8_t report[] = {7, 10, 20, 30};
    EXPECT_TRUE(CHidChannel::UnpackReport(HidReportType::Input, report, sizeof report,
                                          channel.InputDataItems(), 3, channel.DescriptorData()));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(channel.InputDataItems()[i].usage, i + 1);
        EXPECT_EQ(channel.InputDataItems()[i].rawValue, 10u * (i + 1));
        EXPECT_TRUE(channel.InputDataItems()[i].isSet);
    }
}

TEST(ReportDescriptor, RefusesMalformedDescriptors) {
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    };
    std::vector<uint8_t> deep;
    for (int i = 0; i < 40; ++i)
        deep.insert(deep.end(), {0xA1, 0x00});
    for (int i = 0; i < 40; ++i)
        deep.push_back(0xC0);
    std::vector<uint8_t> pushes = {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01};
    for (int i = 0; i < 20; ++i)
        pushes.push_back(0xA4);
    const Case cases[] = {
        {"empty", {}},
        {"truncated item data", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x26, 0xFF}},
        {"truncated long item", {0xFE, 0x10, 0x00, 0x01}},
        {"end without collection", {0xC0}},
        {"collection not closed", {0x05, 0x01, 0x09, 0x02, 0xA1, 0x01}},
        {"nested too deep", deep},
        {"push too deep", pushes},
        {"pop without push", {0xB4}},
        {"report size 0", {0xA1, 0x01, 0x75, 0x00, 0xC0}},
        {"report id 0", {0xA1, 0x01, 0x85, 0x00, 0xC0}},
        {"data outside collection", {0x75, 0x08, 0x95, 0x01, 0x81, 0x02}},
        {"report longer than 16 KiB",
         {0xA1, 0x01, 0x75, 0x20, 0x97, 0xFF, 0xFF, 0x00, 0x00, 0x81, 0x02, 0xC0}},
        {"too many data items",
         {0xA1, 0x01, 0x19, 0x00, 0x2A, 0xFF, 0xFF, 0x75, 0x08, 0x96, 0xFF, 0x1F, 0x81, 0x02, 0xC0}},
        {"no collection", {0x05, 0x01}},
        {"reserved item type", {0x0C}},
    };
    for (const auto& c : cases) {
        std::vector<HidPreparsedData> out;
        std::string error;
        EXPECT_FALSE(ParseReportDescriptor(c.bytes.data(), c.bytes.size(), out, &error)) << c.what;
        EXPECT_FALSE(error.empty()) << c.what;
    }
    std::vector<uint8_t> huge(kMaxDescriptorSize + 1, 0);
    std::vector<HidPreparsedData> out;
    EXPECT_FALSE(ParseReportDescriptor(huge.data(), huge.size(), out));
}

// Every button item holds a usage list as long as all the page's button slots together, so a
// descriptor with many long button fields would make a channel allocate gigabytes when it opens.
TEST(ReportDescriptor, RefusesButtonFieldsWhoseUsageListsWouldNotFitInMemory) {
    std::vector<uint8_t> d = {0xA1, 0x01, 0x05, 0x09, 0x75, 0x01, 0x96, 0xFF, 0xFF};  // 65535 one-bit buttons
    for (uint8_t id = 1; id < 255; ++id) {
        d.insert(d.end(), {0x85, id, 0x81, 0x02});  // one such field per report id
    }
    d.push_back(0xC0);
    std::vector<HidPreparsedData> out;
    std::string error;
    EXPECT_FALSE(ParseReportDescriptor(d.data(), d.size(), out, &error));
    EXPECT_FALSE(error.empty());
}

TEST(UnpackReport, DecodesButtonsValuesAndScaling) {
    const auto cols = Parse(kMouse);
    const auto& m = cols[0];
    // Items as the channel builds them: the button item, then one item per value usage.
    std::vector<HidDataItem> items(4);
    items[0].isButton = true;
    items[0].usagePage = 9;
    items[0].usageMin = 2;
    items[0].usageMax = 5;
    items[0].usageListCapacity = m.MaxUsageListLength(HidReportType::Input, 9);
    items[0].usageList.assign(items[0].usageListCapacity, 0xEEEE);
    const uint16_t usages[] = {0x30, 0x31, 0x38};
    for (int i = 0; i < 3; ++i) {
        items[1 + i].usagePage = 1;
        items[1 + i].usage = usages[i];
    }
    // buttons 1, 3 and 5 pressed; X = -2, Y = 300, wheel = 127 (physical 10)
    const uint8_t report[] = {0, 0x15, 0xFE, 0xFF, 0x2C, 0x01, 0x7F};
    ASSERT_TRUE(CHidChannel::UnpackReport(HidReportType::Input, report, sizeof report, items.data(), 4, &m));
    EXPECT_EQ(items[0].usageList[0], 3);  // button 1 is outside the item's range 2..5
    EXPECT_EQ(items[0].usageList[1], 5);
    EXPECT_EQ(items[0].usageList[2], 0);
    EXPECT_EQ(items[1].rawValue, 0xFFFEu);
    EXPECT_EQ(items[1].scaledValue, -2);
    EXPECT_EQ(items[2].scaledValue, 300);
    EXPECT_EQ(items[3].scaledValue, 10);
    EXPECT_TRUE(items[3].isSet);

    // A report too short for the values fails on the first value item.
    for (auto& item : items)
        item.isSet = false;
    EXPECT_FALSE(CHidChannel::UnpackReport(HidReportType::Input, report, 3, items.data(), 4, &m));
    EXPECT_EQ(items[1].status, HIDP_STATUS_INVALID_REPORT_LENGTH);
    EXPECT_FALSE(items[1].isSet);
}

TEST(UnpackReport, ScalesTheFullThirtyTwoBitRangeWithoutOverflow) {
    const std::vector<uint8_t> d = {
        0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x02,        // vendor collection, usage 2
        0x17, 0x00, 0x00, 0x00, 0x80, 0x27, 0xFF, 0xFF, 0xFF, 0x7F,  // logical INT32_MIN..INT32_MAX
        0x37, 0x00, 0x00, 0x00, 0x80, 0x47, 0xFF, 0xFF, 0xFF, 0x7F,  // physical the same
        0x75, 0x20, 0x95, 0x01, 0x81, 0x02, 0xC0,
    };
    const auto cols = Parse(d);
    ASSERT_EQ(cols.size(), 1u);
    const struct {
        uint32_t raw;
        int32_t scaled;
    } cases[] = {{0x7FFFFFFF, INT32_MAX}, {0x80000000, INT32_MIN}, {0, 0}};
    for (const auto& c : cases) {
        const uint8_t report[] = {0, uint8_t(c.raw), uint8_t(c.raw >> 8), uint8_t(c.raw >> 16),
                                  uint8_t(c.raw >> 24)};
        int32_t scaled = 1;
        EXPECT_EQ(HidGetScaledUsageValue(HidReportType::Input, 0xFF00, 2, &scaled, cols[0], report, 5),
                  HIDP_STATUS_SUCCESS);
        EXPECT_EQ(scaled, c.scaled) << std::hex << c.raw;
    }
}

TEST(UnpackReport, ReportIdOfNoItemDecodesNothing) {
    const auto cols = Parse(ConsumerAndVendorDescriptor());
    HidDataItem item;
    item.isButton = true;
    item.usagePage = 0x0C;
    item.reportId = 3;
    item.usageMax = 0x3FF;
    item.usageListCapacity = 1;
    item.usageList = {0};
    const uint8_t other[] = {9, 0xE9, 0x00};
    EXPECT_TRUE(CHidChannel::UnpackReport(HidReportType::Input, other, 3, &item, 1, &cols[0]));
    EXPECT_FALSE(item.isSet);
    const uint8_t volumeUp[] = {3, 0xE9, 0x00};
    EXPECT_TRUE(CHidChannel::UnpackReport(HidReportType::Input, volumeUp, 3, &item, 1, &cols[0]));
    EXPECT_TRUE(item.isSet);
    EXPECT_EQ(item.usageList[0], 0xE9);
}
