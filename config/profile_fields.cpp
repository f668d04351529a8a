#include "config/profile_fields.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <functional>
#include <optional>

#include "config/hs6533_profiledata.h"
#include "config/json_access.h"
#include "config/json_file.h"
#include "config/keyboard_profiledata.h"
#include "config/mouse_profiledata.h"
#include "config/record_layouts.h"

namespace {
struct KindName {
    const char* name;
    ProfileKind kind;
};
constexpr KindName kKindNames[] = {{"mouse", ProfileKind::Mouse},
                                   {"keyboard", ProfileKind::Keyboard},
                                   {"pad", ProfileKind::Pad},
                                   {"headset", ProfileKind::Headset}};

const char* NameOf(ProfileKind kind) {
    for (const auto& entry : kKindNames) {
        if (entry.kind == kind) {
            return entry.name;
        }
    }
    return "";
}

// One step of a field path: a name with an optional [index].
struct PathStep {
    std::string_view name;
    int64_t index = -1;
};
using FieldPath = std::vector<PathStep>;

bool ParseStep(std::string_view text, PathStep& step) {
    const size_t bracket = text.find('[');
    step.name = text.substr(0, bracket);
    step.index = -1;
    if (step.name.empty()) {
        return false;
    }
    if (bracket == std::string_view::npos) {
        return true;
    }
    if (text.back() != ']') {
        return false;
    }
    const std::string_view digits = text.substr(bracket + 1, text.size() - bracket - 2);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), step.index);
    return error == std::errc() && end == digits.data() + digits.size() && step.index >= 0;
}

bool ParsePath(std::string_view text, FieldPath& path) {
    path.clear();
    for (;;) {
        const size_t dot = text.find('.');
        PathStep step;
        if (!ParseStep(text.substr(0, dot), step)) {
            return false;
        }
        path.push_back(step);
        if (dot == std::string_view::npos) {
            return true;
        }
        text.remove_prefix(dot + 1);
    }
}

bool Is(const PathStep& step, std::string_view name, bool indexed = false) {
    return step.name == name && (step.index >= 0) == indexed;
}

// Decimal or 0x hex, with a leading '-' for negative values, within the range.
bool ParseValue(std::string_view text, FieldRange range, int64_t& value) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative) {
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        magnitude > (1ull << 40)) {
        return false;
    }
    value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
    return value >= range.min && value <= range.max;
}

template <class Record>
const RecordField<Record>* FindField(FieldTable<Record> fields, std::string_view key) {
    const auto found =
        std::find_if(fields.begin(), fields.end(), [&](const auto& f) { return key == f.key; });
    return found == fields.end() ? nullptr : &*found;
}

template <class Record>
void ListFields(std::vector<ProfileField>& out, const std::string& prefix, FieldTable<Record> fields,
                const Record& record) {
    for (const auto& field : fields) {
        out.push_back({prefix + "." + field.key, std::to_string(GetField(record, field))});
    }
}

template <class Record>
void ListRecord(std::vector<ProfileField>& out, RecordLayout<Record> layout, const Record& record) {
    for (const auto& section : layout) {
        ListFields(out, section.name, section.fields, record);
    }
}

std::string Indexed(const std::string& prefix, size_t index) {
    return prefix + "[" + std::to_string(index) + "]";
}

void ListEqRow(std::vector<ProfileField>& out, const std::string& prefix, const std::vector<int32_t>& bands) {
    for (size_t band = 0; band < bands.size(); ++band) {
        out.push_back({Indexed(prefix, band) + ".value", std::to_string(bands[band])});
    }
}

// Number of elements of an array member, limited to the indices a document may address.
int64_t CountOf(const Json::Value& value) {
    return value.isArray() ? std::min<int64_t>(value.size(), kMaxDocumentIndex) : 0;
}

// A settable field: the values it takes and how to store one through the section writer.
struct Target {
    FieldRange range;
    std::function<void(int64_t)> apply;
};

