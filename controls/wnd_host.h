#pragma once
// CWndUI ("Wnd"): a place in a layout for a native window. The attached widget is kept on the
// control's rectangle and shown or hidden with the control, without taking the focus or being
// raised. The rectangle is mapped from the window to wherever the widget lives: a child of the
// window's own widget takes it as it is, a separate window in screen coordinates. The control does
// not own the widget; a widget destroyed elsewhere is let go.
#include <QPointer>
#include <QWidget>

#include "ui/control.h"

class CWndUI : public CControlUI {
public:
    std::wstring GetClass() const override;

    // Attaches a widget (null detaches) and places it at once when the control is in a window.
    void Attach(QWidget* widget);
    // Lets go of the widget and returns it.
    QWidget* Detach();
    QWidget* GetWidget() const { return m_widget; }

    void SetPos(const UiRect& rc) override;
    void SetVisible(bool visible = true) override;
    void SetInternVisible(bool visible = true) override;

private:
    void Place();

    QPointer<QWidget> m_widget;
};
