#include "ui/window.h"

#include "platform/worker_thread.h"

#include <QApplication>
#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <map>
#include <mutex>
#include <set>
#include <vector>

#include "platform/event.h"
#include "platform/worker_thread.h"
#include "ui/control.h"
#include "ui/host_widget.h"
#include "ui/image_cache.h"
#include "ui/messages.h"
#include "ui/notifications.h"
#include "ui/qt_text.h"

namespace {
const QEvent::Type kPostedType = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type kSentType = static_cast<QEvent::Type>(QEvent::registerEventType());
const QEvent::Type kCallType = static_cast<QEvent::Type>(QEvent::registerEventType());

struct PendingSend {
    uint32_t msg;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT result = 0;
    CEvent done{true, false};
};

class MessageEvent : public QEvent {
public:
    MessageEvent(uint32_t msg, WPARAM wParam, LPARAM lParam)
        : QEvent(kPostedType), msg(msg), wParam(wParam), lParam(lParam) {}
    uint32_t msg;
    WPARAM wParam;
    LPARAM lParam;
};

class SendEvent : public QEvent {
public:
    explicit SendEvent(std::shared_ptr<PendingSend> pending)
        : QEvent(kSentType), pending(std::move(pending)) {}
    std::shared_ptr<PendingSend> pending;
};

class CallEvent : public QEvent {
public:
    explicit CallEvent(std::function<void()> call) : QEvent(kCallType), call(std::move(call)) {}
    std::function<void()> call;
};

// Receives the window's queued messages on the UI thread.
class MessageReceiver : public QObject {
public:
    explicit MessageReceiver(CWindowUI& window) : m_window(&window) {}
    bool event(QEvent* e) override;
    // The window is going: nothing queued reaches it any more.
    void Detach() {
        m_window = nullptr;
        QCoreApplication::removePostedEvents(this);
    }

private:
    CWindowUI* m_window;
};

bool OnUiThread() {
    return QCoreApplication::instance() != nullptr && QThread::currentThread() == qApp->thread();
}
}  // namespace

// What other threads touch: the receiver while the window takes messages, the senders waiting for
// an answer, the message filter.
struct Mailbox {
    mutable std::mutex mutex;
    MessageReceiver* receiver = nullptr;  // null once the window is closing
    std::vector<std::shared_ptr<PendingSend>> pending;
    std::set<uint32_t> allowed;
};

struct CWindowUI::Impl {
    CHostWidget* host = nullptr;
    CWindowUI* parent = nullptr;
    std::vector<CWindowUI*> owned;  // windows created with this one as parent, still open
    std::shared_ptr<Mailbox> mailbox = std::make_shared<Mailbox>();
    std::unique_ptr<MessageReceiver> receiver;
    std::map<uint32_t, std::unique_ptr<QTimer>> timers;
    QEventLoop* modal = nullptr;
    bool shownOnce = false;
    std::shared_ptr<bool> alive = std::make_shared<bool>(true);
};

bool MessageReceiver::event(QEvent* e) {
    if (e->type() != kPostedType && e->type() != kSentType && e->type() != kCallType) {
        return QObject::event(e);
    }
    if (m_window == nullptr) {
        return true;
    }
    if (e->type() == kPostedType) {
        auto* m = static_cast<MessageEvent*>(e);
        m_window->DispatchMessage(m->msg, m->wParam, m->lParam);
    } else if (e->type() == kCallType) {
        static_cast<CallEvent*>(e)->call();
    } else if (const auto& pending = static_cast<SendEvent*>(e)->pending; !pending->done.IsSet()) {
        pending->result = m_window->DispatchMessage(pending->msg, pending->wParam, pending->lParam);
        pending->done.Set();
    }
    return true;
}

CWindowUI::CWindowUI() : m_impl(std::make_unique<Impl>()) {}

CWindowUI::~CWindowUI() {
    *m_impl->alive = false;
    if (IsWindow()) {
        DestroyWindow(0);
    }
}

LRESULT CWindowUI::HandleMessage(uint32_t, WPARAM, LPARAM, bool& handled) {
    handled = false;
    return 0;
}

