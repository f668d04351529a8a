#include "config/mouse_profiledata.h"

#include "config/json_access.h"
#include "config/record_layouts.h"

std::vector<DpiStage> CMouseProfiledata::ReadDpiStages() {
    const Json::Value& section = MemberOf(Document(), "DPIStages");
    if (!section.isObject()) {
        return m_dpiStages;
    }
    m_activeStage = JsonInt(MemberOf(section, "StageActive"));
    const Json::Value& stages = MemberOf(section, "StageDPIs");
    if (stages.isArray()) {
        if (m_dpiStages.size() < stages.size()) {
            m_dpiStages.resize(stages.size());
        }
        for (Json::ArrayIndex i = 0; i < stages.size(); ++i) {
            DpiStage stage;
            ReadFields(stages[i], DpiStageFields(), stage);
            m_dpiStages[i] = stage;
        }
    }
    return m_dpiStages;
}

void CMouseProfiledata::WriteDpiStages(const std::vector<DpiStage>& stages) {
    m_dpiStages = stages;
    Json::Value& list = ObjectMember(ObjectMember(Document(), "DPIStages"), "StageDPIs");
    for (size_t i = 0; i < stages.size(); ++i) {
        WriteFields(ArrayElement(list, static_cast<int64_t>(i)), DpiStageFields(), stages[i]);
    }
}

void CMouseProfiledata::SetActiveStage(int32_t index) {
    m_activeStage = index;
    ObjectMember(ObjectMember(Document(), "DPIStages"), "StageActive") = index;
}

MouseSystemSettings CMouseProfiledata::ReadMouseSystem() {
    m_system = ReadRecord(Document(), MouseSystemLayout());
    return m_system;
}

void CMouseProfiledata::WriteMouseSystem(const MouseSystemSettings& settings) {
    m_system = settings;
    WriteRecordMembers(Document(), MouseSystemLayout(), settings);
}

std::vector<CorrectionPreset> CMouseProfiledata::ReadCorrections() {
    m_corrections.clear();
    const Json::Value& list = MemberOf(Document(), "CorrectInfo");
    if (list.isArray()) {
        m_corrections.resize(list.size());
        for (Json::ArrayIndex i = 0; i < list.size(); ++i) {
            ReadFields(list[i], CorrectionFields(), m_corrections[i]);
            m_corrections[i].name = JsonText(MemberOf(list[i], "CorrectName"));
        }
    }
    return m_corrections;
}
