#include "platform/message_target.h"

#include <map>
#include <mutex>
#include <vector>

namespace {
constexpr uint32_t kFirstRegistered = 0xC000;
constexpr uint32_t kLastRegistered = 0xFFFF;

std::mutex g_mutex;
std::map<std::wstring, uint32_t, std::less<>> g_byName;
std::vector<std::wstring> g_names;  // index = number - kFirstRegistered
}  // namespace

uint32_t RegisterWindowMessage(std::wstring_view name) {
    if (name.empty()) {
        return 0;
    }
    std::lock_guard lock(g_mutex);
    if (auto it = g_byName.find(name); it != g_byName.end()) {
        return it->second;
    }
    const uint32_t number = kFirstRegistered + static_cast<uint32_t>(g_names.size());
    if (number > kLastRegistered) {
        return 0;
    }
    g_names.emplace_back(name);
    g_byName.emplace(std::wstring(name), number);
    return number;
}

std::wstring RegisteredMessageName(uint32_t msg) {
    std::lock_guard lock(g_mutex);
    if (msg < kFirstRegistered || msg - kFirstRegistered >= g_names.size()) {
        return {};
    }
    return g_names[msg - kFirstRegistered];
}
