#include "ui/qt_font.h"

#include <algorithm>

#include "ui/paint_manager.h"
#include "ui/qt_text.h"

QFont MakeQFont(int fontId, const CPaintManagerUI& manager) {
    const TFontInfoUI info = CPaintManagerUI::GetFont(fontId);
    QFont font;
    if (!info.face.empty()) {
        font.setFamily(ToQString(info.face));
    }
    font.setPixelSize(std::max(1, manager.Scale(info.size)));
    font.setBold(info.bold);
    font.setUnderline(info.underline);
    font.setItalic(info.italic);
    return font;
}
