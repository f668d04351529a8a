#pragma once
// The supported devices: interface match table, device option table, device layout table and model
// table, and the connection slot type the main window keeps one of per match row.
#include <cstddef>
#include <cstdint>
#include <string>

// Device type codes.
enum DeviceType : uint16_t {
    DEVICE_KEYBOARD = 1,
    DEVICE_MOUSE = 2,
    DEVICE_MOUSEPAD = 3,
    DEVICE_MOUSE_RECEIVER = 6,
    DEVICE_HEADSET = 7,
    DEVICE_KEYBOARD_RECEIVER = 9,
};

// Roles: the main collection carries the command protocol; the auxiliary one is its consumer control.
constexpr uint16_t ROLE_MAIN = 0;
constexpr uint16_t ROLE_AUXILIARY = 255;

// A connection slot, also used as a device identity. Equality compares vendor, product, interface,
// collection, type, role, usage page and usage.
struct ConnectionSlot {
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint16_t interfaceNumber = 0;
    uint16_t collection = 0;
    uint16_t type = 0;
    uint16_t role = 0;
    uint16_t connected = 0;
    uint16_t usagePage = 0;
    uint16_t usage = 0;
    uint16_t hasPartner = 0;
    uint16_t partner = 0;
    std::wstring path;

    bool IsFree() const { return connected == 0 && path.empty(); }
    bool operator==(const ConnectionSlot& o) const {
        return vendor == o.vendor && product == o.product && interfaceNumber == o.interfaceNumber &&
               collection == o.collection && type == o.type && role == o.role && usagePage == o.usagePage &&
               usage == o.usage;
    }
    // The six values an interface shows before its type and role are known.
    bool SameInterface(const ConnectionSlot& o) const {
        return vendor == o.vendor && product == o.product && interfaceNumber == o.interfaceNumber &&
               collection == o.collection && usagePage == o.usagePage && usage == o.usage;
    }
};
using DeviceIdentity = ConnectionSlot;

struct DeviceOptionRow {
    const wchar_t* itemLayoutFile;
    const wchar_t* groupName;
    const wchar_t* powerSwitchLayout;
    const wchar_t* kindName;
    int32_t reportValues[3];
    int32_t defaultsIndex;
    int32_t vendor;
    int32_t product;
    int32_t selectorType;
    int32_t selectorSubtype;
};

struct DeviceLayoutRow {
    int32_t lightCount;
    int32_t keyCount;
    int32_t statusFlag;
    int32_t kindValue;
    const wchar_t* layoutFile;
    const wchar_t* lightingLayout;
};

struct ModelRow {
    int32_t numbers[3];
    const wchar_t* vendor;
    const wchar_t* model;
    const wchar_t* type;
    const wchar_t* type2;
    const wchar_t* version;
};

constexpr size_t kMatchRowCount = 11;
constexpr size_t kOptionRowCount = 4;
constexpr size_t kModelRowCount = 4;

extern const ConnectionSlot kMatchTable[kMatchRowCount];
extern const DeviceOptionRow kDeviceOptionTable[kOptionRowCount];
extern const DeviceLayoutRow kDeviceLayoutTable[kOptionRowCount];
extern const ModelRow kModelTable[kModelRowCount];

// Row index in the match table, or -1.
int FindMatchRow(uint16_t vendor, uint16_t product, uint16_t type, uint16_t role);
// Row index in the device option table (its last four numbers are the key), or -1.
int FindOptionRow(int32_t vendor, int32_t product, int32_t type, int32_t subtype);
