// Load, change one section and save a full keyboard profile: 170 key entries and 8 custom colour
// groups of 170 entries, in a file of the styled layout.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "config/keyboard_profiledata.h"
#include "platform/text.h"

namespace {
constexpr int kKeys = 170;
constexpr int kGroups = 8;

class CProfileFile {
public:
    CProfileFile() {
        std::string pattern = (std::filesystem::temp_directory_path() / "px300-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("cannot create a temporary folder");
        }
        m_folder = pattern;
        CKeyboardProfiledata profile;
        profile.SetProfilePath(Path());
        profile.LoadDocument(Path());
        profile.WriteLightInfo({1, 4, 2, 1, 1, 255, 0, 0});
        profile.WriteKeyboardSystem({1, 2, 0, 3, 0, 0});
        std::vector<KeyAssignmentEntry> keys(kKeys);
        for (int i = 0; i < kKeys; ++i) {
            keys[i].current = {static_cast<uint16_t>(i), 0x20, 0, static_cast<uint8_t>(4 + i % 100)};
        }
        profile.WriteKeyAssignments(keys);
        for (int group = 0; group < kGroups; ++group) {
            std::vector<CustomLightColor> colors(
                kKeys, CustomLightColor{255, 128, static_cast<uint8_t>(group), 255, 1});
            profile.WriteCustomColors(colors, group);
        }
        profile.SaveDocument();
    }
    ~CProfileFile() { std::filesystem::remove_all(m_folder); }

    std::wstring Path() const { return Utf8ToWide((m_folder / "keyboard.Json").string()); }
    double Bytes() const {
        return static_cast<double>(std::filesystem::file_size(m_folder / "keyboard.Json"));
    }

private:
    std::filesystem::path m_folder;
};

void ReadSections(CKeyboardProfiledata& profile) {
    benchmark::DoNotOptimize(profile.ReadLightInfo());
    benchmark::DoNotOptimize(profile.ReadKeyboardSystem());
    benchmark::DoNotOptimize(profile.ReadKeyAssignments());
    for (int group = 0; group < kGroups; ++group) {
        benchmark::DoNotOptimize(profile.ReadCustomColors(group, kKeys));
    }
}

void ChangeOneKey(CKeyboardProfiledata& profile, int round) {
    auto keys = profile.ReadKeyAssignments();
    keys[round % kKeys].current.data2 = static_cast<uint8_t>(round);
    profile.WriteKeyAssignments(keys);
}

void BM_LoadDocument(benchmark::State& state) {
    CProfileFile file;
    CKeyboardProfiledata profile;
    for (auto _ : state) {
        benchmark::DoNotOptimize(profile.LoadDocument(file.Path()));
    }
    state.counters["file_bytes"] = file.Bytes();
}

void BM_LoadAndReadSections(benchmark::State& state) {
    CProfileFile file;
    CKeyboardProfiledata profile;
    for (auto _ : state) {
        profile.LoadDocument(file.Path());
        ReadSections(profile);
    }
}

void BM_ChangeOneSection(benchmark::State& state) {
    CProfileFile file;
    CKeyboardProfiledata profile;
    profile.LoadDocument(file.Path());
    int round = 0;
    for (auto _ : state) {
        ChangeOneKey(profile, ++round);
    }
}

void BM_SaveDocument(benchmark::State& state) {
    CProfileFile file;
    CKeyboardProfiledata profile;
    profile.SetProfilePath(file.Path());
    profile.LoadDocument(file.Path());
    for (auto _ : state) {
        if (profile.SaveDocument() != 1) {
            state.SkipWithError("save failed");
        }
    }
}

void BM_LoadChangeSave(benchmark::State& state) {
    CProfileFile file;
    CKeyboardProfiledata profile;
    profile.SetProfilePath(file.Path());
    int round = 0;
    for (auto _ : state) {
        profile.LoadDocument(file.Path());
        ReadSections(profile);
        ChangeOneKey(profile, ++round);
        if (profile.SaveDocument() != 1) {
            state.SkipWithError("save failed");
        }
    }
}
}  // namespace

BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadAndReadSections)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChangeOneSection)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SaveDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadChangeSave)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
