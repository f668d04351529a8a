#pragma once
// CDeviceKeyButtonUI ("DeviceKeyButton"): one key or light position drawn on the device picture.
// Over its button images it shows, each when switched on: the light of the key (the light image in
// the light's colour), the key-unset image and on top the key-set image. The selected flag is set
// by the drag selection of its CSelectPanelUI and framed in the selection colour.
// Attributes: "lightimage", "keysetimage", "keyunsetimage" (image strings); "gmnametextcolor" is
// accepted and has no effect. Sends "dbclick" on a double click of the enabled button.
#include <string>

#include "ui/button.h"

class CDeviceKeyButtonUI : public CButtonUI {
public:
    static constexpr int kLightFade = 200;  // opacity of the light over the picture, of 255

    std::wstring GetClass() const override;

    bool IsSelected() const { return m_selected; }
    void SetSelected(bool selected);

    const std::wstring& GetLightImage() const { return m_lightImage; }
    void SetLightImage(std::wstring image);
    void SetKeySetImage(std::wstring image);
    void SetKeyUnsetImage(std::wstring image);
    bool IsLightShown() const { return m_lightShown; }
    void ShowLight(bool show);
    bool IsKeySetImageShown() const { return !m_keySetHidden; }
    void ShowKeySetImage(bool show);
    bool IsKeyUnsetImageShown() const { return !m_keyUnsetHidden; }
    void ShowKeyUnsetImage(bool show);

    // The light's colour (0xRRGGBB, alpha ignored) and brightness 0-255: the light image is drawn
    // in the colour darkened by the brightness, so an unlit key shows black.
    void SetLightColor(UiColor color, int brightness = 255);
    UiColor GetLightColor() const { return m_lightColor; }
    int GetLightBrightness() const { return m_brightness; }
    // The colour shown now: colour × brightness / 255 per channel, opaque.
    UiColor ShownLightColor() const;
    UiColor GetSelectColor() const { return m_selectColor; }
    void SetSelectColor(UiColor color);

    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintStatusImage(CRenderUI& render) override;
    void PaintBorder(CRenderUI& render) override;

private:
    std::wstring m_lightImage;
    std::wstring m_keySetImage;
    std::wstring m_keyUnsetImage;
    bool m_lightShown = false;
    bool m_keySetHidden = true;
    bool m_keyUnsetHidden = true;
    bool m_selected = false;
    UiColor m_lightColor = 0xFF000000;
    int m_brightness = 255;
    UiColor m_selectColor = 0xFF0099FF;
};