// "Section.Key" of a record, changed by reading the record, setting the field and writing it back.
template <class Record, class Read, class Write>
std::optional<Target> RecordTarget(RecordLayout<Record> layout, const FieldPath& path, Read read,
                                   Write write) {
    if (path.size() != 2 || path[1].index >= 0) {
        return std::nullopt;
    }
    for (const auto& section : layout) {
        const RecordField<Record>* field =
            Is(path[0], section.name) ? FindField(section.fields, path[1].name) : nullptr;
        if (field != nullptr) {
            return Target{RangeOf(*field), [=](int64_t value) {
                              Record record = read();
                              SetField(record, *field, value);
                              write(record);
                          }};
        }
    }
    return std::nullopt;
}

constexpr FieldRange kInt32Range{INT32_MIN, INT32_MAX};
constexpr FieldRange kAssignmentRange{0, 0xFFFFFF};

void ListBase(CBasicProfiledata& profile, std::vector<ProfileField>& out) {
    ListRecord(out, LightInfoLayout(), profile.ReadLightInfo());
    ListRecord(out, AudioLightLayout(), profile.ReadAudioLight());
    const auto zones = profile.ReadLightZones();
    for (size_t i = 0; i < zones.size(); ++i) {
        ListFields(out, Indexed("LightList", i), LightZoneFields(), zones[i]);
    }
    const auto keys = profile.ReadKeyAssignments();
    for (size_t i = 0; i < keys.size(); ++i) {
        out.push_back(
            {Indexed("KeyList", i) + ".Assignment", std::to_string(PackAssignment(keys[i].current))});
        out.push_back(
            {Indexed("KeyList", i) + ".DefaultAssignment", std::to_string(PackAssignment(keys[i].factory))});
    }
}

void ListMouse(CMouseProfiledata& mouse, std::vector<ProfileField>& out) {
    const auto stages = mouse.ReadDpiStages();
    out.push_back({"DPIStages.StageActive", std::to_string(mouse.GetActiveStage())});
    for (size_t i = 0; i < stages.size(); ++i) {
        ListFields(out, Indexed("DPIStages.StageDPIs", i), DpiStageFields(), stages[i]);
    }
    ListRecord(out, MouseSystemLayout(), mouse.ReadMouseSystem());
    const auto presets = mouse.ReadCorrections();
    for (size_t i = 0; i < presets.size(); ++i) {
        ListFields(out, Indexed("CorrectInfo", i), CorrectionFields(), presets[i]);
        out.push_back({Indexed("CorrectInfo", i) + ".CorrectName", WideToUtf8(presets[i].name)});
    }
}

void ListKeyboard(CKeyboardProfiledata& keyboard, const Json::Value& loaded, std::vector<ProfileField>& out) {
    ListRecord(out, KeyboardSystemLayout(), keyboard.ReadKeyboardSystem());
    out.push_back(
        {"CustomLightMode.CustomLightModeGroupIndex", std::to_string(keyboard.ReadCustomGroupIndex())});
    const Json::Value& groups = MemberOf(MemberOf(loaded, "CustomLightMode"), "LightColorInfo");
    for (int64_t group = 0; group < CountOf(groups); ++group) {
        const auto colors = keyboard.ReadCustomColors(
            static_cast<int32_t>(group), static_cast<int32_t>(CountOf(groups[Json::ArrayIndex(group)])));
        const std::string prefix = Indexed("CustomLightMode.LightColorInfo", group);
        for (size_t i = 0; i < colors.size(); ++i) {
            ListFields(out, Indexed(prefix, i), CustomColorFields(), colors[i]);
        }
    }
}

