#include "ui/tray_icon.h"

#include <QSystemTrayIcon>

#include "ui/image_cache.h"
#include "ui/messages.h"
#include "ui/qt_text.h"
#include "ui/window.h"

namespace {
uint32_t MouseMessageOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Context:
            return kWmRButtonUp;
        case QSystemTrayIcon::DoubleClick:
            return kWmLButtonDblClk;
        case QSystemTrayIcon::MiddleClick:
            return kWmMButtonUp;
        default:
            return kWmLButtonUp;
    }
}

QIcon IconOf(const std::wstring& image) {
    const SkinImage* skin = image.empty() ? nullptr : FindSkinImage(image, 96);
    return skin != nullptr ? QIcon(QPixmap::fromImage(skin->image)) : QIcon();
}
}  // namespace

struct CTrayIcon::Impl {
    std::unique_ptr<QSystemTrayIcon> icon;
};

CTrayIcon::CTrayIcon() : m_impl(std::make_unique<Impl>()) {}

CTrayIcon::~CTrayIcon() {
    Delete();
}

bool CTrayIcon::Create(CWindowUI* owner, const std::wstring& image, const std::wstring& tooltip) {
    if (owner == nullptr || m_impl->icon) {
        return false;
    }
    m_impl->icon = std::make_unique<QSystemTrayIcon>(IconOf(image));
    m_impl->icon->setToolTip(ToQString(tooltip));
    QObject::connect(m_impl->icon.get(), &QSystemTrayIcon::activated, m_impl->icon.get(),
                     [owner](QSystemTrayIcon::ActivationReason reason) {
                         owner->SendMessage(kWmTrayIcon, 0, static_cast<LPARAM>(MouseMessageOf(reason)));
                     });
    m_impl->icon->show();
    return true;
}

void CTrayIcon::Delete() {
    if (m_impl->icon) {
        m_impl->icon->hide();
        QObject::disconnect(m_impl->icon.get(), nullptr, nullptr, nullptr);
        m_impl->icon.release()->deleteLater();  // a click handler may be running inside it
    }
}

bool CTrayIcon::IsCreated() const {
    return m_impl->icon != nullptr;
}

void CTrayIcon::SetTooltip(const std::wstring& tooltip) {
    if (m_impl->icon) {
        m_impl->icon->setToolTip(ToQString(tooltip));
    }
}

std::wstring CTrayIcon::GetTooltip() const {
    return m_impl->icon ? FromQString(m_impl->icon->toolTip()) : L"";
}

void CTrayIcon::SetIcon(const std::wstring& image) {
    if (m_impl->icon) {
        m_impl->icon->setIcon(IconOf(image));
    }
}

QSystemTrayIcon* CTrayIcon::GetNativeIcon() const {
    return m_impl->icon.get();
}
