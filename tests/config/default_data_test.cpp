// Every factory profile in DefaultData parses, holds a "Device" entry and seeds a new profile.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "config/json_file.h"
#include "config/profile_fields.h"
#include "tests/config/temp_folder.h"

TEST(DefaultData, EveryFactoryProfileSeedsANewProfile) {
    const std::pair<const char*, ProfileKind> files[] = {{"mouse.Json", ProfileKind::Mouse},
                                                         {"keyboard.Json", ProfileKind::Keyboard},
                                                         {"MousePad.Json", ProfileKind::Pad},
                                                         {"HD.Json", ProfileKind::Headset}};
    const std::filesystem::path folder = std::filesystem::path(PX300_SOURCE_DIR) / "DefaultData";
    size_t checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".Json") {
            const Json::Value root = LoadJsonFile(Utf8ToWide(entry.path().string()));
            EXPECT_TRUE(root["Device"][0].isObject()) << entry.path();
            ++checked;
        }
    }
    EXPECT_EQ(checked, std::size(files));

    CTempFolder temp;
    for (const auto& [name, kind] : files) {
        CProfileFieldView seeded(kind);
        seeded.Profile().SetDefaultPath(Utf8ToWide((folder / name).string()));
        const Json::Value document = seeded.Profile().LoadDocument(temp.Path(name));
        EXPECT_EQ(document, LoadJsonFile(Utf8ToWide((folder / name).string()))["Device"][0]) << name;
        CProfileFieldView shown(kind);
        std::string problem;
        ASSERT_TRUE(shown.Load(temp.Path(name), problem)) << problem;
        const auto fields = shown.List();
        const ProfileField brightness{"LightInfo.Light", "4"};
        EXPECT_TRUE(std::any_of(fields.begin(), fields.end(), [&](const ProfileField& f) {
            return f.path == brightness.path && f.value == brightness.value;
        })) << name;
    }
}
