// px300ctl list: every HID interface path with its identity and top-level usage.
#include <cstdio>

#include "link/hid_nodes.h"
#include "platform/text.h"
#include "tools/px300ctl/command.h"

namespace {
const char kUsage[] = "list";

int List(const CommandArgs& args) {
    if (!args.empty()) {
        return UsageError(kUsage, "list takes no arguments");
    }
    std::vector<HidNode> nodes;
    if (!ListHidNodes(nodes)) {
        std::fprintf(stderr, "px300ctl: cannot read the HID device list\n");
        return kExitFailed;
    }
    for (const auto& n : nodes) {
        for (size_t c = 0; c < n.collections.size(); ++c) {
            std::printf("%s 0x%04x 0x%04x %u %u 0x%04x 0x%04x\n", WideToUtf8(CollectionPath(n, c)).c_str(),
                        n.vendor, n.product, n.interfaceNumber.value_or(0), CollectionNumberOf(n, c),
                        n.collections[c].usagePage, n.collections[c].usage);
        }
    }
    return kExitOk;
}

const CommandRegistration kRegistration("list", List, kUsage);
}  // namespace
