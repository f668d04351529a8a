#pragma once
// The records of the profile document's sections, as the profile objects hand them out.
#include <array>
#include <cstdint>
#include <string>

// Light state, section "LightInfo": fourteen bytes; bytes 8 to 10 are not stored and read 0.
struct LightInfoRecord {
    uint8_t mode = 0;        // "SelectItem"; also selects the user effect descriptor
    uint8_t brightness = 0;  // "Light", level 0-4
    uint8_t speed = 0;       // "Speed", level 0-4
    uint8_t direction = 0;   // "Fx"
    uint8_t multiColor = 0;  // "MultiColor", flag 0/1
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t unused[3] = {};
    uint8_t zzccLedMode = 0;  // "ZZCCLedMode"
    uint8_t customGroup = 0;  // "CustomGroup"
    uint8_t oldLedMode = 0;   // "OldLedmode"
};
static_assert(sizeof(LightInfoRecord) == 14);

// The keyboard's sound-lighting record, section "AudioLightInfo": nine bytes.
struct AudioLightRecord {
    uint8_t audioMode = 0;
    uint8_t backRed = 0;
    uint8_t backGreen = 0;
    uint8_t backBlue = 0;
    uint8_t foreRed = 0;
    uint8_t foreGreen = 0;
    uint8_t foreBlue = 0;
    uint8_t sevenColor = 0;  // "7ColorFlags", flag 0/1
    uint8_t colorType = 0;   // "ColorTypeFlags", flag 0/1
};
static_assert(sizeof(AudioLightRecord) == 9);

// One element of "LightList": a lighting zone (or one LED) with its own effect.
struct LightZoneEntry {
    uint8_t mode = 0;        // "LEDREGMode"
    uint8_t brightness = 0;  // "LEDBrightness"
    uint8_t speed = 0;       // "LEDSpeed"
    uint8_t direction = 0;   // "LEDDirection", flag 0/1
    uint8_t multiColor = 0;  // "LEDMultiColor", flag 0/1
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t present = 0;  // 1 unless the element is null
};

// One half of a key entry: the key position and the three bytes of its function.
struct KeyAssignment {
    uint16_t position = 0;
    uint8_t type = 0;
    uint8_t data1 = 0;
    uint8_t data2 = 0;
};

// One element of "KeyList": the key's assignment and its factory assignment.
struct KeyAssignmentEntry {
    KeyAssignment current;  // "Assignment"
    KeyAssignment factory;  // "DefaultAssignment", read only
};

// The three bytes packed as one integer, type * 65536 + data1 * 256 + data2.
int32_t PackAssignment(const KeyAssignment& assignment);
// The low three bytes of a packed integer; higher bits are dropped.
KeyAssignment UnpackAssignment(uint16_t position, int32_t packed);

// One element of "DPIStages"."StageDPIs"; X and Y are sensor steps.
struct DpiStage {
    uint8_t enabled = 0;   // "StageActive"
    uint8_t axisMode = 0;  // "StageXY"
    uint16_t x = 0;        // "StageDPIX"
    uint16_t y = 0;        // "StageDPIY"
    uint8_t red = 0;       // "StageColorR"
    uint8_t green = 0;     // "StageColorG"
    uint8_t blue = 0;      // "StageColorB"
};

// The mouse's pointer settings: "SystemStages" plus the report rate in "ReportStages".
struct MouseSystemSettings {
    uint16_t doubleClickTime = 0;   // "DoubleClickTime"
    uint16_t mouseSpeed = 0;        // "MouseSpeed"
    uint16_t pointerPrecision = 0;  // "PointerPrecision"
    uint16_t scrollPage = 0;        // "ScorllPage"
    uint16_t wheelLines = 0;        // "WheelScorlllinse"
    uint16_t reportRate = 0;        // "ReportStages"."StageActive"
};

// The keyboard's "SystemStages".
struct KeyboardSystemSettings {
    uint16_t repeat = 0;       // "Repeat"
    uint16_t repeatDelay = 0;  // "RepeatDelay"
    uint16_t key6Flag = 0;     // "Key6Flag"
    uint16_t pollingRate = 0;  // "PollingRate"
    uint16_t wFlag = 0;        // "WFlag"
    uint16_t winFlag = 0;      // "WinFlag"
};

// One element of "CorrectInfo" (surface correction preset).
struct CorrectionPreset {
    uint8_t pixelThreshold = 0;  // "CorrectPixThresh"
    uint8_t minSquare = 0;       // "CorrectMinSq"
    uint8_t selected = 0;        // "CorrectSelect"; nonzero marks the chosen preset
    std::wstring name;           // "CorrectName"
};

// One key light of a custom colour group ("CustomLightMode"."LightColorInfo"[group][i]).
struct CustomLightColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;
    uint8_t isBright = 0;
};

// The headset's "SystemSetStages".
struct HeadsetSystemSettings {
    int32_t magicEnable = 0;          // "MagicEnable"
    int32_t magicType = 0;            // "MagicType"
    int32_t eqType = 0;               // "EqType"
    int32_t customEqSelectIndex = 0;  // "CustomEqSeletIndex"
    int32_t micInSelect = 0;          // "MicInSelect"
    int32_t micInValue = 0;           // "MicInValue"
    int32_t micMonitorSelect = 0;     // "MicMoniterSelect"
    int32_t micMonitorValue = 0;      // "MicMoniterValue"
};

// One equaliser row: the ten bands' "value" members.
constexpr size_t kEqBandCount = 10;
using EqBands = std::array<int32_t, kEqBandCount>;

// One step of a user light effect (element of "LEDEffectList" in a ".light" file).
struct EffectStep {
    uint8_t mode = 0;        // "LEDREGMode", the step kind
    uint8_t brightness = 0;  // "LEDBrightness"
    uint8_t speed = 0;       // "LEDSpeed"
    uint8_t direction = 0;   // "LEDDirection", read as a number
    uint8_t multiColor = 0;  // "LEDMultiColor", read as a number
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    int32_t time = 0;    // "Time", step duration in milliseconds
    int32_t cycles = 0;  // "Cyle"
};
