#pragma once
// The keyboard's profile object: the base sections plus the keyboard settings and the custom colour
// groups (one colour per key light).
#include <cstdint>
#include <vector>

#include "config/basic_profiledata.h"

class CKeyboardProfiledata : public CBasicProfiledata {
public:
    KeyboardSystemSettings ReadKeyboardSystem();
    void WriteKeyboardSystem(const KeyboardSystemSettings& settings);  // member by member

    // The first `count` colours of group `group` of "CustomLightMode"."LightColorInfo". A missing
    // group or entry reads as zeros, and the document gains that entry with "Red", "Green", "Blue"
    // and "Alpha" set to 0. A group outside 0..1023 reads as zeros and leaves the document alone;
    // the count is limited to 1024.
    std::vector<CustomLightColor> ReadCustomColors(int32_t group, int32_t count);
    // Sets the five members of every entry of the group (outside 0..1023: nothing is written).
    void WriteCustomColors(const std::vector<CustomLightColor>& colors, int32_t group);

    int32_t ReadCustomGroupIndex();  // "CustomLightMode"."CustomLightModeGroupIndex"
    void WriteCustomGroupIndex(int32_t index);

private:
    KeyboardSystemSettings m_system;
    std::vector<CustomLightColor> m_customColors;
    int32_t m_customGroup = 0;
};
