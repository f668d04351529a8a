#include "config/keyboard_profiledata.h"

#include <algorithm>

#include "config/json_access.h"
#include "config/record_layouts.h"

namespace {
const Json::Value& ColorGroup(const Json::Value& document, int64_t group) {
    return ElementOf(MemberOf(MemberOf(document, "CustomLightMode"), "LightColorInfo"), group);
}

Json::Value& WritableColor(Json::Value& document, int64_t group, int64_t index) {
    Json::Value& groups = ObjectMember(ObjectMember(document, "CustomLightMode"), "LightColorInfo");
    return ArrayElement(ArrayElement(groups, group), index);
}
}  // namespace

KeyboardSystemSettings CKeyboardProfiledata::ReadKeyboardSystem() {
    m_system = ReadRecord(Document(), KeyboardSystemLayout());
    return m_system;
}

void CKeyboardProfiledata::WriteKeyboardSystem(const KeyboardSystemSettings& settings) {
    m_system = settings;
    WriteRecordMembers(Document(), KeyboardSystemLayout(), settings);
}

std::vector<CustomLightColor> CKeyboardProfiledata::ReadCustomColors(int32_t group, int32_t count) {
    m_customColors.assign(static_cast<size_t>(std::clamp<int64_t>(count, 0, kMaxDocumentIndex)), {});
    if (!CheckDocumentIndex(group, L"custom colour group")) {
        return m_customColors;
    }
    for (size_t i = 0; i < m_customColors.size(); ++i) {
        const Json::Value& entry = ElementOf(ColorGroup(Document(), group), static_cast<int64_t>(i));
        if (entry.isObject()) {
            ReadFields(entry, CustomColorFields(), m_customColors[i]);
        } else {
            // A new entry gets the four colour members; "IsBright" is left out.
            WriteFields(WritableColor(Document(), group, static_cast<int64_t>(i)),
                        CustomColorFields().first(4), CustomLightColor{});
        }
    }
    return m_customColors;
}

void CKeyboardProfiledata::WriteCustomColors(const std::vector<CustomLightColor>& colors, int32_t group) {
    m_customColors = colors;
    if (!CheckDocumentIndex(group, L"custom colour group")) {
        return;
    }
    for (size_t i = 0; i < colors.size(); ++i) {
        WriteFields(WritableColor(Document(), group, static_cast<int64_t>(i)), CustomColorFields(),
                    colors[i]);
    }
}

int32_t CKeyboardProfiledata::ReadCustomGroupIndex() {
    m_customGroup = JsonInt(MemberOf(MemberOf(Document(), "CustomLightMode"), "CustomLightModeGroupIndex"));
    return m_customGroup;
}

void CKeyboardProfiledata::WriteCustomGroupIndex(int32_t index) {
    m_customGroup = index;
    ObjectMember(ObjectMember(Document(), "CustomLightMode"), "CustomLightModeGroupIndex") = index;
}
