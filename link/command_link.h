#pragma once
// The vendor command protocol over a wired and a receiver channel: one operation per command id,
// chunking, the logged exchange and the unlogged light-frame exchange.
//
// Results: LINK_* codes below. Threads: built for use from several threads. Locks nest one way only:
// the command lock or the light lock outside, the I/O lock inside; opening and closing take the I/O
// lock alone. The I/O lock is released between write and read, so packets of the light path may fall
// between; the echoed command id and the busy flag keep the two streams apart.
#include <atomic>
#include <cstdint>
#include <string>

#include "link/hid_channel.h"
#include "platform/lock.h"

enum LinkResult : int {
    LINK_OK = 1,
    LINK_NOT_READY = 0,
    LINK_WRITE_FAILED = -1,
    LINK_DEVICE_ABSENT = -101,
    LINK_STATUS_FF = -102,
    LINK_STATUS_FE = -103,
    LINK_BAD_BANK = -201,
};

constexpr int LINK_MODE_WIRED = 1;
constexpr int LINK_MODE_RECEIVER = 2;
constexpr int kWiredTimeoutMs = 1000;
constexpr int kReceiverTimeoutMs = 5000;
constexpr uint8_t kWiredChunk = 56;
constexpr uint8_t kReceiverChunk = 24;
constexpr uint16_t kKeyTableCapacity = 512;
constexpr size_t kDeviceInfoSize = 34;

enum CommandId : uint8_t {
    CMD_BEGIN_TRANSFER = 1,
    CMD_END_TRANSFER = 2,
    CMD_READ_DEVICE_INFO = 3,
    CMD_READ_SETTINGS = 5,
    CMD_WRITE_SETTINGS = 6,
    CMD_READ_KEY_TABLE = 7,
    CMD_WRITE_KEY_TABLE = 9,
    CMD_WRITE_KEY_LIGHT_MASK = 11,
    CMD_SEND_LIGHT_FRAME = 18,
    CMD_WRITE_MACRO_DATA = 21,
    CMD_WRITE_SHOOT_DATA = 23,
    CMD_READ_STATUS = 26,
    CMD_READ_KEY_EXTRA_TABLE = 27,
    CMD_START_HOST_LIGHTING = 28,
    CMD_QUERY_RECEIVER_LINK = 0xAA,
};

// Text name of a result code ("LINK_OK", ...); "LINK_?" for other values.
const char* LinkResultName(int result);

class CCommandLink {
public:
    CCommandLink();
    virtual ~CCommandLink();
    CCommandLink(const CCommandLink&) = delete;
    CCommandLink& operator=(const CCommandLink&) = delete;

    // 2: receiver mode, 24-byte chunks, 5000 ms; anything else: wired, 56-byte chunks, 1000 ms.
    void SetMode(int mode);
    // False (size unchanged) above 512.
    bool SetKeyTableSize(uint16_t size);
    uint16_t KeyTableSize() const { return m_keyTableSize; }
    bool IsOpen() const { return m_open.load(); }
    bool IsBusy() const { return m_busy.load(std::memory_order_relaxed); }
    bool IsReceiverMode() const { return m_receiverMode; }
    uint8_t ChunkSize() const { return m_chunkSize; }

    // Under the I/O lock: opens the wired channel (receiver channel when receiver is true) on the path
    // for read and write, sets the link open and the mode. False, link closed, when it does not open.
    bool OpenLink(const std::wstring& path, bool receiver);
    // Under the I/O lock: clears the open flag and closes both channels.
    void CloseLink();

    // Logged exchange of one request (zero-padded to 64 bytes); see LinkResult.
    int Exchange(const uint8_t* request, uint32_t requestLength, uint8_t* reply, uint32_t replyLength,
                 uint32_t* outBytes);
    // Unlogged exchange on the wired channel (light frames): no busy flag, no echo check.
    int ExchangePlain(const uint8_t* request, uint32_t requestLength, uint8_t* reply, uint32_t replyLength,
                      uint32_t* outBytes);

    int BeginTransfer();
    int EndTransfer();                           // after a 10 ms pause
    int ReadDeviceInfo(uint8_t* destination34);  // copied only when every chunk succeeded
    int ReadSettings(uint8_t* destination, uint32_t count, uint16_t base);
    // Transfers whose end lies beyond the 16-bit offset field (base + count > 65536) return
    // LINK_WRITE_FAILED and send nothing, rather than wrap around to offset 0.
    int WriteSettings(const uint8_t* source, uint32_t count, uint16_t base);
    int ReadKeyTable(uint8_t* destination);              // KeyTableSize() bytes
    int WriteKeyTable(const uint8_t* source, int bank);  // bank 0 only, else LINK_BAD_BANK, nothing sent
    // count at most 56, else LINK_WRITE_FAILED and nothing is sent.
    int WriteKeyLightMask(const uint8_t* source, uint32_t count, uint32_t index);
    int SendLightFrame(const uint8_t* source, uint32_t count);
    int WriteMacroData(const uint8_t* source, uint32_t count);
    int WriteShootData(const uint8_t* source, uint32_t count);  // 56-byte chunks in both modes
    // count at most 56, else LINK_WRITE_FAILED and nothing is sent.
    int ReadStatus(uint8_t* destination, uint32_t count, uint16_t offset);
    int ReadKeyExtraTable(uint8_t* destination);  // KeyTableSize() / 3 bytes
    int StartHostLighting();
    // Wired: true without sending. Receiver: true only when the receiver reports the device reachable.
    bool QueryReceiverLink();

    CHidChannel& WiredChannel() { return m_wired; }
    CHidChannel& ReceiverChannel() { return m_receiver; }
    CCriticalSection& IoLock() { return m_ioLock; }
    CCriticalSection& SecondChannelLock() { return m_secondChannelLock; }

private:
    CHidChannel& ActiveChannel() { return m_receiverMode ? m_receiver : m_wired; }
    int TimeoutMs() const { return m_receiverMode ? kReceiverTimeoutMs : kWiredTimeoutMs; }

    // One packet under the command lock, reply mapped to a result code.
    int Command(uint8_t command, uint8_t length, uint16_t offset, const uint8_t* payload, uint8_t* reply);
    // A chunked transfer: reads copy each chunk's reply payload to destination + position.
    int Chunked(uint8_t command, uint32_t total, uint8_t chunk, uint32_t baseOffset, const uint8_t* source,
                uint8_t* destination);
    void LogPacket(const wchar_t* title, const uint8_t* packet64) const;

    uint16_t m_keyTableSize = kKeyTableCapacity;
    const uint16_t m_keyTableCapacity = kKeyTableCapacity;
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_open{false};
    CHidChannel m_wired;
    CHidChannel m_receiver;
    CCriticalSection m_ioLock;
    CCriticalSection m_secondChannelLock;
    CCriticalSection m_commandLock;
    CCriticalSection m_lightLock;
    // Switching between cable and receiver happens under the I/O lock while other threads may be
    // exchanging; they read the mode without it.
    std::atomic<bool> m_receiverMode{false};
    std::atomic<uint8_t> m_chunkSize{kReceiverChunk};
};

// Maps an exchange result and its reply to the command's result code.
int MapReply(int exchangeResult, const uint8_t* reply);
