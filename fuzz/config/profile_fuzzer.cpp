// Arbitrary bytes as a profile file (and as its default profile, light configuration and user
// effect file) through every reader and writer of the four profile kinds and px300ctl's field
// view. Nothing may crash, hang or throw.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "config/hs6533_profiledata.h"
#include "config/keyboard_profiledata.h"
#include "config/mouse_profiledata.h"
#include "config/profile_fields.h"
#include "platform/text.h"

namespace {
// A private folder, on tmpfs when there is one so that the writes' flushes cost nothing.
class CFuzzFolder {
public:
    CFuzzFolder() {
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "px300-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            abort();
        }
        m_path = pattern;
    }
    ~CFuzzFolder() { std::filesystem::remove_all(m_path); }

    std::wstring Write(const char* name, std::string_view bytes) const {
        std::ofstream(m_path / name, std::ios::binary | std::ios::trunc) << bytes;
        return Path(name);
    }
    std::wstring Path(const char* name) const { return Utf8ToWide((m_path / name).string()); }

private:
    std::filesystem::path m_path;
};

void ExerciseBase(CBasicProfiledata& profile, const std::wstring& other) {
    profile.WriteLightInfo(profile.ReadLightInfo());
    profile.WriteAudioLight(profile.ReadAudioLight());
    profile.ReadLightZones();
    profile.ReadEffectSteps();
    profile.WriteKeyAssignments(profile.ReadKeyAssignments());
    profile.LoadSecondaryDocument(other);
    profile.WriteSecondaryKeyAssignments(profile.ReadSecondaryKeyAssignments());
    profile.SaveSecondaryTo(other);
}

void ExerciseKind(CBasicProfiledata& profile) {
    if (auto* mouse = dynamic_cast<CMouseProfiledata*>(&profile)) {
        mouse->WriteDpiStages(mouse->ReadDpiStages());
        mouse->SetActiveStage(mouse->GetActiveStage());
        mouse->WriteMouseSystem(mouse->ReadMouseSystem());
        mouse->ReadCorrections();
    } else if (auto* keyboard = dynamic_cast<CKeyboardProfiledata*>(&profile)) {
        keyboard->WriteKeyboardSystem(keyboard->ReadKeyboardSystem());
        const int32_t group = keyboard->ReadCustomGroupIndex();
        keyboard->WriteCustomColors(keyboard->ReadCustomColors(group, 170), group);
        keyboard->WriteCustomGroupIndex(group);
    } else if (auto* headset = dynamic_cast<CHs6533Profiledata*>(&profile)) {
        const HeadsetSystemSettings settings = headset->ReadHeadsetSystem();
        headset->WriteHeadsetSystem(settings);
        for (int32_t type : {settings.eqType, 0, 5, kCustomEqType, 20}) {
            const auto bands = headset->ReadEqPreset(type);
            if (bands.size() == kEqBandCount) {
                EqBands values;
                std::copy(bands.begin(), bands.end(), values.begin());
                headset->WriteEqPreset(type, values);
            }
        }
        headset->ReadCustomEq(settings.customEqSelectIndex);
        headset->WriteCustomEqNames(headset->ReadCustomEqNames());
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const CFuzzFolder folder;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::wstring defaults = folder.Write("default.Json", bytes);
    const std::wstring config = folder.Write("velmor_light.config", bytes);
    folder.Write("fuzz.light", bytes);  // reached by a "Guid": "fuzz"

    for (ProfileKind kind :
         {ProfileKind::Mouse, ProfileKind::Keyboard, ProfileKind::Pad, ProfileKind::Headset}) {
        const std::wstring path = folder.Write("p.Json", bytes);
        const std::wstring other = folder.Write("q.Json", bytes);
        CProfileFieldView view(kind);
        std::string problem;
        if (view.Load(path, problem)) {
            view.List();
            view.Set("KeyList[0].Assignment", "0x200004", problem);
            view.Set("DPIStages.StageDPIs[0].StageDPIX", "400", problem);
            view.Save();
        }
        CBasicProfiledata& profile = view.Profile();
        profile.SetProfilePath(path);
        profile.SetDefaultPath(defaults);
        profile.LoadLightConfig(config);
        profile.LoadDocument(path);
        ExerciseBase(profile, other);
        ExerciseKind(profile);
        profile.SaveDocument();
    }
    return 0;
}
