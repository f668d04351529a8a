#pragma once
// The JSON members of every record of the profile document, in record order.
#include "config/profile_records.h"
#include "config/record_layout.h"

RecordLayout<LightInfoRecord> LightInfoLayout();              // "LightInfo"
RecordLayout<AudioLightRecord> AudioLightLayout();            // "AudioLightInfo"
RecordLayout<MouseSystemSettings> MouseSystemLayout();        // "SystemStages" and "ReportStages"
RecordLayout<KeyboardSystemSettings> KeyboardSystemLayout();  // "SystemStages"
RecordLayout<HeadsetSystemSettings> HeadsetSystemLayout();    // "SystemSetStages"

FieldTable<LightZoneEntry> LightZoneFields();      // element of "LightList" (present marker excluded)
FieldTable<DpiStage> DpiStageFields();             // element of "StageDPIs"
FieldTable<CorrectionPreset> CorrectionFields();   // element of "CorrectInfo" ("CorrectName" excluded)
FieldTable<CustomLightColor> CustomColorFields();  // element of a "LightColorInfo" group
FieldTable<EffectStep> EffectStepFields();         // element of "LEDEffectList"
