// px300ctl devices: one discovery scan, one line per filled connection slot.
// px300ctl watch: discovery running, one line per arrival or removal, until interrupted.
#include <signal.h>

#include <cstdio>

#include "link/discovery.h"
#include "platform/text.h"
#include "tools/px300ctl/command.h"

namespace {
void PrintSlot(const char* prefix, size_t index, const ConnectionSlot& slot) {
    std::printf("%s%zu %u %u %s\n", prefix, index, slot.type, slot.role, WideToUtf8(slot.path).c_str());
    std::fflush(stdout);
}

// Prints arrivals and removals as discovery sends them (on the discovery thread).
class PrintingTarget : public IMessageTarget {
public:
    explicit PrintingTarget(const CSlotList& slots) : m_slots(slots) {}
    bool PostMessage(uint32_t, WPARAM, LPARAM) override { return true; }
    LRESULT SendMessage(uint32_t msg, WPARAM slot, LPARAM) override {
        if (msg == WM_DEVICE_ARRIVED) {
            PrintSlot("arrived ", slot, m_slots.Get(slot));
            m_held.resize(m_slots.Count());
            m_held[slot] = m_slots.Get(slot);
        } else if (msg == WM_DEVICE_REMOVED && slot < m_held.size()) {
            PrintSlot("removed ", slot, m_held[slot]);  // the slot is already free
        }
        return 0;
    }

private:
    const CSlotList& m_slots;
    std::vector<ConnectionSlot> m_held;  // what each slot held, for its removal line
};

class SilentTarget : public IMessageTarget {
public:
    bool PostMessage(uint32_t, WPARAM, LPARAM) override { return true; }
    LRESULT SendMessage(uint32_t, WPARAM, LPARAM) override { return 0; }
};

int Devices(const CommandArgs& args) {
    if (!args.empty()) {
        return UsageError("devices", "devices takes no arguments");
    }
    CSlotList slots;
    SilentTarget target;
    CDiscovery discovery(slots, target);
    if (!discovery.ScanOnce()) {
        std::fprintf(stderr, "px300ctl: cannot read the HID device list\n");
        return kExitFailed;
    }
    for (size_t i : slots.Connected()) {
        PrintSlot("", i, slots.Get(i));
    }
    for (const auto& path : discovery.DeniedPaths()) {
        std::fprintf(stderr,
                     "px300ctl: no permission to open %s: install the udev rule with 'sudo make install' "
                     "(packaging/udev/70-px300.rules), then unplug and replug the device\n",
                     WideToUtf8(path).c_str());
    }
    return kExitOk;
}

int Watch(const CommandArgs& args) {
    if (!args.empty()) {
        return UsageError("watch", "watch takes no arguments");
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);  // the discovery thread inherits the mask
    CSlotList slots;
    PrintingTarget target(slots);
    CDiscovery discovery(slots, target);
    CEvent stop(true, false);
    discovery.Start(stop);
    int received = 0;
    sigwait(&signals, &received);
    discovery.Stop();
    return kExitOk;
}

const CommandRegistration kDevices("devices", Devices, "devices");
const CommandRegistration kWatch("watch", Watch, "watch");
}  // namespace
