#include "ui/paint_manager.h"

#include <QDateTime>
#include <QFontDatabase>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstdint>

#include "ui/control.h"
#include "ui/image_cache.h"
#include "ui/notifications.h"
#include "ui/qt_text.h"

namespace {
std::wstring g_resourcePath;
std::map<int, TFontInfoUI> g_fonts;
TFontInfoUI g_defaultFont;
std::vector<CPaintManagerUI*> g_managers;

template <class Vector, class Value>
void EraseValue(Vector& v, const Value& value) {
    v.erase(std::remove(v.begin(), v.end(), value), v.end());
}

const std::vector<CControlUI*> kNoControls;
}  // namespace

struct CPaintManagerUI::Impl {
    QPointer<QWidget> host;
    // Queued work (timers set from other threads, async notifications) runs in this object's thread,
    // the UI thread; pending work is dropped with it.
    QObject context;
    std::map<std::pair<uint64_t, uint32_t>, std::unique_ptr<QTimer>> timers;

    bool OnUiThread() const { return QThread::currentThread() == context.thread(); }
};

// --- shared part ---

void CPaintManagerUI::SetResourcePath(std::wstring path) {
    std::replace(path.begin(), path.end(), L'\\', L'/');
    if (!path.empty() && path.back() != L'/') {
        path.push_back(L'/');
    }
    g_resourcePath = std::move(path);
    ClearImageCache();
}

const std::wstring& CPaintManagerUI::GetResourcePath() {
    return g_resourcePath;
}

std::wstring CPaintManagerUI::ResolvePath(std::wstring_view file) {
    std::wstring path(file);
    std::replace(path.begin(), path.end(), L'\\', L'/');
    if (path.starts_with(L'/')) {
        return path;
    }
    return g_resourcePath + path;
}

void CPaintManagerUI::AddFont(int id, TFontInfoUI font) {
    g_fonts[id] = std::move(font);
}

void CPaintManagerUI::SetDefaultFont(TFontInfoUI font) {
    g_defaultFont = std::move(font);
}

void CPaintManagerUI::RemoveAllFonts() {
    g_fonts.clear();
}

TFontInfoUI CPaintManagerUI::GetFont(int id) {
    const auto it = g_fonts.find(id);
    return it != g_fonts.end() ? it->second : g_defaultFont;
}

bool CPaintManagerUI::HasFont(int id) {
    return g_fonts.count(id) != 0;
}

int CPaintManagerUI::LoadPrivateFont(const std::wstring& path) {
    const int id = QFontDatabase::addApplicationFont(ToQString(path));
    return id < 0 ? 0 : id + 1;
}

void CPaintManagerUI::UnloadPrivateFont(int handle) {
    if (handle > 0) {
        QFontDatabase::removeApplicationFont(handle - 1);
    }
}

bool CPaintManagerUI::IsValidDPI(int dpi) {
    return dpi == 96 || dpi == 120 || dpi == 144 || dpi == 168 || dpi == 192;
}

bool CPaintManagerUI::SetAllDPI(int dpi) {
    if (!IsValidDPI(dpi)) {
        return false;
    }
    for (CPaintManagerUI* manager : Managers()) {
        manager->SetDPI(dpi);
    }
    return true;
}

std::vector<CPaintManagerUI*> CPaintManagerUI::Managers() {
    return g_managers;
}

// --- this window ---

CPaintManagerUI::CPaintManagerUI() : m_impl(std::make_unique<Impl>()) {
    g_managers.push_back(this);
}

CPaintManagerUI::~CPaintManagerUI() {
    EraseValue(g_managers, this);
    delete m_root;  // the controls reap themselves from this manager while it is still whole
    m_root = nullptr;
}

void CPaintManagerUI::SetHost(QWidget* host) {
    m_impl->host = host;
}

QWidget* CPaintManagerUI::GetHost() const {
    return m_impl->host;
}

bool CPaintManagerUI::SetDPI(int dpi) {
    if (!IsValidDPI(dpi)) {
        return false;
    }
    const int old = m_dpi;
    m_dpi = dpi;
    if (QWidget* host = m_impl->host; host != nullptr && old != dpi) {
        host->resize(host->width() * dpi / old, host->height() * dpi / old);
    }
    NeedUpdate();
    return true;
}

int CPaintManagerUI::Scale(int value) const {
    if (m_dpi == 96) {
        return value;
    }
    // In 64 bits: a layout may give any length, and a wrong size must not become an overflow.
    const int64_t scaled = int64_t(value) * m_dpi;
    const int64_t rounded = (scaled >= 0 ? scaled + 48 : scaled - 48) / 96;
    return static_cast<int>(std::clamp<int64_t>(rounded, INT_MIN, INT_MAX));
}