bool CWindowUI::Create(CWindowUI* parent, const std::wstring& title, UiSize size, uint32_t flags) {
    if (IsWindow() || QApplication::instance() == nullptr) {
        return false;
    }
    Qt::WindowFlags qtFlags = Qt::Window | Qt::FramelessWindowHint;
    if (flags & kWindowTool) {
        qtFlags |= Qt::Tool;
    }
    if (flags & kWindowTopMost) {
        qtFlags |= Qt::WindowStaysOnTopHint;
    }
    QWidget* parentWidget = parent != nullptr ? parent->GetHostWidget() : nullptr;
    auto* host = new CHostWidget(*this, m_pm, parentWidget, qtFlags);
    host->setObjectName(ToQString(GetWindowClassName()));
    host->setWindowTitle(ToQString(title));
    host->setAttribute(Qt::WA_ShowWithoutActivating, (flags & kWindowNoActivate) != 0);
    m_pm.SetHost(host);
    CControlUI* root = CDialogBuilder::Create(GetSkinFile(), this, &m_pm);
    if (root == nullptr) {
        m_pm.SetHost(nullptr);
        host->Detach();
        delete host;
        return false;
    }
    m_impl->host = host;
    m_impl->parent = parent;
    if (parent != nullptr) {
        parent->m_impl->owned.push_back(this);
    }
    m_pm.AttachRoot(root);
    m_pm.AddNotifier(this);
    if (size.cx <= 0 || size.cy <= 0) {
        size = m_pm.GetInitSize();
    }
    if (size.cx <= 0 || size.cy <= 0) {
        size = {400, 300};
    }
    const UiSize minInfo = m_pm.GetMinInfo();
    const UiSize maxInfo = m_pm.GetMaxInfo();
    if (minInfo.cx > 0 && minInfo.cy > 0) {
        host->setMinimumSize(m_pm.Scale(minInfo.cx), m_pm.Scale(minInfo.cy));
    }
    if (maxInfo.cx > 0 && maxInfo.cy > 0) {
        host->setMaximumSize(m_pm.Scale(maxInfo.cx), m_pm.Scale(maxInfo.cy));
    }
    host->resize(m_pm.Scale(size.cx), m_pm.Scale(size.cy));
    m_pm.OnResize({host->width(), host->height()});
    m_impl->receiver = std::make_unique<MessageReceiver>(*this);
    {
        std::lock_guard lock(m_impl->mailbox->mutex);
        m_impl->mailbox->receiver = m_impl->receiver.get();
    }
    InitWindow();
    return true;
}

bool CWindowUI::IsWindow() const {
    return m_impl->host != nullptr;
}

void CWindowUI::ShowWindow(bool show, bool takeFocus) {
    CHostWidget* host = m_impl->host;
    if (host == nullptr) {
        return;
    }
    if (!show) {
        host->hide();
        return;
    }
    if (!m_impl->shownOnce) {
        m_impl->shownOnce = true;
        m_pm.SendNotify(m_pm.GetRoot(), kNotifyWindowInit, 0, 0, true);
    }
    host->show();
    if (takeFocus && !host->testAttribute(Qt::WA_ShowWithoutActivating)) {
        host->activateWindow();
    }
}

int CWindowUI::ShowModal() {
    if (!IsWindow()) {
        return -1;
    }
    m_impl->host->setWindowModality(Qt::ApplicationModal);
    ShowWindow(true);
    QEventLoop loop;
    m_impl->modal = &loop;
    const std::shared_ptr<bool> alive = m_impl->alive;
    const int code = loop.exec();
    if (*alive) {
        m_impl->modal = nullptr;
    }
    return code;
}

void CWindowUI::Close(int result) {
    PostMessage(kWmClose, static_cast<WPARAM>(result), 0);
}

