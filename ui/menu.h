#pragma once
// Menus built from a menu layout of the skin (format in skin/README.md), opened at a point of the
// screen. When a person picks an item, the owner window gets kWmMenuClick with a MenuCmdUI (item
// name, text, user data, check state) as lParam, sent on the UI thread. UI thread only.
#include <memory>
#include <string>

#include "ui/types.h"

class CWindowUI;
class QMenu;

// Alignment bits: where the menu lies against its point. Without kMenuAlignRight the menu's left
// edge is at the point, with it the right edge; without kMenuAlignBottom its top edge, with it the
// bottom edge. kMenuAlignLeft and kMenuAlignTop name the defaults.
enum MenuAlign : uint32_t {
    kMenuAlignLeft = 2,
    kMenuAlignTop = 4,
    kMenuAlignRight = 8,
    kMenuAlignBottom = 16,
};

// The top-left corner of a menu of a given size opened at a point.
UiPoint MenuTopLeft(UiPoint point, UiSize size, uint32_t alignment);

class CMenuWnd {
public:
    CMenuWnd();
    ~CMenuWnd();
    CMenuWnd(const CMenuWnd&) = delete;
    CMenuWnd& operator=(const CMenuWnd&) = delete;

    // Builds the menu and opens it (closing one this object had open). False when the layout cannot
    // be read or has no items.
    bool Open(CWindowUI* owner, const std::wstring& layout, UiPoint screenPoint, uint32_t alignment);
    void Close();
    bool IsOpen() const;
    QMenu* GetNativeMenu() const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