void CPaintManagerUI::AttachRoot(CControlUI* root) {
    if (root == m_root) {
        return;
    }
    delete m_root;
    m_root = root;
    if (root != nullptr) {
        root->SetManager(this, nullptr, true);
    }
    NeedUpdate();
}

CControlUI* CPaintManagerUI::FindControl(std::wstring_view name) const {
    const auto it = m_names.find(name);
    return it != m_names.end() && !it->second.empty() ? it->second.front() : nullptr;
}

CControlUI* CPaintManagerUI::FindControlAt(UiPoint pt) const {
    return m_root != nullptr ? m_root->FindControlAt(pt) : nullptr;
}

const std::vector<CControlUI*>& CPaintManagerUI::GetOptionGroup(const std::wstring& group) const {
    const auto it = m_groups.find(group);
    return it != m_groups.end() ? it->second : kNoControls;
}

void CPaintManagerUI::AddNotifier(INotifyUI* notifier) {
    if (notifier != nullptr &&
        std::find(m_notifiers.begin(), m_notifiers.end(), notifier) == m_notifiers.end()) {
        m_notifiers.push_back(notifier);
    }
}

void CPaintManagerUI::RemoveNotifier(INotifyUI* notifier) {
    EraseValue(m_notifiers, notifier);
}

void CPaintManagerUI::SendNotify(CControlUI* sender, const wchar_t* type, WPARAM wParam, LPARAM lParam,
                                 bool async) {
    TNotifyUI msg;
    msg.sType = type;
    msg.pSender = sender;
    msg.wParam = wParam;
    msg.lParam = lParam;
    SendNotify(msg, async);
}

void CPaintManagerUI::SendNotify(TNotifyUI& msg, bool async) {
    msg.ptMouse = m_lastMouse;
    msg.dwTimestamp = static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch());
    if (async) {
        const uint64_t serial = msg.pSender != nullptr ? msg.pSender->Serial() : 0;
        QMetaObject::invokeMethod(
            &m_impl->context,
            [this, msg, serial]() mutable {
                if (msg.pSender == nullptr || FindBySerial(serial) == msg.pSender) {
                    SendNotify(msg, false);
                }
            },
            Qt::QueuedConnection);
        return;
    }
    // A handler may add or remove notifiers: deliver to those registered now and still registered.
    const std::vector<INotifyUI*> notifiers = m_notifiers;
    for (INotifyUI* notifier : notifiers) {
        if (std::find(m_notifiers.begin(), m_notifiers.end(), notifier) != m_notifiers.end()) {
            notifier->Notify(msg);
        }
    }
}

void CPaintManagerUI::SetFocus(CControlUI* control) {
    if (control == m_focus) {
        return;
    }
    if (control != nullptr &&
        (control->GetManager() != this || !control->IsVisible() || !control->IsEnabled())) {
        return;
    }
    CControlUI* old = m_focus;
    m_focus = control;
    const uint64_t newSerial = control != nullptr ? control->Serial() : 0;
    if (old != nullptr) {
        Deliver(UiEvent::KillFocus, old, m_lastMouse, 0);
        if (FindBySerial(old->Serial()) == old) {
            SendNotify(old, kNotifyKillFocus);
        }
    }
    // A killfocus handler may have moved the focus again or removed the new control.
    if (control == nullptr || m_focus != control || FindBySerial(newSerial) != control) {
        return;
    }
    if (QWidget* host = m_impl->host) {
        host->setFocus(Qt::OtherFocusReason);
    }
    Deliver(UiEvent::SetFocus, control, m_lastMouse, 0);
    if (FindBySerial(newSerial) == control) {
        SendNotify(control, kNotifySetFocus);
    }
}

void CPaintManagerUI::Invalidate() {
    if (QWidget* host = m_impl->host) {
        host->update();
    }
}

void CPaintManagerUI::Invalidate(const UiRect& rc) {
    if (QWidget* host = m_impl->host; host != nullptr && !rc.IsEmpty()) {
        host->update(rc.left, rc.top, rc.Width(), rc.Height());
    }
}

void CPaintManagerUI::NeedUpdate() {
    m_layoutNeeded = true;
    Invalidate();
}

void CPaintManagerUI::LayoutIfNeeded() {
    if (!m_layoutNeeded || m_root == nullptr) {
        return;
    }
    m_layoutNeeded = false;
    m_root->SetPos({0, 0, m_client.cx, m_client.cy});
}

UiSize CPaintManagerUI::GetClientSize() const {
    return m_client;
}

