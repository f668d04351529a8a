#include "controls/combo_edit_element.h"

#include "ui/dialog_builder.h"
#include "ui/messages.h"
#include "ui/notifications.h"
#include "ui/paint_manager.h"

namespace {
bool IsMouseEvent(UiEvent type) {
    switch (type) {
        case UiEvent::MouseMove:
        case UiEvent::MouseLeave:
        case UiEvent::MouseEnter:
        case UiEvent::ButtonDown:
        case UiEvent::ButtonUp:
        case UiEvent::RButtonDown:
        case UiEvent::DblClick:
        case UiEvent::ContextMenu:
        case UiEvent::ScrollWheel:
            return true;
        default:
            return false;
    }
}
}  // namespace

CComboEditContainerElementUI::~CComboEditContainerElementUI() {
    if (m_manager != nullptr) {
        m_manager->RemoveNotifier(this);
    }
}

std::wstring CComboEditContainerElementUI::GetClass() const {
    return L"ComboEditContainerElement";
}

void CComboEditContainerElementUI::DoInit() {
    CDialogBuilder::Create(kLayout, nullptr, nullptr, this);
    m_text1 = FindSubControl(L"text1");
    m_text2 = FindSubControl(L"text2");
    m_delayEdit = dynamic_cast<CEditUI*>(FindSubControl(L"delay_edit"));
}

void CComboEditContainerElementUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (m_manager != nullptr && m_manager != manager) {
        m_manager->RemoveNotifier(this);
    }
    CListContainerElementUI::SetManager(manager, parent, init);
    if (manager != nullptr) {
        manager->AddNotifier(this);
    }
}

bool CComboEditContainerElementUI::Activate() {
    if (!CListContainerElementUI::Activate()) {
        return false;
    }
    SendNotify(kNotifyItemActivate);
    return true;
}

void CComboEditContainerElementUI::DoEvent(TEventUI& event) {
    if (!IsMouseEnabled() && IsMouseEvent(event.Type)) {
        return;
    }
    switch (event.Type) {
        case UiEvent::KeyDown:
            if (event.chKey == kVkReturn && IsEnabled()) {
                CPaintManagerUI* manager = m_manager;
                const uint64_t serial = Serial();
                Activate();
                if (manager->FindBySerial(serial) == this) {  // an "itemactivate" handler may remove it
                    SendNotify(kNotifyReturn);
                }
            } else if (m_parent != nullptr) {
                m_parent->DoEvent(event);  // the list moves its selection
            }
            return;
        case UiEvent::ButtonDown:
            if (IsEnabled() && m_owner != nullptr) {
                const bool toggle = (event.wKeyState & kKeyStateControl) != 0;
                m_owner->SelectItem(toggle && IsSelected() ? -1 : m_index);
            }
            return;
        case UiEvent::DblClick:
            Activate();
            return;
        default:
            break;
    }
    CListContainerElementUI::DoEvent(event);
}

void CComboEditContainerElementUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    if (name != L"normalimage" && name != L"hotimage" && name != L"selectedimage") {
        CListContainerElementUI::SetAttribute(name, value);
    }
}

bool CComboEditContainerElementUI::Contains(const CControlUI* control) const {
    for (const CControlUI* c = control != nullptr ? control->GetParent() : nullptr; c != nullptr;
         c = c->GetParent()) {
        if (c == this) {
            return true;
        }
    }
    return false;
}

void CComboEditContainerElementUI::Notify(TNotifyUI& msg) {
    if ((msg.sType == kNotifySelectChanged && Contains(msg.pSender)) ||
        (msg.sType == kNotifyReturn && msg.pSender != nullptr && msg.pSender == m_delayEdit)) {
        m_changed = true;
    }
}
