#include "ui/dialog_builder.h"

#include <QFile>
#include <QXmlStreamReader>

#include "platform/debug.h"
#include "ui/attributes.h"
#include "ui/container.h"
#include "ui/control_factory.h"
#include "ui/paint_manager.h"
#include "ui/qt_text.h"

namespace {
constexpr int kMaxDepth = 128;  // element nesting; deeper layouts are refused
// Layouts built while another is being built (an <Include>, or a control the factory builds from its
// own layout) nest; a layout that includes itself, or a control whose layout holds its own tag, would
// otherwise nest without end, and a few includes per level multiply at every level.
constexpr int kMaxNesting = 8;            // layouts inside the outermost one
constexpr int kMaxLayoutsPerBuild = 512;  // layouts read for one outermost build

struct Nesting {
    int depth = 0;  // layouts being built now, outermost included
    int built = 0;  // layouts read since the outermost one began
};
thread_local Nesting g_nesting;

// Counts one layout build for as long as it runs; Refusal() says why it must not go on, if so.
class CNestingGuard {
public:
    CNestingGuard() {
        if (g_nesting.depth++ == 0) {
            g_nesting.built = 0;
        }
        ++g_nesting.built;
    }
    ~CNestingGuard() { --g_nesting.depth; }
    CNestingGuard(const CNestingGuard&) = delete;
    CNestingGuard& operator=(const CNestingGuard&) = delete;

    const wchar_t* Refusal() const {
        if (g_nesting.depth > kMaxNesting + 1) {
            return L"layouts nested too deeply";
        }
        return g_nesting.built > kMaxLayoutsPerBuild ? L"too many layouts in one build" : nullptr;
    }
};

class CBuild {
public:
    CBuild(QXmlStreamReader& xml, std::wstring origin, IDialogBuilderCallback* callback,
           CPaintManagerUI* manager)
        : m_xml(xml), m_origin(std::move(origin)), m_callback(callback), m_manager(manager) {}

    CControlUI* Run() {
        CControlUI* root = nullptr;
        if (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("Window")) {
                root = ParseWindow();
            } else {
                root = ParseControl(0);
            }
        }
        if (m_xml.hasError() || m_failed) {
            if (m_xml.hasError()) {
                Report(FromQString(m_xml.errorString()));
            }
            delete root;
            return nullptr;
        }
        return root;
    }

private:
    void Report(const std::wstring& what) {
        DebugLine(L"ui: layout " + m_origin + L" line " + std::to_wstring(m_xml.lineNumber()) + L": " + what);
    }

