#include "ui/host_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <QWindow>

#include "ui/container.h"
#include "ui/messages.h"
#include "ui/paint_manager.h"
#include "ui/qt_text.h"
#include "ui/render.h"
#include "ui/window.h"

namespace {
UiPoint ToPoint(const QPointF& p) {
    return {static_cast<int>(p.x()), static_cast<int>(p.y())};
}

uint16_t KeyState(Qt::KeyboardModifiers modifiers) {
    return static_cast<uint16_t>(((modifiers & Qt::ControlModifier) ? kKeyStateControl : 0) |
                                 ((modifiers & Qt::ShiftModifier) ? kKeyStateShift : 0));
}
}  // namespace

uint32_t VirtualKeyOf(int key) {
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return static_cast<uint32_t>(key);  // same codes as the virtual keys
    }
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return kVkReturn;
        case Qt::Key_Escape:
            return kVkEscape;
        case Qt::Key_Tab:
            return 0x09;
        case Qt::Key_Backspace:
            return 0x08;
        case Qt::Key_Space:
            return 0x20;
        case Qt::Key_Left:
            return 0x25;
        case Qt::Key_Up:
            return 0x26;
        case Qt::Key_Right:
            return 0x27;
        case Qt::Key_Down:
            return 0x28;
        case Qt::Key_Delete:
            return 0x2E;
        default:
            return 0;
    }
}

CHostWidget::CHostWidget(CWindowUI& window, CPaintManagerUI& manager, QWidget* parent, Qt::WindowFlags flags)
    : QWidget(parent, flags), m_window(&window), m_manager(&manager) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CHostWidget::Detach() {
    m_window = nullptr;
    m_manager = nullptr;
}

bool CHostWidget::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && m_manager != nullptr) {
        auto* help = static_cast<QHelpEvent*>(event);
        CControlUI* control = m_manager->FindControlAt(ToPoint(help->pos()));
        const std::wstring tip = control != nullptr ? control->GetToolTip() : std::wstring();
        if (tip.empty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), ToQString(tip), this);
        }
        return true;
    }
    return QWidget::event(event);
}

void CHostWidget::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().window());
    if (m_manager == nullptr) {
        return;
    }
    CRenderUI render(painter, *m_manager);
    const QRect r = event->rect();
    m_manager->Paint(render, {r.left(), r.top(), r.right() + 1, r.bottom() + 1});
}

void CHostWidget::resizeEvent(QResizeEvent*) {
    if (m_manager == nullptr) {
        return;
    }
    m_manager->OnResize({width(), height()});
    if (m_window != nullptr) {
        m_window->DispatchMessage(kWmSize, 0, static_cast<LPARAM>(width() | (height() << 16)));
    }
}

bool CHostWidget::InCaption(QPoint pt) const {
    const UiRect& caption = m_manager->GetCaptionRect();
    if (caption.bottom <= 0) {
        return false;
    }
    const UiRect area{m_manager->Scale(caption.left), m_manager->Scale(caption.top),
                      width() - m_manager->Scale(caption.right), m_manager->Scale(caption.bottom)};
    if (!area.Contains(ToPoint(pt))) {
        return false;
    }
    // Only on the caption bar's background: layouts, labels and plain areas, not what a person uses.
    CControlUI* hit = m_manager->FindControlAt(ToPoint(pt));
    if (hit == nullptr) {
        return true;
    }
    const std::wstring kind = hit->GetClass();
    return !hit->IsFocusable() && (dynamic_cast<CContainerUI*>(hit) != nullptr || kind == L"Label" ||
                                   kind == L"Text" || kind == L"Control");
}

void CHostWidget::mousePressEvent(QMouseEvent* event) {
    if (m_manager == nullptr) {
        return;
    }
    if (event->button() == Qt::LeftButton) {
        if (InCaption(event->position().toPoint()) && windowHandle() != nullptr) {
            windowHandle()->startSystemMove();
            return;
        }
        m_manager->OnButtonDown(ToPoint(event->position()), KeyState(event->modifiers()));
    } else if (event->button() == Qt::RightButton) {
        m_manager->OnRButtonDown(ToPoint(event->position()), KeyState(event->modifiers()));
    }
}

void CHostWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (m_manager != nullptr && event->button() == Qt::LeftButton) {
        m_manager->OnButtonUp(ToPoint(event->position()), KeyState(event->modifiers()));
    }
}

void CHostWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_manager != nullptr && event->button() == Qt::LeftButton) {
        m_manager->OnDblClick(ToPoint(event->position()), KeyState(event->modifiers()));
    }
}

void CHostWidget::mouseMoveEvent(QMouseEvent* event) {
    if (m_manager != nullptr) {
        m_manager->OnMouseMove(ToPoint(event->position()), KeyState(event->modifiers()));
    }
}

void CHostWidget::wheelEvent(QWheelEvent* event) {
    if (m_manager != nullptr && event->angleDelta().y() != 0) {
        m_manager->OnWheel(ToPoint(event->position()), event->angleDelta().y() < 0,
                           KeyState(event->modifiers()));
    }
}

void CHostWidget::keyPressEvent(QKeyEvent* event) {
    const uint32_t vk = VirtualKeyOf(event->key());
    if (m_window == nullptr || vk == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    bool handled = false;
    m_window->HandleMessage(kWmKeyDown, vk, 0, handled);
    if (!handled && m_manager != nullptr) {
        m_manager->OnKeyDown(vk, KeyState(event->modifiers()));
    }
}

void CHostWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (m_manager != nullptr) {
        m_manager->OnContextMenu(ToPoint(event->pos()));
    }
}

void CHostWidget::enterEvent(QEnterEvent*) {
    if (m_window != nullptr) {
        m_window->DispatchMessage(kWmMouseHover, 0, 0);
    }
}

void CHostWidget::leaveEvent(QEvent*) {
    if (m_manager != nullptr) {
        m_manager->OnMouseLeaveWindow();
    }
    if (m_window != nullptr) {
        m_window->DispatchMessage(kWmMouseLeave, 0, 0);
    }
}

void CHostWidget::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && m_window != nullptr) {
        m_window->DispatchMessage(kWmActivate, isActiveWindow() ? 1 : 0, 0);
    }
    QWidget::changeEvent(event);
}

void CHostWidget::closeEvent(QCloseEvent* event) {
    // The window decides: kWmClose either keeps it or ends it through CWindowUI.
    event->ignore();
    if (m_window != nullptr) {
        m_window->DispatchMessage(kWmClose, 0, 0);
    }
}
