// Reading and writing the sections of a profile document: the number rule, flags, lists, the DPI
// stages, equaliser rows, custom colours and user effect steps.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/hs6533_profiledata.h"
#include "config/json_file.h"
#include "config/keyboard_profiledata.h"
#include "config/mouse_profiledata.h"
#include "tests/config/temp_folder.h"

namespace {
class ProfileSectionsTest : public ::testing::Test {
protected:
    // Loads `document` (the JSON of "Device"[0]) into `profile`.
    void Load(CBasicProfiledata& profile, const std::string& document, const std::string& name = "p.Json") {
        m_folder.Write(name, "{\"Device\": [" + document + "]}");
        profile.SetProfilePath(m_folder.Path(name));
        profile.LoadDocument(m_folder.Path(name));
    }
    // "Device"[0] as stored by SaveDocument.
    Json::Value Saved(CBasicProfiledata& profile) {
        EXPECT_EQ(profile.SaveDocument(), 1);
        return ParseJsonText(m_folder.Read("p.Json"))["Device"][0];
    }

    CTempFolder m_folder;
};
}  // namespace

TEST_F(ProfileSectionsTest, NumbersNarrowToTheFieldWidth) {
    CMouseProfiledata profile;
    Load(profile, R"({"LightInfo": {"Red": 300, "Light": 2.9, "Speed": true, "Fx": "3", "Blue": -1},
                      "KeyList": [{"Assignment": 16909060, "DefaultAssignment": 4294967295}],
                      "DPIStages": {"StageDPIs": [{"StageDPIX": 65537, "StageDPIY": 400}]}})");
    const LightInfoRecord light = profile.ReadLightInfo();
    EXPECT_EQ(light.red, 44);  // 300 modulo 256
    EXPECT_EQ(light.brightness, 2);
    EXPECT_EQ(light.speed, 1);
    EXPECT_EQ(light.direction, 0);  // wrong type
    EXPECT_EQ(light.blue, 255);

    // 16909060 = 16777216 + 2 * 65536 + 3 * 256 + 4: the top byte is dropped
    const auto keys = profile.ReadKeyAssignments();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].current.type, 2);
    EXPECT_EQ(keys[0].current.data1, 3);
    EXPECT_EQ(keys[0].current.data2, 4);
    EXPECT_EQ(PackAssignment(keys[0].factory), 0xFFFFFF);

    const auto stages = profile.ReadDpiStages();
    ASSERT_EQ(stages.size(), 1u);
    EXPECT_EQ(stages[0].x, 1);
    EXPECT_EQ(stages[0].y, 400);
}

TEST_F(ProfileSectionsTest, FlagsReadAsNonzeroAndAreWrittenAsZeroOrOne) {
    CKeyboardProfiledata profile;
    Load(profile, R"({"LightInfo": {"MultiColor": 2},
                      "AudioLightInfo": {"7ColorFlags": -4, "ColorTypeFlags": 0, "AudioMode": 258},
                      "LightList": [{"LEDDirection": 5, "LEDMultiColor": 0, "red": 9}, null]})");
    LightInfoRecord light = profile.ReadLightInfo();
    EXPECT_EQ(light.multiColor, 1);
    AudioLightRecord audio = profile.ReadAudioLight();
    EXPECT_EQ(audio.sevenColor, 1);
    EXPECT_EQ(audio.audioMode, 2);

    const auto zones = profile.ReadLightZones();
    ASSERT_EQ(zones.size(), 2u);
    EXPECT_EQ(zones[0].direction, 1);
    EXPECT_EQ(zones[0].red, 9);
    EXPECT_EQ(zones[0].present, 1);
    EXPECT_EQ(zones[1].present, 0);

    light.multiColor = 200;
    profile.WriteLightInfo(light);
    audio.colorType = 7;
    profile.WriteAudioLight(audio);
    const Json::Value saved = Saved(profile);
    EXPECT_EQ(saved["LightInfo"]["MultiColor"], 1);
    EXPECT_EQ(saved["AudioLightInfo"]["7ColorFlags"], 1);
    EXPECT_EQ(saved["AudioLightInfo"]["ColorTypeFlags"], 1);
    EXPECT_EQ(saved["LightInfo"].size(), 11u);  // fields 8 to 10 are not stored
}