    CControlUI* ParseWindow() {
        for (const QXmlStreamAttribute& a : m_xml.attributes()) {
            ApplyWindowAttribute(FromQString(a.name().toString()), FromQString(a.value().toString()));
        }
        CControlUI* root = nullptr;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("Font")) {
                ParseFont();
            } else if (root == nullptr) {
                root = ParseControl(1);
            } else {
                Report(L"a window has one root control; <" + FromQString(m_xml.name().toString()) +
                       L"> ignored");
                m_xml.skipCurrentElement();
            }
        }
        return root;
    }

    void ApplyWindowAttribute(const std::wstring& name, const std::wstring& value) {
        UiSize size;
        UiRect rc;
        if (m_manager == nullptr) {
            return;
        }
        if (name == L"size" && ParseSize(value, size)) {
            m_manager->SetInitSize(size);
        } else if (name == L"mininfo" && ParseSize(value, size)) {
            m_manager->SetMinInfo(size);
        } else if (name == L"maxinfo" && ParseSize(value, size)) {
            m_manager->SetMaxInfo(size);
        } else if (name == L"caption" && ParseRect(value, rc)) {
            m_manager->SetCaptionRect(rc);
        }
    }

    void ParseFont() {
        TFontInfoUI font;
        int id = -1;
        bool isDefault = false;
        for (const QXmlStreamAttribute& a : m_xml.attributes()) {
            const std::wstring name = FromQString(a.name().toString());
            const std::wstring value = FromQString(a.value().toString());
            if (name == L"id") {
                ParseInt(value, id);
            } else if (name == L"name") {
                font.face = value;
            } else if (name == L"size") {
                ParseInt(value, font.size);
            } else if (name == L"bold") {
                ParseBool(value, font.bold);
            } else if (name == L"underline") {
                ParseBool(value, font.underline);
            } else if (name == L"italic") {
                ParseBool(value, font.italic);
            } else if (name == L"default") {
                ParseBool(value, isDefault);
            }
        }
        if (isDefault) {
            CPaintManagerUI::SetDefaultFont(font);
        }
        if (id >= 0) {
            CPaintManagerUI::AddFont(id, font);
        }
        m_xml.skipCurrentElement();
    }

    CControlUI* CreateControl(const std::wstring& tag) {
        if (CControlUI* c = CreateBuiltinControl(tag)) {
            return c;
        }
        if (m_callback != nullptr) {
            if (CControlUI* c = m_callback->CreateControl(tag)) {
                return c;
            }
        }
        return CControlFactory::Instance().CreateControl(tag);
    }

    CControlUI* ParseInclude() {
        const std::wstring source = FromQString(m_xml.attributes().value(QLatin1String("source")).toString());
        m_xml.skipCurrentElement();
        return CDialogBuilder::Create(source, m_callback, nullptr, nullptr);
    }

    CControlUI* ParseControl(int depth) {
        if (depth > kMaxDepth) {
            Report(L"controls nested too deeply");
            m_failed = true;
            m_xml.skipCurrentElement();
            return nullptr;
        }
        const std::wstring tag = FromQString(m_xml.name().toString());
        if (EqualsNoCase(tag, L"Include")) {
            return ParseInclude();
        }
        CControlUI* control = CreateControl(tag);
        if (control == nullptr) {
            Report(L"unknown control <" + tag + L">, skipped");
            m_xml.skipCurrentElement();
            return nullptr;
        }
        for (const QXmlStreamAttribute& a : m_xml.attributes()) {
            control->SetAttribute(ToLower(FromQString(a.name().toString())),
                                  FromQString(a.value().toString()));
        }
        auto* container = dynamic_cast<CContainerUI*>(control);
        while (m_xml.readNextStartElement()) {
            CControlUI* child = ParseControl(depth + 1);
            if (child == nullptr) {
                continue;
            }
            if (container == nullptr) {
                Report(L"<" + tag + L"> holds no controls; child ignored");
                delete child;
            } else {
                container->Add(child);
            }
        }
        return control;
    }

    QXmlStreamReader& m_xml;
    std::wstring m_origin;
    IDialogBuilderCallback* m_callback;
    CPaintManagerUI* m_manager;
    bool m_failed = false;
};

CControlUI* Finish(CControlUI* root, CContainerUI* parent) {
    if (root != nullptr && parent != nullptr) {
        parent->Add(root);
    }
    return root;
}
}  // namespace

CControlUI* CDialogBuilder::Create(const std::wstring& file, IDialogBuilderCallback* callback,
                                   CPaintManagerUI* manager, CContainerUI* parent) {
    const std::wstring path = CPaintManagerUI::ResolvePath(file);
    const CNestingGuard nesting;
    if (const wchar_t* refusal = nesting.Refusal()) {
        DebugLine(L"ui: layout " + path + L" not built: " + refusal);
        return nullptr;
    }
    QFile in(ToQString(path));
    if (!in.open(QIODevice::ReadOnly)) {
        DebugLine(L"ui: cannot read layout " + path);
        return nullptr;
    }
    QXmlStreamReader xml(&in);
    return Finish(CBuild(xml, path, callback, manager).Run(), parent);
}

CControlUI* CDialogBuilder::CreateFromText(std::wstring_view text, std::wstring_view origin,
                                           IDialogBuilderCallback* callback, CPaintManagerUI* manager,
                                           CContainerUI* parent) {
    const CNestingGuard nesting;
    if (const wchar_t* refusal = nesting.Refusal()) {
        DebugLine(L"ui: layout " + std::wstring(origin) + L" not built: " + refusal);
        return nullptr;
    }
    QXmlStreamReader xml(ToQString(text));
    return Finish(CBuild(xml, std::wstring(origin), callback, manager).Run(), parent);
}
