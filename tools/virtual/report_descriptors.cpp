#include "tools/virtual/report_descriptors.h"

// The descriptors keep one item per line with its meaning beside it.
// clang-format off
namespace {
constexpr uint8_t kEndCollection = 0xC0;

// Report ID, then a single 16-bit array field whose value is the consumer usage itself
// (logical 0..0xFFFF needs the 4-byte form: the 2-byte 0xFFFF would read as -1).
DescriptorBytes ConsumerUsageInput(uint8_t reportId) {
    return {0x85, reportId,                // Report ID
            0x19, 0x00,                    // Usage Minimum (0)
            0x2A, 0xFF, 0xFF,              // Usage Maximum (0xFFFF)
            0x15, 0x00,                    // Logical Minimum (0)
            0x27, 0xFF, 0xFF, 0x00, 0x00,  // Logical Maximum (0xFFFF)
            0x75, 0x10,                    // Report Size (16)
            0x95, 0x01,                    // Report Count (1)
            0x81, 0x00};                   // Input (Data, Array, Absolute)
}

DescriptorBytes Append(DescriptorBytes head, const DescriptorBytes& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}
}  // namespace

DescriptorBytes SystemControlCollection(uint8_t reportId) {
    return {0x05, 0x01,      // Usage Page (Generic Desktop)
            0x09, 0x80,      // Usage (System Control)
            0xA1, 0x01,      // Collection (Application)
            0x85, reportId,  //   Report ID
            0x19, 0x81,      //   Usage Minimum (System Power Down)
            0x29, 0x83,      //   Usage Maximum (System Wake Up)
            0x15, 0x00,      //   Logical Minimum (0)
            0x25, 0x01,      //   Logical Maximum (1)
            0x75, 0x01,      //   Report Size (1)
            0x95, 0x03,      //   Report Count (3)
            0x81, 0x02,      //   Input (Data, Variable, Absolute)
            0x95, 0x05,      //   Report Count (5)
            0x81, 0x01,      //   Input (Constant)
            kEndCollection};
}

DescriptorBytes KeyboardCollection(uint8_t reportId) {
    return {0x05, 0x01,      // Usage Page (Generic Desktop)
            0x09, 0x06,      // Usage (Keyboard)
            0xA1, 0x01,      // Collection (Application)
            0x85, reportId,  //   Report ID
            0x05, 0x07,      //   Usage Page (Keyboard/Keypad)
            0x19, 0xE0,      //   Usage Minimum (Left Control)
            0x29, 0xE7,      //   Usage Maximum (Right GUI)
            0x15, 0x00,      //   Logical Minimum (0)
            0x25, 0x01,      //   Logical Maximum (1)
            0x75, 0x01,      //   Report Size (1)
            0x95, 0x08,      //   Report Count (8)
            0x81, 0x02,      //   Input (Data, Variable, Absolute)
            0x19, 0x00,      //   Usage Minimum (0)
            0x29, 0x77,      //   Usage Maximum (0x77)
            0x95, 0x78,      //   Report Count (120)
            0x81, 0x02,      //   Input (Data, Variable, Absolute)
            0x05, 0x08,      //   Usage Page (LEDs)
            0x19, 0x01,      //   Usage Minimum (Num Lock)
            0x29, 0x05,      //   Usage Maximum (Kana)
            0x95, 0x05,      //   Report Count (5)
            0x91, 0x02,      //   Output (Data, Variable, Absolute)
            0x95, 0x03,      //   Report Count (3)
            0x91, 0x01,      //   Output (Constant)
            kEndCollection};
}

