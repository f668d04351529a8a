#include "shell/tray_menu_anchor.h"

#include "ui/menu.h"

MenuAnchor TrayMenuAnchor(UiPoint cursor, const UiRect& screen, const UiRect& available) {
    if (available.top > screen.top) {  // panel along the top edge
        return {{cursor.x, available.top + 1}, kMenuAlignRight | kMenuAlignTop};
    }
    if (available.left > screen.left) {  // left edge
        return {{available.left + 1, cursor.y}, kMenuAlignLeft | kMenuAlignBottom};
    }
    if (available.bottom < screen.bottom) {  // bottom edge
        return {{cursor.x, available.bottom - 20}, kMenuAlignRight | kMenuAlignBottom};
    }
    if (available.right < screen.right) {  // right edge
        return {{available.right - 1, cursor.y}, kMenuAlignRight | kMenuAlignBottom};
    }
    return {cursor, kMenuAlignLeft | kMenuAlignTop};
}
