#include "ui/option.h"

#include "ui/attributes.h"
#include "ui/notifications.h"
#include "ui/paint_manager.h"
#include "ui/render.h"

std::wstring COptionUI::GetClass() const {
    return L"Option";
}

void COptionUI::SetGroup(std::wstring group) {
    if (group == m_group) {
        return;
    }
    if (m_manager != nullptr && !m_group.empty()) {
        m_manager->RemoveOptionGroup(m_group, this);
    }
    m_group = std::move(group);
    if (m_manager != nullptr && !m_group.empty()) {
        m_manager->AddOptionGroup(m_group, this);
        if (m_selected) {
            ClearOthersInGroup(false);
        }
    }
}

void COptionUI::Selected(bool selected, bool triggerEvent) {
    if (m_selected == selected) {
        return;
    }
    m_selected = selected;
    Invalidate();
    CPaintManagerUI* manager = m_manager;
    const uint64_t serial = Serial();
    if (selected && !m_group.empty()) {
        ClearOthersInGroup(triggerEvent);
    }
    // A handler of the others' notifications may have removed this option.
    if (triggerEvent && manager != nullptr && manager->FindBySerial(serial) == this) {
        SendNotify(kNotifySelectChanged, selected ? 1 : 0);
    }
}

void COptionUI::ClearOthersInGroup(bool triggerEvent) {
    if (m_manager == nullptr) {
        return;
    }
    CPaintManagerUI* manager = m_manager;
    std::vector<uint64_t> others;
    for (CControlUI* c : manager->GetOptionGroup(m_group)) {
        if (c != this) {
            others.push_back(c->Serial());
        }
    }
    for (uint64_t serial : others) {
        if (auto* option = dynamic_cast<COptionUI*>(manager->FindBySerial(serial))) {
            option->Selected(false, triggerEvent);
        }
    }
}

void COptionUI::SetSelectedImage(std::wstring image) {
    m_selectedImage = std::move(image);
    Invalidate();
}

void COptionUI::SetSelectedHotImage(std::wstring image) {
    m_selectedHotImage = std::move(image);
    Invalidate();
}

void COptionUI::SetSelectedForeImage(std::wstring image) {
    m_selectedForeImage = std::move(image);
    Invalidate();
}

void COptionUI::SetSelectedBkColor(UiColor color) {
    m_selectedBkColor = color;
    Invalidate();
}

void COptionUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    CButtonUI::SetManager(manager, parent, init);
    if (manager != nullptr && init && !m_group.empty()) {
        manager->AddOptionGroup(m_group, this);
        if (m_selected) {
            ClearOthersInGroup(false);
        }
    }
}

bool COptionUI::Activate() {
    CPaintManagerUI* manager = m_manager;
    const uint64_t serial = Serial();
    // Handlers of each notification may remove this option; stop when they did.
    const auto alive = [&] { return manager == nullptr || manager->FindBySerial(serial) == this; };
    if (!CButtonUI::Activate()) {
        return false;
    }
    if (!alive()) {
        return true;
    }
    if (!m_group.empty()) {
        Selected(true);
        return true;
    }
    Selected(!m_selected);
    if (alive()) {
        SendNotify(kNotifyCheckClick, m_selected ? 1 : 0);
    }
    return true;
}

void COptionUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiColor color = 0;
    bool flag = false;
    if (name == L"group") {
        SetGroup(std::wstring(value));
    } else if (name == L"selected" && ParseBool(value, flag)) {
        Selected(flag, false);
    } else if (name == L"selectedimage") {
        SetSelectedImage(std::wstring(value));
    } else if (name == L"selectedhotimage") {
        SetSelectedHotImage(std::wstring(value));
    } else if (name == L"selectedforeimage") {
        SetSelectedForeImage(std::wstring(value));
    } else if (name == L"selectedbkcolor" && ParseColor(value, color)) {
        SetSelectedBkColor(color);
    } else if (name == L"selectedtextcolor" && ParseColor(value, color)) {
        SetSelectedTextColor(color);
    } else {
        CButtonUI::SetAttribute(name, value);
    }
}

void COptionUI::PaintBkColor(CRenderUI& render) {
    if (m_selected && m_selectedBkColor != 0) {
        render.FillRect(m_pos, m_selectedBkColor);
    } else {
        CButtonUI::PaintBkColor(render);
    }
}

void COptionUI::PaintStatusImage(CRenderUI& render) {
    if (!m_selected) {
        CButtonUI::PaintStatusImage(render);
        return;
    }
    const bool hotImage = IsHot() && !m_selectedHotImage.empty();
    if (!DrawImage(render, hotImage ? m_selectedHotImage : m_selectedImage)) {
        DrawImage(render, StateImage());
    }
    DrawImage(render, m_selectedForeImage.empty() ? GetForeImage() : m_selectedForeImage);
}

UiColor COptionUI::CurrentTextColor() const {
    if (m_selected && m_selectedTextColor != 0 && IsEnabled()) {
        return m_selectedTextColor;
    }
    return CButtonUI::CurrentTextColor();
}

std::wstring CCheckBoxUI::GetClass() const {
    return L"CheckBox";
}
