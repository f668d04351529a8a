#pragma once
// The two transports' own parts of listing and opening nodes (used by hid_nodes.cpp only).
#include <string>
#include <vector>

#include "link/hid_nodes.h"

struct RawHidNode {
    HidNode node;                  // collections not yet known
    std::string identity;          // changes whenever the node stands for another device
    std::string descriptorSource;  // file the report descriptor is read from (virtual: identity file)
};

bool ListHidrawNodes(const std::string& sysfsRoot, std::vector<RawHidNode>& out);
bool ListVirtualNodes(const std::string& dir, std::vector<RawHidNode>& out);
// Reads the node's report descriptor; a virtual node's identity file also gives vendor, product and
// interface number, which it stores in raw.node.
bool ReadRawDescriptor(RawHidNode& raw, std::vector<uint8_t>& descriptor);

// Both fill out.fd, the attributes and the raw descriptor (not yet parsed); errno-style error.
bool OpenHidrawNode(const std::string& node, int accessFlags, OpenedHidNode& out,
                    std::vector<uint8_t>& descriptor, int& error);
bool OpenVirtualNode(const std::string& socketPath, OpenedHidNode& out, std::vector<uint8_t>& descriptor,
                     int& error);

// Reads a whole small file; false when it cannot be read or exceeds limit bytes.
bool ReadSmallFile(const std::string& path, size_t limit, std::string& out);
