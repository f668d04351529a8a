#pragma once
// The HID nodes of the two transports behind CHidChannel: hidraw device nodes (found through sysfs)
// and the sockets of px300-virtual. One node is one HID interface; it carries one or more top-level
// collections.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/report_descriptor.h"

struct HidNode {
    std::wstring transport;  // L"hidraw" or L"virtual"
    std::wstring node;       // device node or socket path
    uint16_t vendor = 0;
    uint16_t product = 0;
    std::optional<uint16_t> interfaceNumber;  // USB interfaces only
    struct Collection {
        uint16_t usagePage = 0;
        uint16_t usage = 0;
    };
    std::vector<Collection> collections;  // top-level collections of its report descriptor
};

// The interface path of the node's top-level collection at index (0-based); the collection part
// appears only when the node has several.
std::wstring CollectionPath(const HidNode& node, size_t index);
// The collection number that path carries for it: index + 1, or 0 when the node has one collection.
uint16_t CollectionNumberOf(const HidNode& node, size_t index);

// The root that "/sys/class/hidraw" is looked up below; "" is the real one. Tests point it at a
// fake tree.
void SetHidSysfsRoot(std::string root);

// Lists the nodes of both transports (hidraw by number, then virtual by name). A node whose identity
// or descriptor cannot be read or parsed is left out. A node's descriptor is read and parsed once
// and cached by the node's identity, so listing an unchanged system reads no descriptor.
// False when a transport's directory exists but cannot be read.
bool ListHidNodes(std::vector<HidNode>& nodes);

// An opened node: the descriptor to read (file descriptor), the interface's attributes and its
// parsed top-level collections.
struct OpenedHidNode {
    int fd = -1;
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint16_t version = 0;
    std::vector<HidPreparsedData> collections;
};

// Opens a node for report I/O (non-blocking; the caller polls). read/write select the access;
// with neither the node is only checked for presence. Returns false and leaves nothing open when the
// node cannot be opened or its descriptor is unusable; *accessDenied tells a permission refusal.
bool OpenHidNode(const std::wstring& transport, const std::wstring& node, bool read, bool write,
                 OpenedHidNode& out, bool* accessDenied = nullptr);

// Whether a node is still present (the liveness check): no descriptor is read.
bool HidNodePresent(const std::wstring& transport, const std::wstring& node);
