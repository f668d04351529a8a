#pragma once
// The main window's scale for the monitor it is on: 144 DPI on monitors larger than 1500 × 960,
// else 96; the window is 1000 × 640 at 96 DPI and grows with the scale.
#include "ui/types.h"

constexpr int kMainWidth96 = 1000;
constexpr int kMainHeight96 = 640;

int MainWindowDpi(UiSize monitor);
UiSize MainWindowSize(int dpi);
