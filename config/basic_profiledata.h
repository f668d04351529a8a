#pragma once
// The profile object: one device's profile document in memory, its sections as records and lists,
// and the files it is stored in. A profile file's root member "Device" is an array whose element at
// the device index (0 in practice) is the document; storing replaces only that element, so other
// root members and elements stay. Section writers change only the in-memory document; the owner
// decides when to store it. Not thread-safe: the owning device object serialises its calls.
// The mouse pad uses this class itself; the mouse, keyboard and headset use the derived classes.
#include <json/value.h>

#include <cstdint>
#include <string>
#include <vector>

#include "config/profile_records.h"

class CBasicProfiledata {
public:
    CBasicProfiledata() = default;
    virtual ~CBasicProfiledata() = default;
    CBasicProfiledata(const CBasicProfiledata&) = delete;
    CBasicProfiledata& operator=(const CBasicProfiledata&) = delete;

    // Paths. An empty argument leaves the profile and the default path unchanged.
    void SetProfilePath(const std::wstring& path);
    std::wstring GetProfilePath() const { return m_profilePath; }
    void SetDefaultPath(const std::wstring& path);
    void SetLightConfigPath(const std::wstring& path) { m_lightConfigPath = path; }
    std::wstring GetLightConfigPath() const { return m_lightConfigPath; }
    // Index into "Device"; values outside 0..1023 are refused (debug line) and the index stays.
    void SetDeviceIndex(int32_t index);

    // Loads "Device"[index] of the file as the current document. When the file lacks that entry
    // (missing, unparseable, or no such element), the default profile's entry is taken instead and
    // written into the file, keeping the file's other members; content that was not a JSON object is
    // first kept beside it as path + ".bad". Returns a copy of the document.
    Json::Value LoadDocument(const std::wstring& path);
    // The same into the secondary document, a second slot through which another stored profile of
    // the device is edited without disturbing the current one.
    Json::Value LoadSecondaryDocument(const std::wstring& path);
    // Replaces the light configuration document with the parsed file (null if unreadable). User
    // effect files are looked up in the same folder.
    Json::Value LoadLightConfig(const std::wstring& path);

    // The four stores return 1 on success and 0 when the file could not be written (the reason goes
    // to the debug output and the old file stays whole).
    // Stores the current document into the profile file.
    virtual int SaveDocument();
    // Puts `document` into "Device"[index] of the file and rewrites it; other members stay.
    virtual int StoreDeviceEntry(const Json::Value& document, const std::wstring& path);
    // Stores the secondary document into the file.
    virtual int SaveSecondaryTo(const std::wstring& path);
    // Writes `value` as the whole file, without the "Device" wrapping.
    virtual int WriteWholeFile(const Json::Value& value, const std::wstring& path);

    // Sections. Readers keep their result as the cached copy; writers keep their argument.
    LightInfoRecord ReadLightInfo();
    void WriteLightInfo(const LightInfoRecord& record);  // replaces the whole "LightInfo" section
    AudioLightRecord ReadAudioLight();
    void WriteAudioLight(const AudioLightRecord& record);  // replaces the whole section
    std::vector<LightZoneEntry> ReadLightZones();          // "LightList"; empty when missing
    // The steps of the user effect that the cached light mode ("SelectItem") selects in the light
    // configuration ("LightInfo"[index][mode]."Guid" + ".light"). Empty when anything is missing or
    // the Guid is not a plain file name.
    std::vector<EffectStep> ReadEffectSteps();
    std::vector<KeyAssignmentEntry> ReadKeyAssignments();  // "KeyList"; empty when missing
    // Sets "Assignment" of elements 0..n-1; "DefaultAssignment" and further elements stay.
    void WriteKeyAssignments(const std::vector<KeyAssignmentEntry>& entries);
    std::vector<KeyAssignmentEntry> ReadSecondaryKeyAssignments();
    void WriteSecondaryKeyAssignments(const std::vector<KeyAssignmentEntry>& entries);

protected:
    Json::Value& Document() { return m_document; }

private:
    Json::Value LoadEntry(const std::wstring& path);

    std::wstring m_profilePath;
    std::wstring m_defaultPath;
    LightInfoRecord m_lightInfo;
    AudioLightRecord m_audioLight;
    std::vector<LightZoneEntry> m_lightZones;
    Json::Value m_document;
    Json::Value m_secondary;
    std::wstring m_lightConfigPath;
    std::wstring m_effectFolder;  // folder of the light configuration last loaded
    std::vector<EffectStep> m_effectSteps;
    Json::Value m_lightConfig;
    std::vector<KeyAssignmentEntry> m_keyAssignments;
    std::vector<KeyAssignmentEntry> m_secondaryKeyAssignments;
    int32_t m_deviceIndex = 0;
};
