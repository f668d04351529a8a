#include "ui/control.h"

#include <algorithm>
#include <atomic>

#include "ui/attributes.h"
#include "ui/notifications.h"
#include "ui/paint_manager.h"
#include "ui/render.h"
#include "ui/resource_manager.h"

namespace {
std::atomic<uint64_t> g_nextSerial{1};

constexpr const wchar_t* kCursorNames[] = {L"arrow",  L"ibeam",   L"wait",     L"cross",    L"uparrow",
                                           L"size",   L"icon",    L"sizenwse", L"sizenesw", L"sizewe",
                                           L"sizens", L"sizeall", L"no",       L"hand"};
}  // namespace

CControlUI::CControlUI() : m_serial(g_nextSerial++) {}

CControlUI::~CControlUI() {
    if (m_manager != nullptr) {
        m_manager->ReapObjects(this);
    }
}

std::wstring CControlUI::GetClass() const {
    return L"Control";
}

void CControlUI::SetName(std::wstring name) {
    if (name == m_name) {
        return;
    }
    std::wstring old = std::move(m_name);
    m_name = std::move(name);
    if (m_manager != nullptr) {
        m_manager->RenameControl(this, old);
    }
}

void CControlUI::SetManager(CPaintManagerUI* manager, CControlUI* parent, bool init) {
    if (m_manager != nullptr && m_manager != manager) {
        m_manager->ReapObjects(this);
    }
    m_manager = manager;
    m_parent = parent;
    if (manager != nullptr && init) {
        manager->InitControl(this);
        if (!m_initialised) {
            m_initialised = true;
            DoInit();
        }
    }
}

std::wstring CControlUI::GetText() const {
    return m_resourceText ? CResourceManager::Instance().GetText(m_text) : m_text;
}

void CControlUI::SetText(std::wstring text) {
    if (text == m_text) {
        return;
    }
    m_text = std::move(text);
    Invalidate();
}

void CControlUI::SetResourceText(bool on) {
    m_resourceText = on;
    Invalidate();
}

std::wstring CControlUI::GetToolTip() const {
    return m_resourceText && !m_toolTip.empty() ? CResourceManager::Instance().GetText(m_toolTip) : m_toolTip;
}

void CControlUI::SetToolTip(std::wstring tip) {
    m_toolTip = std::move(tip);
}

void CControlUI::SetVisible(bool visible) {
    if (m_visible == visible) {
        return;
    }
    const bool wasVisible = IsVisible();
    m_visible = visible;
    if (wasVisible && !IsVisible() && m_manager != nullptr && IsFocused()) {
        m_manager->SetFocus(nullptr);
    }
    NeedParentUpdate();
}

void CControlUI::SetInternVisible(bool visible) {
    m_internVisible = visible;
    if (!visible && m_manager != nullptr && IsFocused()) {
        m_manager->SetFocus(nullptr);
    }
}

void CControlUI::SetEnabled(bool enabled) {
    if (m_enabled == enabled) {
        return;
    }
    m_enabled = enabled;
    if (!enabled && m_manager != nullptr && IsFocused()) {
        m_manager->SetFocus(nullptr);
    }
    Invalidate();
}

bool CControlUI::IsFocused() const {
    return m_manager != nullptr && m_manager->GetFocus() == this;
}

void CControlUI::SetFocus() {
    if (m_manager != nullptr) {
        m_manager->SetFocus(this);
    }
}

void CControlUI::SetBkColor(UiColor color) {
    m_bkColor = color;
    Invalidate();
}

void CControlUI::SetBkImage(std::wstring image) {
    m_bkImage = std::move(image);
    Invalidate();
}

void CControlUI::SetBorderColor(UiColor color) {
    m_borderColor = color;
    Invalidate();
}

void CControlUI::SetBorderSize(int size) {
    m_borderSize = std::max(size, 0);
    Invalidate();
}

void CControlUI::SetBorderRound(int radius) {
    m_borderRound = std::max(radius, 0);
    Invalidate();
}