void ListHeadset(CHs6533Profiledata& headset, const Json::Value& loaded, std::vector<ProfileField>& out) {
    ListRecord(out, HeadsetSystemLayout(), headset.ReadHeadsetSystem());
    // Rows 1 to 12 are the preset rows; row 0 is never used.
    const int64_t rows = std::min<int64_t>(CountOf(MemberOf(loaded, "EQHzValueInfo")), 13);
    for (int32_t row = 1; row < rows; ++row) {
        ListEqRow(out, Indexed("EQHzValueInfo", row), headset.ReadEqPreset(row));
    }
    const auto names = headset.ReadCustomEqNames();
    for (size_t i = 0; i < names.size(); ++i) {
        out.push_back({Indexed("CustomEQNameInfo", i) + ".Name", WideToUtf8(names[i])});
    }
    for (int64_t slot = 0; slot < CountOf(MemberOf(loaded, "CustomEQHzValueInfo")); ++slot) {
        ListEqRow(out, Indexed("CustomEQHzValueInfo", slot),
                  headset.ReadCustomEq(static_cast<int32_t>(slot)));
    }
}

std::optional<Target> BaseTarget(CBasicProfiledata* profile, const FieldPath& path) {
    if (auto target = RecordTarget(
            LightInfoLayout(), path, [=] { return profile->ReadLightInfo(); },
            [=](const LightInfoRecord& record) { profile->WriteLightInfo(record); })) {
        return target;
    }
    if (auto target = RecordTarget(
            AudioLightLayout(), path, [=] { return profile->ReadAudioLight(); },
            [=](const AudioLightRecord& record) { profile->WriteAudioLight(record); })) {
        return target;
    }
    if (path.size() == 2 && Is(path[0], "KeyList", true) && Is(path[1], "Assignment") &&
        path[0].index < static_cast<int64_t>(profile->ReadKeyAssignments().size())) {
        const auto index = static_cast<size_t>(path[0].index);
        return Target{kAssignmentRange, [=](int64_t value) {
                          auto entries = profile->ReadKeyAssignments();
                          entries[index].current =
                              UnpackAssignment(static_cast<uint16_t>(index), static_cast<int32_t>(value));
                          profile->WriteKeyAssignments(entries);
                      }};
    }
    return std::nullopt;
}

std::optional<Target> MouseTarget(CMouseProfiledata* mouse, const FieldPath& path) {
    if (auto target = RecordTarget(
            MouseSystemLayout(), path, [=] { return mouse->ReadMouseSystem(); },
            [=](const MouseSystemSettings& settings) { mouse->WriteMouseSystem(settings); })) {
        return target;
    }
    if (path.size() == 2 && Is(path[0], "DPIStages") && Is(path[1], "StageActive")) {
        return Target{kInt32Range,
                      [=](int64_t value) { mouse->SetActiveStage(static_cast<int32_t>(value)); }};
    }
    if (path.size() != 3 || !Is(path[0], "DPIStages") || !Is(path[1], "StageDPIs", true) ||
        path[2].index >= 0 || path[1].index >= static_cast<int64_t>(mouse->ReadDpiStages().size())) {
        return std::nullopt;
    }
    const RecordField<DpiStage>* field = FindField(DpiStageFields(), path[2].name);
    if (field == nullptr) {
        return std::nullopt;
    }
    const auto index = static_cast<size_t>(path[1].index);
    return Target{RangeOf(*field), [=](int64_t value) {
                      auto stages = mouse->ReadDpiStages();
                      SetField(stages[index], *field, value);
                      mouse->WriteDpiStages(stages);
                  }};
}

std::optional<Target> KeyboardTarget(CKeyboardProfiledata* keyboard, const FieldPath& path) {
    if (auto target = RecordTarget(
            KeyboardSystemLayout(), path, [=] { return keyboard->ReadKeyboardSystem(); },
            [=](const KeyboardSystemSettings& settings) { keyboard->WriteKeyboardSystem(settings); })) {
        return target;
    }
    if (path.size() == 2 && Is(path[0], "CustomLightMode") && Is(path[1], "CustomLightModeGroupIndex")) {
        return Target{kInt32Range,
                      [=](int64_t value) { keyboard->WriteCustomGroupIndex(static_cast<int32_t>(value)); }};
    }
    return std::nullopt;
}

