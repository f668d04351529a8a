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

DescriptorBytes MouseInterface() {
    return JoinCollections({MouseCollection(1), KeyboardCollection(2), ConsumerCollection(kConsumerReportId),
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

// What every device with the command protocol shares; the light count comes from the information
// block.
VirtualDeviceDescription CommandDevice(const char* word, DescriptorBytes descriptor,
                                       std::vector<uint8_t> info) {
    VirtualDeviceDescription d;
    d.word = word;
    d.interfaceNumber = 1;
    d.descriptor = std::move(descriptor);
    d.commandReportId = kCommandReportId;
    d.eventReportId = kConsumerReportId;
    d.settingsSize = 4096;
    d.lights = info[4];
    d.info = std::move(info);
    d.factoryStatus = std::vector<uint8_t>(16, 0);
    return d;
}

VirtualDeviceDescription Keyboard() {
    constexpr uint8_t kKeys = 170;  // 510 bytes of key table, within the 512 the link moves
    VirtualDeviceDescription d =
        CommandDevice("keyboard", KeyboardInterface(), InfoBlock(1, kKeys, kKeys, 32));
    d.vendor = 0x320F;
    d.product = 0x5055;
    d.shootSize = 4096;
    // Profile number 0, then profile 0's block: mode code 1, brightness 4, speed 2 (stored 4 - 2),
    // multi-colour, red; polling rate index 3.
    // clang-format off
    d.factorySettings = {0, 1, 4, 2, 0, 1, 0xFF, 0x00, 0x00,
                         0, 0, 0, 0, 0, 0, 0, 0, 0,
                         0, 0, 0, 0, 3, 0, 0, 0};
    // clang-format on
    d.factoryKeys = KeyboardFactoryKeys(kKeys);
    d.factoryStatus[0] = 100;
    return d;
}

VirtualDeviceDescription Mouse() {
    // 50 DPI per step from 50 DPI: 520 steps reach 26050 DPI.
    VirtualDeviceDescription d =
        CommandDevice("mouse", MouseInterface(), InfoBlock(2, 15, 11, 32, MouseScale{0x3389, 50, 520, 50}));
    d.shootSize = 4096;
    // Profile 0's block: light mode 1, brightness 4, speed 2, multi-colour, red; report rate 3,
    // stage 1 current; five stages of 800, 1600, 3200, 6400, 12800 DPI in sensor steps with their
    // colours; byte 59 = 1; screen 1920 x 1080.
    // clang-format off
    d.factorySettings = {0, 1, 4, 2, 0, 1, 0xFF, 0x00, 0x00, 0, 0, 3, 1, 0,
                         1, 0, 15,  0, 15,  0, 0xFF, 0x00, 0x00,
                         1, 0, 31,  0, 31,  0, 0x00, 0xFF, 0x00,
                         1, 0, 63,  0, 63,  0, 0x00, 0x00, 0xFF,
                         1, 0, 127, 0, 127, 0, 0xFF, 0xFF, 0x00,
                         1, 0, 255, 0, 255, 0, 0xFF, 0x00, 0xFF,
                         1, 0x80, 0x07, 0x38, 0x04, 0, 0, 0, 0, 0, 0, 0};
    // clang-format on
    // The factory codes that identify the eleven buttons: left, right, middle, forward, back,
    // DPI up, down, cycle, game mode, DPI shift 400, fire (interval 120, two shots).
    // clang-format off
    d.factoryKeys = {16, 1, 0,   16, 2, 0,    16, 4, 0,    16, 16, 0,  16, 8, 0,
                     19, 1, 0,   19, 2, 0,    19, 3, 0,
                     160, 27, 0, 22, 144, 1,  20, 120, 2};
    // clang-format on
    d.factoryStatus[0] = 85;
    return d;
}

VirtualDeviceDescription MousePad() {
    VirtualDeviceDescription d = CommandDevice("mousepad", KeyboardInterface(), InfoBlock(3, 15, 0, 0));
    // Profile 0, light mode 1, brightness 4, speed 2, multi-colour, red.
    d.factorySettings = {0, 1, 4, 2, 0, 1, 0xFF, 0x00, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    // Full charge, charging, an iPhone on the pad.
    d.factoryStatus[0] = 100;
    d.factoryStatus[1] = 1;
    d.factoryStatus[5] = 1;
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

// The headset's audio chip: one consumer collection with the volume-key report and the light output
// report (report id 0xFF, 16 bytes of selector, register and data). No command protocol.
VirtualDeviceDescription Headset() {
    VirtualDeviceDescription d;
    d.word = "headset";
    d.vendor = 0x0C76;
    d.product = 0x1630;
    d.interfaceNumber = 3;
    d.descriptor = HeadsetCollection(1, 0xFF);
    d.eventReportId = 1;
    return d;
}

std::vector<VirtualDeviceDescription> MakeDevices() {
    const VirtualDeviceDescription keyboard = Keyboard();
    const VirtualDeviceDescription mouse = Mouse();
    return {keyboard, ThroughReceiver(keyboard, 9), mouse, ThroughReceiver(mouse, 6), MousePad(), Headset()};
}
}  // namespace

const std::vector<VirtualDeviceDescription>& VirtualDevices() {
    static const std::vector<VirtualDeviceDescription> devices = MakeDevices();
    return devices;
}
