#include "ui/types.h"

#include <algorithm>

UiRect UiRect::Intersected(const UiRect& o) const {
    UiRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
             std::min(bottom, o.bottom)};
    if (r.IsEmpty()) {
        return {};
    }
    return r;
}

UiRect UiRect::Deflated(const UiRect& insets) const {
    UiRect r{left + insets.left, top + insets.top, right - insets.right, bottom - insets.bottom};
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    return r;
}
