// The path view of a profile that px300ctl shows and edits.
#include "config/profile_fields.h"

#include <gtest/gtest.h>

#include <map>

#include "config/json_file.h"
#include "tests/config/temp_folder.h"

namespace {
constexpr const char* kKeyboardFile = R"({"profilename": "x", "Device": [{
    "LightInfo": {"Red": 300, "MultiColor": 2},
    "KeyList": [{"Assignment": 2097412, "DefaultAssignment": 16909060}],
    "SystemStages": {"PollingRate": 3},
    "DPIStages": {"StageActive": 2},
    "CustomLightMode": {"CustomLightModeGroupIndex": 1, "LightColorInfo": [[], [{"Red": 5, "IsBright": 1}]]}}]})";

class ProfileFieldsTest : public ::testing::Test {
protected:
    ProfileFieldsTest() { m_folder.Write("k.Json", kKeyboardFile); }

    std::map<std::string, std::string> Listed(ProfileKind kind) {
        CProfileFieldView view(kind);
        std::string problem;
        EXPECT_TRUE(view.Load(m_folder.Path("k.Json"), problem)) << problem;
        std::map<std::string, std::string> fields;
        for (const ProfileField& field : view.List()) {
            fields[field.path] = field.value;
        }
        return fields;
    }

    CTempFolder m_folder;
};
}  // namespace

TEST_F(ProfileFieldsTest, ListShowsTheKindsSectionsAsTheReadersSeeThem) {
    const auto keyboard = Listed(ProfileKind::Keyboard);
    const std::pair<const char*, const char*> expected[] = {
        {"LightInfo.Red", "44"},
        {"LightInfo.MultiColor", "1"},
        {"AudioLightInfo.7ColorFlags", "0"},
        {"KeyList[0].Assignment", "2097412"},
        {"KeyList[0].DefaultAssignment", "131844"},
        {"SystemStages.PollingRate", "3"},
        {"CustomLightMode.CustomLightModeGroupIndex", "1"},
        {"CustomLightMode.LightColorInfo[1][0].Red", "5"},
        {"CustomLightMode.LightColorInfo[1][0].IsBright", "1"},
    };
    for (const auto& [path, value] : expected) {
        EXPECT_EQ(keyboard.count(path) ? keyboard.at(path) : "(missing)", value) << path;
    }
    EXPECT_EQ(keyboard.count("DPIStages.StageActive"), 0u);  // not a keyboard section

    const auto mouse = Listed(ProfileKind::Mouse);
    EXPECT_EQ(mouse.at("DPIStages.StageActive"), "2");
    EXPECT_EQ(mouse.at("ReportStages.StageActive"), "0");
    EXPECT_EQ(mouse.count("SystemStages.PollingRate"), 0u);
    EXPECT_EQ(Listed(ProfileKind::Pad).count("SystemStages.PollingRate"), 0u);
}

TEST_F(ProfileFieldsTest, SetWritesThroughTheSectionWriters) {
    CProfileFieldView view(ProfileKind::Mouse);
    std::string problem;
    ASSERT_TRUE(view.Load(m_folder.Path("k.Json"), problem));
    const std::pair<const char*, const char*> changes[] = {
        {"LightInfo.Green", "0x20"},           {"LightInfo.MultiColor", "0"},
        {"KeyList[0].Assignment", "0x700201"}, {"DPIStages.StageActive", "-1"},
        {"ReportStages.StageActive", "4"},     {"SystemStages.DoubleClickTime", "65535"},
    };
    for (const auto& [path, value] : changes) {
        EXPECT_TRUE(view.Set(path, value, problem)) << path << ": " << problem;
    }
    ASSERT_EQ(view.Save(), 1);
    const Json::Value root = ParseJsonText(m_folder.Read("k.Json"));
    const Json::Value& device = root["Device"][0];
    EXPECT_EQ(root["profilename"], "x");
    EXPECT_EQ(device["LightInfo"]["Green"], 32);
    EXPECT_EQ(device["LightInfo"]["Red"], 44);  // the section is rewritten as read
    EXPECT_EQ(device["LightInfo"]["MultiColor"], 0);
    EXPECT_EQ(device["KeyList"][0]["Assignment"], 0x700201);
    EXPECT_EQ(device["KeyList"][0]["DefaultAssignment"], 16909060);
    EXPECT_EQ(device["DPIStages"]["StageActive"], -1);
    EXPECT_EQ(device["ReportStages"]["StageActive"], 4);
    EXPECT_EQ(device["SystemStages"]["DoubleClickTime"], 65535);
    EXPECT_EQ(device["SystemStages"]["PollingRate"], 3);  // other members stay
}

