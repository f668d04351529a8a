// Loading and storing profile documents: the "Device" wrapping, default seeding, the secondary
// document, and the exact bytes of a written profile.
#include <gtest/gtest.h>

#include <filesystem>

#include "config/json_file.h"
#include "config/mouse_profiledata.h"
#include "platform/debug.h"
#include "tests/config/temp_folder.h"

namespace {
constexpr const char* kDefault = R"({"Device": [{"LightInfo": {"Red": 7}}]})";

class ProfileDocumentTest : public ::testing::Test {
protected:
    ProfileDocumentTest() {
        m_folder.Write("default.Json", kDefault);
        m_profile.SetDefaultPath(m_folder.Path("default.Json"));
        m_profile.SetProfilePath(m_folder.Path("p.Json"));
    }
    Json::Value FileRoot(std::string_view name) { return ParseJsonText(m_folder.Read(name)); }

    CTempFolder m_folder;
    CMouseProfiledata m_profile;
};
}  // namespace

TEST_F(ProfileDocumentTest, StoringKeepsOtherRootMembersAndDeviceElements) {
    const char* file = R"({"profilename": "Game", "profileUUID": "u-1", "Extra": [1, {"x": 2}],
                          "Device": [{"LightInfo": {"Red": 1}, "Unknown": 5}, {"Other": true}]})";
    for (int32_t index : {0, 1}) {
        m_folder.Write("p.Json", file);
        const Json::Value before = ParseJsonText(file);
        m_profile.SetDeviceIndex(index);
        m_profile.LoadDocument(m_folder.Path("p.Json"));
        LightInfoRecord light = m_profile.ReadLightInfo();
        light.red = 9;
        m_profile.WriteLightInfo(light);
        ASSERT_EQ(m_profile.SaveDocument(), 1);

        const Json::Value after = FileRoot("p.Json");
        EXPECT_EQ(after["Device"][index]["LightInfo"]["Red"], 9) << index;
        Json::Value expected = before;  // everything but the written section is as it was
        expected["Device"][index]["LightInfo"] = after["Device"][index]["LightInfo"];
        EXPECT_EQ(after, expected) << index;
    }
}

TEST_F(ProfileDocumentTest, DefaultSeedsOnlyAMissingEntry) {
    struct Case {
        const char* name;
        const char* file;  // nullptr: no file
        int expectedRed;
        bool rewritten;
        const char* keptMember;  // a root member the rewritten file still holds
    };
    const Case cases[] = {
        {"entry present", R"({"Device": [{"LightInfo": {"Red": 3}}]})", 3, false, nullptr},
        {"entry present but empty", R"({"Device": [{}]})", 0, false, nullptr},
        {"no file", nullptr, 7, true, nullptr},
        {"null entry", R"({"Device": [null], "profilename": "x"})", 7, true, "profilename"},
        {"no Device member", R"({"profilename": "x"})", 7, true, "profilename"},
        {"unparseable", "{\"Device\": [", 7, true, nullptr},
    };
    for (const Case& c : cases) {
        std::filesystem::remove(m_folder.Utf8Path("p.Json"));
        if (c.file != nullptr) {
            m_folder.Write("p.Json", c.file);
        }
        const std::string before = m_folder.Read("p.Json");
        m_profile.LoadDocument(m_folder.Path("p.Json"));
        EXPECT_EQ(m_profile.ReadLightInfo().red, c.expectedRed) << c.name;
        if (!c.rewritten) {
            EXPECT_EQ(m_folder.Read("p.Json"), before) << c.name;
            continue;
        }
        const Json::Value root = FileRoot("p.Json");
        EXPECT_EQ(root["Device"][0]["LightInfo"]["Red"], 7) << c.name;
        if (c.keptMember != nullptr) {
            EXPECT_EQ(root[c.keptMember], "x") << c.name;
        }
    }
}

TEST_F(ProfileDocumentTest, ReplacedUnreadableContentIsKeptAside) {
    m_folder.Write("p.Json", "{\"Device\": [ hand-edited typo");
    m_profile.LoadDocument(m_folder.Path("p.Json"));
    EXPECT_EQ(m_folder.Read("p.Json.bad"), "{\"Device\": [ hand-edited typo");
    EXPECT_EQ(FileRoot("p.Json")["Device"][0]["LightInfo"]["Red"], 7);
}