DescriptorBytes MouseCollection(uint8_t reportId) {
    return {0x05, 0x01,        // Usage Page (Generic Desktop)
            0x09, 0x02,        // Usage (Mouse)
            0xA1, 0x01,        // Collection (Application)
            0x85, reportId,    //   Report ID
            0x09, 0x01,        //   Usage (Pointer)
            0xA1, 0x00,        //   Collection (Physical)
            0x05, 0x09,        //     Usage Page (Button)
            0x19, 0x01,        //     Usage Minimum (1)
            0x29, 0x05,        //     Usage Maximum (5)
            0x15, 0x00,        //     Logical Minimum (0)
            0x25, 0x01,        //     Logical Maximum (1)
            0x75, 0x01,        //     Report Size (1)
            0x95, 0x05,        //     Report Count (5)
            0x81, 0x02,        //     Input (Data, Variable, Absolute)
            0x95, 0x03,        //     Report Count (3)
            0x81, 0x01,        //     Input (Constant)
            0x05, 0x01,        //     Usage Page (Generic Desktop)
            0x09, 0x30,        //     Usage (X)
            0x09, 0x31,        //     Usage (Y)
            0x16, 0x01, 0x80,  //     Logical Minimum (-32767)
            0x26, 0xFF, 0x7F,  //     Logical Maximum (32767)
            0x75, 0x10,        //     Report Size (16)
            0x95, 0x02,        //     Report Count (2)
            0x81, 0x06,        //     Input (Data, Variable, Relative)
            0x09, 0x38,        //     Usage (Wheel)
            0x15, 0x81,        //     Logical Minimum (-127)
            0x25, 0x7F,        //     Logical Maximum (127)
            0x75, 0x08,        //     Report Size (8)
            0x95, 0x01,        //     Report Count (1)
            0x81, 0x06,        //     Input (Data, Variable, Relative)
            kEndCollection,    //   End Collection
            kEndCollection};
}

DescriptorBytes ConsumerCollection(uint8_t reportId) {
    DescriptorBytes head = {0x05, 0x0C,   // Usage Page (Consumer)
                            0x09, 0x01,   // Usage (Consumer Control)
                            0xA1, 0x01};  // Collection (Application)
    return Append(Append(std::move(head), ConsumerUsageInput(reportId)), {kEndCollection});
}

DescriptorBytes VendorCommandCollection(uint8_t reportId) {
    return {0x06, 0x1C, 0xFF,  // Usage Page (0xFF1C)
            0x09, 0x92,        // Usage (0x92)
            0xA1, 0x01,        // Collection (Application)
            0x85, reportId,    //   Report ID
            0x09, 0x01,        //   Usage (1)
            0x15, 0x00,        //   Logical Minimum (0)
            0x26, 0xFF, 0x00,  //   Logical Maximum (255)
            0x75, 0x08,        //   Report Size (8)
            0x95, 0x3F,        //   Report Count (63)
            0x81, 0x02,        //   Input (Data, Variable, Absolute)
            0x09, 0x02,        //   Usage (2)
            0x91, 0x02,        //   Output (Data, Variable, Absolute)
            kEndCollection};
}

DescriptorBytes HeadsetCollection(uint8_t eventReportId, uint8_t lightReportId) {
    DescriptorBytes head = {0x05, 0x0C,                  // Usage Page (Consumer)
                            0x09, 0x01,                  // Usage (Consumer Control)
                            0xA1, 0x01};                 // Collection (Application)
    const DescriptorBytes light = {0x85, lightReportId,  // Report ID
                                   0x06, 0x00, 0xFF,     // Usage Page (0xFF00)
                                   0x09, 0x01,           // Usage (1)
                                   0x15, 0x00,           // Logical Minimum (0)
                                   0x26, 0xFF, 0x00,     // Logical Maximum (255)
                                   0x75, 0x08,           // Report Size (8)
                                   0x95, 0x10,           // Report Count (16)
                                   0x91, 0x02,           // Output (Data, Variable, Absolute)
                                   kEndCollection};
    return Append(Append(std::move(head), ConsumerUsageInput(eventReportId)), light);
}

DescriptorBytes JoinCollections(std::initializer_list<DescriptorBytes> collections) {
    DescriptorBytes all;
    for (const DescriptorBytes& c : collections) {
        all.insert(all.end(), c.begin(), c.end());
    }
    return all;
}
// clang-format on
