#pragma once
// The headset's profile object: the base sections plus the headset settings, the equaliser preset
// rows and the user's named custom equaliser settings.
#include <cstdint>
#include <string>
#include <vector>

#include "config/basic_profiledata.h"

// The custom equaliser type: it has no preset row.
constexpr int32_t kCustomEqType = 13;

class CHs6533Profiledata : public CBasicProfiledata {
public:
    HeadsetSystemSettings ReadHeadsetSystem();
    void WriteHeadsetSystem(const HeadsetSystemSettings& settings);  // member by member

    // The ten band values of the preset row of an equaliser type in "EQHzValueInfo": types 1-12 use
    // their own row, every other type row 1, except kCustomEqType, which gives an empty list and
    // touches nothing. A missing section or row reads as zeros and the document gains that row with
    // ten {"value": 0} members.
    std::vector<int32_t> ReadEqPreset(int32_t type);
    void WriteEqPreset(int32_t type, const EqBands& values);
    // The same for row `slot` of "CustomEQHzValueInfo"; a slot outside 0..1023 gives an empty list
    // (and is not written).
    std::vector<int32_t> ReadCustomEq(int32_t slot);
    void WriteCustomEq(int32_t slot, const EqBands& values);
    // "CustomEQNameInfo": one {"Name": text} per custom slot, in slot order.
    std::vector<std::wstring> ReadCustomEqNames();
    void WriteCustomEqNames(const std::vector<std::wstring>& names);  // replaces the section

private:
    HeadsetSystemSettings m_system;
};
