#include "shell/window_scale.h"

int MainWindowDpi(UiSize monitor) {
    return monitor.cx > 1500 && monitor.cy > 960 ? 144 : 96;
}

UiSize MainWindowSize(int dpi) {
    return UiSize{kMainWidth96 * dpi / 96, kMainHeight96 * dpi / 96};
}
