#pragma once
// CComboEditContainerElementUI ("ComboEditContainerElement"): a list row that can be edited in place.
// It builds its children from the skin layout kLayout, with the texts "text1" and "text2" and the
// edit "delay_edit". Enter on the enabled row activates it and sends "return"; a press selects it
// (with Control held it toggles the selection); a release on it sends "itemclick"; a double click
// activates it ("itemactivate"). A row that is not mouse-enabled ignores the mouse. A
// "selectchanged" from one of its controls, or a "return" from its edit, marks it changed.
// "normalimage", "hotimage" and "selectedimage" are ignored; other attributes are the row's.
#include "ui/edit.h"
#include "ui/list.h"

class CComboEditContainerElementUI : public CListContainerElementUI, public INotifyUI {
public:
    static constexpr wchar_t kLayout[] = L"XML/CustomControlXML/ComboEditElementItem.xml";

    ~CComboEditContainerElementUI() override;
    std::wstring GetClass() const override;

    // The row's controls; null until the row joined a window, or when the layout lacks them.
    CControlUI* GetText1() const { return m_text1; }
    CControlUI* GetText2() const { return m_text2; }
    CEditUI* GetDelayEdit() const { return m_delayEdit; }
    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }

    bool IsFocusable() const override { return IsEnabled(); }
    bool Activate() override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init = true) override;
    void Notify(TNotifyUI& msg) override;

protected:
    void DoInit() override;

private:
    bool Contains(const CControlUI* control) const;

    CControlUI* m_text1 = nullptr;
    CControlUI* m_text2 = nullptr;
    CEditUI* m_delayEdit = nullptr;
    bool m_changed = false;
};
