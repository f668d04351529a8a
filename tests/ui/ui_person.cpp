#include "ui_person.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>

#include "ui/combo.h"
#include "ui/control.h"
#include "ui/list.h"
#include "ui/menu.h"
#include "ui/progress.h"
#include "ui/qt_text.h"

namespace {
QPoint Center(const UiRect& rc) {
    return QPoint((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
}

// The native editor lying over an edit while it has the focus.
QWidget* NativeEditor(QWidget* host) {
    for (QWidget* w : host->findChildren<QWidget*>()) {
        if (w->isVisible() &&
            (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QPlainTextEdit*>(w) != nullptr)) {
            return w;
        }
    }
    return nullptr;
}
}  // namespace

CUiApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "px300-ui-tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: Qt's own globals may be gone when static destructors run at exit.
    static CUiApplication* app = new CUiApplication(argc, argv);
    return *app;
}

CControlUI* CUiPerson::Find(std::wstring_view name) {
    m_window.PaintManager().LayoutIfNeeded();
    CControlUI* control = m_window.FindControl(name);
    return control != nullptr && control->IsVisible() ? control : nullptr;
}

bool CUiPerson::Click(std::wstring_view name) {
    CControlUI* control = Find(name);
    if (control == nullptr) {
        return false;
    }
    QTest::mouseClick(m_window.GetHostWidget(), Qt::LeftButton, {}, Center(control->GetPos()));
    CUiApplication::DoEvents();
    return true;
}

bool CUiPerson::DoubleClick(std::wstring_view name) {
    CControlUI* control = Find(name);
    if (control == nullptr) {
        return false;
    }
    // What the window system delivers: press, release, double-click (in place of a press), release.
    QWidget* host = m_window.GetHostWidget();
    const QPoint at = Center(control->GetPos());
    QTest::mouseClick(host, Qt::LeftButton, {}, at);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, host->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                    {});
    QApplication::sendEvent(host, &dbl);
    QTest::mouseRelease(host, Qt::LeftButton, {}, at);
    CUiApplication::DoEvents();
    return true;
}

bool CUiPerson::RightClick(std::wstring_view name) {
    CControlUI* control = Find(name);
    if (control == nullptr) {
        return false;
    }
    QWidget* host = m_window.GetHostWidget();
    const QPoint at = Center(control->GetPos());
    QTest::mouseClick(host, Qt::RightButton, {}, at);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, at, host->mapToGlobal(at));
    QApplication::sendEvent(host, &menu);
    CUiApplication::DoEvents();
    return true;
}

bool CUiPerson::MoveSlider(std::wstring_view name, int value) {
    auto* slider = dynamic_cast<CSliderUI*>(Find(name));
    if (slider == nullptr) {
        return false;
    }
    QWidget* host = m_window.GetHostWidget();
    const QPoint from = Center(slider->GetThumbRect());
    // Where the thumb's centre lies for the value, found along the track.
    const UiRect& track = slider->GetPos();
    QPoint to = from;
    for (int x = track.left; x < track.right; ++x) {
        if (slider->ValueAt({x, from.y()}) == value) {
            to.setX(x);
            break;
        }
    }
    QTest::mousePress(host, Qt::LeftButton, {}, from);
    const int steps = 4;
    for (int i = 1; i <= steps; ++i) {
        QTest::mouseMove(host, from + (to - from) * i / steps);
    }
    QTest::mouseRelease(host, Qt::LeftButton, {}, to);
    CUiApplication::DoEvents();
    return true;
}

bool CUiPerson::TypeInto(std::wstring_view name, std::wstring_view text) {
    if (!Click(name)) {
        return false;
    }
    QWidget* editor = NativeEditor(m_window.GetHostWidget());
    if (editor == nullptr) {
        return false;
    }
    QTest::keyClicks(editor, ToQString(text));
    CUiApplication::DoEvents();
    return true;
}

void CUiPerson::PressKey(int qtKey) {
    QWidget* editor = NativeEditor(m_window.GetHostWidget());
    QTest::keyClick(editor != nullptr ? editor : m_window.GetHostWidget(), static_cast<Qt::Key>(qtKey));
    CUiApplication::DoEvents();
}

bool CUiPerson::PickComboItem(std::wstring_view name, int index) {
    auto* combo = dynamic_cast<CComboUI*>(Find(name));
    if (combo == nullptr || !Click(name)) {
        return false;
    }
    auto* list = qobject_cast<QListWidget*>(combo->GetDropDown());
    if (list == nullptr) {
        return false;
    }
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem* item = list->item(row);
        if (item->data(Qt::UserRole).toInt() == index) {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
            CUiApplication::DoEvents();
            return true;
        }
    }
    return false;
}

bool CUiPerson::PickListItem(std::wstring_view name, int index) {
    auto* list = dynamic_cast<CListUI*>(Find(name));
    CControlUI* item = list != nullptr ? list->GetItemAt(index) : nullptr;
    if (item == nullptr) {
        return false;
    }
    list->EnsureVisible(item);
    QTest::mouseClick(m_window.GetHostWidget(), Qt::LeftButton, {}, Center(item->GetPos()));
    CUiApplication::DoEvents();
    return true;
}

bool CUiPerson::PickMenuItem(CMenuWnd& menu, std::wstring_view itemName) {
    QMenu* top = menu.GetNativeMenu();
    QAction* action = top != nullptr ? top->findChild<QAction*>(ToQString(itemName)) : nullptr;
    if (action == nullptr) {
        return false;
    }
    // The menu level holding the item: open the sub-menus on the way as a person would.
    QMenu* level = top;
    while (!level->actions().contains(action)) {
        QMenu* next = nullptr;
        for (QAction* a : level->actions()) {
            if (a->menu() != nullptr && a->menu()->findChild<QAction*>(ToQString(itemName)) == action) {
                QTest::mouseClick(level, Qt::LeftButton, {}, level->actionGeometry(a).center());
                CUiApplication::DoEvents();
                next = a->menu();
            }
        }
        if (next == nullptr) {
            return false;
        }
        level = next;
    }
    QTest::mouseClick(level, Qt::LeftButton, {}, level->actionGeometry(action).center());
    CUiApplication::DoEvents();
    return true;
}
