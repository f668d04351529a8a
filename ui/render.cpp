#include "ui/render.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

#include "ui/image.h"
#include "ui/image_cache.h"
#include "ui/paint_manager.h"
#include "ui/qt_font.h"
#include "ui/qt_text.h"

namespace {
QRect ToQRect(const UiRect& rc) {
    return QRect(rc.left, rc.top, rc.Width(), rc.Height());
}

QColor ToQColor(UiColor c) {
    return QColor::fromRgba(c);
}

// Draws src of the image into dst, tiled in the requested directions.
void DrawPiece(QPainter& p, const QImage& image, const QRect& dst, const QRect& src, bool xtiled,
               bool ytiled) {
    if (dst.isEmpty() || src.isEmpty()) {
        return;
    }
    if (!xtiled && !ytiled) {
        p.drawImage(dst, image, src);
        return;
    }
    const int stepX = xtiled ? src.width() : dst.width();
    const int stepY = ytiled ? src.height() : dst.height();
    p.save();
    p.setClipRect(dst, Qt::IntersectClip);
    for (int y = dst.top(); y <= dst.bottom(); y += stepY) {
        for (int x = dst.left(); x <= dst.right(); x += stepX) {
            p.drawImage(QRect(x, y, stepX, stepY), image, src);
        }
    }
    p.restore();
}

// Nine pieces: the corners keep their size, the edges stretch along one axis, the middle along both.
void DrawNineSlice(QPainter& p, const QImage& image, const QRect& dst, const QRect& src,
                   const QMargins& srcCorner, const QMargins& dstCorner, bool hole) {
    const int sx[4] = {src.left(), src.left() + srcCorner.left(), src.right() + 1 - srcCorner.right(),
                       src.right() + 1};
    const int sy[4] = {src.top(), src.top() + srcCorner.top(), src.bottom() + 1 - srcCorner.bottom(),
                       src.bottom() + 1};
    const int dx[4] = {dst.left(), dst.left() + dstCorner.left(), dst.right() + 1 - dstCorner.right(),
                       dst.right() + 1};
    const int dy[4] = {dst.top(), dst.top() + dstCorner.top(), dst.bottom() + 1 - dstCorner.bottom(),
                       dst.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            if (hole && row == 1 && col == 1) {
                continue;
            }
            const QRect s(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
            const QRect d(QPoint(dx[col], dy[row]), QPoint(dx[col + 1] - 1, dy[row + 1] - 1));
            DrawPiece(p, image, d, s, false, false);
        }
    }
}
}  // namespace

void CRenderUI::FillRect(const UiRect& rc, UiColor color) {
    m_painter.fillRect(ToQRect(rc), ToQColor(color));
}

void CRenderUI::DrawBorder(const UiRect& rc, int size, UiColor color, int round) {
    if (size <= 0 || rc.IsEmpty()) {
        return;
    }
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing, round > 0);
    QPen pen(ToQColor(color));
    pen.setWidth(size);
    pen.setJoinStyle(Qt::MiterJoin);
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    const QRectF r = QRectF(ToQRect(rc)).adjusted(size / 2.0, size / 2.0, -size / 2.0, -size / 2.0);
    if (round > 0) {
        m_painter.drawRoundedRect(r, round, round);
    } else {
        m_painter.drawRect(r);
    }
    m_painter.restore();
}

void CRenderUI::FillEllipse(const UiRect& rc, UiColor color) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    m_painter.drawEllipse(ToQRect(rc));
    m_painter.restore();
}

void CRenderUI::FillPie(const UiRect& rc, double startDeg, double spanDeg, UiColor color) {
    m_painter.save();
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ToQColor(color));
    m_painter.drawPie(ToQRect(rc), static_cast<int>(startDeg * 16), static_cast<int>(spanDeg * 16));
    m_painter.restore();
}

bool CRenderUI::DrawImage(const UiRect& rc, std::wstring_view imageString) {
    TDrawInfoUI info;
    if (rc.IsEmpty() || !ParseImageString(imageString, info)) {
        return false;
    }
    const SkinImage* skin = FindSkinImage(info.file, m_manager.GetDPI());
    if (skin == nullptr) {
        return false;
    }
    const double ratio = skin->ratio;
    const auto sourceScaled = [ratio](int v) { return static_cast<int>(v * ratio + 0.5); };
    QRect src = skin->image.rect();
    if (info.hasSource) {
        src = QRect(QPoint(sourceScaled(info.source.left), sourceScaled(info.source.top)),
                    QPoint(sourceScaled(info.source.right) - 1, sourceScaled(info.source.bottom) - 1))
                  .intersected(skin->image.rect());
    }
    QRect dst = ToQRect(rc);
    if (info.hasDest) {
        const UiRect& d = info.dest;
        dst = QRect(QPoint(rc.left + m_manager.Scale(d.left), rc.top + m_manager.Scale(d.top)),
                    QPoint(rc.left + m_manager.Scale(d.right) - 1, rc.top + m_manager.Scale(d.bottom) - 1))
                  .intersected(ToQRect(rc));
    }
    if (src.isEmpty() || dst.isEmpty()) {
        return false;
    }
    const double opacity = m_painter.opacity();
    m_painter.setOpacity(opacity * info.fade / 255.0);
    const UiRect& c = info.corner;
    if (c.left > 0 || c.top > 0 || c.right > 0 || c.bottom > 0) {
        const QMargins srcCorner(sourceScaled(c.left), sourceScaled(c.top), sourceScaled(c.right),
                                 sourceScaled(c.bottom));
        const QMargins dstCorner(m_manager.Scale(c.left), m_manager.Scale(c.top), m_manager.Scale(c.right),
                                 m_manager.Scale(c.bottom));
        DrawNineSlice(m_painter, skin->image, dst, src, srcCorner, dstCorner, info.hole);
    } else {
        DrawPiece(m_painter, skin->image, dst, src, info.xtiled, info.ytiled);
    }
    m_painter.setOpacity(opacity);
    return true;
}

void CRenderUI::DrawText(const UiRect& rc, std::wstring_view text, UiColor color, int font, unsigned style) {
    if (rc.IsEmpty() || text.empty()) {
        return;
    }
    const QFont qfont = MakeQFont(font, m_manager);

    int flags = (style & kTextCenter)  ? Qt::AlignHCenter
                : (style & kTextRight) ? Qt::AlignRight
                                       : Qt::AlignLeft;
    flags |= (style & kTextVCenter)  ? Qt::AlignVCenter
             : (style & kTextBottom) ? Qt::AlignBottom
                                     : Qt::AlignTop;
    QString qtext = ToQString(text);
    if (style & kTextWordBreak) {
        flags |= Qt::TextWordWrap;
    } else if (style & kTextEndEllipsis) {
        qtext = QFontMetrics(qfont).elidedText(qtext, Qt::ElideRight, rc.Width());
    }
    m_painter.save();
    m_painter.setFont(qfont);
    m_painter.setPen(ToQColor(color));
    m_painter.drawText(ToQRect(rc), flags, qtext);
    m_painter.restore();
}

CRenderUI::Clip::Clip(CRenderUI& render, const UiRect& rc) : m_painter(render.m_painter) {
    m_painter.save();
    m_painter.setClipRect(ToQRect(rc), Qt::IntersectClip);
}

CRenderUI::Clip::~Clip() {
    m_painter.restore();
}
