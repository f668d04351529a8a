#pragma once
// COptionUI: a button with a selected state. Options that share a group in one window keep at most
// one selected: clicking one selects it and clears the others. Without a group a click toggles it.
// A click sends "click", then "selectchanged" for every option whose state changed (the cleared ones
// first), and for an option without a group "checkclick" (wParam = selected).
// CCheckBoxUI is the same control under its own tag name.
#include "ui/button.h"

class COptionUI : public CButtonUI {
public:
    std::wstring GetClass() const override;

    const std::wstring& GetGroup() const { return m_group; }
    void SetGroup(std::wstring group);
    bool IsSelected() const { return m_selected; }
    // Changes the state; with triggerEvent the changed options send "selectchanged".
    virtual void Selected(bool selected, bool triggerEvent = true);

    void SetSelectedImage(std::wstring image);
    void SetSelectedHotImage(std::wstring image);
    void SetSelectedForeImage(std::wstring image);
    void SetSelectedBkColor(UiColor color);
    UiColor GetSelectedBkColor() const { return m_selectedBkColor; }
    void SetSelectedTextColor(UiColor color) { m_selectedTextColor = color; }

    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    bool Activate() override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintBkColor(CRenderUI& render) override;
    void PaintStatusImage(CRenderUI& render) override;

protected:
    UiColor CurrentTextColor() const override;

private:
    void ClearOthersInGroup(bool triggerEvent);

    std::wstring m_group;
    bool m_selected = false;
    std::wstring m_selectedImage;
    std::wstring m_selectedHotImage;
    std::wstring m_selectedForeImage;
    UiColor m_selectedBkColor = 0;
    UiColor m_selectedTextColor = 0;
};

class CCheckBoxUI : public COptionUI {
public:
    std::wstring GetClass() const override;
    bool GetCheck() const { return IsSelected(); }
    void SetCheck(bool check, bool triggerEvent = true) { Selected(check, triggerEvent); }
};