void CControlUI::SetPos(const UiRect& rc) {
    if (rc == m_pos) {
        return;
    }
    Invalidate();
    m_pos = rc;
    Invalidate();
}

void CControlUI::SetFixedWidth(int cx) {
    m_fixed.cx = std::max(cx, 0);
    NeedParentUpdate();
}

void CControlUI::SetFixedHeight(int cy) {
    m_fixed.cy = std::max(cy, 0);
    NeedParentUpdate();
}

void CControlUI::SetMinWidth(int cx) {
    m_minSize.cx = std::max(cx, 0);
    NeedParentUpdate();
}

void CControlUI::SetMinHeight(int cy) {
    m_minSize.cy = std::max(cy, 0);
    NeedParentUpdate();
}

void CControlUI::SetMaxWidth(int cx) {
    m_maxSize.cx = std::max(cx, 0);
    NeedParentUpdate();
}

void CControlUI::SetMaxHeight(int cy) {
    m_maxSize.cy = std::max(cy, 0);
    NeedParentUpdate();
}

void CControlUI::SetPadding(const UiRect& padding) {
    m_padding = padding;
    NeedParentUpdate();
}

void CControlUI::SetFloat(bool on) {
    m_float = on;
    NeedParentUpdate();
}

void CControlUI::SetFloatPos(const UiRect& pos) {
    m_floatPos = pos;
    NeedParentUpdate();
}

UiSize CControlUI::EstimateSize(UiSize) {
    return {Scale(m_fixed.cx), Scale(m_fixed.cy)};
}

bool CControlUI::SetTimer(uint32_t id, uint32_t elapseMs) {
    return m_manager != nullptr && m_manager->SetTimer(this, id, elapseMs);
}

void CControlUI::KillTimer(uint32_t id) {
    if (m_manager != nullptr) {
        m_manager->KillTimer(this, id);
    }
}

void CControlUI::KillTimers() {
    if (m_manager != nullptr) {
        m_manager->KillTimers(this);
    }
}

void CControlUI::Invalidate() {
    if (m_manager != nullptr && IsVisible()) {
        m_manager->Invalidate(m_pos);
    }
}

void CControlUI::NeedUpdate() {
    if (m_manager != nullptr) {
        m_manager->NeedUpdate();
    }
}

void CControlUI::NeedParentUpdate() {
    if (m_manager != nullptr) {
        m_manager->NeedUpdate();
    }
}

void CControlUI::Event(TEventUI& event) {
    if (m_manager != nullptr) {
        DoEvent(event);
    }
}

void CControlUI::DoEvent(TEventUI& event) {
    switch (event.Type) {
        case UiEvent::SetCursor:
            m_manager->SetCursor(m_cursor);
            break;
        case UiEvent::Timer:
            SendNotify(kNotifyTimer, event.wParam, event.lParam);
            break;
        case UiEvent::ContextMenu:
            if (IsContextMenuUsed()) {
                SendNotify(kNotifyMenu, static_cast<WPARAM>(event.ptMouse.x), event.ptMouse.y);
            } else if (m_parent != nullptr) {
                m_parent->DoEvent(event);  // a list row asks its list, a child its panel
            }
            break;
        case UiEvent::ScrollWheel:
            if (m_parent != nullptr) {
                m_parent->DoEvent(event);
            }
            break;
        case UiEvent::SetFocus:
        case UiEvent::KillFocus:
            Invalidate();
            break;
        default:
            break;
    }
}

bool CControlUI::Activate() {
    return IsVisible() && IsEnabled();
}

void CControlUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    UiRect rc;
    UiColor color = 0;
    int n = 0;
    bool flag = false;
    if (name == L"name") {
        SetName(std::wstring(value));
    } else if (name == L"text") {
        SetText(std::wstring(value));
    } else if (name == L"tooltip") {
        SetToolTip(std::wstring(value));
    } else if (name == L"userdata") {
        SetUserData(std::wstring(value));
    } else if (name == L"resourcetext" && ParseBool(value, flag)) {
        SetResourceText(flag);
    } else if (name == L"visible" && ParseBool(value, flag)) {
        SetVisible(flag);
    } else if (name == L"enabled" && ParseBool(value, flag)) {
        SetEnabled(flag);
    } else if (name == L"mouse" && ParseBool(value, flag)) {
        SetMouseEnabled(flag);
    } else if (name == L"menu" && ParseBool(value, flag)) {
        SetContextMenuUsed(flag);
    } else if (name == L"float" && ParseBool(value, flag)) {
        SetFloat(flag);
    } else if (name == L"pos" && ParseRect(value, rc)) {
        SetFloatPos(rc);
        SetFixedWidth(rc.Width());
        SetFixedHeight(rc.Height());
    } else if (name == L"padding" && ParseRect(value, rc)) {
        SetPadding(rc);
    } else if (name == L"bkcolor" && ParseColor(value, color)) {
        SetBkColor(color);
    } else if (name == L"bordercolor" && ParseColor(value, color)) {
        SetBorderColor(color);
    } else if (name == L"bordersize" && ParseInt(value, n)) {
        SetBorderSize(n);
    } else if (name == L"borderround" && ParseInt(value, n)) {
        SetBorderRound(n);
    } else if (name == L"bkimage") {
        SetBkImage(std::wstring(value));
    } else if (name == L"width" && ParseInt(value, n)) {
        SetFixedWidth(n);
    } else if (name == L"height" && ParseInt(value, n)) {
        SetFixedHeight(n);
    } else if (name == L"minwidth" && ParseInt(value, n)) {
        SetMinWidth(n);
    } else if (name == L"minheight" && ParseInt(value, n)) {
        SetMinHeight(n);
    } else if (name == L"maxwidth" && ParseInt(value, n)) {
        SetMaxWidth(n);
    } else if (name == L"maxheight" && ParseInt(value, n)) {
        SetMaxHeight(n);
    } else if (name == L"cursor") {
        const auto* it = std::find_if(std::begin(kCursorNames), std::end(kCursorNames),
                                      [&](const wchar_t* c) { return EqualsNoCase(c, value); });
        if (it != std::end(kCursorNames)) {
            SetCursor(static_cast<UiCursor>(it - std::begin(kCursorNames)));
        }
    }
}

void CControlUI::DoPaint(CRenderUI& render, const UiRect& paint) {
    if (!paint.Intersects(m_pos)) {
        return;
    }
    PaintBkColor(render);
    PaintBkImage(render);
    PaintStatusImage(render);
    PaintText(render);
    PaintBorder(render);
}

void CControlUI::PaintBkColor(CRenderUI& render) {
    if (m_bkColor != 0) {
        render.FillRect(m_pos, m_bkColor);
    }
}

void CControlUI::PaintBkImage(CRenderUI& render) {
    DrawImage(render, m_bkImage);
}

void CControlUI::PaintStatusImage(CRenderUI&) {}

void CControlUI::PaintText(CRenderUI&) {}

void CControlUI::PaintBorder(CRenderUI& render) {
    if (m_borderSize > 0 && m_borderColor != 0) {
        render.DrawBorder(m_pos, Scale(m_borderSize), m_borderColor, Scale(m_borderRound));
    }
}

bool CControlUI::DrawImage(CRenderUI& render, std::wstring_view image) {
    return !image.empty() && render.DrawImage(m_pos, image);
}

CControlUI* CControlUI::FindSubControl(std::wstring_view name) {
    return name == m_name ? this : nullptr;
}

CControlUI* CControlUI::FindControlAt(UiPoint pt) {
    return IsVisible() && IsMouseEnabled() && m_pos.Contains(pt) ? this : nullptr;
}

void CControlUI::ForEach(const std::function<void(CControlUI*)>& visit) {
    visit(this);
}

int CControlUI::Scale(int value) const {
    return m_manager != nullptr ? m_manager->Scale(value) : value;
}

void CControlUI::SendNotify(const wchar_t* type, WPARAM wParam, LPARAM lParam, bool async) {
    if (m_manager != nullptr) {
        m_manager->SendNotify(this, type, wParam, lParam, async);
    }
}
