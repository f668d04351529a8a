#include "link/report_decode.h"

namespace {

// Bits [offset, offset + size) of the report body (after the id byte), least significant first.
bool ReadBits(const uint8_t* report, uint32_t reportLength, uint32_t offset, uint32_t size, uint32_t& out) {
    const uint64_t endBit = uint64_t(offset) + size;
    if (reportLength == 0 || (endBit + 7) / 8 > reportLength - 1) {
        return false;
    }
    const uint8_t* body = report + 1;
    uint32_t value = 0;
    for (uint32_t i = 0; i < size; ++i) {
        const uint32_t bit = offset + i;
        if (body[bit / 8] & (1u << (bit % 8))) {
            value |= 1u << i;
        }
    }
    out = value;
    return true;
}

int32_t SignExtend(uint32_t raw, uint16_t bits) {
    if (bits >= 32) {
        return static_cast<int32_t>(raw);
    }
    const uint32_t sign = 1u << (bits - 1);
    return static_cast<int32_t>((raw ^ sign) - sign);
}

// The value field and slot that hold a usage, for the report id in the report's first byte.
const HidField* FindValueSlot(HidReportType type, uint16_t page, uint16_t usage, const HidPreparsedData& data,
                              uint8_t reportId, uint32_t& slot) {
    for (const auto& f : data.fields) {
        if (f.type != type || f.isButton || f.reportId != reportId) {
            continue;
        }
        uint32_t index = 0;
        for (const auto& span : f.usages) {
            if (span.page == page && usage >= span.min && usage <= span.max &&
                index + (usage - span.min) < f.count) {
                slot = index + (usage - span.min);
                return &f;
            }
            index += span.Size();
        }
    }
    return nullptr;
}

}  // namespace

HidStatus HidGetUsages(HidReportType type, uint16_t usagePage, uint16_t* usages, uint32_t* length,
                       const HidPreparsedData& data, const uint8_t* report, uint32_t reportLength) {
    const uint32_t capacity = *length;
    uint32_t found = 0;
    HidStatus status = HIDP_STATUS_SUCCESS;
    if (reportLength == 0) {
        *length = 0;
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    }
    for (const auto& f : data.fields) {
        if (f.type != type || !f.isButton || f.reportId != report[0]) {
            continue;
        }
        for (uint32_t slot = 0; slot < f.count; ++slot) {
            uint32_t raw = 0;
            if (!ReadBits(report, reportLength, f.bitOffset + slot * f.bitSize, f.bitSize, raw)) {
                *length = found;
                return HIDP_STATUS_INVALID_REPORT_LENGTH;
            }
            uint16_t page = 0, usage = 0;
            if (f.isArray) {
                const int64_t logical = f.logicalMin < 0 ? SignExtend(raw, f.bitSize) : int64_t(raw);
                if (logical < f.logicalMin || logical > f.logicalMax ||
                    !f.UsageAt(static_cast<uint32_t>(logical - f.logicalMin), page, usage) || usage == 0) {
                    continue;
                }
            } else if (raw == 0 || !f.UsageAt(slot, page, usage)) {
                continue;
            }
            if (page != usagePage) {
                continue;
            }
            if (found < capacity) {
                usages[found] = usage;
            } else {
                status = HIDP_STATUS_BUFFER_TOO_SMALL;
            }
            ++found;
        }
    }
    *length = found < capacity ? found : capacity;
    return status;
}

namespace {
// The raw bits of a value usage and the field they belong to.
HidStatus ReadValue(HidReportType type, uint16_t usagePage, uint16_t usage, const HidPreparsedData& data,
                    const uint8_t* report, uint32_t reportLength, const HidField*& field, uint32_t& raw) {
    if (reportLength == 0) {
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    }
    uint32_t slot = 0;
    field = FindValueSlot(type, usagePage, usage, data, report[0], slot);
    if (field == nullptr) {
        return HIDP_STATUS_USAGE_NOT_FOUND;
    }
    if (!ReadBits(report, reportLength, field->bitOffset + slot * field->bitSize, field->bitSize, raw)) {
        return HIDP_STATUS_INVALID_REPORT_LENGTH;
    }
    return HIDP_STATUS_SUCCESS;
}
}  // namespace

HidStatus HidGetUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, uint32_t* value,
                           const HidPreparsedData& data, const uint8_t* report, uint32_t reportLength) {
    const HidField* f = nullptr;
    return ReadValue(type, usagePage, usage, data, report, reportLength, f, *value);
}

HidStatus HidGetScaledUsageValue(HidReportType type, uint16_t usagePage, uint16_t usage, int32_t* value,
                                 const HidPreparsedData& data, const uint8_t* report, uint32_t reportLength) {
    const HidField* f = nullptr;
    uint32_t raw = 0;
    if (const HidStatus status = ReadValue(type, usagePage, usage, data, report, reportLength, f, raw);
        status != HIDP_STATUS_SUCCESS) {
        return status;
    }
    const int64_t logical = f->logicalMin < 0 ? SignExtend(raw, f->bitSize) : int64_t(raw);
    if (logical < f->logicalMin || logical > f->logicalMax) {
        *value = 0;
        return HIDP_STATUS_VALUE_OUT_OF_RANGE;
    }
    if (f->physicalMin == 0 && f->physicalMax == 0) {
        *value = static_cast<int32_t>(logical);
        return HIDP_STATUS_SUCCESS;
    }
    if (f->logicalMax <= f->logicalMin || f->physicalMax <= f->physicalMin) {
        return HIDP_STATUS_BAD_LOG_PHY_VALUES;
    }
    // Both factors are below 2^32, so their product fits in 64 unsigned bits (not in 63 signed ones).
    const auto span = static_cast<uint64_t>(int64_t(f->logicalMax) - f->logicalMin);
    const auto offset = static_cast<uint64_t>(logical - f->logicalMin);
    const auto physicalSpan = static_cast<uint64_t>(int64_t(f->physicalMax) - f->physicalMin);
    *value = static_cast<int32_t>(static_cast<int64_t>(offset * physicalSpan / span) + f->physicalMin);
    return HIDP_STATUS_SUCCESS;
}

std::vector<HidDataItem> BuildDataItems(const HidPreparsedData& data, HidReportType type) {
    const int t = static_cast<int>(type);
    std::vector<HidDataItem> items;
    for (const auto& c : data.buttonCaps[t]) {
        HidDataItem item;
        item.isButton = true;
        item.usagePage = c.usagePage;
        item.reportId = c.reportId;
        item.usageMin = c.usageMin;
        item.usageMax = c.isRange ? c.usageMax : c.usageMin;
        item.usageListCapacity = data.MaxUsageListLength(type, c.usagePage);
        item.usageList.assign(item.usageListCapacity, 0);
        items.push_back(std::move(item));
    }
    for (const auto& c : data.valueCaps[t]) {
        const uint16_t last = c.isRange ? c.usageMax : c.usageMin;
        for (uint32_t u = c.usageMin; u <= last; ++u) {
            HidDataItem item;
            item.usagePage = c.usagePage;
            item.reportId = c.reportId;
            item.usage = static_cast<uint16_t>(u);
            items.push_back(std::move(item));
        }
    }
    return items;
}