TEST_F(ProfileSectionsTest, WrongTypesReadAsZeroAndWritersReplaceThem) {
    CKeyboardProfiledata keyboard;
    Load(keyboard, R"({"LightInfo": [1, 2], "KeyList": {"a": 1}, "SystemStages": "fast",
                       "CustomLightMode": 4, "LightList": 7})");
    EXPECT_EQ(keyboard.ReadLightInfo().red, 0);
    EXPECT_TRUE(keyboard.ReadKeyAssignments().empty());
    EXPECT_TRUE(keyboard.ReadLightZones().empty());
    EXPECT_EQ(keyboard.ReadKeyboardSystem().pollingRate, 0);
    EXPECT_EQ(keyboard.ReadCustomGroupIndex(), 0);

    keyboard.WriteKeyAssignments({{{0, 0x20, 0, 4}, {}}});
    keyboard.WriteKeyboardSystem({1, 2, 3, 4, 5, 6});
    keyboard.WriteCustomGroupIndex(3);
    const Json::Value saved = Saved(keyboard);
    EXPECT_EQ(saved["KeyList"][0]["Assignment"], 0x200004);
    EXPECT_EQ(saved["SystemStages"]["PollingRate"], 4);
    EXPECT_EQ(saved["CustomLightMode"]["CustomLightModeGroupIndex"], 3);

    CMouseProfiledata mouse;
    Load(mouse, R"({"DPIStages": 5, "CorrectInfo": [{"CorrectName": 12, "CorrectSelect": 1}]})");
    EXPECT_TRUE(mouse.ReadDpiStages().empty());
    const auto presets = mouse.ReadCorrections();
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].name, L"");
    EXPECT_EQ(presets[0].selected, 1);
}

TEST_F(ProfileSectionsTest, KeyAssignmentWriterChangesOnlyTheGivenAssignments) {
    std::string list;
    for (int i = 0; i < 10; ++i) {
        list += (i ? "," : "") + std::string("{\"Assignment\": ") + std::to_string(100 + i) +
                ", \"DefaultAssignment\": " + std::to_string(200 + i) + "}";
    }
    CKeyboardProfiledata profile;
    Load(profile, "{\"KeyList\": [" + list + "]}");
    const Json::Value before = ParseJsonText("[" + list + "]");
    profile.WriteKeyAssignments({{{0, 1, 0, 0}, {}}, {{1, 2, 0, 0}, {}}, {{2, 3, 0, 0}, {}}});

    const Json::Value saved = Saved(profile)["KeyList"];
    ASSERT_EQ(saved.size(), 10u);
    for (Json::ArrayIndex i = 0; i < 10; ++i) {
        EXPECT_EQ(saved[i]["Assignment"].asInt(),
                  i < 3 ? int(i + 1) * 65536 : before[i]["Assignment"].asInt())
            << i;
        EXPECT_EQ(saved[i]["DefaultAssignment"], before[i]["DefaultAssignment"]) << i;
    }
}

TEST_F(ProfileSectionsTest, DpiStageListNeverShrinks) {
    const auto stages = [](int count, int base) {
        std::string text;
        for (int i = 0; i < count; ++i) {
            text += (i ? "," : "") + std::string("{\"StageDPIX\": ") + std::to_string(base + i) + "}";
        }
        return "{\"DPIStages\": {\"StageActive\": " + std::to_string(count - 1) + ", \"StageDPIs\": [" +
               text + "]}}";
    };
    CMouseProfiledata profile;
    Load(profile, stages(5, 100));
    ASSERT_EQ(profile.ReadDpiStages().size(), 5u);
    Load(profile, stages(3, 200));
    auto read = profile.ReadDpiStages();
    ASSERT_EQ(read.size(), 5u);
    EXPECT_EQ(profile.GetActiveStage(), 2);
    const int expected[] = {200, 201, 202, 103, 104};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(read[i].x, expected[i]) << i;
    }
    Load(profile, "{}");  // no section: nothing changes
    EXPECT_EQ(profile.ReadDpiStages().size(), 5u);
    EXPECT_EQ(profile.GetActiveStage(), 2);

    // Writing sets the stages' members and leaves the active index and further elements.
    Load(profile, stages(4, 300));
    profile.WriteDpiStages({{1, 0, 50, 60, 1, 2, 3}});
    const Json::Value saved = Saved(profile)["DPIStages"];
    EXPECT_EQ(saved["StageActive"], 3);
    EXPECT_EQ(saved["StageDPIs"].size(), 4u);
    EXPECT_EQ(saved["StageDPIs"][0]["StageDPIX"], 50);
    EXPECT_EQ(saved["StageDPIs"][0]["StageColorB"], 3);
    EXPECT_EQ(saved["StageDPIs"][1]["StageDPIX"], 301);
}