void CWindowUI::DestroyWindow(int closeCode) {
    CHostWidget* host = m_impl->host;
    if (host == nullptr) {
        return;
    }
    // Owned windows go first, as their native windows belong to this one's.
    for (CWindowUI* child : std::vector<CWindowUI*>(m_impl->owned)) {
        child->DestroyWindow(0);
    }
    if (m_impl->parent != nullptr) {
        std::erase(m_impl->parent->m_impl->owned, this);
        m_impl->parent = nullptr;
    }
    {
        // Senders waiting on another thread go on with 0; nothing new gets in.
        std::lock_guard lock(m_impl->mailbox->mutex);
        m_impl->mailbox->receiver = nullptr;
        for (const auto& pending : m_impl->mailbox->pending) {
            pending->done.Set();
        }
        m_impl->mailbox->pending.clear();
    }
    bool handled = false;
    HandleMessage(kWmDestroy, 0, 0, handled);
    m_impl->timers.clear();
    m_pm.KillAllTimers();
    m_impl->host = nullptr;
    m_pm.SetHost(nullptr);
    m_pm.SetFocus(nullptr);
    host->Detach();
    host->hide();
    host->deleteLater();  // its own event handler may be on the stack
    m_impl->receiver->Detach();
    m_impl->receiver.release()->deleteLater();
    if (m_impl->modal != nullptr) {
        m_impl->modal->exit(closeCode);
        m_impl->modal = nullptr;
    }
    const std::shared_ptr<bool> alive = m_impl->alive;
    QTimer::singleShot(0, qApp, [this, alive] {
        if (*alive) {
            OnFinalMessage();
        }
    });
}

