// The virtual devices. Information block bytes: 0-1 firmware version (minor, major), 2 device type
// code, 3 on-board profiles, 4 light positions, 5 key count, 6 macro capacity in 128-byte units,
// 9-10 sensor id, 11 DPI step, 12-13 sensor steps, 14-15 DPI base (mouse only; 16-bit little-endian).
#include "tools/virtual/device_description.h"
#include "tools/virtual/report_descriptors.h"

namespace {
constexpr uint8_t kConsumerReportId = 3;

struct MouseScale {
    uint16_t sensor = 0;
    uint8_t step = 0;
    uint16_t steps = 0;
    uint16_t base = 0;
};

std::vector<uint8_t> InfoBlock(uint8_t typeCode, uint8_t lights, uint8_t keys, uint8_t macroUnits,
                               MouseScale scale = {}) {
    std::vector<uint8_t> info(kDeviceInfoSize, 0);
    info[0] = 0x07;
    info[1] = 0x01;
    info[2] = typeCode;
    info[3] = 1;
    info[4] = lights;
    info[kInfoKeyCountByte] = keys;
    info[kInfoMacroUnitsByte] = macroUnits;
    info[9] = scale.sensor & 0xFF;
    info[10] = scale.sensor >> 8;
    info[11] = scale.step;
    info[12] = scale.steps & 0xFF;
    info[13] = scale.steps >> 8;
    info[14] = scale.base & 0xFF;
    info[15] = scale.base >> 8;
    return info;
}

// System control, keyboard, consumer and vendor command collections: the vendor collection is the
// fourth and the consumer collection the third, where discovery looks for them.
DescriptorBytes KeyboardInterface() {
    return JoinCollections({SystemControlCollection(1), KeyboardCollection(2),
                            ConsumerCollection(kConsumerReportId),
                            VendorCommandCollection(kCommandReportId)});
}

// Every key types a letter, digit or other key of the Keyboard page in turn: position i sends
// usage 4 + i with no modifier.
std::vector<uint8_t> KeyboardFactoryKeys(uint8_t keys) {
    std::vector<uint8_t> table;
    for (uint8_t i = 0; i < keys; ++i) {
        table.insert(table.end(), {0x20, 0x00, static_cast<uint8_t>(0x04 + i)});
    }
    return table;
}

VirtualDeviceDescription Keyboard() {
    constexpr uint8_t kKeys = 170;  // 510 bytes of key table, within the 512 the link moves
    VirtualDeviceDescription d;
    d.word = "keyboard";
    d.vendor = 0x320F;
    d.product = 0x5055;
    d.interfaceNumber = 1;
    d.descriptor = KeyboardInterface();
    d.commandReportId = kCommandReportId;
    d.eventReportId = kConsumerReportId;
    d.settingsSize = 4096;
    d.shootSize = 4096;
    d.lights = kKeys;
    d.info = InfoBlock(1, kKeys, kKeys, 32);
    // Profile number 0, then profile 0's block: mode code 1, brightness 4, speed 2 (stored 4 - 2),
    // multi-colour, red; polling rate index 3.
    d.factorySettings = {0, 1, 4, 2, 0, 1, 0xFF, 0x00, 0x00, 0, 0, 0, 0,
                         0, 0, 0, 0, 0, 0, 0,    0,    0,    3, 0, 0, 0};
    d.factoryKeys = KeyboardFactoryKeys(kKeys);
    d.factoryStatus = std::vector<uint8_t>(16, 0);
    d.factoryStatus[0] = 100;
    return d;
}

// The same device seen through its 2.4 GHz receiver, which reports vendor and product 0.
VirtualDeviceDescription ThroughReceiver(VirtualDeviceDescription cable, uint8_t typeCode) {
    cable.cableWord = cable.word;
    cable.word += "-receiver";
    cable.vendor = 0;
    cable.product = 0;
    cable.receiver = true;
    cable.info[2] = typeCode;
    return cable;
}

std::vector<VirtualDeviceDescription> MakeDevices() {
    const VirtualDeviceDescription keyboard = Keyboard();
    return {keyboard, ThroughReceiver(keyboard, 9)};
}
}  // namespace

const std::vector<VirtualDeviceDescription>& VirtualDevices() {
    static const std::vector<VirtualDeviceDescription> devices = MakeDevices();
    return devices;
}
