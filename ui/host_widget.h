#pragma once
// The native widget of a CWindowUI: paints the control tree and turns Qt's input and window events
// into the paint manager's input calls and the window's messages.
#include <QWidget>

class CWindowUI;
class CPaintManagerUI;

class CHostWidget : public QWidget {
public:
    CHostWidget(CWindowUI& window, CPaintManagerUI& manager, QWidget* parent, Qt::WindowFlags flags);
    // Cuts the links to the window before it goes; later events do nothing.
    void Detach();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    bool InCaption(QPoint pt) const;

    CWindowUI* m_window;
    CPaintManagerUI* m_manager;
};

// The Windows virtual-key code of a Qt key (0 when it has none).
uint32_t VirtualKeyOf(int qtKey);
