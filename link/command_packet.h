#pragma once
// The 64-byte command report: report id 4, 16-bit additive checksum of bytes 3..63 (low byte at 1),
// command id at 3, payload length at 4, offset at 5-6 (low first), status at 7 (replies), payload
// from 8.
#include <array>
#include <cstdint>
#include <string>

constexpr size_t kPacketSize = 64;
constexpr size_t kPacketHeader = 8;
constexpr size_t kMaxPayload = kPacketSize - kPacketHeader;  // 56
constexpr uint8_t kCommandReportId = 4;

namespace packet {
constexpr size_t kChecksumLow = 1;
constexpr size_t kChecksumHigh = 2;
constexpr size_t kCommand = 3;
constexpr size_t kLength = 4;
constexpr size_t kOffsetLow = 5;
constexpr size_t kOffsetHigh = 6;
constexpr size_t kStatus = 7;
constexpr size_t kPayload = 8;
}  // namespace packet

using CommandPacket = std::array<uint8_t, kPacketSize>;

uint16_t PacketChecksum(const uint8_t* packet);

// Builds a request; length is clamped to 56 and payload may be null (zeros).
CommandPacket BuildCommandPacket(uint8_t command, uint8_t length, uint16_t offset, const uint8_t* payload);

// The packet as two debug lines of 32 bytes each, grouped by fours.
std::wstring FormatPacketLine(const uint8_t* bytes32);
