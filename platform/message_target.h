#pragma once
// Window-message stand-in for code that must not depend on the toolkit (worker threads such as
// discovery). ui/ windows implement IMessageTarget on the Qt event loop; tests use plain targets.
#include <cstdint>
#include <string>
#include <string_view>

using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

class IMessageTarget {
public:
    virtual ~IMessageTarget() = default;
    // Queues the message for the target's thread; false when the target cannot take it.
    virtual bool PostMessage(uint32_t msg, WPARAM wParam, LPARAM lParam) = 0;
    // Handles the message before returning; from another thread it blocks until the target's
    // thread has handled it.
    virtual LRESULT SendMessage(uint32_t msg, WPARAM wParam, LPARAM lParam) = 0;
};

// Registered messages: the same name gives the same number (0xC000..0xFFFF) for the whole process.
// Returns 0 for an empty name or when the range is used up.
uint32_t RegisterWindowMessage(std::wstring_view name);
// The name a registered number stands for; empty for numbers that were not registered.
std::wstring RegisteredMessageName(uint32_t msg);
