#pragma once
// The firmware of one virtual device: answers the 64-byte command reports as the device does.
//
// Reply layout: byte 0 the command report id, 1-2 the reply checksum (bytes 3..63, low byte first),
// 3 the command id, 4-6 the request's length and offset, 7 the status (0 ok, 0xFF refused,
// 0xFE bad request checksum), read data from byte 8. Through the receiver, while the wireless
// device is unreachable, every request is answered with command byte 0xAA, status 0 and byte 8 = 0.
//
// Not thread-safe: the server calls it under its own lock.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "link/command_link.h"
#include "link/command_packet.h"
#include "tools/virtual/device_description.h"

constexpr uint8_t kStatusOk = 0x00;
constexpr uint8_t kStatusRefused = 0xFF;
constexpr uint8_t kStatusBadChecksum = 0xFE;

// Injected failures for the next replies.
enum class FaultKind { NoReply, StatusFF, StatusFE };

using Report = std::vector<uint8_t>;

class CVirtualFirmware {
public:
    // device must outlive the firmware (the descriptions of VirtualDevices() do). memory is shared by
    // the firmware models of one physical device (its cable and its receiver side), never null.
    CVirtualFirmware(const VirtualDeviceDescription& device, std::shared_ptr<DeviceMemory> memory);

    // Handles one output report (report id first). Returns the reply, or an empty report when the
    // device answers nothing: no command protocol, another report id, a length other than 64
    // bytes, or an injected no-reply fault.
    Report HandleReport(std::span<const uint8_t> report);

    // Receivers: whether the wireless device answers (true at start).
    void SetReachable(bool reachable) { m_reachable = reachable; }
    bool Reachable() const { return m_reachable; }

    // The next count replies fail as kind says; count 0 clears a pending fault. A faulted request
    // is not carried out.
    void InjectFault(FaultKind kind, unsigned count);

    const std::vector<uint8_t>& Area(MemoryArea area) const;
    const VirtualDeviceDescription& Description() const { return m_device; }

private:
    uint8_t Execute(std::span<const uint8_t> request, Report& reply);

    const VirtualDeviceDescription& m_device;
    std::shared_ptr<DeviceMemory> m_memory;
    bool m_reachable = true;
    FaultKind m_fault = FaultKind::NoReply;
    unsigned m_faultCount = 0;
};
