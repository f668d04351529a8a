#include "link/command_link.h"

#include <algorithm>
#include <cstring>

#include "link/command_packet.h"
#include "platform/debug.h"
#include "platform/tick.h"

const char* LinkResultName(int result) {
    switch (result) {
        case LINK_OK:
            return "LINK_OK";
        case LINK_NOT_READY:
            return "LINK_NOT_READY";
        case LINK_WRITE_FAILED:
            return "LINK_WRITE_FAILED";
        case LINK_DEVICE_ABSENT:
            return "LINK_DEVICE_ABSENT";
        case LINK_STATUS_FF:
            return "LINK_STATUS_FF";
        case LINK_STATUS_FE:
            return "LINK_STATUS_FE";
        case LINK_BAD_BANK:
            return "LINK_BAD_BANK";
        default:
            return "LINK_?";
    }
}

int MapReply(int exchangeResult, const uint8_t* reply) {
    if (exchangeResult != LINK_OK) {
        return exchangeResult;
    }
    if (reply[packet::kStatus] == 0xFF) {
        return LINK_STATUS_FF;
    }
    if (reply[packet::kStatus] == 0xFE) {
        return LINK_STATUS_FE;
    }
    return LINK_OK;
}

CCommandLink::CCommandLink() = default;

CCommandLink::~CCommandLink() {
    CloseLink();
}

void CCommandLink::SetMode(int mode) {
    m_receiverMode = mode == LINK_MODE_RECEIVER;
    m_chunkSize = m_receiverMode ? kReceiverChunk : kWiredChunk;
}

bool CCommandLink::SetKeyTableSize(uint16_t size) {
    if (size > m_keyTableCapacity) {
        return false;
    }
    m_keyTableSize = size;
    return true;
}

bool CCommandLink::OpenLink(const std::wstring& path, bool receiver) {
    CAutoLock io(m_ioLock);
    CHidChannel& channel = receiver ? m_receiver : m_wired;
    if (!channel.Open(path, true, true, true, false)) {
        return false;
    }
    m_open = true;
    SetMode(receiver ? LINK_MODE_RECEIVER : LINK_MODE_WIRED);
    return true;
}

void CCommandLink::CloseLink() {
    CAutoLock io(m_ioLock);
    m_open = false;
    m_wired.Close();
    m_receiver.Close();
}

void CCommandLink::LogPacket(const wchar_t* title, const uint8_t* p) const {
    if (!DebugEnabled()) {
        return;  // nobody reads the dump; skip formatting it
    }
    DebugLine(title);
    DebugLine(FormatPacketLine(p));
    DebugLine(FormatPacketLine(p + 32));
}

int CCommandLink::Exchange(const uint8_t* request, uint32_t requestLength, uint8_t* reply,
                           uint32_t replyLength, uint32_t* outBytes) {
    m_busy.store(true, std::memory_order_relaxed);
    if (outBytes != nullptr) {
        *outBytes = 0;
    }
    int result = LINK_NOT_READY;
    if (IsOpen()) {
        CommandPacket out{};
        std::memcpy(out.data(), request, std::min<size_t>(requestLength, kPacketSize));
        LogPacket(L"命令", out.data());
        CHidChannel& channel = ActiveChannel();
        const int timeout = TimeoutMs();
        bool written;
        {
            CAutoLock io(m_ioLock);
            written = channel.WriteReport(out.data(), kPacketSize, nullptr, timeout);
        }
        if (!written) {
            result = LINK_WRITE_FAILED;
        } else {
            CommandPacket in{};
            uint32_t bytes = 0;
            const uint32_t want = std::min<uint32_t>(replyLength, kPacketSize);
            for (int attempt = 0; attempt < 2; ++attempt) {
                bool ok;
                {
                    CAutoLock io(m_ioLock);
                    ok = channel.ReadReport(in.data(), want, &bytes, timeout);
                }
                result = ok ? LINK_OK : LINK_NOT_READY;
                // Only a report actually read is looked at: a failed read leaves stale bytes.
                if (ok && in[packet::kCommand] == out[packet::kCommand]) {
                    break;
                }
                if (ok && m_receiverMode && in[packet::kCommand] == CMD_QUERY_RECEIVER_LINK) {
                    result = LINK_DEVICE_ABSENT;
                    break;
                }
            }
            std::memcpy(reply, in.data(), want);
            if (outBytes != nullptr) {
                *outBytes = bytes;
            }
            LogPacket(L"返回", in.data());
        }
    }
    m_busy.store(false, std::memory_order_relaxed);
    return result;
}

