#pragma once
// Window message numbers the toolkit delivers to CWindowUI::HandleMessage, and the records some of
// them point to. The numbers are the Windows ones so that code and tests read the same on every side.
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t kWmDestroy = 0x0002;
constexpr uint32_t kWmSize = 0x0005;      // wParam 0; lParam = width | height << 16 (client pixels)
constexpr uint32_t kWmActivate = 0x0006;  // wParam 1 active, 0 inactive
constexpr uint32_t kWmClose = 0x0010;     // handled = true keeps the window open
constexpr uint32_t kWmCopyData = 0x004A;  // lParam: const CopyDataUI*
constexpr uint32_t kWmDisplayChange = 0x007E;
constexpr uint32_t kWmKeyDown = 0x0100;  // wParam: virtual-key code
constexpr uint32_t kWmTimer = 0x0113;    // window timer; wParam: id
constexpr uint32_t kWmLButtonUp = 0x0202;
constexpr uint32_t kWmLButtonDblClk = 0x0203;
constexpr uint32_t kWmRButtonUp = 0x0205;
constexpr uint32_t kWmMButtonUp = 0x0208;
constexpr uint32_t kWmMouseHover = 0x02A1;
constexpr uint32_t kWmMouseLeave = 0x02A3;
constexpr uint32_t kWmUser = 0x0400;
constexpr uint32_t kWmTrayIcon = kWmUser + 1;     // 1025; lParam: the mouse message
constexpr uint32_t kWmMenuClick = kWmUser + 121;  // 1145; lParam: const MenuCmdUI*

constexpr uint32_t kVkReturn = 0x0D;
constexpr uint32_t kVkEscape = 0x1B;

// A copy-data message from another process: identifier and bytes. Valid during the handler only.
struct CopyDataUI {
    uintptr_t dwData = 0;
    std::vector<uint8_t> data;
};

// The item chosen in a menu. Valid during the handler only.
struct MenuCmdUI {
    std::wstring name;
    std::wstring text;
    std::wstring userData;
    bool checked = false;
};
