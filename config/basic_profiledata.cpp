#include "config/basic_profiledata.h"

#include <filesystem>
#include <optional>

#include "config/atomic_file.h"
#include "config/file_names.h"
#include "config/json_access.h"
#include "config/json_file.h"
#include "config/record_layouts.h"
#include "platform/debug.h"

namespace {
// The root of a file about to be rewritten. Content that is no JSON object cannot live on inside the
// new file, so its bytes are kept beside it first instead of being lost. A file that exists but
// cannot be read (no permission, too large, not a regular file) is not replaced at all: nullopt.
std::optional<Json::Value> RootForUpdate(const std::wstring& path) {
    const std::string bytes = readjsonFile(path);
    Json::Value root = ParseJsonText(bytes);
    if (root.isObject()) {
        return root;
    }
    if (bytes.empty()) {
        std::error_code error;
        const auto status = std::filesystem::status(std::filesystem::path(path), error);
        const bool present = !error && std::filesystem::exists(status);
        if (present && (!std::filesystem::is_regular_file(status) ||
                        std::filesystem::file_size(std::filesystem::path(path), error) != 0)) {
            DebugLine(L"profile: " + path + L" exists but cannot be read; it is left as it is");
            return std::nullopt;
        }
    } else {
        const std::wstring aside = path + L".bad";
        if (ReplaceFileContents(WideToUtf8(aside), bytes)) {
            DebugLine(L"profile: " + path + L" held no JSON object; its content is kept in " + aside);
        }
    }
    return Json::Value(Json::objectValue);
}

std::vector<KeyAssignmentEntry> ReadKeyList(const Json::Value& document) {
    const Json::Value& list = MemberOf(document, "KeyList");
    std::vector<KeyAssignmentEntry> entries;
    if (!list.isArray()) {
        return entries;
    }
    entries.reserve(list.size());
    for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
        const auto position = static_cast<uint16_t>(i);
        entries.push_back({UnpackAssignment(position, JsonInt(MemberOf(list[i], "Assignment"))),
                           UnpackAssignment(position, JsonInt(MemberOf(list[i], "DefaultAssignment")))});
    }
    return entries;
}

void WriteKeyList(Json::Value& document, const std::vector<KeyAssignmentEntry>& entries) {
    Json::Value& list = ObjectMember(document, "KeyList");
    for (size_t i = 0; i < entries.size(); ++i) {
        ObjectMember(ArrayElement(list, static_cast<int64_t>(i)), "Assignment") =
            PackAssignment(entries[i].current);
    }
}
}  // namespace

void CBasicProfiledata::SetProfilePath(const std::wstring& path) {
    if (!path.empty()) {
        m_profilePath = path;
    }
}

void CBasicProfiledata::SetDefaultPath(const std::wstring& path) {
    if (!path.empty()) {
        m_defaultPath = path;
    }
}

void CBasicProfiledata::SetDeviceIndex(int32_t index) {
    if (CheckDocumentIndex(index, L"device index")) {
        m_deviceIndex = index;
    }
}

Json::Value CBasicProfiledata::LoadEntry(const std::wstring& path) {
    Json::Value entry = ElementOf(MemberOf(LoadJsonFile(path), "Device"), m_deviceIndex);
    if (entry.isNull()) {
        entry = ElementOf(MemberOf(LoadJsonFile(m_defaultPath), "Device"), m_deviceIndex);
        CBasicProfiledata::StoreDeviceEntry(entry, path);
    }
    return entry;
}

Json::Value CBasicProfiledata::LoadDocument(const std::wstring& path) {
    m_document = LoadEntry(path);
    return m_document;
}

Json::Value CBasicProfiledata::LoadSecondaryDocument(const std::wstring& path) {
    m_secondary = LoadEntry(path);
    return m_secondary;
}

Json::Value CBasicProfiledata::LoadLightConfig(const std::wstring& path) {
    m_lightConfig = LoadJsonFile(path);
    m_effectFolder = FolderOf(path);
    return m_lightConfig;
}

