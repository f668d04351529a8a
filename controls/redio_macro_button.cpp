#include "controls/redio_macro_button.h"

namespace {
constexpr int kFadeStep = 20;
constexpr int kFadeLow = 80;
constexpr int kFadeHigh = 255;
}  // namespace

int CRecordPulse::Step() {
    if (m_rising) {
        m_fade += kFadeStep;
        if (m_fade >= kFadeHigh) {
            m_fade = kFadeHigh;
            m_rising = false;
        }
    } else {
        m_fade -= kFadeStep;
        if (m_fade <= kFadeLow) {
            m_fade = kFadeLow;
            m_rising = true;
        }
    }
    return m_fade;
}

std::wstring CRedioMacroButtonUI::GetClass() const {
    return L"RedioMacroButton";
}

bool CRedioMacroButtonUI::Start() {
    if (!m_running) {
        m_restingImage = GetNormalImage();
        m_pulse = CRecordPulse{};
    }
    m_running = SetTimer(kPulseTimer, kPulseMs);
    return m_running;
}

void CRedioMacroButtonUI::Stop() {
    KillTimer(kPulseTimer);
    if (m_running) {
        m_running = false;
        SetNormalImage(m_restingImage);
    }
}

void CRedioMacroButtonUI::DoEvent(TEventUI& event) {
    if (event.Type != UiEvent::Timer || event.wParam != kPulseTimer) {
        CButtonUI::DoEvent(event);
        return;
    }
    KillTimer(kPulseTimer);
    if (!m_recordImage.empty()) {
        const int fade = m_pulse.Step();
        SetNormalImage(L"res='" + m_recordImage + L"' fade='" + std::to_wstring(fade) + L"'");
    }
    if (m_running) {
        SetTimer(kPulseTimer, kPulseMs);
    }
}

void CRedioMacroButtonUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name == L"redioimage") {
        SetRecordImage(std::wstring(value));
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}