void CWindowUI::CenterWindow() {
    CHostWidget* host = m_impl->host;
    if (host == nullptr) {
        return;
    }
    QRect area;
    if (m_impl->parent != nullptr && m_impl->parent->IsWindow()) {
        area = m_impl->parent->GetHostWidget()->frameGeometry();
    } else if (QScreen* screen = host->screen()) {
        area = screen->availableGeometry();
    }
    const QRect frame = host->frameGeometry();
    host->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

bool CWindowUI::IsVisible() const {
    return m_impl->host != nullptr && m_impl->host->isVisible();
}

bool CWindowUI::IsMinimized() const {
    return m_impl->host != nullptr && m_impl->host->isMinimized();
}

void CWindowUI::Minimize() {
    if (m_impl->host != nullptr) {
        m_impl->host->showMinimized();
    }
}

void CWindowUI::Maximize() {
    if (m_impl->host != nullptr) {
        m_impl->host->showMaximized();
    }
}

void CWindowUI::Restore() {
    if (m_impl->host != nullptr) {
        m_impl->host->showNormal();
    }
}

void CWindowUI::SetTopMost(bool on) {
    CHostWidget* host = m_impl->host;
    if (host == nullptr) {
        return;
    }
    const bool visible = host->isVisible();
    host->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (visible) {
        host->show();  // changing window flags hides a widget
    }
}

void CWindowUI::BringToFront() {
    if (m_impl->host != nullptr) {
        m_impl->host->raise();
        m_impl->host->activateWindow();
    }
}

void CWindowUI::SetTitle(const std::wstring& title) {
    if (m_impl->host != nullptr) {
        m_impl->host->setWindowTitle(ToQString(title));
    }
}

void CWindowUI::SetIcon(const std::wstring& image) {
    const SkinImage* skin = FindSkinImage(image, m_pm.GetDPI());
    if (m_impl->host != nullptr && skin != nullptr) {
        m_impl->host->setWindowIcon(QIcon(QPixmap::fromImage(skin->image)));
    }
}

void CWindowUI::ResizeClient(int cx, int cy) {
    if (m_impl->host != nullptr) {
        m_impl->host->resize(cx, cy);
    }
}

void CWindowUI::MoveTo(int x, int y) {
    if (m_impl->host != nullptr) {
        m_impl->host->move(x, y);
    }
}

UiRect CWindowUI::GetWindowRect() const {
    if (m_impl->host == nullptr) {
        return {};
    }
    const QRect r = m_impl->host->frameGeometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

UiRect CWindowUI::GetScreenRect() const {
    QScreen* screen = m_impl->host != nullptr ? m_impl->host->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QRect r = screen->geometry();
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

void CWindowUI::Relayout() {
    m_pm.NeedUpdate();
    m_pm.LayoutIfNeeded();
}

bool CWindowUI::SetTimer(uint32_t id, uint32_t elapseMs) {
    if (!OnUiThread()) {
        std::lock_guard lock(m_impl->mailbox->mutex);
        if (m_impl->mailbox->receiver == nullptr) {
            return false;
        }
        QMetaObject::invokeMethod(
            m_impl->mailbox->receiver, [this, id, elapseMs] { SetTimer(id, elapseMs); },
            Qt::QueuedConnection);
        return true;
    }
    if (!IsWindow()) {
        return false;
    }
    auto& timer = m_impl->timers[id];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, m_impl->receiver.get(),
                         [this, id] { DispatchMessage(kWmTimer, id, 0); });
    }
    timer->start(static_cast<int>(std::max<uint32_t>(elapseMs, 1)));
    return true;
}

void CWindowUI::KillTimer(uint32_t id) {
    if (!OnUiThread()) {
        std::lock_guard lock(m_impl->mailbox->mutex);
        if (m_impl->mailbox->receiver != nullptr) {
            QMetaObject::invokeMethod(
                m_impl->mailbox->receiver, [this, id] { KillTimer(id); }, Qt::QueuedConnection);
        }
        return;
    }
    if (auto it = m_impl->timers.find(id); it != m_impl->timers.end()) {
        it->second->stop();
        it->second.release()->deleteLater();  // may be inside its own timeout
        m_impl->timers.erase(it);
    }
}

bool CWindowUI::PostMessage(uint32_t msg, WPARAM wParam, LPARAM lParam) {
    std::lock_guard lock(m_impl->mailbox->mutex);
    if (m_impl->mailbox->receiver == nullptr) {
        return false;
    }
    QCoreApplication::postEvent(m_impl->mailbox->receiver, new MessageEvent(msg, wParam, lParam));
    return true;
}

bool CWindowUI::PostCall(std::function<void()> call) {
    std::lock_guard lock(m_impl->mailbox->mutex);
    if (m_impl->mailbox->receiver == nullptr || !call) {
        return false;
    }
    QCoreApplication::postEvent(m_impl->mailbox->receiver, new CallEvent(std::move(call)));
    return true;
}

LRESULT CWindowUI::SendMessage(uint32_t msg, WPARAM wParam, LPARAM lParam) {
    if (OnUiThread()) {
        return IsWindow() ? DispatchMessage(msg, wParam, lParam) : 0;
    }
    auto pending = std::make_shared<PendingSend>();
    pending->msg = msg;
    pending->wParam = wParam;
    pending->lParam = lParam;
    {
        std::lock_guard lock(m_impl->mailbox->mutex);
        if (m_impl->mailbox->receiver == nullptr) {
            return 0;
        }
        m_impl->mailbox->pending.push_back(pending);
        QCoreApplication::postEvent(m_impl->mailbox->receiver, new SendEvent(pending));
    }
    // Set when handled or when the window closes. A worker thread also stops waiting when it is told
    // to stop: the thread stopping it may be this window's own UI thread.
    CEvent* stop = CurrentThreadStopEvent();
    const bool answered = stop == nullptr ? pending->done.Wait(kWaitInfinite)
                                          : CEvent::WaitAny({&pending->done, stop}, kWaitInfinite) == 0;
    {
        std::lock_guard lock(m_impl->mailbox->mutex);
        std::erase(m_impl->mailbox->pending, pending);
    }
    return answered ? pending->result : 0;
}

size_t CWindowUI::PendingSendCount() const {
    std::lock_guard lock(m_impl->mailbox->mutex);
    return m_impl->mailbox->pending.size();
}

void CWindowUI::ChangeWindowMessageFilter(uint32_t msg, bool allow) {
    std::lock_guard lock(m_impl->mailbox->mutex);
    if (allow) {
        m_impl->mailbox->allowed.insert(msg);
    } else {
        m_impl->mailbox->allowed.erase(msg);
    }
}

bool CWindowUI::IsMessageAllowedFromOutside(uint32_t msg) const {
    if (msg == kWmCopyData || !RegisteredMessageName(msg).empty()) {
        return true;
    }
    std::lock_guard lock(m_impl->mailbox->mutex);
    return m_impl->mailbox->allowed.count(msg) != 0;
}

bool CWindowUI::SaveSnapshot(const std::wstring& pngPath) {
    CHostWidget* host = m_impl->host;
    if (host == nullptr) {
        return false;
    }
    m_pm.LayoutIfNeeded();
    return host->grab().toImage().save(ToQString(pngPath), "PNG");
}

QWidget* CWindowUI::GetHostWidget() const {
    return m_impl->host;
}

LRESULT CWindowUI::DispatchMessage(uint32_t msg, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    const LRESULT result = HandleMessage(msg, wParam, lParam, handled);
    if (handled) {
        return result;
    }
    if (msg == kWmClose) {
        DestroyWindow(static_cast<int>(wParam));
    }
    return 0;
}
