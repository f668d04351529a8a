// Discovery cost while idle: one scan with nothing changing, over 30 hidraw nodes of a fake sysfs tree
// plus the virtual devices; and the discovery thread's CPU use over 10 s with a slot free (so it
// scans every 100 ms), measured with getrusage.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>

#include "link/discovery.h"
#include "link/hid_nodes.h"
#include "platform/tick.h"
#include "tools/virtual/virtual_server.h"

namespace fs = std::filesystem;

namespace {
class NullTarget : public IMessageTarget {
public:
    bool PostMessage(uint32_t, WPARAM, LPARAM) override { return true; }
    LRESULT SendMessage(uint32_t, WPARAM, LPARAM) override { return 0; }
};

// 30 hidraw nodes of ordinary devices (mice and keyboards of other makers) and a virtual keyboard,
// keyboard receiver and nothing else: most slots stay free, so every pass scans.
struct IdleSystem {
    IdleSystem() {
        char pattern[] = "/tmp/px300-bench-XXXXXX";
        root = mkdtemp(pattern);
        const std::vector<uint8_t> mouse = {
            0x05, 0x01, 0x09, 0x02, 0xA1, 0x01, 0x05, 0x09, 0x19, 0x01, 0x29, 0x05, 0x15, 0x00, 0x25,
            0x01, 0x75, 0x01, 0x95, 0x05, 0x81, 0x02, 0x75, 0x03, 0x95, 0x01, 0x81, 0x01, 0x05, 0x01,
            0x09, 0x30, 0x09, 0x31, 0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x02, 0x81, 0x06, 0xC0};
        for (int i = 0; i < 30; ++i) {
            // As in sysfs: the class entry links to the device instance's folder.
            const std::string node = "hidraw" + std::to_string(i);
            const fs::path instance = fs::path(root) / "sys/devices" /
                                      ("0003:046D:C0" + std::to_string(10 + i) + ".0001") / "hidraw" / node;
            const fs::path dev = instance / "device";
            fs::create_directories(dev);
            fs::create_directories(fs::path(root) / "sys/class/hidraw");
            fs::create_directory_symlink(instance, fs::path(root) / "sys/class/hidraw" / node);
            std::ofstream(dev / "uevent")
                << "HID_ID=0003:0000046D:0000C0" << (10 + i) << "\nHID_PHYS=usb-0000:00:14.0-" << i
                << "/input" << (i % 3) << "\n";
            std::ofstream(dev / "report_descriptor", std::ios::binary)
                .write(reinterpret_cast<const char*>(mouse.data()), mouse.size());
        }
        SetHidSysfsRoot(root);
        const std::string dir = root + "/virtual";
        setenv("PX300_VIRTUAL_DIR", dir.c_str(), 1);
        server = std::make_unique<CVirtualServer>(CVirtualServer::Options{dir, "", 0});
        server->Add("keyboard");
        server->Add("keyboard-receiver");
        server->Start();
    }
    ~IdleSystem() {
        server.reset();
        SetHidSysfsRoot("");
        fs::remove_all(root);
    }
    std::string root;
    std::unique_ptr<CVirtualServer> server;
};

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void BM_IdleScan(benchmark::State& state) {
    IdleSystem system;
    CSlotList slots;
    NullTarget target;
    CDiscovery discovery(slots, target);
    discovery.ScanOnce();  // fills the keyboard's slots; later scans change nothing
    for (auto _ : state) {
        discovery.ScanOnce();
    }
}

// One iteration: the discovery thread running 10 s; reports the process CPU time it took as a share
// of one core (nothing else runs in the process meanwhile).
void BM_DiscoveryThreadIdle10s(benchmark::State& state) {
    IdleSystem system;
    CSlotList slots;
    NullTarget target;
    CDiscovery discovery(slots, target);
    CEvent stop(true, false);
    for (auto _ : state) {
        const double cpuStart = CpuSeconds();
        const uint64_t wallStart = GetTickCount64();
        discovery.Start(stop);
        SleepMs(10000);
        discovery.Stop();
        const double wall = (GetTickCount64() - wallStart) / 1000.0;
        state.counters["cpu_share_%"] = 100.0 * (CpuSeconds() - cpuStart) / wall;
        state.counters["scans"] = static_cast<double>(discovery.ScanCount());
    }
}
}  // namespace

BENCHMARK(BM_IdleScan)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DiscoveryThreadIdle10s)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
