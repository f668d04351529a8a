#pragma once
// How px300-virtual exposes virtual HID interfaces; the HID channel's second transport reads the same.
//
// In the virtual-device directory, per interface:
//   <id>.sock  a listening Unix SOCK_SEQPACKET socket;
//   <id>.hid   the interface's identity, text lines "vendor 320f", "product 5055", "interface 1",
//              "descriptor <report descriptor as hex digits>" (hex lower case, no separators).
// The server makes the socket listen first and then writes <id>.hid (temporary file renamed into
// place), so an interface that is listed can be opened. Unplugging removes <id>.hid first, then
// closes every connection of the interface and removes <id>.sock.
// Each datagram is one report, report id first when the descriptor numbers its reports.
// Client to server: output reports. Server to client: input reports, sent to every connection of
// the interface (as hidraw gives every input report to every open descriptor).
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "link/hid_types.h"

struct VirtualInterfaceInfo {
    uint16_t vendor = 0;
    uint16_t product = 0;
    uint16_t interfaceNumber = 0;
    std::vector<uint8_t> descriptor;
};

constexpr const char* kVirtualSocketSuffix = ".sock";
constexpr const char* kVirtualInfoSuffix = ".hid";

// $PX300_VIRTUAL_DIR, else $XDG_RUNTIME_DIR/px300-virtual, else /tmp/px300-virtual-<uid>.
std::string VirtualDeviceDir();

std::string FormatVirtualInfo(const VirtualInterfaceInfo& info);
// False for text that is not a complete, well-formed identity (untrusted: any file may sit there).
bool ParseVirtualInfo(std::string_view text, VirtualInterfaceInfo& out);
