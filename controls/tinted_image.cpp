#include "controls/tinted_image.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <map>
#include <tuple>

#include "ui/paint_manager.h"
#include "ui/render.h"

namespace {
// The image drawn alone at a size: its alpha is the shape the colour takes. Every key of a page
// has the same few shapes, and a light tick repaints them all, so the shapes are kept.
using ShapeKey = std::tuple<std::wstring, std::wstring, int, int, int>;  // skin, image, cx, cy, dpi
constexpr size_t kMaxShapes = 64;

// x / 255 rounded down, for x up to 255 * 255.
constexpr unsigned Div255(unsigned x) {
    return (x + 1 + (x >> 8)) >> 8;
}

const QImage& Shape(CRenderUI& render, const UiRect& rc, std::wstring_view image) {
    static std::map<ShapeKey, QImage> shapes;
    ShapeKey key{CPaintManagerUI::GetResourcePath(), std::wstring(image), rc.Width(), rc.Height(),
                 render.Manager().GetDPI()};
    auto it = shapes.find(key);
    if (it != shapes.end()) {
        return it->second;
    }
    if (shapes.size() >= kMaxShapes) {
        shapes.clear();
    }
    QImage shape(rc.Width(), rc.Height(), QImage::Format_ARGB32_Premultiplied);
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    painter.translate(-rc.left, -rc.top);
    CRenderUI layer(painter, render.Manager());
    if (!layer.DrawImage(rc, image)) {
        layer.FillRect(rc, 0xFF000000);
    }
    return shapes.emplace(std::move(key), std::move(shape)).first->second;
}
}  // namespace

void DrawTintedImage(CRenderUI& render, const UiRect& rc, std::wstring_view image, UiColor color, int fade) {
    if (rc.IsEmpty()) {
        return;
    }
    // Each pixel takes the colour at the shape's alpha, already faded: one table of the 256
    // premultiplied values, one pass over the pixels, no painter.
    const unsigned level = static_cast<unsigned>(std::clamp(fade, 0, 255));
    const unsigned r = color >> 16 & 0xFF;
    const unsigned g = color >> 8 & 0xFF;
    const unsigned b = color & 0xFF;
    QRgb byAlpha[256];
    for (unsigned alpha = 0; alpha < 256; ++alpha) {
        const unsigned a = Div255(alpha * level);
        byAlpha[alpha] = a << 24 | Div255(r * a) << 16 | Div255(g * a) << 8 | Div255(b * a);
    }
    const QImage& shape = Shape(render, rc, image);
    QImage tinted(shape.size(), QImage::Format_ARGB32_Premultiplied);
    const int width = shape.width();
    for (int y = 0; y < shape.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(shape.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(tinted.scanLine(y));
        for (int x = 0; x < width; ++x) {
            out[x] = byAlpha[qAlpha(in[x])];
        }
    }
    render.Painter().drawImage(QPoint(rc.left, rc.top), tinted);
}