void CPaintManagerUI::SetCursor(UiCursor cursor) {
    static constexpr Qt::CursorShape kShapes[] = {
        Qt::ArrowCursor,   Qt::IBeamCursor,   Qt::WaitCursor,      Qt::CrossCursor,       Qt::UpArrowCursor,
        Qt::SizeAllCursor, Qt::ArrowCursor,   Qt::SizeFDiagCursor, Qt::SizeBDiagCursor,   Qt::SizeHorCursor,
        Qt::SizeVerCursor, Qt::SizeAllCursor, Qt::ForbiddenCursor, Qt::PointingHandCursor};
    if (QWidget* host = m_impl->host) {
        host->setCursor(kShapes[static_cast<size_t>(cursor)]);
    }
}

bool CPaintManagerUI::SetTimer(CControlUI* control, uint32_t id, uint32_t elapseMs) {
    if (control == nullptr) {
        return false;
    }
    const uint64_t serial = control->Serial();
    if (!m_impl->OnUiThread()) {
        QMetaObject::invokeMethod(
            &m_impl->context,
            [this, serial, id, elapseMs] {
                if (CControlUI* c = FindBySerial(serial)) {
                    SetTimer(c, id, elapseMs);
                }
            },
            Qt::QueuedConnection);
        return true;
    }
    if (FindBySerial(serial) != control) {
        return false;
    }
    auto& timer = m_impl->timers[{serial, id}];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, &m_impl->context, [this, serial, id] {
            CControlUI* c = FindBySerial(serial);
            if (c == nullptr) {
                return;
            }
            Deliver(UiEvent::Timer, c, m_lastMouse, 0, id);
        });
    }
    timer->start(static_cast<int>(std::max<uint32_t>(elapseMs, 1)));
    return true;
}

void CPaintManagerUI::KillTimer(CControlUI* control, uint32_t id) {
    if (control == nullptr) {
        return;
    }
    const uint64_t serial = control->Serial();
    if (!m_impl->OnUiThread()) {
        QMetaObject::invokeMethod(
            &m_impl->context,
            [this, serial, id] {
                m_impl->timers.erase({serial, id});
            },
            Qt::QueuedConnection);
        return;
    }
    // Erasing stops the timer; a QTimer may be destroyed from inside its own timeout handler.
    if (auto it = m_impl->timers.find({serial, id}); it != m_impl->timers.end()) {
        it->second->stop();
        it->second.release()->deleteLater();
        m_impl->timers.erase(it);
    }
}

void CPaintManagerUI::KillTimers(CControlUI* control) {
    if (control == nullptr) {
        return;
    }
    const uint64_t serial = control->Serial();
    if (!m_impl->OnUiThread()) {
        QMetaObject::invokeMethod(
            &m_impl->context, [this, serial] { KillTimers(FindBySerial(serial)); }, Qt::QueuedConnection);
        return;
    }
    auto it = m_impl->timers.lower_bound({serial, 0});
    while (it != m_impl->timers.end() && it->first.first == serial) {
        it->second->stop();
        it->second.release()->deleteLater();
        it = m_impl->timers.erase(it);
    }
}

void CPaintManagerUI::KillAllTimers() {
    for (auto& [key, timer] : m_impl->timers) {
        timer->stop();
        timer.release()->deleteLater();
    }
    m_impl->timers.clear();
}

TEventUI CPaintManagerUI::MakeEvent(UiEvent type, CControlUI* sender, UiPoint pt, uint16_t keyState) const {
    TEventUI event;
    event.Type = type;
    event.pSender = sender;
    event.ptMouse = pt;
    event.wKeyState = keyState;
    event.dwTimestamp = static_cast<uint64_t>(QDateTime::currentMSecsSinceEpoch());
    return event;
}

void CPaintManagerUI::Deliver(UiEvent type, CControlUI* target, UiPoint pt, uint16_t keyState,
                              WPARAM wParam) {
    if (target != nullptr) {
        TEventUI event = MakeEvent(type, target, pt, keyState);
        event.wParam = wParam;
        event.chKey = static_cast<uint32_t>(wParam);
        target->Event(event);
    }
}

void CPaintManagerUI::SetHot(CControlUI* control, UiPoint pt, uint16_t keyState) {
    if (control == m_hot) {
        return;
    }
    CControlUI* old = m_hot;
    m_hot = control;
    Deliver(UiEvent::MouseLeave, old, pt, keyState);
    if (m_hot == control) {
        Deliver(UiEvent::MouseEnter, control, pt, keyState);
    }
}

void CPaintManagerUI::OnMouseMove(UiPoint pt, uint16_t keyState) {
    m_lastMouse = pt;
    SetHot(FindControlAt(pt), pt, keyState);
    if (m_captured == nullptr) {
        Deliver(UiEvent::SetCursor, m_hot, pt, keyState);
    }
    Deliver(UiEvent::MouseMove, m_captured != nullptr ? m_captured : m_hot, pt, keyState);
}

