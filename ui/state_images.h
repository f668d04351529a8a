#pragma once
// The images a pressable control shows by state (normal, hot, pushed, focused, disabled), read from
// the attributes "normalimage", "hotimage", "pushedimage", "focusedimage" and "disabledimage".
#include <string>
#include <string_view>

class CStateImages {
public:
    std::wstring normal;
    std::wstring hot;
    std::wstring pushed;
    std::wstring focused;
    std::wstring disabled;

    // True when the attribute is one of the five.
    bool SetAttribute(std::wstring_view name, std::wstring_view value);
    // The image of a state, falling back to the normal image when that state has none.
    const std::wstring& For(bool enabled, bool isPushed, bool isHot, bool isFocused) const;
};
