#include "ui/resource_manager.h"

#include <QFile>
#include <QXmlStreamReader>

#include "platform/debug.h"
#include "ui/control.h"
#include "ui/paint_manager.h"
#include "ui/qt_text.h"

CResourceManager& CResourceManager::Instance() {
    static CResourceManager instance;
    return instance;
}

bool CResourceManager::LoadLanguage(const std::wstring& file) {
    const std::wstring path = CPaintManagerUI::ResolvePath(file);
    QFile in(ToQString(path));
    if (!in.open(QIODevice::ReadOnly)) {
        DebugLine(L"ui: cannot read language file " + path);
        return false;
    }
    std::map<std::wstring, std::wstring, std::less<>> texts;
    QXmlStreamReader xml(&in);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Language")) {
        DebugLine(L"ui: " + path + L" is not a language file");
        return false;
    }
    while (xml.readNextStartElement()) {
        if (xml.name() != QLatin1String("Text")) {
            xml.skipCurrentElement();
            continue;
        }
        const QXmlStreamAttributes attrs = xml.attributes();
        const QString key = attrs.hasAttribute(QLatin1String("key"))
                                ? attrs.value(QLatin1String("key")).toString()
                                : attrs.value(QLatin1String("id")).toString();
        QString value = attrs.value(QLatin1String("value")).toString();
        const QString body = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        if (!attrs.hasAttribute(QLatin1String("value"))) {
            value = body;
        }
        if (!key.isEmpty()) {
            texts[FromQString(key)] = FromQString(value);
        }
    }
    if (xml.hasError()) {
        DebugLine(L"ui: language file " + path + L" line " + std::to_wstring(xml.lineNumber()) + L": " +
                  FromQString(xml.errorString()));
        return false;
    }
    m_texts = std::move(texts);
    return true;
}

std::wstring CResourceManager::GetText(std::wstring_view key) const {
    const auto it = m_texts.find(key);
    return it != m_texts.end() ? it->second : std::wstring(key);
}

bool CResourceManager::HasText(std::wstring_view key) const {
    return m_texts.find(key) != m_texts.end();
}

void CResourceManager::ReloadText() {
    for (CPaintManagerUI* manager : CPaintManagerUI::Managers()) {
        if (CControlUI* root = manager->GetRoot()) {
            root->ForEach([](CControlUI* control) {
                if (control->IsResourceText()) {
                    control->NeedParentUpdate();
                }
            });
        }
        manager->NeedUpdate();
    }
}