void CPaintManagerUI::OnMouseLeaveWindow() {
    if (m_captured == nullptr) {
        SetHot(nullptr, m_lastMouse, 0);
    }
}

void CPaintManagerUI::OnButtonDown(UiPoint pt, uint16_t keyState) {
    m_lastMouse = pt;
    // The focus goes to the control pressed, or to its nearest parent that takes the focus (a list
    // for its rows), or nowhere.
    CControlUI* focus = FindControlAt(pt);
    while (focus != nullptr && !focus->IsFocusable()) {
        focus = focus->GetParent();
    }
    SetFocus(focus);
    m_captured = FindControlAt(pt);  // focus handlers may have changed the tree
    Deliver(UiEvent::ButtonDown, m_captured, pt, keyState);
}

void CPaintManagerUI::OnDblClick(UiPoint pt, uint16_t keyState) {
    m_lastMouse = pt;
    m_captured = FindControlAt(pt);
    Deliver(UiEvent::DblClick, m_captured, pt, keyState);
}

void CPaintManagerUI::OnButtonUp(UiPoint pt, uint16_t keyState) {
    m_lastMouse = pt;
    CControlUI* target = m_captured;
    m_captured = nullptr;
    Deliver(UiEvent::ButtonUp, target, pt, keyState);
}

void CPaintManagerUI::OnRButtonDown(UiPoint pt, uint16_t keyState) {
    m_lastMouse = pt;
    Deliver(UiEvent::RButtonDown, FindControlAt(pt), pt, keyState);
}

void CPaintManagerUI::OnContextMenu(UiPoint pt) {
    m_lastMouse = pt;
    Deliver(UiEvent::ContextMenu, FindControlAt(pt), pt, 0);
}

void CPaintManagerUI::OnWheel(UiPoint pt, bool down, uint16_t keyState) {
    m_lastMouse = pt;
    Deliver(UiEvent::ScrollWheel, FindControlAt(pt), pt, keyState, down ? 1 : 0);
}

void CPaintManagerUI::OnKeyDown(uint32_t vk, uint16_t keyState) {
    Deliver(UiEvent::KeyDown, m_focus, m_lastMouse, keyState, vk);
}

void CPaintManagerUI::OnResize(UiSize client) {
    m_client = client;
    NeedUpdate();
    LayoutIfNeeded();
    if (m_root != nullptr) {
        SendNotify(m_root, kNotifyWindowSize);
    }
}

void CPaintManagerUI::Paint(CRenderUI& render, const UiRect& paint) {
    LayoutIfNeeded();
    if (m_root != nullptr && m_root->IsVisible()) {
        m_root->DoPaint(render, paint);
    }
}

void CPaintManagerUI::InitControl(CControlUI* control) {
    if (!m_bySerial.emplace(control->Serial(), control).second) {
        return;  // already attached
    }
    if (!control->GetName().empty()) {
        m_names[control->GetName()].push_back(control);
    }
}

void CPaintManagerUI::ReapObjects(CControlUI* control) {
    if (m_bySerial.erase(control->Serial()) == 0) {
        return;
    }
    if (auto it = m_names.find(control->GetName()); it != m_names.end()) {
        EraseValue(it->second, control);
        if (it->second.empty()) {
            m_names.erase(it);
        }
    }
    for (auto& [group, members] : m_groups) {
        EraseValue(members, control);
    }
    KillTimers(control);
    if (m_focus == control) {
        m_focus = nullptr;
    }
    if (m_hot == control) {
        m_hot = nullptr;
    }
    if (m_captured == control) {
        m_captured = nullptr;
    }
}

void CPaintManagerUI::RenameControl(CControlUI* control, const std::wstring& oldName) {
    if (FindBySerial(control->Serial()) != control) {
        return;
    }
    if (auto it = m_names.find(oldName); it != m_names.end()) {
        EraseValue(it->second, control);
        if (it->second.empty()) {
            m_names.erase(it);
        }
    }
    if (!control->GetName().empty()) {
        m_names[control->GetName()].push_back(control);
    }
}

void CPaintManagerUI::AddOptionGroup(const std::wstring& group, CControlUI* control) {
    auto& members = m_groups[group];
    if (std::find(members.begin(), members.end(), control) == members.end()) {
        members.push_back(control);
    }
}

void CPaintManagerUI::RemoveOptionGroup(const std::wstring& group, CControlUI* control) {
    if (auto it = m_groups.find(group); it != m_groups.end()) {
        EraseValue(it->second, control);
    }
}

CControlUI* CPaintManagerUI::FindBySerial(uint64_t serial) const {
    const auto it = m_bySerial.find(serial);
    return it != m_bySerial.end() ? it->second : nullptr;
}
