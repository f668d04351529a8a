#pragma once
// Report-descriptor parser: turns the descriptor of one HID interface into the parsed data of each of
// its top-level collections (capabilities, button and value capabilities per report type, and the
// field layout that decoding needs). Descriptors come from devices and files and are untrusted:
// anything truncated, unbalanced or beyond the limits below is refused as a whole.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "link/hid_types.h"

// Limits. A report may not exceed hidraw's buffer; a collection may not yield more data items, nor
// longer usage lists, than a real device plausibly has.
constexpr size_t kMaxReportBytes = 16384;
constexpr size_t kMaxDataItems = 4096;
constexpr size_t kMaxNesting = 32;
// Entries of all button items' usage lists of one report type together (each button item's list is
// as long as its page's button slots of the whole collection).
constexpr size_t kMaxUsageListEntries = 65536;

// Usages of one field in order: a single usage, or a range [min, max], each with its page.
struct HidUsageSpan {
    uint16_t page = 0;
    uint16_t min = 0;
    uint16_t max = 0;
    bool isRange = false;
    uint32_t Size() const { return uint32_t(max) - min + 1; }
};

// One data main item (constants are padding and are not kept).
struct HidField {
    HidReportType type = HidReportType::Input;
    uint8_t reportId = 0;
    uint16_t linkCollection = 0;
    uint32_t bitOffset = 0;  // from the first byte after the report id byte
    uint16_t bitSize = 0;
    uint16_t count = 0;
    bool isArray = false;   // slots hold indices into the usages
    bool isButton = false;  // array, or one-bit variable
    int32_t logicalMin = 0;
    int32_t logicalMax = 0;
    int32_t physicalMin = 0;
    int32_t physicalMax = 0;
    std::vector<HidUsageSpan> usages;

    // The usage of a variable slot or an array index (the last usage repeats for further slots);
    // false when there is none.
    bool UsageAt(uint32_t index, uint16_t& page, uint16_t& usage) const;
};

// The parsed data of one top-level collection.
struct HidPreparsedData {
    HidCaps caps;
    bool numberedReports = false;    // the descriptor uses report ids
    std::vector<uint8_t> reportIds;  // ids of this collection's reports, sorted; {0} when unnumbered
    std::vector<HidButtonCaps> buttonCaps[kHidReportTypes];
    std::vector<HidValueCaps> valueCaps[kHidReportTypes];
    std::vector<HidField> fields;

    bool HasReportId(uint8_t id) const;
    // Longest list of pressed usages a report of this type can carry for the page.
    uint32_t MaxUsageListLength(HidReportType type, uint16_t usagePage) const;
};

// Parses a whole descriptor. On success fills one entry per top-level collection in descriptor
// order and returns true; otherwise returns false with a short reason in *error.
bool ParseReportDescriptor(const uint8_t* data, size_t size, std::vector<HidPreparsedData>& collections,
                           std::string* error = nullptr);
