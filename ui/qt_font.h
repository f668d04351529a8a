#pragma once
// The Qt font of a font-table id at a window's scale (inside ui/ and controls/ only).
#include <QFont>

class CPaintManagerUI;

QFont MakeQFont(int fontId, const CPaintManagerUI& manager);
