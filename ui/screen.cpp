#include "ui/screen.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {
QScreen* ScreenAt(UiPoint point) {
    QScreen* screen = QGuiApplication::screenAt(QPoint(point.x, point.y));
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

UiRect ToRect(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}
}  // namespace

UiPoint CursorScreenPos() {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
}

UiRect ScreenRectAt(UiPoint point) {
    QScreen* screen = ScreenAt(point);
    return screen != nullptr ? ToRect(screen->geometry()) : UiRect{};
}

UiRect AvailableRectAt(UiPoint point) {
    QScreen* screen = ScreenAt(point);
    return screen != nullptr ? ToRect(screen->availableGeometry()) : UiRect{};
}
