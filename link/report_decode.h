#pragma once
// Decoding of received reports against a collection's parsed data (the HidP_GetUsages /
// HidP_GetUsageValue / HidP_GetScaledUsageValue operations). The report buffer starts with the report
// id byte (0 for a collection without numbered reports) and may be shorter than the report.
#include <cstdint>
#include <vector>

#include "link/report_descriptor.h"

// The data items of a report type: one per button capability (with a usage list as long as the
// page allows), then one per usage of each value capability.
std::vector<HidDataItem> BuildDataItems(const HidPreparsedData& data, HidReportType type);

// Pressed usages of the page in a report: the usages of set one-bit controls and the usages that the
// array controls name, in field order. At most *length are written; *length receives the count.
// HIDP_STATUS_BUFFER_TOO_SMALL when more were pressed (the first *length are written).
HidStatus HidGetUsages(HidReportType type, uint16_t usagePage, uint16_t* usages, uint32_t* length,
                       const HidPreparsedData& data, const uint8_t* report, uint32_t reportLength);

HidStatus HidGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, uint32_t* value,
                           const HidPreparsedData& data, const uint8_t* report, uint32_t reportLength);

// The value scaled from the logical to the physical range (the logical value, sign-extended, when
// the control has no physical range). HIDP_STATUS_VALUE_OUT_OF_RANGE for a value outside the logical
// range.
HidStatus HidGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, int32_t* value,
                                 const HidPreparsedData& data, const uint8_t* report, uint32_t reportLength);