int CCommandLink::ExchangePlain(const uint8_t* request, uint32_t requestLength, uint8_t* reply,
                                uint32_t replyLength, uint32_t* outBytes) {
    if (outBytes != nullptr) {
        *outBytes = 0;
    }
    if (!IsOpen()) {
        return LINK_NOT_READY;
    }
    CommandPacket out{};
    std::memcpy(out.data(), request, std::min<size_t>(requestLength, kPacketSize));
    {
        CAutoLock io(m_ioLock);
        if (!m_wired.WriteReport(out.data(), kPacketSize, nullptr, kWiredTimeoutMs)) {
            return LINK_WRITE_FAILED;
        }
    }
    CAutoLock io(m_ioLock);
    const bool ok =
        m_wired.ReadReport(reply, std::min<uint32_t>(replyLength, kPacketSize), outBytes, kWiredTimeoutMs);
    return ok ? LINK_OK : LINK_NOT_READY;
}

int CCommandLink::Command(uint8_t command, uint8_t length, uint16_t offset, const uint8_t* payload,
                          uint8_t* reply) {
    const CommandPacket request = BuildCommandPacket(command, length, offset, payload);
    CAutoLock lock(m_commandLock);
    return MapReply(Exchange(request.data(), kPacketSize, reply, kPacketSize, nullptr), reply);
}

int CCommandLink::Chunked(uint8_t command, uint32_t total, uint8_t chunk, uint32_t baseOffset,
                          const uint8_t* source, uint8_t* destination) {
    if (!IsOpen()) {
        return LINK_NOT_READY;
    }
    if (uint64_t(baseOffset) + total > 0x10000) {
        return LINK_WRITE_FAILED;  // the offset field would wrap to the start of the memory
    }
    CommandPacket reply{};
    int result = LINK_OK;
    for (uint32_t position = 0; position < total; position += chunk) {
        const uint32_t length = position + chunk < total ? chunk : total - position;
        result = Command(command, static_cast<uint8_t>(length), static_cast<uint16_t>(baseOffset + position),
                         source != nullptr ? source + position : nullptr, reply.data());
        if (result != LINK_OK) {
            break;
        }
        if (destination != nullptr) {
            std::memcpy(destination + position, reply.data() + packet::kPayload, length);
        }
    }
    return result;
}

int CCommandLink::BeginTransfer() {
    CommandPacket reply{};
    return IsOpen() ? Command(CMD_BEGIN_TRANSFER, 0, 0, nullptr, reply.data()) : LINK_NOT_READY;
}

int CCommandLink::EndTransfer() {
    if (!IsOpen()) {
        return LINK_NOT_READY;
    }
    SleepMs(10);
    CommandPacket reply{};
    return Command(CMD_END_TRANSFER, 0, 0, nullptr, reply.data());
}

int CCommandLink::ReadDeviceInfo(uint8_t* destination34) {
    uint8_t info[kDeviceInfoSize] = {};
    const int result = Chunked(CMD_READ_DEVICE_INFO, kDeviceInfoSize, m_chunkSize, 0, nullptr, info);
    if (result == LINK_OK) {
        std::memcpy(destination34, info, kDeviceInfoSize);
    }
    return result;
}

int CCommandLink::ReadSettings(uint8_t* destination, uint32_t count, uint16_t base) {
    return Chunked(CMD_READ_SETTINGS, count, m_chunkSize, base, nullptr, destination);
}

int CCommandLink::WriteSettings(const uint8_t* source, uint32_t count, uint16_t base) {
    return Chunked(CMD_WRITE_SETTINGS, count, m_chunkSize, base, source, nullptr);
}

