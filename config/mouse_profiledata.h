#pragma once
// The mouse's profile object: the base sections plus DPI stages, pointer settings and the surface
// correction presets.
#include <cstdint>
#include <vector>

#include "config/basic_profiledata.h"

class CMouseProfiledata : public CBasicProfiledata {
public:
    // Reads "DPIStages": the active stage index, then "StageDPIs" over the cached stages position by
    // position; stages beyond the file's count stay, so the list never shrinks. A missing section (or
    // one that is no object) changes nothing. Returns the cached list.
    std::vector<DpiStage> ReadDpiStages();
    // Sets the seven members of "StageDPIs"[i] for every stage; the active index and further
    // elements stay.
    void WriteDpiStages(const std::vector<DpiStage>& stages);
    void SetActiveStage(int32_t index);                       // "DPIStages"."StageActive"
    int32_t GetActiveStage() const { return m_activeStage; }  // the cached value only

    MouseSystemSettings ReadMouseSystem();
    void WriteMouseSystem(const MouseSystemSettings& settings);  // member by member
    std::vector<CorrectionPreset> ReadCorrections();             // "CorrectInfo"; empty when missing

private:
    std::vector<DpiStage> m_dpiStages;
    int32_t m_activeStage = 0;
    MouseSystemSettings m_system;
    std::vector<CorrectionPreset> m_corrections;
};
