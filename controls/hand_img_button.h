#pragma once
// CHandImgButtonUI ("HandImgButton"): a button showing a picture ("handimage") with a delete box in
// its lower right corner. The box shows while the mouse is over the button and deletion is enabled
// ("deletenormalimage", or "deletehotimage" while the mouse is in the box); releasing the mouse in
// it sends "click_handdelete" instead of the click. Deletion starts disabled. Entering and leaving
// the enabled button send "msenter" and "msleave".
#include <string>

#include "ui/button.h"

class CHandImgButtonUI : public CButtonUI {
public:
    std::wstring GetClass() const override;

    void SetHandImage(std::wstring image);
    const std::wstring& GetHandImage() const { return m_handImage; }
    void SetDeleteNormalImage(std::wstring image);
    void SetDeleteHotImage(std::wstring image);

    bool IsDeleteEnabled() const { return !m_deleteDisabled; }
    void EnableDelete(bool enable);
    // The delete box (client pixels): from right - 30 to right - 10 and from bottom - 29 to
    // bottom - 9 of the button, each distance scaled to the window's DPI.
    UiRect DeleteBoxRect() const;
    // Whether the box is drawn now: the mouse is over the enabled button and deletion is enabled.
    bool IsDeleteBoxShown() const;

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(CRenderUI& render) override;

private:
    std::wstring m_handImage;
    std::wstring m_deleteNormalImage;
    std::wstring m_deleteHotImage;
    const std::wstring* m_deleteImage = &m_deleteNormalImage;
    bool m_deleteDisabled = true;
};

// Sends "msenter"/"msleave" when the event is the mouse entering or leaving an enabled control.
void NotifyHover(CControlUI& control, const TEventUI& event);