TEST_F(ProfileSectionsTest, EqualiserTypeChoosesItsRow) {
    std::string rows;
    for (int row = 0; row < 13; ++row) {
        rows += row ? "," : "";
        rows += "[";
        for (int band = 0; band < 10; ++band) {
            rows += (band ? "," : "") + std::string("{\"value\": ") + std::to_string(row * 100 + band) + "}";
        }
        rows += "]";
    }
    struct Case {
        int32_t type;
        int row;  // -1: no row
    };
    const Case cases[] = {{0, 1}, {1, 1}, {5, 5}, {12, 12}, {13, -1}, {14, 1}, {20, 1}, {-3, 1}};
    for (const Case& c : cases) {
        CHs6533Profiledata profile;
        Load(profile, "{\"EQHzValueInfo\": [" + rows + "]}");
        const Json::Value before = Saved(profile);
        const auto bands = profile.ReadEqPreset(c.type);
        if (c.row < 0) {
            EXPECT_TRUE(bands.empty());
            profile.WriteEqPreset(c.type, EqBands{});
            EXPECT_EQ(Saved(profile), before) << "type " << c.type << " touches nothing";
            continue;
        }
        ASSERT_EQ(bands.size(), kEqBandCount) << c.type;
        EXPECT_EQ(bands[0], c.row * 100) << c.type;
        EXPECT_EQ(bands[9], c.row * 100 + 9) << c.type;
    }
}

TEST_F(ProfileSectionsTest, MissingEqualiserRowIsCreatedWithZeros) {
    CHs6533Profiledata profile;
    Load(profile, R"({"CustomEQHzValueInfo": [[{"value": 4}]]})");
    EXPECT_EQ(profile.ReadEqPreset(3), std::vector<int32_t>(10, 0));
    EXPECT_EQ(profile.ReadCustomEq(2), std::vector<int32_t>(10, 0));
    // A row that exists keeps its values; its missing bands read 0 and are not added.
    const std::vector<int32_t> partial{4, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(profile.ReadCustomEq(0), partial);
    EXPECT_TRUE(profile.ReadCustomEq(-1).empty());

    const Json::Value saved = Saved(profile);
    for (const auto& [section, row] : {std::pair{"EQHzValueInfo", 3}, std::pair{"CustomEQHzValueInfo", 2}}) {
        const Json::Value& rows = saved[section];
        ASSERT_EQ(rows.size(), Json::ArrayIndex(row + 1)) << section;
        ASSERT_EQ(rows[row].size(), 10u) << section;
        for (const Json::Value& band : rows[row]) {
            EXPECT_EQ(band, ParseJsonText(R"({"value": 0})")) << section;
        }
    }
    EXPECT_EQ(saved["CustomEQHzValueInfo"][0].size(), 1u);
    EXPECT_TRUE(saved["EQHzValueInfo"][0].isNull());
}

TEST_F(ProfileSectionsTest, CustomEqNamesRoundTrip) {
    CHs6533Profiledata profile;
    Load(profile, R"({"CustomEQNameInfo": [{"Name": "Bass"}, {"Name": 3}, {}]})");
    EXPECT_EQ(profile.ReadCustomEqNames(), (std::vector<std::wstring>{L"Bass", L"", L""}));
    profile.WriteCustomEqNames({L"Kino \u00e9", L"\u547d"});
    EXPECT_EQ(Saved(profile)["CustomEQNameInfo"],
              ParseJsonText(R"([{"Name": "Kino \u00e9"}, {"Name": "\u547d"}])"));
}

TEST_F(ProfileSectionsTest, MissingCustomColoursAreCreated) {
    CKeyboardProfiledata profile;
    Load(profile, R"({"CustomLightMode": {"LightColorInfo": [[{"Red": 1, "IsBright": 1}], [],
                      [{"Red": 5, "Green": 6, "Blue": 7, "Alpha": 8, "IsBright": 9}, null]]}})");
    const auto group2 = profile.ReadCustomColors(2, 4);
    ASSERT_EQ(group2.size(), 4u);
    EXPECT_EQ(group2[0].alpha, 8);
    EXPECT_EQ(group2[0].isBright, 9);
    EXPECT_EQ(group2[1].red, 0);
    const auto group4 = profile.ReadCustomColors(4, 4);
    EXPECT_EQ(group4.size(), 4u);
    EXPECT_EQ(group4[3].red, 0);

    const Json::Value groups = Saved(profile)["CustomLightMode"]["LightColorInfo"];
    const Json::Value zero = ParseJsonText(R"({"Red": 0, "Green": 0, "Blue": 0, "Alpha": 0})");
    ASSERT_EQ(groups.size(), 5u);
    EXPECT_EQ(groups[2].size(), 4u);
    EXPECT_EQ(groups[2][1], zero);
    EXPECT_EQ(groups[2][3], zero);
    EXPECT_TRUE(groups[3].isNull());
    ASSERT_EQ(groups[4].size(), 4u);
    for (const Json::Value& entry : groups[4]) {
        EXPECT_EQ(entry, zero);
    }
    EXPECT_EQ(groups[0], ParseJsonText(R"([{"Red": 1, "IsBright": 1}])"));
}

