#pragma once
// Where the tray menu opens: at the mouse, pushed off the desktop panel on whichever edge of the
// screen it sits (the part of the screen that is not available).
#include <cstdint>

#include "ui/types.h"

struct MenuAnchor {
    UiPoint point;
    uint32_t alignment;
};

MenuAnchor TrayMenuAnchor(UiPoint cursor, const UiRect& screen, const UiRect& available);