int CBasicProfiledata::SaveDocument() {
    return StoreDeviceEntry(m_document, m_profilePath);
}

int CBasicProfiledata::StoreDeviceEntry(const Json::Value& document, const std::wstring& path) {
    std::optional<Json::Value> root = RootForUpdate(path);
    if (!root) {
        return 0;
    }
    ArrayElement(ObjectMember(*root, "Device"), m_deviceIndex) = document;
    return WriteJsonFile(path, *root);
}

int CBasicProfiledata::SaveSecondaryTo(const std::wstring& path) {
    return StoreDeviceEntry(m_secondary, path);
}

int CBasicProfiledata::WriteWholeFile(const Json::Value& value, const std::wstring& path) {
    return WriteJsonFile(path, value);
}

LightInfoRecord CBasicProfiledata::ReadLightInfo() {
    m_lightInfo = ReadRecord(m_document, LightInfoLayout());
    return m_lightInfo;
}

void CBasicProfiledata::WriteLightInfo(const LightInfoRecord& record) {
    m_lightInfo = record;
    ReplaceRecordSections(m_document, LightInfoLayout(), record);
}

AudioLightRecord CBasicProfiledata::ReadAudioLight() {
    m_audioLight = ReadRecord(m_document, AudioLightLayout());
    return m_audioLight;
}

void CBasicProfiledata::WriteAudioLight(const AudioLightRecord& record) {
    m_audioLight = record;
    ReplaceRecordSections(m_document, AudioLightLayout(), record);
}

std::vector<LightZoneEntry> CBasicProfiledata::ReadLightZones() {
    m_lightZones.clear();
    const Json::Value& list = MemberOf(m_document, "LightList");
    if (list.isArray()) {
        m_lightZones.resize(list.size());
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            if (!list[i].isNull()) {
                ReadFields(list[i], LightZoneFields(), m_lightZones[i]);
                m_lightZones[i].present = 1;
            }
        }
    }
    return m_lightZones;
}

std::vector<EffectStep> CBasicProfiledata::ReadEffectSteps() {
    m_effectSteps.clear();
    const Json::Value& descriptor =
        ElementOf(ElementOf(MemberOf(m_lightConfig, "LightInfo"), m_deviceIndex), m_lightInfo.mode);
    const std::wstring guid = JsonText(MemberOf(descriptor, "Guid"));
    if (!IsPlainFileStem(guid)) {
        if (!guid.empty()) {
            DebugLine(L"profile: light effect name \"" + guid + L"\" is not a plain file name; ignored");
        }
        return m_effectSteps;
    }
    const Json::Value steps = MemberOf(LoadJsonFile(m_effectFolder + guid + L".light"), "LEDEffectList");
    if (steps.isArray()) {
        m_effectSteps.resize(steps.size());
        for (Json::ArrayIndex i = 0; i < steps.size(); ++i) {
            ReadFields(steps[i], EffectStepFields(), m_effectSteps[i]);
        }
    }
    return m_effectSteps;
}

std::vector<KeyAssignmentEntry> CBasicProfiledata::ReadKeyAssignments() {
    m_keyAssignments = ReadKeyList(m_document);
    return m_keyAssignments;
}

void CBasicProfiledata::WriteKeyAssignments(const std::vector<KeyAssignmentEntry>& entries) {
    m_keyAssignments = entries;
    WriteKeyList(m_document, entries);
}

std::vector<KeyAssignmentEntry> CBasicProfiledata::ReadSecondaryKeyAssignments() {
    m_secondaryKeyAssignments = ReadKeyList(m_secondary);
    return m_secondaryKeyAssignments;
}

void CBasicProfiledata::WriteSecondaryKeyAssignments(const std::vector<KeyAssignmentEntry>& entries) {
    m_secondaryKeyAssignments = entries;
    WriteKeyList(m_secondary, entries);
}
