#pragma once
// A profile file seen as a list of fields addressed by paths, the way px300ctl shows and edits it:
// "LightInfo.Red", "KeyList[3].Assignment", "DPIStages.StageDPIs[1].StageDPIX". Values are those
// the section readers give (after the number rule; flags as 0 or 1); changes go through the
// section writers. Only the sections of the kind's profile class take part.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <json/value.h>

#include "config/basic_profiledata.h"

enum class ProfileKind { Mouse, Keyboard, Pad, Headset };

// "mouse", "keyboard", "pad" or "headset".
bool ParseProfileKind(std::string_view name, ProfileKind& kind);

struct ProfileField {
    std::string path;
    std::string value;  // a decimal number, or UTF-8 text for names
};

class CProfileFieldView {
public:
    explicit CProfileFieldView(ProfileKind kind);

    CBasicProfiledata& Profile() { return *m_profile; }

    // Loads "Device"[0] of the file. Refuses (false, with `problem` set) a file that cannot be read
    // or parsed, or has no such entry; the file is never written by this call.
    bool Load(const std::wstring& path, std::string& problem);
    // Every field of the kind's sections, in section order.
    std::vector<ProfileField> List();
    // Changes one field in memory through its section writer. Settable: the fields of the record
    // sections, "DPIStages.StageActive", "DPIStages.StageDPIs[i].<member>", "KeyList[i].Assignment"
    // and "CustomLightMode.CustomLightModeGroupIndex". `value` is decimal or 0x hex (a leading '-'
    // for signed fields) within the field's width. False, with `problem` set, for an unknown or
    // read-only path or a bad value; nothing is changed then.
    bool Set(std::string_view path, std::string_view value, std::string& problem);
    // Stores the document into the loaded file; 1 on success (see SaveDocument).
    int Save() { return m_profile->SaveDocument(); }

private:
    ProfileKind m_kind;
    std::unique_ptr<CBasicProfiledata> m_profile;
    Json::Value m_loaded;  // the document as loaded, for the sizes of the lists to show
};
