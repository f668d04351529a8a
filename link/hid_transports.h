#pragma once
// The two transports' own parts of listing and opening nodes (used by hid_nodes.cpp only).
#include <string>
#include <vector>

#include "link/hid_nodes.h"

struct RawHidNode {
    HidNode node;          // transport and node; the rest is filled by the Read function
    std::string identity;  // changes whenever the node stands for another device
    std::string source;    // hidraw: the node's sysfs folder; virtual: its identity file
};

bool ListHidrawNodes(const std::string& sysfsRoot, std::vector<RawHidNode>& out);
bool ListVirtualNodes(const std::string& dir, std::vector<RawHidNode>& out);
// Listing only finds nodes and their identities (cheap: no file is read); these read a node's vendor,
// product and interface number into raw.node, and its report descriptor.
bool ReadHidrawNode(RawHidNode& raw, std::vector<uint8_t>& descriptor);
bool ReadVirtualNode(RawHidNode& raw, std::vector<uint8_t>& descriptor);

// Both fill out.fd, the attributes and the raw descriptor (not yet parsed); errno-style error.
bool OpenHidrawNode(const std::string& node, int accessFlags, OpenedHidNode& out,
                    std::vector<uint8_t>& descriptor, int& error);
bool OpenVirtualNode(const std::string& socketPath, OpenedHidNode& out, std::vector<uint8_t>& descriptor,
                     int& error);

// Reads a whole small regular file; false when it cannot be read, is no regular file or exceeds limit
// bytes.
bool ReadSmallFile(const std::string& path, size_t limit, std::string& out);
