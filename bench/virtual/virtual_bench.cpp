// Cost of the firmware model in-process and of one command round trip through the server's socket,
// without and with the emulated 1 ms per report.
#include <benchmark/benchmark.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>

#include <filesystem>
#include <memory>
#include <string>

#include "link/command_packet.h"
#include "tools/virtual/firmware.h"
#include "tools/virtual/unix_socket.h"
#include "tools/virtual/virtual_server.h"

namespace {

Report ReadSettingsRequest(uint16_t offset) {
    const CommandPacket packet = BuildCommandPacket(CMD_READ_SETTINGS, 56, offset, nullptr);
    return Report(packet.begin(), packet.end());
}

void BM_FirmwareReadSettingsChunk(benchmark::State& state) {
    const VirtualDeviceDescription& keyboard = *FindVirtualDevice("keyboard");
    CVirtualFirmware firmware(keyboard, std::make_shared<DeviceMemory>(FactoryMemory(keyboard)));
    const Report request = ReadSettingsRequest(560);
    for (auto _ : state) {
        benchmark::DoNotOptimize(firmware.HandleReport(request));
    }
}
BENCHMARK(BM_FirmwareReadSettingsChunk);

// One request written and its reply read on a connection to a served keyboard.
void BM_SocketRoundTrip(benchmark::State& state) {
    std::string dir = "/tmp/px300v-bench-XXXXXX";
    if (::mkdtemp(dir.data()) == nullptr) {
        state.SkipWithError("no temporary directory");
        return;
    }
    {
        CVirtualServer server(CVirtualServer::Options{dir, "", static_cast<int>(state.range(0))});
        std::string error;
        if (!server.Add("keyboard", &error) || !server.Start(&error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        CUniqueFd client = ConnectSeqpacket(dir + "/keyboard-if1.sock", &error);
        const Report request = ReadSettingsRequest(0);
        uint8_t reply[64];
        for (auto _ : state) {
            ::send(client.Get(), request.data(), request.size(), MSG_NOSIGNAL);
            pollfd wait{client.Get(), POLLIN, 0};
            if (::poll(&wait, 1, 1000) != 1 || ::recv(client.Get(), reply, sizeof reply, 0) != 64) {
                state.SkipWithError("no reply");
                break;
            }
        }
    }
    std::filesystem::remove_all(dir);
}
BENCHMARK(BM_SocketRoundTrip)->Arg(0)->Arg(1000)->UseRealTime()->Unit(benchmark::kMicrosecond);

}  // namespace
