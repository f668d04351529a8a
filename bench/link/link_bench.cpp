// Command-link throughput against px300-virtual in-process: logged exchanges per second (wired and
// receiver), 510-byte light frames per second (wired), with and without a 1 ms report latency, and
// the CPU time each costs (cpu_time column; real_time is the wall clock).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "link/command_link.h"
#include "tools/virtual/virtual_server.h"

namespace {
struct VirtualKeyboard {
    explicit VirtualKeyboard(int latencyUs) {
        char pattern[] = "/tmp/px300-bench-XXXXXX";
        dir = mkdtemp(pattern);
        server = std::make_unique<CVirtualServer>(CVirtualServer::Options{dir, "", latencyUs});
        server->Add("keyboard");
        server->Add("keyboard-receiver");
        server->Start();
    }
    ~VirtualKeyboard() {
        server.reset();
        std::filesystem::remove_all(dir);
    }
    std::wstring Path(const char* stem) const {
        std::wstring w(dir.begin(), dir.end());
        const std::string s = stem;
        return L"virtual:" + w + L"/" + std::wstring(s.begin(), s.end()) + L"-if1.sock#vid_" +
               (s == "keyboard" ? L"320f&pid_5055" : L"0000&pid_0000") + L"&mi_01&col04";
    }
    std::string dir;
    std::unique_ptr<CVirtualServer> server;
};

void Exchanges(benchmark::State& state, bool receiver) {
    VirtualKeyboard device(static_cast<int>(state.range(0)));
    CCommandLink link;
    if (!link.OpenLink(device.Path(receiver ? "keyboard-receiver" : "keyboard"), receiver)) {
        state.SkipWithError("cannot open the virtual keyboard");
        return;
    }
    for (auto _ : state) {
        if (link.BeginTransfer() != LINK_OK) {
            state.SkipWithError("exchange failed");
            break;
        }
    }
    state.counters["exchanges/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}

void BM_ExchangeWired(benchmark::State& state) {
    Exchanges(state, false);
}
void BM_ExchangeReceiver(benchmark::State& state) {
    Exchanges(state, true);
}

void BM_LightFrame510Wired(benchmark::State& state) {
    VirtualKeyboard device(static_cast<int>(state.range(0)));
    CCommandLink link;
    if (!link.OpenLink(device.Path("keyboard"), false)) {
        state.SkipWithError("cannot open the virtual keyboard");
        return;
    }
    std::vector<uint8_t> frame(510, 0x40);
    for (auto _ : state) {
        if (link.SendLightFrame(frame.data(), frame.size()) != LINK_OK) {
            state.SkipWithError("light frame failed");
            break;
        }
    }
    state.counters["frames/s"] = benchmark::Counter(state.iterations(), benchmark::Counter::kIsRate);
}
}  // namespace

BENCHMARK(BM_ExchangeWired)->Arg(0)->Arg(1000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ExchangeReceiver)->Arg(0)->Arg(1000)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LightFrame510Wired)->Arg(0)->Arg(1000)->UseRealTime()->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
