#include "controls/tinted_image.h"

#include <QImage>
#include <QPainter>
#include <algorithm>

#include "ui/render.h"

void DrawTintedImage(CRenderUI& render, const UiRect& rc, std::wstring_view image, UiColor color, int fade) {
    if (rc.IsEmpty()) {
        return;
    }
    // The image is drawn alone into a buffer first, so that only its own pixels take the colour.
    QImage buffer(rc.Width(), rc.Height(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    {
        QPainter painter(&buffer);
        painter.translate(-rc.left, -rc.top);
        CRenderUI layer(painter, render.Manager());
        if (!layer.DrawImage(rc, image)) {
            layer.FillRect(rc, 0xFF000000);
        }
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(QRect(rc.left, rc.top, rc.Width(), rc.Height()),
                         QColor::fromRgb(color | 0xFF000000));
    }
    QPainter& target = render.Painter();
    const double opacity = target.opacity();
    target.setOpacity(opacity * std::clamp(fade, 0, 255) / 255.0);
    target.drawImage(QPoint(rc.left, rc.top), buffer);
    target.setOpacity(opacity);
}
