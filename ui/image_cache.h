#pragma once
// Decoded skin images, shared by all windows (UI thread only).
#include <QImage>
#include <string>

struct SkinImage {
    QImage image;
    double ratio = 1.0;  // image pixels per pixel of the file's own size (SVG drawn at the window scale)
};

// The image of a skin-relative or absolute file at a scale (dpi / 96); null when it cannot be read.
const SkinImage* FindSkinImage(const std::wstring& file, int dpi);
void ClearImageCache();
