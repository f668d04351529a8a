#include "config/hs6533_profiledata.h"

#include "config/json_access.h"
#include "config/record_layouts.h"
#include "platform/text.h"

namespace {
constexpr const char* kPresetRows = "EQHzValueInfo";
constexpr const char* kCustomRows = "CustomEQHzValueInfo";

// The preset row of an equaliser type; -1 for the custom type.
int64_t PresetRow(int32_t type) {
    if (type == kCustomEqType) {
        return -1;
    }
    return type >= 1 && type <= 12 ? type : 1;
}

std::vector<int32_t> ReadEqRow(Json::Value& document, const char* section, int64_t row) {
    std::vector<int32_t> bands(kEqBandCount, 0);
    const Json::Value& stored = ElementOf(MemberOf(document, section), row);
    if (stored.isArray()) {
        for (size_t band = 0; band < kEqBandCount; ++band) {
            bands[band] = JsonInt(MemberOf(ElementOf(stored, static_cast<int64_t>(band)), "value"));
        }
        return bands;
    }
    Json::Value& created = ArrayElement(ObjectMember(document, section), row);
    for (size_t band = 0; band < kEqBandCount; ++band) {
        ObjectMember(ArrayElement(created, static_cast<int64_t>(band)), "value") = 0;
    }
    return bands;
}

void WriteEqRow(Json::Value& document, const char* section, int64_t row, const EqBands& values) {
    Json::Value& stored = ArrayElement(ObjectMember(document, section), row);
    for (size_t band = 0; band < kEqBandCount; ++band) {
        ObjectMember(ArrayElement(stored, static_cast<int64_t>(band)), "value") = values[band];
    }
}
}  // namespace

HeadsetSystemSettings CHs6533Profiledata::ReadHeadsetSystem() {
    m_system = ReadRecord(Document(), HeadsetSystemLayout());
    return m_system;
}

void CHs6533Profiledata::WriteHeadsetSystem(const HeadsetSystemSettings& settings) {
    m_system = settings;
    WriteRecordMembers(Document(), HeadsetSystemLayout(), settings);
}

std::vector<int32_t> CHs6533Profiledata::ReadEqPreset(int32_t type) {
    const int64_t row = PresetRow(type);
    return row < 0 ? std::vector<int32_t>() : ReadEqRow(Document(), kPresetRows, row);
}

void CHs6533Profiledata::WriteEqPreset(int32_t type, const EqBands& values) {
    const int64_t row = PresetRow(type);
    if (row >= 0) {
        WriteEqRow(Document(), kPresetRows, row, values);
    }
}

std::vector<int32_t> CHs6533Profiledata::ReadCustomEq(int32_t slot) {
    return CheckDocumentIndex(slot, L"custom equaliser slot") ? ReadEqRow(Document(), kCustomRows, slot)
                                                              : std::vector<int32_t>();
}

void CHs6533Profiledata::WriteCustomEq(int32_t slot, const EqBands& values) {
    if (CheckDocumentIndex(slot, L"custom equaliser slot")) {
        WriteEqRow(Document(), kCustomRows, slot, values);
    }
}

std::vector<std::wstring> CHs6533Profiledata::ReadCustomEqNames() {
    std::vector<std::wstring> names;
    const Json::Value& list = MemberOf(Document(), "CustomEQNameInfo");
    if (list.isArray()) {
        names.reserve(list.size());
        for (const Json::Value& entry : list) {
            names.push_back(JsonText(MemberOf(entry, "Name")));
        }
    }
    return names;
}

void CHs6533Profiledata::WriteCustomEqNames(const std::vector<std::wstring>& names) {
    Json::Value list(Json::arrayValue);
    for (const std::wstring& name : names) {
        Json::Value entry(Json::objectValue);
        entry["Name"] = WideToUtf8(name);
        list.append(std::move(entry));
    }
    ObjectMember(Document(), "CustomEQNameInfo") = std::move(list);
}
