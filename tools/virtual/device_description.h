#pragma once
// One declarative description per virtual device: identity, report descriptor, the report ids the
// firmware uses, the sizes of its memory areas and its factory contents. px300-virtual serves these
// and the tests read the same table, so a device is written down exactly once.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/command_link.h"
#include "link/command_packet.h"

// The memories a device exposes to the command protocol (and to "dump").
enum class MemoryArea { Info, Settings, KeyTable, Extra, Macro, Shoot, Status, Light, Mask };
constexpr size_t kMemoryAreaCount = 9;

constexpr size_t kInfoKeyCountByte = 5;
constexpr size_t kInfoMacroUnitsByte = 6;
constexpr size_t kMacroUnitBytes = 128;

struct VirtualDeviceDescription {
    std::string word;  // the DEVICE word of the command line
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint16_t interfaceNumber = 0;
    std::vector<uint8_t> descriptor;  // the interface's report descriptor

    uint8_t commandReportId = 0;  // 64-byte command reports; 0: the device has no command protocol
    uint8_t eventReportId = 0;    // input report carrying one 16-bit consumer usage; 0: none
    bool receiver = false;        // reached through the 2.4 GHz receiver
    std::string cableWord;        // receivers: the word of the same device on its cable

    size_t settingsSize = 0;
    size_t shootSize = 0;
    size_t lights = 0;                     // light positions, 3 bytes each in a light frame
    std::vector<uint8_t> info;             // information block, kDeviceInfoSize bytes
    std::vector<uint8_t> factorySettings;  // start of the settings memory; the rest is a pattern
    std::vector<uint8_t> factoryKeys;      // key table, 3 bytes per key
    std::vector<uint8_t> factoryStatus;    // status bytes
};

// Every device this build serves, in the order of the usage text.
const std::vector<VirtualDeviceDescription>& VirtualDevices();
// nullptr for an unknown word.
const VirtualDeviceDescription* FindVirtualDevice(std::string_view word);

size_t KeyCount(const VirtualDeviceDescription& device);
// Bytes of an area; 0 when the device does not have it.
size_t AreaSize(const VirtualDeviceDescription& device, MemoryArea area);

const char* AreaName(MemoryArea area);
// False for a name that is no area.
bool ParseAreaName(std::string_view name, MemoryArea& out);

// The memories of a device as it leaves the factory: every area at its size, with the description's
// contents; settings beyond the factory bytes and the key extra table hold a non-zero pattern so that a
// read is never mistaken for zeros.
using DeviceMemory = std::array<std::vector<uint8_t>, kMemoryAreaCount>;
DeviceMemory FactoryMemory(const VirtualDeviceDescription& device);
