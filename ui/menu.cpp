#include "ui/menu.h"

#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QXmlStreamReader>

#include "platform/debug.h"
#include "ui/attributes.h"
#include "ui/image_cache.h"
#include "ui/messages.h"
#include "ui/paint_manager.h"
#include "ui/qt_text.h"
#include "ui/resource_manager.h"
#include "ui/window.h"

namespace {
constexpr int kMaxMenuDepth = 16;

std::wstring Attr(const QXmlStreamAttributes& attrs, const char* name) {
    return FromQString(attrs.value(QLatin1String(name)).toString());
}

bool BoolAttr(const QXmlStreamAttributes& attrs, const char* name, bool fallback) {
    bool value = fallback;
    ParseBool(Attr(attrs, name), value);
    return value;
}

// Reads the items of one menu level into menu; the owner gets each pick.
void ReadItems(QXmlStreamReader& xml, QMenu& menu, CWindowUI* owner, int depth) {
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("Separator")) {
            menu.addSeparator();
            xml.skipCurrentElement();
            continue;
        }
        if (xml.name() != QLatin1String("MenuElement") || depth > kMaxMenuDepth) {
            xml.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attrs = xml.attributes();
        MenuCmdUI cmd;
        cmd.name = Attr(attrs, "name");
        cmd.text = Attr(attrs, "text");
        if (BoolAttr(attrs, "resourcetext", false)) {
            cmd.text = CResourceManager::Instance().GetText(cmd.text);
        }
        cmd.userData = Attr(attrs, "userdata");
        const bool visible = BoolAttr(attrs, "visible", true);
        const bool enabled = BoolAttr(attrs, "enabled", true);
        const bool checkable = BoolAttr(attrs, "checkable", false);
        const std::wstring icon = Attr(attrs, "icon");

        auto sub = std::make_unique<QMenu>(ToQString(cmd.text));
        ReadItems(xml, *sub, owner, depth + 1);
        QAction* action = nullptr;
        if (!sub->isEmpty()) {
            action = menu.addMenu(sub.release());
            action->menu()->setParent(&menu, action->menu()->windowFlags());
        } else {
            action = menu.addAction(ToQString(cmd.text));
            action->setCheckable(checkable);
            action->setChecked(BoolAttr(attrs, "checked", false));
            QObject::connect(action, &QAction::triggered, action, [owner, cmd](bool checked) mutable {
                cmd.checked = checked;
                if (owner != nullptr) {
                    owner->SendMessage(kWmMenuClick, 0, reinterpret_cast<LPARAM>(&cmd));
                }
            });
        }
        action->setObjectName(ToQString(cmd.name));
        action->setVisible(visible);
        action->setEnabled(enabled);
        if (const SkinImage* image = icon.empty() ? nullptr : FindSkinImage(icon, 96)) {
            action->setIcon(QIcon(QPixmap::fromImage(image->image)));
        }
    }
}
}  // namespace

UiPoint MenuTopLeft(UiPoint point, UiSize size, uint32_t alignment) {
    return {(alignment & kMenuAlignRight) ? point.x - size.cx : point.x,
            (alignment & kMenuAlignBottom) ? point.y - size.cy : point.y};
}

struct CMenuWnd::Impl {
    QPointer<QMenu> menu;
};

CMenuWnd::CMenuWnd() : m_impl(std::make_unique<Impl>()) {}

CMenuWnd::~CMenuWnd() {
    Close();
}

bool CMenuWnd::Open(CWindowUI* owner, const std::wstring& layout, UiPoint screenPoint, uint32_t alignment) {
    Close();
    const std::wstring path = CPaintManagerUI::ResolvePath(layout);
    QFile in(ToQString(path));
    if (!in.open(QIODevice::ReadOnly)) {
        DebugLine(L"ui: cannot read menu " + path);
        return false;
    }
    auto menu = std::make_unique<QMenu>(owner != nullptr ? owner->GetHostWidget() : nullptr);
    QXmlStreamReader xml(&in);
    if (xml.readNextStartElement()) {
        ReadItems(xml, *menu, owner, 0);
    }
    if (xml.hasError() || menu->isEmpty()) {
        DebugLine(L"ui: menu " + path + L" line " + std::to_wstring(xml.lineNumber()) + L": " +
                  (xml.hasError() ? FromQString(xml.errorString()) : L"no items"));
        return false;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const QSize hint = menu->sizeHint();
    const UiPoint at = MenuTopLeft(screenPoint, {hint.width(), hint.height()}, alignment);
    m_impl->menu = menu.release();
    m_impl->menu->popup(QPoint(at.x, at.y));
    return true;
}

void CMenuWnd::Close() {
    if (QMenu* menu = m_impl->menu) {
        m_impl->menu = nullptr;
        menu->close();  // deleted on close, later: a pick's handler may be running inside it
    }
}

bool CMenuWnd::IsOpen() const {
    return m_impl->menu != nullptr && m_impl->menu->isVisible();
}

QMenu* CMenuWnd::GetNativeMenu() const {
    return m_impl->menu;
}
