#pragma once
// Image strings of the skin: either a bare file name, or attributes in the form
// file='a.png' source='l,t,r,b' corner='l,t,r,b' dest='l,t,r,b' fade='200' hole='true'
// xtiled='true' ytiled='true'. "res" is another name for "file"; "restype", "mask" and "hsl" are
// accepted and have no effect. Files are PNG or SVG below the skin folder, or absolute paths.
#include <string>
#include <string_view>

#include "ui/types.h"

struct TDrawInfoUI {
    std::wstring file;
    bool hasSource = false;
    UiRect source;  // image pixels
    UiRect corner;  // fixed borders of a stretched image, image pixels
    bool hasDest = false;
    UiRect dest;  // relative to the control's rectangle, 96 DPI
    int fade = 255;
    bool hole = false;  // corners and edges only
    bool xtiled = false;
    bool ytiled = false;
};

// False for an empty string or one without a file.
bool ParseImageString(std::wstring_view image, TDrawInfoUI& out);
