#pragma once
// HID capability records in the shape the rest of the link reads them (the HidP_* records).
#include <cstddef>
#include <cstdint>
#include <vector>

// Largest report descriptor accepted from any transport (hidraw's own limit).
constexpr size_t kMaxDescriptorSize = 4096;

enum class HidReportType : uint8_t { Input = 0, Output = 1, Feature = 2 };
constexpr int kHidReportTypes = 3;

// Status values of the decoding calls.
using HidStatus = uint32_t;
constexpr HidStatus HIDP_STATUS_SUCCESS = 0x00110000;
constexpr HidStatus HIDP_STATUS_NULL = 0x80110001;
constexpr HidStatus HIDP_STATUS_INVALID_REPORT_LENGTH = 0xC0110003;
constexpr HidStatus HIDP_STATUS_USAGE_NOT_FOUND = 0xC0110004;
constexpr HidStatus HIDP_STATUS_VALUE_OUT_OF_RANGE = 0xC0110005;
constexpr HidStatus HIDP_STATUS_BAD_LOG_PHY_VALUES = 0xC0110006;
constexpr HidStatus HIDP_STATUS_BUFFER_TOO_SMALL = 0xC0110007;

struct HidAttributes {
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint16_t versionNumber = 0;
};

// Report byte lengths include the report id byte (0 when the descriptor numbers no reports).
struct HidCaps {
    uint16_t usage = 0;
    uint16_t usagePage = 0;
    uint16_t reportByteLength[kHidReportTypes] = {};
    uint16_t numberLinkCollectionNodes = 0;
    uint16_t numberButtonCaps[kHidReportTypes] = {};
    uint16_t numberValueCaps[kHidReportTypes] = {};
    uint16_t numberDataIndices[kHidReportTypes] = {};

    uint16_t InputReportByteLength() const { return reportByteLength[0]; }
    uint16_t OutputReportByteLength() const { return reportByteLength[1]; }
    uint16_t FeatureReportByteLength() const { return reportByteLength[2]; }
};

struct HidButtonCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t linkCollection = 0;
    bool isRange = false;
    uint16_t usageMin = 0;  // the single usage when not a range
    uint16_t usageMax = 0;
};

struct HidValueCaps {
    uint16_t usagePage = 0;
    uint8_t reportId = 0;
    uint16_t linkCollection = 0;
    bool isRange = false;
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint16_t bitSize = 0;
    uint16_t reportCount = 0;
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
};

// One decodable control of a report, built from the capabilities when a channel opens.
struct HidDataItem {
    bool isButton = false;
    uint16_t usagePage = 0;
    HidStatus status = HIDP_STATUS_SUCCESS;
    uint8_t reportId = 0;
    bool isSet = false;
    // button items
    uint16_t usageMin = 0;
    uint16_t usageMax = 0;
    uint32_t usageListCapacity = 0;
    std::vector<uint16_t> usageList;  // capacity entries; pressed usages, 0 after the last when shorter
    // value items
    uint16_t usage = 0;
    uint32_t rawValue = 0;
    int32_t scaledValue = 0;
};
