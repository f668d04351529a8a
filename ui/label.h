#pragma once
// Text controls: CLabelUI (one line by default) and CTextUI (wrapping text, top-aligned).
#include "ui/control.h"

class CLabelUI : public CControlUI {
public:
    CLabelUI() = default;
    std::wstring GetClass() const override;

    UiColor GetTextColor() const { return m_textColor; }
    void SetTextColor(UiColor color);
    UiColor GetDisabledTextColor() const { return m_disabledTextColor; }
    void SetDisabledTextColor(UiColor color);
    int GetFont() const { return m_font; }
    void SetFont(int id);
    unsigned GetTextStyle() const { return m_textStyle; }
    void SetTextStyle(unsigned style);
    const UiRect& GetTextPadding() const { return m_textPadding; }
    void SetTextPadding(const UiRect& padding);

    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintText(CRenderUI& render) override;

protected:
    // The colour the text is drawn in now (subclasses pick by state).
    virtual UiColor CurrentTextColor() const;
    UiRect TextRect() const;

private:
    UiColor m_textColor = 0xFF000000;
    UiColor m_disabledTextColor = 0xFFA7A6AA;
    int m_font = -1;
    unsigned m_textStyle = kTextLeft | kTextVCenter | kTextSingleLine;
    UiRect m_textPadding;
};

class CTextUI : public CLabelUI {
public:
    CTextUI();
    std::wstring GetClass() const override;
};
