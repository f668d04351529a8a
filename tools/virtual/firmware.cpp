#include "tools/virtual/firmware.h"

#include <algorithm>

namespace {
constexpr uint8_t kLinkUp = 0xFF;

enum class Access { StatusOnly, Read, Write };

struct CommandRule {
    uint8_t id;
    Access access;
    MemoryArea area;
    bool wideThroughReceiver;  // moves 56-byte chunks even through the receiver
};

constexpr CommandRule kCommands[] = {
    {CMD_BEGIN_TRANSFER, Access::StatusOnly, MemoryArea::Info, false},
    {CMD_END_TRANSFER, Access::StatusOnly, MemoryArea::Info, false},
    {CMD_READ_DEVICE_INFO, Access::Read, MemoryArea::Info, false},
    {CMD_READ_SETTINGS, Access::Read, MemoryArea::Settings, false},
    {CMD_WRITE_SETTINGS, Access::Write, MemoryArea::Settings, false},
    {CMD_READ_KEY_TABLE, Access::Read, MemoryArea::KeyTable, false},
    {CMD_WRITE_KEY_TABLE, Access::Write, MemoryArea::KeyTable, false},
    {CMD_WRITE_KEY_LIGHT_MASK, Access::Write, MemoryArea::Mask, false},
    {CMD_SEND_LIGHT_FRAME, Access::Write, MemoryArea::Light, false},
    {CMD_WRITE_MACRO_DATA, Access::Write, MemoryArea::Macro, false},
    {CMD_WRITE_SHOOT_DATA, Access::Write, MemoryArea::Shoot, true},
    {CMD_READ_STATUS, Access::Read, MemoryArea::Status, false},
    {CMD_READ_KEY_EXTRA_TABLE, Access::Read, MemoryArea::Extra, false},
    {CMD_START_HOST_LIGHTING, Access::StatusOnly, MemoryArea::Info, false},
};

const CommandRule* FindRule(uint8_t id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandRule& rule) { return rule.id == id; });
    return it == std::end(kCommands) ? nullptr : it;
}

void Seal(Report& reply) {
    const uint16_t sum = PacketChecksum(reply.data());
    reply[packet::kChecksumLow] = sum & 0xFF;
    reply[packet::kChecksumHigh] = sum >> 8;
}
}  // namespace

CVirtualFirmware::CVirtualFirmware(const VirtualDeviceDescription& device,
                                   std::shared_ptr<DeviceMemory> memory)
    : m_device(device), m_memory(std::move(memory)) {}

void CVirtualFirmware::InjectFault(FaultKind kind, unsigned count) {
    m_fault = kind;
    m_faultCount = count;
}

const std::vector<uint8_t>& CVirtualFirmware::Area(MemoryArea area) const {
    return (*m_memory)[static_cast<size_t>(area)];
}

Report CVirtualFirmware::HandleReport(std::span<const uint8_t> request) {
    if (m_device.commandReportId == 0 || request.size() != kPacketSize ||
        request[0] != m_device.commandReportId) {
        return {};
    }
    Report reply(kPacketSize, 0);
    reply[0] = m_device.commandReportId;
    reply[packet::kCommand] = request[packet::kCommand];
    std::copy(request.begin() + packet::kLength, request.begin() + packet::kStatus,
              reply.begin() + packet::kLength);
    if (m_faultCount > 0) {
        --m_faultCount;
        if (m_fault == FaultKind::NoReply) {
            return {};
        }
        reply[packet::kStatus] = m_fault == FaultKind::StatusFF ? kStatusRefused : kStatusBadChecksum;
    } else if (PacketChecksum(request.data()) !=
               (request[packet::kChecksumLow] | request[packet::kChecksumHigh] << 8)) {
        // A request whose checksum does not add up is not carried out; the device says so with 0xFE
        // rather than keeping silent, so the host learns at once that the packet was damaged.
        reply[packet::kStatus] = kStatusBadChecksum;
    } else if (m_device.receiver && !m_reachable) {
        // The receiver answers for the wireless device it cannot reach.
        std::fill(reply.begin() + packet::kCommand, reply.end(), 0);
        reply[packet::kCommand] = CMD_QUERY_RECEIVER_LINK;
    } else {
        reply[packet::kStatus] = Execute(request, reply);
    }
    Seal(reply);
    return reply;
}

uint8_t CVirtualFirmware::Execute(std::span<const uint8_t> request, Report& reply) {
    const uint8_t id = request[packet::kCommand];
    if (id == CMD_QUERY_RECEIVER_LINK) {
        if (!m_device.receiver) {
            return kStatusRefused;
        }
        reply[packet::kPayload] = kLinkUp;
        return kStatusOk;
    }
    const CommandRule* rule = FindRule(id);
    if (rule == nullptr) {
        return kStatusRefused;
    }
    if (rule->access == Access::StatusOnly) {
        return kStatusOk;
    }
    const size_t length = request[packet::kLength];
    const size_t offset = request[packet::kOffsetLow] | request[packet::kOffsetHigh] << 8;
    const size_t chunk = m_device.receiver && !rule->wideThroughReceiver ? kReceiverChunk : kWiredChunk;
    std::vector<uint8_t>& area = (*m_memory)[static_cast<size_t>(rule->area)];
    if (area.empty() || length > chunk || offset > area.size() || length > area.size() - offset) {
        return kStatusRefused;
    }
    if (rule->access == Access::Read) {
        std::copy_n(area.begin() + offset, length, reply.begin() + packet::kPayload);
    } else {
        std::copy_n(request.begin() + packet::kPayload, length, area.begin() + offset);
    }
    return kStatusOk;
}
