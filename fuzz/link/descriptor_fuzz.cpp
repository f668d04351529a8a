// Feeds arbitrary bytes to the report-descriptor parser and, when a descriptor parses, decodes the
// rest of the input as reports of every collection and type.
// Input: [descriptor length, 2 bytes little-endian][descriptor][report bytes...]
#include <cstddef>
#include <cstdint>

#include "link/hid_channel.h"
#include "link/report_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) {
        return 0;
    }
    size_t descriptorSize = data[0] | (data[1] << 8);
    data += 2;
    size -= 2;
    if (descriptorSize > size) {
        descriptorSize = size;
    }
    std::vector<HidPreparsedData> collections;
    if (!ParseReportDescriptor(data, descriptorSize, collections)) {
        return 0;
    }
    const uint8_t* report = data + descriptorSize;
    const uint32_t reportLength = static_cast<uint32_t>(size - descriptorSize);
    for (const auto& c : collections) {
        for (int t = 0; t < kHidReportTypes; ++t) {
            auto items = BuildDataItems(c, static_cast<HidReportType>(t));
            CHidChannel::UnpackReport(static_cast<HidReportType>(t), report, reportLength, items.data(),
                                      static_cast<uint32_t>(items.size()), &c);
        }
    }
    return 0;
}