TEST_F(ProfileSectionsTest, OutOfRangeGroupReadsZerosAndChangesNothing) {
    CKeyboardProfiledata profile;
    Load(profile, R"({"CustomLightMode": {"CustomLightModeGroupIndex": 2000000000}})");
    const Json::Value before = Saved(profile);
    for (int32_t group : {-1, profile.ReadCustomGroupIndex()}) {
        EXPECT_EQ(profile.ReadCustomColors(group, 3).size(), 3u);
        profile.WriteCustomColors({{1, 2, 3, 4, 5}}, group);
    }
    EXPECT_EQ(profile.ReadCustomColors(0, 2000000000).size(), 1024u);  // the count is limited too
    profile.LoadDocument(m_folder.Path("p.Json"));
    EXPECT_EQ(Saved(profile), before);
}

TEST_F(ProfileSectionsTest, EffectStepsComeFromTheFileNextToTheLightConfiguration) {
    const std::string steps = R"({"LEDEffectList": [{"LEDREGMode": 2, "LEDDirection": 5, "red": 300,
        "Time": 70000, "Cyle": 3}, {}]})";
    std::filesystem::create_directories(m_folder.Utf8Path("profiles/sub"));
    m_folder.Write("profiles/velmor_light.config", R"({"LightInfo": [[{"LightName": "a", "Guid": "{E1}"},
        {"Guid": "../outside"}, {"Guid": "sub/x"}, {"Guid": ""}, {"Guid": 5}, {"Guid": "missing"}]]})");
    m_folder.Write("profiles/{E1}.light", steps);
    // Files a name from the configuration must not reach:
    m_folder.Write("outside.light", steps);
    m_folder.Write("profiles/sub/x.light", steps);
    CBasicProfiledata profile;
    profile.LoadLightConfig(m_folder.Path("profiles/velmor_light.config"));

    const auto read = profile.ReadEffectSteps();  // mode 0 selects descriptor 0
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].mode, 2);
    EXPECT_EQ(read[0].direction, 5);  // a number here, not a flag
    EXPECT_EQ(read[0].red, 44);
    EXPECT_EQ(read[0].time, 70000);
    EXPECT_EQ(read[0].cycles, 3);
    EXPECT_EQ(read[1].time, 0);

    for (uint8_t mode = 1; mode <= 6; ++mode) {
        LightInfoRecord light;
        light.mode = mode;
        profile.WriteLightInfo(light);
        EXPECT_TRUE(profile.ReadEffectSteps().empty()) << int(mode);
    }
}
