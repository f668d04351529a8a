#pragma once
// Interface paths: "<transport>:<node>#vid_VVVV&pid_PPPP&mi_II&colCC" (hex, lower case). "&mi_II" is
// present only for a USB interface, "&colCC" (1-based top-level collection) only when the interface
// has more than one top-level collection.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Each finds its marker case-insensitively in the identity part of the path (after '#', or the whole
// path when there is no '#'), reads the hex digits that follow and returns their low 16 bits; 0 when
// the marker is absent or no digit follows.
uint16_t ParseVid(std::wstring_view path);               // "vid_"
uint16_t ParsePid(std::wstring_view path);               // "pid_"
uint16_t ParseInterfaceNumber(std::wstring_view path);   // "&mi_"
uint16_t ParseCollectionNumber(std::wstring_view path);  // "&col"

struct HidPathParts {
    std::wstring transport;  // "hidraw" or "virtual"
    std::wstring node;       // device node or socket path
};

std::wstring FormatInterfacePath(std::wstring_view transport, std::wstring_view node, uint16_t vendor,
                                 uint16_t product, std::optional<uint16_t> interfaceNumber,
                                 std::optional<uint16_t> collection);

// Splits "<transport>:<node>#..." into its transport and node; nullopt when the path has no transport
// prefix or no node.
std::optional<HidPathParts> SplitInterfacePath(std::wstring_view path);
