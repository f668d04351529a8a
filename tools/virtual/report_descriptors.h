#pragma once
// Report descriptor pieces the virtual devices are built from, byte for byte. Each function returns
// one complete top-level collection; a device's descriptor is its collections in order.
#include <cstdint>
#include <initializer_list>
#include <vector>

using DescriptorBytes = std::vector<uint8_t>;

// Generic Desktop System Control: power down, sleep, wake up as three bits.
DescriptorBytes SystemControlCollection(uint8_t reportId);
// Generic Desktop Keyboard: modifier byte and a 120-key bitmap in, five LEDs out.
DescriptorBytes KeyboardCollection(uint8_t reportId);
// Generic Desktop Mouse: five buttons, 16-bit X and Y, 8-bit wheel.
DescriptorBytes MouseCollection(uint8_t reportId);
// Consumer Control whose input report carries one 16-bit consumer usage (0 = none).
DescriptorBytes ConsumerCollection(uint8_t reportId);
// Vendor page 0xFF1C usage 0x92: 63-byte input and output reports, the command protocol.
DescriptorBytes VendorCommandCollection(uint8_t reportId);
// Consumer Control of the headset: the 16-bit usage input report and a 16-byte vendor output report
// that carries the light registers.
DescriptorBytes HeadsetCollection(uint8_t eventReportId, uint8_t lightReportId);

DescriptorBytes JoinCollections(std::initializer_list<DescriptorBytes> collections);
