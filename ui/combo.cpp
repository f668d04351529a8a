#include "ui/combo.h"

#include <QListWidget>
#include <QPointer>

#include "ui/attributes.h"
#include "ui/notifications.h"
#include "ui/paint_manager.h"
#include "ui/qt_font.h"
#include "ui/qt_text.h"
#include "ui/render.h"

namespace {
constexpr uint32_t kVkUp = 0x26;
constexpr uint32_t kVkDown = 0x28;
constexpr UiColor kBoxBorder = 0xFFA0A0A0;
constexpr UiColor kBoxBk = 0xFFFFFFFF;
}  // namespace

struct CComboUI::Popup {
    QPointer<QListWidget> list;
};

CComboUI::CComboUI() : m_popup(std::make_unique<Popup>()) {}

CComboUI::~CComboUI() {
    CloseDropDown();
}

std::wstring CComboUI::GetClass() const {
    return L"Combo";
}

bool CComboUI::SelectItem(int index, bool takeFocus, bool triggerEvent) {
    return SelectListItem(*this, m_curSel, index, takeFocus, triggerEvent);
}

std::wstring CComboUI::GetText() const {
    const CControlUI* item = GetItemAt(m_curSel);
    return item != nullptr ? item->GetText() : std::wstring();
}

void CComboUI::ShowDropDown() {
    QWidget* host = m_manager != nullptr ? m_manager->GetHost() : nullptr;
    if (host == nullptr || !IsEnabled() || m_popup->list) {
        return;
    }
    auto* list = new QListWidget(host);
    list->setWindowFlags(Qt::Popup);
    list->setAttribute(Qt::WA_DeleteOnClose);
    list->setFont(MakeQFont(m_info.font, *m_manager));
    const int rowHeight = m_manager->Scale(m_info.itemHeight);
    for (int i = 0; i < GetCount(); ++i) {
        CControlUI* item = GetItemAt(i);
        if (ListItemAt(*this, i) == nullptr || !item->IsVisible()) {
            continue;
        }
        auto* row = new QListWidgetItem(ToQString(item->GetText()), list);
        row->setData(Qt::UserRole, i);
        row->setSizeHint(QSize(m_pos.Width(), rowHeight));
        row->setToolTip(ToQString(item->GetToolTip()));
        if (!item->IsEnabled()) {
            row->setFlags(Qt::NoItemFlags);
        }
        if (i == m_curSel) {
            list->setCurrentItem(row);
        }
    }
    QObject::connect(list, &QListWidget::itemClicked, list,
                     [this](QListWidgetItem* row) { OnPicked(row->data(Qt::UserRole).toInt()); });
    QObject::connect(list, &QListWidget::itemActivated, list,
                     [this](QListWidgetItem* row) { OnPicked(row->data(Qt::UserRole).toInt()); });
    const int height = std::min(list->count() * rowHeight + 2, m_manager->Scale(m_dropHeight));
    list->setGeometry(
        QRect(host->mapToGlobal(QPoint(m_pos.left, m_pos.bottom)), QSize(m_pos.Width(), height)));
    m_popup->list = list;
    list->show();
    list->setFocus(Qt::PopupFocusReason);
}

void CComboUI::CloseDropDown() {
    if (QListWidget* list = m_popup->list) {
        QObject::disconnect(list, nullptr, nullptr, nullptr);
        list->close();
    }
}

QWidget* CComboUI::GetDropDown() const {
    return m_popup->list;
}

void CComboUI::OnPicked(int index) {
    CloseDropDown();
    SelectItem(index, true);
}

bool CComboUI::AddAt(CControlUI* control, int index) {
    if (!CContainerUI::AddAt(control, index)) {
        return false;
    }
    OnListItemInserted(*this, this, m_curSel, index);
    return true;
}

bool CComboUI::Remove(CControlUI* control, bool doNotDestroy) {
    const int index = GetItemIndex(control);
    if (!CContainerUI::Remove(control, doNotDestroy)) {
        return false;
    }
    OnListItemRemoved(*this, this, m_curSel, index);
    Invalidate();
    return true;
}

void CComboUI::RemoveAll() {
    m_curSel = -1;
    CContainerUI::RemoveAll();
    Invalidate();
}

void CComboUI::SetPos(const UiRect& rc) {
    CControlUI::SetPos(rc);
}

CControlUI* CComboUI::FindControlAt(UiPoint pt) {
    return CControlUI::FindControlAt(pt);
}

void CComboUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UiEvent::ButtonDown:
            if (IsEnabled()) {
                ShowDropDown();
            }
            return;
        case UiEvent::KeyDown:
            if (event.chKey == kVkUp || event.chKey == kVkDown) {
                const int next = NextSelectable(*this, m_curSel, event.chKey == kVkUp ? -1 : 1);
                if (next >= 0) {
                    SelectItem(next);
                }
                return;
            }
            break;
        case UiEvent::MouseEnter:
        case UiEvent::MouseLeave:
            m_hot = event.Type == UiEvent::MouseEnter;
            Invalidate();
            return;
        default:
            break;
    }
    CControlUI::DoEvent(event);
}

void CComboUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiRect rc;
    int n = 0;
    if (SetListInfoAttribute(m_info, name, value) || m_images.SetAttribute(name, value)) {
        Invalidate();
    } else if (name == L"textpadding" && ParseRect(value, rc)) {
        m_textPadding = rc;
    } else if (name == L"dropboxheight" && ParseInt(value, n)) {
        m_dropHeight = n;
    } else {
        CContainerUI::SetAttribute(name, value);
    }
}

void CComboUI::DoPaint(CRenderUI& render, const UiRect& paint) {
    CControlUI::DoPaint(render, paint);
}

void CComboUI::PaintStatusImage(CRenderUI& render) {
    if (DrawImage(render, m_images.For(IsEnabled(), m_popup->list != nullptr, m_hot, IsFocused()))) {
        return;
    }
    // Without skin images: a plain box with a drop-down mark.
    render.FillRect(m_pos, kBoxBk);
    render.DrawBorder(m_pos, 1, kBoxBorder);
    const int s = Scale(4);
    const int cx = m_pos.right - Scale(10);
    const int cy = (m_pos.top + m_pos.bottom) / 2;
    render.FillRect({cx - s, cy - 1, cx + s, cy + 1}, kBoxBorder);
}

void CComboUI::PaintText(CRenderUI& render) {
    const UiRect& p = m_textPadding;
    const UiColor color = IsEnabled() ? m_info.textColor : m_info.disabledTextColor;
    render.DrawText(m_pos.Deflated({Scale(p.left), Scale(p.top), Scale(p.right), Scale(p.bottom)}), GetText(),
                    color, m_info.font, m_info.textStyle);
}