int CCommandLink::ReadKeyTable(uint8_t* destination) {
    return Chunked(CMD_READ_KEY_TABLE, m_keyTableSize, m_chunkSize, 0, nullptr, destination);
}

int CCommandLink::WriteKeyTable(const uint8_t* source, int bank) {
    if (bank != 0) {
        return LINK_BAD_BANK;
    }
    return Chunked(CMD_WRITE_KEY_TABLE, m_keyTableSize, m_chunkSize, static_cast<uint32_t>(bank) * 512,
                   source, nullptr);
}

int CCommandLink::WriteKeyLightMask(const uint8_t* source, uint32_t count, uint32_t index) {
    if (!IsOpen()) {
        return LINK_NOT_READY;
    }
    if (count > kMaxPayload) {
        return LINK_WRITE_FAILED;  // one packet carries at most 56 bytes
    }
    CommandPacket reply{};
    return Command(CMD_WRITE_KEY_LIGHT_MASK, static_cast<uint8_t>(count), static_cast<uint16_t>(index * 3),
                   source, reply.data());
}

int CCommandLink::SendLightFrame(const uint8_t* source, uint32_t count) {
    if (!IsOpen()) {
        return LINK_NOT_READY;
    }
    CommandPacket reply{};
    int result = LINK_OK;
    const uint8_t chunk = m_chunkSize;
    for (uint32_t position = 0; position < count; position += chunk) {
        const uint32_t length = position + chunk < count ? chunk : count - position;
        const CommandPacket request = BuildCommandPacket(CMD_SEND_LIGHT_FRAME, static_cast<uint8_t>(length),
                                                         static_cast<uint16_t>(position), source + position);
        int exchanged = LINK_OK;  // a skipped packet counts as sent
        if (IsBusy()) {
            DebugLine(L"放弃灯光数据");
        } else if (!m_receiverMode) {
            CAutoLock lock(m_lightLock);
            exchanged = ExchangePlain(request.data(), kPacketSize, reply.data(), kPacketSize, nullptr);
        }
        result = MapReply(exchanged, reply.data());
        if (result != LINK_OK) {
            break;
        }
    }
    return result;
}

int CCommandLink::WriteMacroData(const uint8_t* source, uint32_t count) {
    return Chunked(CMD_WRITE_MACRO_DATA, count, m_chunkSize, 0, source, nullptr);
}

int CCommandLink::WriteShootData(const uint8_t* source, uint32_t count) {
    return Chunked(CMD_WRITE_SHOOT_DATA, count, kWiredChunk, 0, source, nullptr);
}

int CCommandLink::ReadStatus(uint8_t* destination, uint32_t count, uint16_t offset) {
    if (!IsOpen()) {
        return LINK_NOT_READY;
    }
    if (count > kMaxPayload) {
        return LINK_WRITE_FAILED;  // a reply carries at most 56 bytes
    }
    CommandPacket reply{};
    const int result = Command(CMD_READ_STATUS, static_cast<uint8_t>(count), offset, nullptr, reply.data());
    if (result == LINK_OK) {
        std::memcpy(destination, reply.data() + packet::kPayload, count);
    }
    return result;
}

int CCommandLink::ReadKeyExtraTable(uint8_t* destination) {
    return Chunked(CMD_READ_KEY_EXTRA_TABLE, m_keyTableSize / 3u, m_chunkSize, 0, nullptr, destination);
}

int CCommandLink::StartHostLighting() {
    CommandPacket reply{};
    return IsOpen() ? Command(CMD_START_HOST_LIGHTING, 0, 0, nullptr, reply.data()) : LINK_NOT_READY;
}

bool CCommandLink::QueryReceiverLink() {
    if (!m_receiverMode) {
        return true;
    }
    const CommandPacket request = BuildCommandPacket(CMD_QUERY_RECEIVER_LINK, 0, 0, nullptr);
    CommandPacket reply{};
    int result;
    {
        CAutoLock lock(m_commandLock);
        result = Exchange(request.data(), kPacketSize, reply.data(), kPacketSize, nullptr);
    }
    const uint8_t status = reply[packet::kStatus];
    return result == LINK_OK && reply[packet::kPayload] == 0xFF && status != 0xFF && status != 0xFE;
}
