#include "link/command_packet.h"

#include <algorithm>
#include <cstring>
#include <cwchar>

uint16_t PacketChecksum(const uint8_t* p) {
    uint16_t sum = 0;
    for (size_t i = packet::kCommand; i < kPacketSize; ++i) {
        sum = static_cast<uint16_t>(sum + p[i]);
    }
    return sum;
}

CommandPacket BuildCommandPacket(uint8_t command, uint8_t length, uint16_t offset, const uint8_t* payload) {
    CommandPacket p{};
    length = static_cast<uint8_t>(std::min<size_t>(length, kMaxPayload));
    p[0] = kCommandReportId;
    p[packet::kCommand] = command;
    p[packet::kLength] = length;
    p[packet::kOffsetLow] = static_cast<uint8_t>(offset & 0xFF);
    p[packet::kOffsetHigh] = static_cast<uint8_t>(offset >> 8);
    p[packet::kStatus] = 0;
    if (payload != nullptr && length > 0) {
        std::memcpy(p.data() + packet::kPayload, payload, length);
    }
    const uint16_t sum = PacketChecksum(p.data());
    p[packet::kChecksumLow] = static_cast<uint8_t>(sum & 0xFF);
    p[packet::kChecksumHigh] = static_cast<uint8_t>(sum >> 8);
    return p;
}

std::wstring FormatPacketLine(const uint8_t* b) {
    wchar_t line[160];
    std::swprintf(line, 160,
                  L"%02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x   %02x %02x %02x %02x  "
                  L"%02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x  %02x %02x %02x %02x",
                  b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8], b[9], b[10], b[11], b[12], b[13],
                  b[14], b[15], b[16], b[17], b[18], b[19], b[20], b[21], b[22], b[23], b[24], b[25], b[26],
                  b[27], b[28], b[29], b[30], b[31]);
    return line;
}