std::optional<Target> HeadsetTarget(CHs6533Profiledata* headset, const FieldPath& path) {
    return RecordTarget(
        HeadsetSystemLayout(), path, [=] { return headset->ReadHeadsetSystem(); },
        [=](const HeadsetSystemSettings& settings) { headset->WriteHeadsetSystem(settings); });
}
std::optional<Target> FindTarget(CBasicProfiledata* profile, const FieldPath& path) {
    if (auto target = BaseTarget(profile, path)) {
        return target;
    }
    if (auto* mouse = dynamic_cast<CMouseProfiledata*>(profile)) {
        return MouseTarget(mouse, path);
    }
    if (auto* keyboard = dynamic_cast<CKeyboardProfiledata*>(profile)) {
        return KeyboardTarget(keyboard, path);
    }
    if (auto* headset = dynamic_cast<CHs6533Profiledata*>(profile)) {
        return HeadsetTarget(headset, path);
    }
    return std::nullopt;
}
}  // namespace

bool ParseProfileKind(std::string_view name, ProfileKind& kind) {
    for (const auto& entry : kKindNames) {
        if (name == entry.name) {
            kind = entry.kind;
            return true;
        }
    }
    return false;
}

CProfileFieldView::CProfileFieldView(ProfileKind kind) : m_kind(kind) {
    switch (kind) {
        case ProfileKind::Mouse:
            m_profile = std::make_unique<CMouseProfiledata>();
            break;
        case ProfileKind::Keyboard:
            m_profile = std::make_unique<CKeyboardProfiledata>();
            break;
        case ProfileKind::Headset:
            m_profile = std::make_unique<CHs6533Profiledata>();
            break;
        case ProfileKind::Pad:
            m_profile = std::make_unique<CBasicProfiledata>();
            break;
    }
}

bool CProfileFieldView::Load(const std::wstring& path, std::string& problem) {
    const Json::Value root = LoadJsonFile(path);
    if (root.isNull()) {
        problem = "cannot read " + WideToUtf8(path) + " (missing, unreadable or not JSON)";
        return false;
    }
    if (ElementOf(MemberOf(root, "Device"), 0).isNull()) {
        problem = WideToUtf8(path) + " holds no profile (\"Device\"[0] is missing)";
        return false;
    }
    m_profile->SetProfilePath(path);
    m_loaded = m_profile->LoadDocument(path);
    return true;
}

std::vector<ProfileField> CProfileFieldView::List() {
    std::vector<ProfileField> out;
    ListBase(*m_profile, out);
    if (auto* mouse = dynamic_cast<CMouseProfiledata*>(m_profile.get())) {
        ListMouse(*mouse, out);
    } else if (auto* keyboard = dynamic_cast<CKeyboardProfiledata*>(m_profile.get())) {
        ListKeyboard(*keyboard, m_loaded, out);
    } else if (auto* headset = dynamic_cast<CHs6533Profiledata*>(m_profile.get())) {
        ListHeadset(*headset, m_loaded, out);
    }
    return out;
}

bool CProfileFieldView::Set(std::string_view path, std::string_view value, std::string& problem) {
    FieldPath steps;
    std::optional<Target> target;
    if (ParsePath(path, steps)) {
        target = FindTarget(m_profile.get(), steps);
    }
    if (!target) {
        problem = "no settable field '" + std::string(path) + "' in this " + NameOf(m_kind) + " profile";
        return false;
    }
    int64_t number = 0;
    if (!ParseValue(value, target->range, number)) {
        problem = "bad value '" + std::string(value) + "' for " + std::string(path) + " (allowed " +
                  std::to_string(target->range.min) + " to " + std::to_string(target->range.max) + ")";
        return false;
    }
    target->apply(number);
    return true;
}
