#include "ui/resource_index.h"

#include <QFile>
#include <QXmlStreamReader>

#include "platform/debug.h"
#include "ui/paint_manager.h"
#include "ui/qt_text.h"

CResourceIndex& CResourceIndex::Instance() {
    static CResourceIndex index;
    return index;
}

bool CResourceIndex::Load(const std::wstring& file) {
    m_files.clear();
    const std::wstring path = CPaintManagerUI::ResolvePath(file);
    QFile in(ToQString(path));
    if (!in.open(QIODevice::ReadOnly)) {
        DebugLine(L"ui: cannot read resource index " + path);
        return false;
    }
    QXmlStreamReader xml(&in);
    if (!xml.readNextStartElement() || xml.name() != QLatin1String("Res")) {
        DebugLine(L"ui: " + path + L" is not a resource index");
        return false;
    }
    std::map<std::wstring, std::wstring, std::less<>> files;
    while (xml.readNextStartElement()) {
        const QXmlStreamAttributes attrs = xml.attributes();
        if (xml.name() == QLatin1String("File") && attrs.hasAttribute(QLatin1String("name"))) {
            files[FromQString(attrs.value(QLatin1String("name")).toString())] =
                FromQString(attrs.value(QLatin1String("path")).toString());
        }
        xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        DebugLine(L"ui: " + path + L" line " + std::to_wstring(xml.lineNumber()) + L": " +
                  FromQString(xml.errorString()));
        return false;
    }
    m_files = std::move(files);
    return true;
}

std::wstring CResourceIndex::File(std::wstring_view name) const {
    const auto it = m_files.find(name);
    return it != m_files.end() ? it->second : std::wstring(name);
}
