#pragma once
// The controls tests' window: a layout of tests/controls/data over the program's skin (where the
// controls find their own layouts and images), with the program's controls registered, and a mouse
// that presses, moves and releases at points of the window as a person would.
#include <QImage>
#include <QTest>
#include <QWidget>
#include <initializer_list>

#include "controls/register_controls.h"
#include "platform/text.h"
#include "tests/ui/test_window.h"
#include "ui/control_factory.h"

inline std::wstring SkinDir() {
    return Utf8ToWide(PX300_SOURCE_DIR) + L"/skin";
}

inline std::wstring ControlsData(const std::wstring& file) {
    return Utf8ToWide(PX300_SOURCE_DIR) + L"/tests/controls/data/" + file;
}

// Opens a layout of the controls' test data in a shown window.
inline void OpenControlsWindow(CTestWindow& window) {
    TestApplication();
    RegisterCustomControls(CControlFactory::Instance());
    CPaintManagerUI::SetResourcePath(SkinDir());
    ASSERT_TRUE(window.Create(nullptr, L"controls"));
    window.ShowWindow();
    CUiApplication::DoEvents();
    window.PaintManager().LayoutIfNeeded();
}

inline UiPoint Center(const UiRect& rc) {
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

class CTestMouse {
public:
    explicit CTestMouse(CWindowUI& window) : m_window(window) {}

    void Press(UiPoint pt, Qt::KeyboardModifiers keys = {}) {
        QTest::mousePress(Host(), Qt::LeftButton, keys, At(pt));
        CUiApplication::DoEvents();
    }
    void Move(UiPoint pt) {
        QTest::mouseMove(Host(), At(pt));
        CUiApplication::DoEvents();
    }
    void Release(UiPoint pt) {
        QTest::mouseRelease(Host(), Qt::LeftButton, {}, At(pt));
        CUiApplication::DoEvents();
    }
    // Presses at the first point, moves through the others and releases at the last.
    void Drag(std::initializer_list<UiPoint> path) {
        Press(*path.begin());
        for (const UiPoint& pt : path) {
            if (&pt != path.begin()) {
                Move(pt);
            }
        }
        Release(*(path.end() - 1));
    }
    QImage Grab() const { return Host()->grab().toImage(); }

private:
    static QPoint At(UiPoint pt) { return QPoint(pt.x, pt.y); }
    // Looked up at each use: the window may be created after the mouse.
    QWidget* Host() const { return m_window.GetHostWidget(); }

    CWindowUI& m_window;
};
