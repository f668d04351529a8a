#include "ui/edit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <functional>

#include "ui/attributes.h"
#include "ui/notifications.h"
#include "ui/paint_manager.h"
#include "ui/qt_font.h"
#include "ui/qt_text.h"
#include "ui/render.h"
#include "ui/resource_manager.h"

namespace {
// Reports when the native editor loses the keyboard focus (not to its own context menu).
class FocusWatcher : public QObject {
public:
    FocusWatcher(QObject* parent, std::function<void()> onLost)
        : QObject(parent), m_onLost(std::move(onLost)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason) {
            m_onLost();
        }
        return false;
    }

private:
    std::function<void()> m_onLost;
};

QRect ToQRect(const UiRect& rc) {
    return QRect(rc.left, rc.top, rc.Width(), rc.Height());
}
}  // namespace

struct CEditUI::Native {
    QPointer<QLineEdit> line;
    QPointer<QPlainTextEdit> multi;
    QPointer<FocusWatcher> watcher;
    bool settingText = false;

    QWidget* Widget() const { return line ? static_cast<QWidget*>(line) : static_cast<QWidget*>(multi); }
    void SetText(const QString& text) {
        settingText = true;
        if (line) {
            line->setText(text);
        } else if (multi) {
            multi->setPlainText(text);
        }
        settingText = false;
    }
};

CEditUI::CEditUI() {
    SetCursor(UiCursor::IBeam);
    SetBkColor(0xFFFFFFFF);
}

CEditUI::~CEditUI() {
    CloseNative();
}

std::wstring CEditUI::GetClass() const {
    return L"Edit";
}

void CEditUI::SetText(std::wstring text) {
    CLabelUI::SetText(std::move(text));
    if (m_native) {
        m_native->SetText(ToQString(GetText()));
    }
}

void CEditUI::SetMaxChar(int maxChar) {
    m_maxChar = std::max(maxChar, 0);
}

void CEditUI::SetPassword(bool on) {
    m_password = on;
    Invalidate();
}

void CEditUI::SetTipValue(std::wstring tip) {
    m_tipValue = std::move(tip);
    Invalidate();
}

std::wstring CEditUI::GetTipValue() const {
    return IsResourceText() && !m_tipValue.empty() ? CResourceManager::Instance().GetText(m_tipValue)
                                                   : m_tipValue;
}

void CEditUI::OpenNative() {
    QWidget* host = m_manager != nullptr ? m_manager->GetHost() : nullptr;
    if (host == nullptr || m_native) {
        return;
    }
    m_native = std::make_unique<Native>();
    QWidget* widget = nullptr;
    if (IsMultiLine()) {
        auto* edit = new QPlainTextEdit(host);
        edit->setFrameShape(QFrame::NoFrame);
        edit->setReadOnly(m_readOnly);
        QObject::connect(edit, &QPlainTextEdit::textChanged, edit, [this, edit] {
            if (m_native && !m_native->settingText) {
                OnNativeEdited(FromQString(edit->toPlainText()));
            }
        });
        m_native->multi = edit;
        widget = edit;
    } else {
        auto* edit = new QLineEdit(host);
        edit->setFrame(false);
        edit->setReadOnly(m_readOnly);
        edit->setMaxLength(m_maxChar > 0 ? m_maxChar : 32767);
        edit->setEchoMode(m_password ? QLineEdit::Password : QLineEdit::Normal);
        if (m_numberOnly) {
            edit->setValidator(
                new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        }
        QObject::connect(edit, &QLineEdit::textEdited, edit,
                         [this](const QString& text) { OnNativeEdited(FromQString(text)); });
        QObject::connect(edit, &QLineEdit::returnPressed, edit, [this] { OnNativeReturn(); });
        m_native->line = edit;
        widget = edit;
    }
    m_native->SetText(ToQString(GetText()));
    widget->setFont(MakeQFont(GetFont(), *m_manager));
    widget->setGeometry(ToQRect(TextRect()));
    m_native->watcher = new FocusWatcher(widget, [this] { OnNativeFocusLost(); });
    widget->installEventFilter(m_native->watcher);
    widget->show();
    widget->setFocus(Qt::MouseFocusReason);
    if (m_native->line) {
        m_native->line->selectAll();
    }
}

void CEditUI::CloseNative() {
    if (!m_native) {
        return;
    }
    std::unique_ptr<Native> native = std::move(m_native);
    if (QWidget* widget = native->Widget()) {
        delete native->watcher;
        QObject::disconnect(widget, nullptr, nullptr, nullptr);
        widget->hide();
        widget->deleteLater();
    }
    Invalidate();
}

void CEditUI::OnNativeEdited(std::wstring text) {
    CLabelUI::SetText(std::move(text));
    SendNotify(kNotifyTextChanged);
}

void CEditUI::OnNativeReturn() {
    SendNotify(kNotifyReturn);
}

void CEditUI::OnNativeFocusLost() {
    // Leave the editor's own focus handling before closing it; a click elsewhere usually gets here
    // first through the window, and then there is nothing left to do.
    QMetaObject::invokeMethod(
        m_native->Widget(),
        [this] {
            if (IsFocused()) {
                m_manager->SetFocus(nullptr);
            }
        },
        Qt::QueuedConnection);
}

void CEditUI::DoEvent(TEventUI& event) {
    if (event.Type == UiEvent::SetFocus) {
        OpenNative();
    } else if (event.Type == UiEvent::KillFocus) {
        CloseNative();
    }
    CLabelUI::DoEvent(event);
}

void CEditUI::SetPos(const UiRect& rc) {
    CLabelUI::SetPos(rc);
    if (m_native) {
        m_native->Widget()->setGeometry(ToQRect(TextRect()));
    }
}

void CEditUI::SetAttribute(std::wstring_view name, std::wstring_view value) {
    int n = 0;
    bool flag = false;
    UiColor color = 0;
    if (name == L"maxchar" && ParseInt(value, n)) {
        SetMaxChar(n);
    } else if (name == L"numberonly" && ParseBool(value, flag)) {
        SetNumberOnly(flag);
    } else if (name == L"readonly" && ParseBool(value, flag)) {
        SetReadOnly(flag);
    } else if (name == L"password" && ParseBool(value, flag)) {
        SetPassword(flag);
    } else if (name == L"tipvalue") {
        SetTipValue(std::wstring(value));
    } else if (name == L"tipvaluecolor" && ParseColor(value, color)) {
        m_tipColor = color;
    } else {
        CLabelUI::SetAttribute(name, value);
    }
}

void CEditUI::PaintText(CRenderUI& render) {
    if (m_native) {
        return;  // the native editor draws the text
    }
    const std::wstring text = GetText();
    if (text.empty()) {
        const std::wstring tip = GetTipValue();
        if (!tip.empty()) {
            render.DrawText(TextRect(), tip, m_tipColor, GetFont(), GetTextStyle());
        }
        return;
    }
    if (m_password) {
        render.DrawText(TextRect(), std::wstring(text.size(), L'*'), CurrentTextColor(), GetFont(),
                        GetTextStyle());
        return;
    }
    CLabelUI::PaintText(render);
}

CRichEditUI::CRichEditUI() {
    SetTextStyle(kTextLeft | kTextTop | kTextWordBreak);
}

std::wstring CRichEditUI::GetClass() const {
    return L"RichEdit";
}