TEST_F(ProfileDocumentTest, AFileThatCannotBeReadIsNeverReplaced) {
    // Larger than the reader takes (sparse, so it costs no disk): it reads as missing, but storing
    // must not overwrite what it cannot see.
    const std::wstring path = m_folder.Path("p.Json");
    m_folder.Write("p.Json", "{}");
    std::filesystem::resize_file(std::filesystem::path(path), kMaxJsonFileBytes + 1);
    CDebugCapture capture;
    m_profile.LoadDocument(path);  // falls back to the default entry
    EXPECT_EQ(m_profile.ReadLightInfo().red, 7);
    EXPECT_EQ(m_profile.SaveDocument(), 0);
    EXPECT_EQ(std::filesystem::file_size(std::filesystem::path(path)), kMaxJsonFileBytes + 1);
    EXPECT_GE(capture.Count(L"exists but cannot be read"), 2u);
}

TEST_F(ProfileDocumentTest, WithoutDefaultTheFileGetsANullEntryAndReadersGiveDefaults) {
    CMouseProfiledata profile;
    profile.SetDefaultPath(m_folder.Path("missing-default.Json"));
    profile.LoadDocument(m_folder.Path("p.Json"));
    EXPECT_EQ(m_folder.Read("p.Json"), "{\r\n   \"Device\" : [ null ]\r\n}\r\n");
    EXPECT_EQ(profile.ReadLightInfo().red, 0);
    EXPECT_TRUE(profile.ReadKeyAssignments().empty());
    EXPECT_TRUE(profile.ReadDpiStages().empty());
}

TEST_F(ProfileDocumentTest, SecondaryDocumentIsEditedApartFromTheCurrentOne) {
    m_folder.Write("p.Json", R"({"Device": [{"KeyList": [{"Assignment": 1}]}]})");
    m_folder.Write("q.Json", R"({"Device": [{"KeyList": [{"Assignment": 2}]}], "profilename": "q"})");
    m_profile.LoadDocument(m_folder.Path("p.Json"));
    m_profile.LoadSecondaryDocument(m_folder.Path("q.Json"));

    auto keys = m_profile.ReadSecondaryKeyAssignments();
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].current.data2, 2);
    keys[0].current.data2 = 5;
    m_profile.WriteSecondaryKeyAssignments(keys);
    ASSERT_EQ(m_profile.SaveSecondaryTo(m_folder.Path("q.Json")), 1);
    ASSERT_EQ(m_profile.SaveDocument(), 1);

    EXPECT_EQ(FileRoot("q.Json")["Device"][0]["KeyList"][0]["Assignment"], 5);
    EXPECT_EQ(FileRoot("q.Json")["profilename"], "q");
    EXPECT_EQ(FileRoot("p.Json")["Device"][0]["KeyList"][0]["Assignment"], 1);
    EXPECT_EQ(m_profile.ReadKeyAssignments()[0].current.data2, 1);
}

TEST_F(ProfileDocumentTest, FailedSaveIsReported) {
    m_profile.SetProfilePath(m_folder.Path("gone/p.Json"));
    CDebugCapture capture;
    EXPECT_EQ(m_profile.SaveDocument(), 0);
    EXPECT_EQ(m_profile.WriteWholeFile(Json::Value(1), m_folder.Path("gone/w.Json")), 0);
    EXPECT_EQ(capture.Count(L"cannot"), 2u);
}

// The whole file as written, CR LF included: other root members kept, sections in key order,
// flags as 0/1, packed assignments, a name in \u escapes.
TEST_F(ProfileDocumentTest, WrittenProfileMatchesTheExpectedFile) {
    m_folder.Write("p.Json",
                   R"({"profilename": "Spiel \u00fcber", "profileUUID": "2019_03_07_09_05_02_045"})");
    m_profile.LoadDocument(m_folder.Path("p.Json"));

    LightInfoRecord light;
    light.mode = 2;
    light.brightness = 4;
    light.multiColor = 3;
    light.red = 255;
    m_profile.WriteLightInfo(light);
    m_profile.WriteDpiStages({{1, 0, 16, 16, 255, 0, 0}, {0, 1, 0x1234, 300, 0, 255, 0}});
    m_profile.SetActiveStage(1);
    m_profile.WriteMouseSystem({500, 10, 1, 0, 3, 4});
    m_profile.WriteKeyAssignments({{{0, 0x10, 1, 0}, {}}, {{1, 0x70, 2, 1}, {}}});
    ASSERT_EQ(m_profile.SaveDocument(), 1);

    EXPECT_EQ(m_folder.Read("p.Json"), ReadTestData("expected_mouse.Json"));
}
