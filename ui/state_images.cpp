#include "ui/state_images.h"

bool CStateImages::SetAttribute(std::wstring_view name, std::wstring_view value) {
    std::wstring* target = name == L"normalimage"     ? &normal
                           : name == L"hotimage"      ? &hot
                           : name == L"pushedimage"   ? &pushed
                           : name == L"focusedimage"  ? &focused
                           : name == L"disabledimage" ? &disabled
                                                      : nullptr;
    if (target == nullptr) {
        return false;
    }
    *target = std::wstring(value);
    return true;
}

const std::wstring& CStateImages::For(bool enabled, bool isPushed, bool isHot, bool isFocused) const {
    const std::wstring& image = !enabled    ? disabled
                                : isPushed  ? pushed
                                : isHot     ? hot
                                : isFocused ? focused
                                            : normal;
    return image.empty() ? normal : image;
}
