#include "link/device_tables.h"

// clang-format off
const ConnectionSlot kMatchTable[kMatchRowCount] = {
    // vendor  product interface collection type role connected usagePage usage hasPartner partner
    {0x320F, 0x5055, 1, 4, 1, 0,   0, 0xFF1C, 0x92, 1, 2, L""},
    {0x320F, 0x5055, 1, 3, 1, 255, 0, 0x000C, 0x01, 1, 3, L""},
    {0,      0,      1, 4, 9, 0,   0, 0xFF1C, 0x92, 1, 0, L""},
    {0,      0,      1, 3, 9, 255, 0, 0x000C, 0x01, 1, 1, L""},
    {0,      0,      1, 4, 2, 0,   0, 0xFF1C, 0x92, 1, 6, L""},
    {0,      0,      1, 3, 2, 255, 0, 0x000C, 0x01, 1, 7, L""},
    {0,      0,      1, 4, 6, 0,   0, 0xFF1C, 0x92, 1, 4, L""},
    {0,      0,      1, 3, 6, 255, 0, 0x000C, 0x01, 1, 5, L""},
    {0,      0,      1, 4, 3, 0,   0, 0xFF1C, 0x92, 0, 0, L""},
    {0,      0,      1, 3, 3, 255, 0, 0x000C, 0x01, 0, 0, L""},
    {0x0C76, 0x1630, 3, 0, 7, 0,   0, 0x000C, 0x01, 0, 0, L""},
};

const DeviceOptionRow kDeviceOptionTable[kOptionRowCount] = {
    {L"XML\\CustomControlXML\\DeviceOption.xml", L"tab_header_device", L"device_power_switch", L"mouse",
     {0, 0, 0}, 1, 0, 0, 2, 0},
    {L"XML\\CustomControlXML\\DeviceOption.xml", L"tab_header_device", L"device_power_switch", L"keyboard",
     {1, 1, -1}, 0, 0x320F, 0x5055, 1, 0},
    {L"XML\\CustomControlXML\\DeviceOption.xml", L"tab_header_device", L"device_power_switch", L"MousePad",
     {2, 2, 1}, 2, 0, 0, 3, 0},
    {L"XML\\CustomControlXML\\DeviceOption.xml", L"tab_header_device", L"device_power_switch", L"HD",
     {3, 3, -1}, 3, 0x0C76, 0x1630, 7, 0},
};

const DeviceLayoutRow kDeviceLayoutTable[kOptionRowCount] = {
    {15,  11,  1, -1, L"XML\\DeviceXml\\mousedevice.xml",    L"velmor_light"},
    {170, 170, 0, -1, L"XML\\DeviceXml\\keyboarddevice.xml", L"velmor_light"},
    {15,  0,   0, -1, L"XML\\DeviceXml\\mousepaddevice.xml", L"velmor_light"},
    {13,  0,   0, -1, L"XML\\DeviceXml\\hs6533device.xml",   L"velmor_light"},
};

const ModelRow kModelTable[kModelRowCount] = {
    {{1, 1, 0}, L"VELMOR", L"NOVAM",   L"MS",  L"MS",  L""},
    {{1, 1, 0}, L"VELMOR", L"NOVAK",   L"KB",  L"KB",  L""},
    {{2, 1, 0}, L"VELMOR", L"NOVAP_1", L"KXR", L"KXR", L""},
    {{0, 1, 0}, L"VELMOR", L"ALL",     L"KB",  L"AP",  L"V1.0.0.0"},
};
// clang-format on

int FindMatchRow(uint16_t vendor, uint16_t product, uint16_t type, uint16_t role) {
    for (size_t i = 0; i < kMatchRowCount; ++i) {
        const auto& r = kMatchTable[i];
        if (r.vendor == vendor && r.product == product && r.type == type && r.role == role) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int FindOptionRow(int32_t vendor, int32_t product, int32_t type, int32_t subtype) {
    for (size_t i = 0; i < kOptionRowCount; ++i) {
        const auto& r = kDeviceOptionTable[i];
        if (r.vendor == vendor && r.product == product && r.selectorType == type &&
            r.selectorSubtype == subtype) {
            return static_cast<int>(i);
        }
    }
    return -1;
}
