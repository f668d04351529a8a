#pragma once
// CEditUI: a one-line text field. While it has the focus a native editor lies over it; typing sends
// "textchanged" (GetText already holds the new text), Enter sends "return", and losing the focus
// (a click elsewhere, Tab, hiding) sends "killfocus" after the text has been taken over.
// CRichEditUI is the multi-line form (Enter starts a new line and sends nothing).
#include <memory>

#include "ui/label.h"

class CEditUI : public CLabelUI {
public:
    CEditUI();
    ~CEditUI() override;
    std::wstring GetClass() const override;

    void SetText(std::wstring text) override;
    int GetMaxChar() const { return m_maxChar; }
    void SetMaxChar(int maxChar);
    bool IsNumberOnly() const { return m_numberOnly; }
    void SetNumberOnly(bool on) { m_numberOnly = on; }
    bool IsReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on) { m_readOnly = on; }
    bool IsPassword() const { return m_password; }
    void SetPassword(bool on);
    // Text shown in grey while the field is empty and not being edited.
    void SetTipValue(std::wstring tip);
    std::wstring GetTipValue() const;

    bool IsFocusable() const override { return IsEnabled(); }
    void DoEvent(TEventUI& event) override;
    void SetPos(const UiRect& rc) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void PaintText(CRenderUI& render) override;

protected:
    virtual bool IsMultiLine() const { return false; }

private:
    struct Native;
    void OpenNative();
    void CloseNative();
    // Called by the native editor.
    void OnNativeEdited(std::wstring text);
    void OnNativeReturn();
    void OnNativeFocusLost();

    std::unique_ptr<Native> m_native;
    int m_maxChar = 255;
    bool m_numberOnly = false;
    bool m_readOnly = false;
    bool m_password = false;
    std::wstring m_tipValue;
    UiColor m_tipColor = 0xFFBAC0C5;
};

class CRichEditUI : public CEditUI {
public:
    CRichEditUI();
    std::wstring GetClass() const override;

protected:
    bool IsMultiLine() const override { return true; }
};
