#pragma once
// CRedioMacroButtonUI ("RedioMacroButton"): the button that shows a macro is being recorded. While
// running, its image is the recording image ("redioimage") pulsing: every 50 ms (timer 100) the
// fade falls by 20 down to 80, then rises by 20 up to 255, and so on.
#include <string>

#include "ui/button.h"

// The fade sequence of the pulse, apart from any timer: 255, 235, ... 95, 80, 100, ... 240, 255, 235 ...
class CRecordPulse {
public:
    int Fade() const { return m_fade; }
    // Moves one step and returns the new fade.
    int Step();

private:
    int m_fade = 255;
    bool m_rising = false;
};

class CRedioMacroButtonUI : public CButtonUI {
public:
    static constexpr uint32_t kPulseTimer = 100;
    static constexpr uint32_t kPulseMs = 50;

    std::wstring GetClass() const override;

    void SetRecordImage(std::wstring image) { m_recordImage = std::move(image); }
    const std::wstring& GetRecordImage() const { return m_recordImage; }

    // Starts pulsing from full strength; false when the button is in no window (no timer).
    bool Start();
    // Stops pulsing and gives the button back the image it had before Start.
    void Stop();
    bool IsRunning() const { return m_running; }
    int GetFade() const { return m_pulse.Fade(); }

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;

private:
    std::wstring m_recordImage;
    std::wstring m_restingImage;
    CRecordPulse m_pulse;
    bool m_running = false;
};
