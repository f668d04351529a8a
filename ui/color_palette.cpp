#include "ui/color_palette.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

#include "ui/attributes.h"
#include "ui/notifications.h"
#include "ui/render.h"

namespace {
constexpr int kGap = 4;  // between field and bar, at 96 DPI

QRect ToQRect(const UiRect& rc) {
    return QRect(rc.left, rc.top, rc.Width(), rc.Height());
}
}  // namespace

std::wstring CColorPaletteUI::GetClass() const {
    return L"ColorPalette";
}

UiColor CColorPaletteUI::GetSelectColor() const {
    return QColor::fromHsv(m_hue, m_saturation, m_value).rgba();
}

void CColorPaletteUI::SetSelectColor(UiColor color) {
    const QColor c = QColor::fromRgba(color).toHsv();
    m_hue = std::max(c.hsvHue(), 0);  // -1 for greys: keep the field at red
    m_saturation = c.hsvSaturation();
    m_value = c.value();
    Invalidate();
}

UiRect CColorPaletteUI::FieldRect() const {
    UiRect rc = m_pos;
    rc.bottom = std::max(rc.top, rc.bottom - Scale(m_barHeight + kGap));
    return rc;
}

UiRect CColorPaletteUI::BarRect() const {
    UiRect rc = m_pos;
    rc.top = std::max(rc.top, rc.bottom - Scale(m_barHeight));
    return rc;
}

void CColorPaletteUI::TrackPoint(UiPoint pt) {
    if (m_drag == Drag::Field) {
        const UiRect rc = FieldRect();
        const int x = std::clamp(pt.x - rc.left, 0, std::max(1, rc.Width() - 1));
        const int y = std::clamp(pt.y - rc.top, 0, std::max(1, rc.Height() - 1));
        m_hue = x * 359 / std::max(1, rc.Width() - 1);
        m_saturation = 255 - y * 255 / std::max(1, rc.Height() - 1);
    } else if (m_drag == Drag::Bar) {
        const UiRect rc = BarRect();
        const int x = std::clamp(pt.x - rc.left, 0, std::max(1, rc.Width() - 1));
        m_value = x * 255 / std::max(1, rc.Width() - 1);
    }
    Invalidate();
}

void CColorPaletteUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UiEvent::ButtonDown:
            if (IsEnabled()) {
                m_drag = BarRect().Contains(event.ptMouse)     ? Drag::Bar
                         : FieldRect().Contains(event.ptMouse) ? Drag::Field
                                                               : Drag::None;
                TrackPoint(event.ptMouse);
            }
            return;
        case UiEvent::MouseMove:
            TrackPoint(event.ptMouse);
            return;
        case UiEvent::ButtonUp:
            if (m_drag != Drag::None) {
                TrackPoint(event.ptMouse);
                m_drag = Drag::None;
                SendNotify(kNotifyColorChanged);
            }
            return;
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CColorPaletteUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    int n = 0;
    if (name == L"barheight" && ParseInt(value, n)) {
        m_barHeight = std::max(n, 1);
        Invalidate();
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

void CColorPaletteUI::PaintStatusImage(CRenderUI& render) {
    QPainter& p = render.Painter();
    p.save();
    const QRect field = ToQRect(FieldRect());
    const QRect bar = ToQRect(BarRect());
    if (!field.isEmpty()) {
        QLinearGradient hues(field.topLeft(), field.topRight());
        for (int i = 0; i <= 6; ++i) {
            hues.setColorAt(i / 6.0, QColor::fromHsv(std::min(i * 60, 359), 255, m_value));
        }
        p.fillRect(field, hues);
        QLinearGradient fade(field.topLeft(), field.bottomLeft());
        const QColor grey = QColor::fromHsv(0, 0, m_value);
        fade.setColorAt(0, QColor(grey.red(), grey.green(), grey.blue(), 0));
        fade.setColorAt(1, grey);
        p.fillRect(field, fade);
        const int x = field.left() + m_hue * (field.width() - 1) / 359;
        const int y = field.top() + (255 - m_saturation) * (field.height() - 1) / 255;
        p.setPen(Qt::white);
        p.drawEllipse(QPoint(x, y), Scale(4), Scale(4));
    }
    if (!bar.isEmpty()) {
        QLinearGradient values(bar.topLeft(), bar.topRight());
        values.setColorAt(0, Qt::black);
        values.setColorAt(1, QColor::fromHsv(m_hue, m_saturation, 255));
        p.fillRect(bar, values);
        const int x = bar.left() + m_value * (bar.width() - 1) / 255;
        p.fillRect(QRect(x - 1, bar.top(), 3, bar.height()), Qt::white);
    }
    p.restore();
}
