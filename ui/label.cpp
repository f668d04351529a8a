#include "ui/label.h"

#include "ui/attributes.h"
#include "ui/render.h"

std::wstring CLabelUI::GetClass() const {
    return L"Label";
}

void CLabelUI::SetTextColor(UiColor color) {
    m_textColor = color;
    Invalidate();
}

void CLabelUI::SetDisabledTextColor(UiColor color) {
    m_disabledTextColor = color;
    Invalidate();
}

void CLabelUI::SetFont(int id) {
    m_font = id;
    Invalidate();
}

void CLabelUI::SetTextStyle(unsigned style) {
    m_textStyle = style;
    Invalidate();
}

void CLabelUI::SetTextPadding(const UiRect& padding) {
    m_textPadding = padding;
    Invalidate();
}

void CLabelUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiColor color = 0;
    UiRect rc;
    int n = 0;
    bool flag = false;
    if (name == L"align") {
        unsigned style = m_textStyle & ~(kTextCenter | kTextRight);
        if (value == L"center") {
            style |= kTextCenter;
        } else if (value == L"right") {
            style |= kTextRight;
        }
        SetTextStyle(style);
    } else if (name == L"valign") {
        unsigned style = m_textStyle & ~(kTextVCenter | kTextBottom);
        if (value == L"vcenter" || value == L"center") {
            style |= kTextVCenter;
        } else if (value == L"bottom") {
            style |= kTextBottom;
        }
        SetTextStyle(style);
    } else if (name == L"endellipsis" && ParseBool(value, flag)) {
        SetTextStyle(flag ? (m_textStyle | kTextEndEllipsis) : (m_textStyle & ~kTextEndEllipsis));
    } else if ((name == L"wordbreak" || name == L"multiline") && ParseBool(value, flag)) {
        SetTextStyle(flag ? ((m_textStyle | kTextWordBreak) & ~kTextSingleLine)
                          : ((m_textStyle & ~kTextWordBreak) | kTextSingleLine));
    } else if (name == L"textcolor" && ParseColor(value, color)) {
        SetTextColor(color);
    } else if (name == L"disabledtextcolor" && ParseColor(value, color)) {
        SetDisabledTextColor(color);
    } else if (name == L"font" && ParseInt(value, n)) {
        SetFont(n);
    } else if (name == L"textpadding" && ParseRect(value, rc)) {
        SetTextPadding(rc);
    } else {
        CControlUI::SetAttribute(name, value);
    }
}

UiColor CLabelUI::CurrentTextColor() const {
    return IsEnabled() ? m_textColor : m_disabledTextColor;
}

UiRect CLabelUI::TextRect() const {
    return m_pos.Deflated({Scale(m_textPadding.left), Scale(m_textPadding.top), Scale(m_textPadding.right),
                           Scale(m_textPadding.bottom)});
}

void CLabelUI::PaintText(CRenderUI& render) {
    const std::wstring text = GetText();
    if (!text.empty()) {
        render.DrawText(TextRect(), text, CurrentTextColor(), m_font, m_textStyle);
    }
}

CTextUI::CTextUI() {
    SetTextStyle(kTextLeft | kTextTop | kTextWordBreak);
}

std::wstring CTextUI::GetClass() const {
    return L"Text";
}