TEST_F(ProfileFieldsTest, UnknownPathsAndBadValuesAreRefused) {
    struct Case {
        ProfileKind kind;
        const char* path;
        const char* value;
    };
    const Case cases[] = {
        {ProfileKind::Keyboard, "Foo.Bar", "1"},
        {ProfileKind::Keyboard, "", "1"},
        {ProfileKind::Keyboard, "LightInfo", "1"},
        {ProfileKind::Keyboard, "LightInfo.Nope", "1"},
        {ProfileKind::Keyboard, "LightInfo.Red[0]", "1"},
        {ProfileKind::Keyboard, "LightInfo.Red.x", "1"},
        {ProfileKind::Keyboard, "KeyList[1].Assignment", "1"},  // no such element
        {ProfileKind::Keyboard, "KeyList[x].Assignment", "1"},
        {ProfileKind::Keyboard, "KeyList[0].DefaultAssignment", "1"},   // read only
        {ProfileKind::Keyboard, "DPIStages.StageActive", "1"},          // not a keyboard section
        {ProfileKind::Mouse, "DPIStages.StageDPIs[0].StageDPIX", "1"},  // no stage in the file
        {ProfileKind::Mouse, "CustomLightMode.CustomLightModeGroupIndex", "1"},
        {ProfileKind::Keyboard, "LightInfo.Red", "256"},
        {ProfileKind::Keyboard, "LightInfo.Red", "-1"},
        {ProfileKind::Keyboard, "LightInfo.Red", "ten"},
        {ProfileKind::Keyboard, "LightInfo.Red", ""},
        {ProfileKind::Keyboard, "LightInfo.Red", "1 "},
        {ProfileKind::Keyboard, "LightInfo.MultiColor", "2"},
        {ProfileKind::Keyboard, "KeyList[0].Assignment", "0x1000000"},
        {ProfileKind::Keyboard, "CustomLightMode.CustomLightModeGroupIndex", "2147483648"},
    };
    for (const Case& c : cases) {
        CProfileFieldView view(c.kind);
        std::string problem;
        ASSERT_TRUE(view.Load(m_folder.Path("k.Json"), problem));
        EXPECT_FALSE(view.Set(c.path, c.value, problem)) << c.path << "=" << c.value;
        EXPECT_NE(problem.find(c.path), std::string::npos) << problem;
    }
    EXPECT_EQ(m_folder.Read("k.Json"), kKeyboardFile);
}

TEST_F(ProfileFieldsTest, LoadRefusesFilesWithoutAProfileAndLeavesThemAlone) {
    m_folder.Write("bad.Json", "{\"Device\": [");
    m_folder.Write("empty.Json", "{\"Device\": []}");
    for (const char* name : {"missing.Json", "bad.Json", "empty.Json"}) {
        const std::string before = m_folder.Read(name);
        CProfileFieldView view(ProfileKind::Keyboard);
        std::string problem;
        EXPECT_FALSE(view.Load(m_folder.Path(name), problem)) << name;
        EXPECT_NE(problem.find(name), std::string::npos) << problem;
        EXPECT_EQ(m_folder.Read(name), before) << name;
        EXPECT_FALSE(m_folder.Exists(std::string(name) + ".bad"));
    }
    EXPECT_FALSE(m_folder.Exists("missing.Json"));
}
