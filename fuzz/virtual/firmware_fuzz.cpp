// Any datagram a client may send reaches the firmware of every device, reachable or not; any text
// may reach the control parser.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "tools/virtual/control_command.h"
#include "tools/virtual/firmware.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> report(data, size);
    for (const VirtualDeviceDescription& device : VirtualDevices()) {
        CVirtualFirmware firmware(device, std::make_shared<DeviceMemory>(FactoryMemory(device)));
        firmware.SetReachable(size % 2 == 0);
        firmware.HandleReport(report);
    }
    ControlCommand command;
    std::string error;
    ParseControlCommand(SplitWords(std::string(reinterpret_cast<const char*>(data), size)), command, error);
    return 0;
}
