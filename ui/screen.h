#pragma once
// The mouse position and the screen around it, in screen pixels.
#include "ui/types.h"

UiPoint CursorScreenPos();
// The whole screen under a point, and the part of it not taken by the desktop's panels.
UiRect ScreenRectAt(UiPoint point);
UiRect AvailableRectAt(UiPoint point);
