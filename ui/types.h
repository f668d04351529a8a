#pragma once
// Plain value types of the toolkit: geometry, colours, the events a control receives and the
// notifications a window receives. No Qt here: code outside ui/ and controls/ uses these.
#include <cstdint>
#include <string>

#include "platform/message_target.h"

class CControlUI;

using UiColor = uint32_t;  // 0xAARRGGBB

struct UiPoint {
    int x = 0;
    int y = 0;
};

struct UiSize {
    int cx = 0;
    int cy = 0;
};

struct UiRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(UiPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool Intersects(const UiRect& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
    UiRect Intersected(const UiRect& o) const;
    UiRect Deflated(const UiRect& insets) const;
    UiRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool operator==(const UiRect&) const = default;
};

// What a control receives from its window (mouse, keys, focus, timers). Coordinates are window client
// coordinates in device pixels.
enum class UiEvent {
    MouseMove,
    MouseLeave,
    MouseEnter,
    ButtonDown,
    ButtonUp,
    RButtonDown,
    DblClick,
    ContextMenu,
    ScrollWheel,  // wParam: 0 up, 1 down
    KeyDown,      // chKey: the key, as a Windows virtual-key code
    SetFocus,
    KillFocus,
    Timer,  // wParam: the timer id
    SetCursor,
};

// Key state bits of TEventUI::wKeyState.
constexpr uint16_t kKeyStateControl = 0x0008;
constexpr uint16_t kKeyStateShift = 0x0004;

struct TEventUI {
    UiEvent Type = UiEvent::MouseMove;
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    UiPoint ptMouse;
    uint32_t chKey = 0;
    uint16_t wKeyState = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

// One notification of a control to its window's notify handlers. The type strings are those of
// ui/notifications.h.
struct TNotifyUI {
    std::wstring sType;
    CControlUI* pSender = nullptr;
    uint64_t dwTimestamp = 0;
    UiPoint ptMouse;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

class INotifyUI {
public:
    virtual ~INotifyUI() = default;
    virtual void Notify(TNotifyUI& msg) = 0;
};

// Text placement bits for CRenderUI::DrawText and the "align"/"valign" attributes.
enum TextStyle : unsigned {
    kTextLeft = 0x0000,
    kTextCenter = 0x0001,
    kTextRight = 0x0002,
    kTextTop = 0x0000,
    kTextVCenter = 0x0004,
    kTextBottom = 0x0008,
    kTextWordBreak = 0x0010,
    kTextSingleLine = 0x0020,
    kTextEndEllipsis = 0x8000,
};

enum class UiCursor {
    Arrow,
    IBeam,
    Wait,
    Cross,
    UpArrow,
    Size,
    Icon,
    SizeNWSE,
    SizeNESW,
    SizeWE,
    SizeNS,
    SizeAll,
    No,
    Hand
};
