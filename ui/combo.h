#pragma once
// CComboUI: a box showing the selected element of its list elements; pressing it drops a list of the
// visible elements down, and picking one selects it ("itemselect" from the combo, wParam the new
// index, lParam the old one). Up and Down move the selection of a focused combo.
#include <memory>

#include "ui/container.h"
#include "ui/list.h"
#include "ui/state_images.h"

class QWidget;

class CComboUI : public CContainerUI, public IListOwnerUI {
public:
    CComboUI();
    ~CComboUI() override;
    std::wstring GetClass() const override;

    const TListInfoUI& GetListInfo() const override { return m_info; }
    TListInfoUI& ListInfo() { return m_info; }
    int GetCurSel() const override { return m_curSel; }
    bool SelectItem(int index, bool takeFocus = false, bool triggerEvent = true) override;
    // The selected element's text (empty without a selection).
    std::wstring GetText() const override;

    // Opens the drop-down list under the combo (nothing when it has no window or is disabled).
    void ShowDropDown();
    void CloseDropDown();
    // The open drop-down list, or null (tests pick from it like a person).
    QWidget* GetDropDown() const;

    bool AddAt(CControlUI* control, int index) override;
    bool Remove(CControlUI* control, bool doNotDestroy = false) override;
    void RemoveAll() override;

    bool IsFocusable() const override { return IsEnabled(); }
    void SetPos(const UiRect& rc) override;
    CControlUI* FindControlAt(UiPoint pt) override;
    void DoEvent(TEventUI& event) override;
    void SetAttribute(std::wstring_view name, std::wstring_view value) override;
    void DoPaint(CRenderUI& render, const UiRect& paint) override;
    void PaintStatusImage(CRenderUI& render) override;
    void PaintText(CRenderUI& render) override;

private:
    struct Popup;
    void OnPicked(int index);

    TListInfoUI m_info;
    int m_curSel = -1;
    CStateImages m_images;
    UiRect m_textPadding{4, 0, 20, 0};
    int m_dropHeight = 300;
    bool m_hot = false;
    std::unique_ptr<Popup> m_popup;
};
