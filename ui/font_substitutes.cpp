#include "ui/font_substitutes.h"

#include <QFont>
#include <QStringList>

#include "ui/qt_text.h"

void SetFontSubstitutes(const std::wstring& face, std::initializer_list<const wchar_t*> families) {
    QStringList list;
    for (const wchar_t* family : families) {
        list << ToQString(family);
    }
    QFont::insertSubstitutions(ToQString(face), list);
}
