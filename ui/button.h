#pragma once
// CButtonUI: a label that is pressed with the mouse and sends "click" when released over itself.
// Its images follow its state: normal, hot (mouse over), pushed, focused, disabled; the fore image
// is drawn over them.
#include "ui/label.h"
#include "ui/state_images.h"

class CButtonUI : public CLabelUI {
public:
    std::wstring GetClass() const override;

    const std::wstring& GetNormalImage() const { return m_images.normal; }
    void SetNormalImage(std::wstring image);
    void SetHotImage(std::wstring image);
    void SetPushedImage(std::wstring image);
    const std::wstring& GetForeImage() const { return m_foreImage; }
    void SetForeImage(std::wstring image);
    void SetHotBkColor(UiColor color) { m_hotBkColor = color; }
    void SetPushedBkColor(UiColor color) { m_pushedBkColor = color; }
    void SetHotTextColor(UiColor color) { m_hotTextColor = color; }
    void SetPushedTextColor(UiColor color) { m_pushedTextColor = color; }

    bool IsHot() const { return m_hot; }
    bool IsPushed() const { return m_pushed; }

    bool Activate() override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkColor(CRenderUI& render) override;
    void PaintStatusImage(CRenderUI& render) override;

protected:
    UiColor CurrentTextColor() const override;
    // The state image for the button's state, falling back to the normal image.
    const std::wstring& StateImage() const;

private:
    bool m_hot = false;
    bool m_pushed = false;
    bool m_captured = false;
    CStateImages m_images;
    std::wstring m_foreImage;
    UiColor m_hotBkColor = 0;
    UiColor m_pushedBkColor = 0;
    UiColor m_hotTextColor = 0;
    UiColor m_pushedTextColor = 0;
};
