#pragma once
// Drawing an image in one colour: how the key buttons show the light of their key over the device
// picture.
#include <string_view>

#include "ui/types.h"

class CRenderUI;

// Draws an image string of the skin into rc with every pixel in colour (the image's own alpha kept),
// at fade / 255 opacity. Without a drawable image the whole of rc takes the colour.
void DrawTintedImage(CRenderUI& render, const UiRect& rc, std::wstring_view image, UiColor color, int fade);
