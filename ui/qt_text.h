#pragma once
// Conversions between the toolkit's wide strings and Qt's strings (inside ui/ and controls/ only).
#include <QString>
#include <string>
#include <string_view>

inline QString ToQString(std::wstring_view text) {
    return QString::fromWCharArray(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::wstring FromQString(const QString& text) {
    return text.toStdWString();
}
