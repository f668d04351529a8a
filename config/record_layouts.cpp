#include "config/record_layouts.h"

namespace {
using LI = LightInfoRecord;
constexpr RecordField<LI> kLightInfoFields[] = {
    {"SelectItem", &LI::mode},
    {"Light", &LI::brightness},
    {"Speed", &LI::speed},
    {"Fx", &LI::direction},
    {"MultiColor", &LI::multiColor, true},
    {"Red", &LI::red},
    {"Green", &LI::green},
    {"Blue", &LI::blue},
    {"ZZCCLedMode", &LI::zzccLedMode},
    {"CustomGroup", &LI::customGroup},
    {"OldLedmode", &LI::oldLedMode},
};
constexpr RecordSection<LI> kLightInfoLayout[] = {{"LightInfo", kLightInfoFields}};

using AL = AudioLightRecord;
constexpr RecordField<AL> kAudioLightFields[] = {
    {"AudioMode", &AL::audioMode},
    {"BkColorR", &AL::backRed},
    {"BkColorG", &AL::backGreen},
    {"BkColorB", &AL::backBlue},
    {"FgColorR", &AL::foreRed},
    {"FgColorG", &AL::foreGreen},
    {"FgColorB", &AL::foreBlue},
    {"7ColorFlags", &AL::sevenColor, true},
    {"ColorTypeFlags", &AL::colorType, true},
};
constexpr RecordSection<AL> kAudioLightLayout[] = {{"AudioLightInfo", kAudioLightFields}};

using MS = MouseSystemSettings;
constexpr RecordField<MS> kMouseSystemFields[] = {
    {"DoubleClickTime", &MS::doubleClickTime},   {"MouseSpeed", &MS::mouseSpeed},
    {"PointerPrecision", &MS::pointerPrecision}, {"ScorllPage", &MS::scrollPage},
    {"WheelScorlllinse", &MS::wheelLines},
};
constexpr RecordField<MS> kReportStageFields[] = {{"StageActive", &MS::reportRate}};
constexpr RecordSection<MS> kMouseSystemLayout[] = {{"SystemStages", kMouseSystemFields},
                                                    {"ReportStages", kReportStageFields}};

using KS = KeyboardSystemSettings;
constexpr RecordField<KS> kKeyboardSystemFields[] = {
    {"Repeat", &KS::repeat},     {"RepeatDelay", &KS::repeatDelay},
    {"Key6Flag", &KS::key6Flag}, {"PollingRate", &KS::pollingRate},
    {"WFlag", &KS::wFlag},       {"WinFlag", &KS::winFlag},
};
constexpr RecordSection<KS> kKeyboardSystemLayout[] = {{"SystemStages", kKeyboardSystemFields}};

using HS = HeadsetSystemSettings;
constexpr RecordField<HS> kHeadsetSystemFields[] = {
    {"MagicEnable", &HS::magicEnable},
    {"MagicType", &HS::magicType},
    {"EqType", &HS::eqType},
    {"CustomEqSeletIndex", &HS::customEqSelectIndex},
    {"MicInSelect", &HS::micInSelect},
    {"MicInValue", &HS::micInValue},
    {"MicMoniterSelect", &HS::micMonitorSelect},
    {"MicMoniterValue", &HS::micMonitorValue},
};
constexpr RecordSection<HS> kHeadsetSystemLayout[] = {{"SystemSetStages", kHeadsetSystemFields}};

using LZ = LightZoneEntry;
constexpr RecordField<LZ> kLightZoneFields[] = {
    {"LEDREGMode", &LZ::mode},
    {"LEDBrightness", &LZ::brightness},
    {"LEDSpeed", &LZ::speed},
    {"LEDDirection", &LZ::direction, true},
    {"LEDMultiColor", &LZ::multiColor, true},
    {"red", &LZ::red},
    {"green", &LZ::green},
    {"blue", &LZ::blue},
};

using DS = DpiStage;
constexpr RecordField<DS> kDpiStageFields[] = {
    {"StageActive", &DS::enabled}, {"StageXY", &DS::axisMode}, {"StageDPIX", &DS::x},
    {"StageDPIY", &DS::y},         {"StageColorR", &DS::red},  {"StageColorG", &DS::green},
    {"StageColorB", &DS::blue},
};

using CP = CorrectionPreset;
constexpr RecordField<CP> kCorrectionFields[] = {
    {"CorrectPixThresh", &CP::pixelThreshold},
    {"CorrectMinSq", &CP::minSquare},
    {"CorrectSelect", &CP::selected},
};

using CC = CustomLightColor;
constexpr RecordField<CC> kCustomColorFields[] = {
    {"Red", &CC::red},     {"Green", &CC::green},       {"Blue", &CC::blue},
    {"Alpha", &CC::alpha}, {"IsBright", &CC::isBright},
};

using ES = EffectStep;
constexpr RecordField<ES> kEffectStepFields[] = {
    {"LEDREGMode", &ES::mode},
    {"LEDBrightness", &ES::brightness},
    {"LEDSpeed", &ES::speed},
    {"LEDDirection", &ES::direction},
    {"LEDMultiColor", &ES::multiColor},
    {"red", &ES::red},
    {"green", &ES::green},
    {"blue", &ES::blue},
    {"Time", &ES::time},
    {"Cyle", &ES::cycles},
};
}  // namespace

RecordLayout<LightInfoRecord> LightInfoLayout() {
    return kLightInfoLayout;
}
RecordLayout<AudioLightRecord> AudioLightLayout() {
    return kAudioLightLayout;
}
RecordLayout<MouseSystemSettings> MouseSystemLayout() {
    return kMouseSystemLayout;
}
RecordLayout<KeyboardSystemSettings> KeyboardSystemLayout() {
    return kKeyboardSystemLayout;
}
RecordLayout<HeadsetSystemSettings> HeadsetSystemLayout() {
    return kHeadsetSystemLayout;
}

FieldTable<LightZoneEntry> LightZoneFields() {
    return kLightZoneFields;
}
FieldTable<DpiStage> DpiStageFields() {
    return kDpiStageFields;
}
FieldTable<CorrectionPreset> CorrectionFields() {
    return kCorrectionFields;
}
FieldTable<CustomLightColor> CustomColorFields() {
    return kCustomColorFields;
}
FieldTable<EffectStep> EffectStepFields() {
    return kEffectStepFields;
}
