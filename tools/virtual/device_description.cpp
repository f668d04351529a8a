#include "tools/virtual/device_description.h"

#include <algorithm>

namespace {
constexpr std::array<const char*, kMemoryAreaCount> kAreaNames = {
    "info", "settings", "keytable", "extra", "macro", "shoot", "status", "light", "mask"};

size_t Index(MemoryArea area) {
    return static_cast<size_t>(area);
}
}  // namespace

const VirtualDeviceDescription* FindVirtualDevice(std::string_view word) {
    for (const VirtualDeviceDescription& device : VirtualDevices()) {
        if (device.word == word) {
            return &device;
        }
    }
    return nullptr;
}

size_t KeyCount(const VirtualDeviceDescription& device) {
    return device.info.size() > kInfoKeyCountByte ? device.info[kInfoKeyCountByte] : 0;
}

size_t AreaSize(const VirtualDeviceDescription& device, MemoryArea area) {
    switch (area) {
        case MemoryArea::Info:
            return device.info.size();
        case MemoryArea::Settings:
            return device.settingsSize;
        case MemoryArea::KeyTable:
            return device.factoryKeys.size();
        case MemoryArea::Extra:
            return KeyCount(device);
        case MemoryArea::Macro:
            return device.info.size() > kInfoMacroUnitsByte
                       ? kMacroUnitBytes * device.info[kInfoMacroUnitsByte]
                       : 0;
        case MemoryArea::Shoot:
            return device.shootSize;
        case MemoryArea::Status:
            return device.factoryStatus.size();
        case MemoryArea::Light:
            return 3 * device.lights;
        case MemoryArea::Mask:
            return 3 * KeyCount(device);
    }
    return 0;
}

const char* AreaName(MemoryArea area) {
    return kAreaNames[Index(area)];
}

bool ParseAreaName(std::string_view name, MemoryArea& out) {
    const auto it = std::find(kAreaNames.begin(), kAreaNames.end(), name);
    if (it == kAreaNames.end()) {
        return false;
    }
    out = static_cast<MemoryArea>(it - kAreaNames.begin());
    return true;
}

DeviceMemory FactoryMemory(const VirtualDeviceDescription& device) {
    DeviceMemory memory;
    for (size_t i = 0; i < kMemoryAreaCount; ++i) {
        memory[i].assign(AreaSize(device, static_cast<MemoryArea>(i)), 0);
    }
    auto place = [&memory](MemoryArea area, const std::vector<uint8_t>& bytes) {
        std::vector<uint8_t>& target = memory[Index(area)];
        std::copy_n(bytes.begin(), std::min(bytes.size(), target.size()), target.begin());
    };
    // A period of 251 (prime) never lines up with the 24- and 56-byte chunks, so a chunk read at the
    // wrong offset shows.
    std::vector<uint8_t>& settings = memory[Index(MemoryArea::Settings)];
    for (size_t i = 0; i < settings.size(); ++i) {
        settings[i] = static_cast<uint8_t>(1 + i % 251);
    }
    std::vector<uint8_t>& extra = memory[Index(MemoryArea::Extra)];
    for (size_t i = 0; i < extra.size(); ++i) {
        extra[i] = static_cast<uint8_t>(1 + i % 255);
    }
    place(MemoryArea::Info, device.info);
    place(MemoryArea::Settings, device.factorySettings);
    place(MemoryArea::KeyTable, device.factoryKeys);
    place(MemoryArea::Status, device.factoryStatus);
    return memory;
}
