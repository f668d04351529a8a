#include "controls/wnd_host.h"

#include "ui/paint_manager.h"

std::wstring CWndUI::GetClass() const {
    return L"Wnd";
}

void CWndUI::Attach(QWidget* widget) {
    m_widget = widget;
    if (widget != nullptr && widget->isWindow()) {
        widget->setAttribute(Qt::WA_ShowWithoutActivating);
    }
    Place();
}

QWidget* CWndUI::Detach() {
    QWidget* widget = m_widget;
    m_widget = nullptr;
    return widget;
}

void CWndUI::SetPos(const UiRect& rc) {
    CControlUI::SetPos(rc);
    Place();
}

void CWndUI::SetVisible(bool visible) {
    CControlUI::SetVisible(visible);
    Place();
}

void CWndUI::SetInternVisible(bool visible) {
    CControlUI::SetInternVisible(visible);
    Place();
}

void CWndUI::Place() {
    QWidget* widget = m_widget;
    QWidget* host = m_manager != nullptr ? m_manager->GetHost() : nullptr;
    if (widget == nullptr || host == nullptr) {
        return;
    }
    QPoint at(m_pos.left, m_pos.top);
    if (widget->parentWidget() != host) {
        at = host->mapToGlobal(at);
        if (!widget->isWindow()) {
            at = widget->parentWidget()->mapFromGlobal(at);
        }
    }
    widget->setGeometry(QRect(at, QSize(m_pos.Width(), m_pos.Height())));
    widget->setVisible(IsVisible());
}
