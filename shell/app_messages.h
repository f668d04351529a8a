#pragma once
// The application's registered window messages, registered once at start-up.
#include <cstddef>
#include <cstdint>

struct AppMessages {
    uint32_t identity = 0;  // single instance, first scan, bring to front
    uint32_t guid15 = 0;    // exchanged with companion processes
    uint32_t guid16 = 0;    // broadcast: this program drives the device lighting
    uint32_t guid17 = 0;    // a companion turns host lighting on or off
    uint32_t guid18 = 0;    // version report to the "WorkTool" window
    uint32_t guidE19 = 0;
};

// Registers the identity message, the five GUID messages, the input-hook and mouse messages and the
// game messages (writing "软件标示：%d" with the identity's number), and returns the numbers.
const AppMessages& RegisterAppMessages();

constexpr size_t kHookMessageCount = 19;
extern const wchar_t* const kHookMessageNames[kHookMessageCount];
extern const wchar_t* const kGameMessageNames[4];
