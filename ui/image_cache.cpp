#include "ui/image_cache.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <map>
#include <optional>

#include "platform/debug.h"
#include "ui/paint_manager.h"
#include "ui/qt_text.h"

namespace {
// Failed loads are remembered too, so a missing file costs one disk look-up, not one per paint.
std::map<std::pair<std::wstring, int>, std::optional<SkinImage>> g_cache;

// An SVG names its own size: rendering it must stay within the memory a bitmap file may take.
bool WithinAllocationLimit(const QSizeF& size) {
    const double limitBytes = QImageReader::allocationLimit() * 1024.0 * 1024.0;
    return limitBytes <= 0 || size.width() * size.height() * 4.0 <= limitBytes;
}

std::optional<SkinImage> Load(const std::wstring& path, int dpi) {
    const QString file = ToQString(path);
    if (file.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive)) {
        QSvgRenderer svg(file);
        if (!svg.isValid()) {
            return std::nullopt;
        }
        const double ratio = dpi / 96.0;
        const QSizeF exact = QSizeF(svg.defaultSize()) * ratio;
        if (!WithinAllocationLimit(exact) || exact.toSize().isEmpty()) {
            return std::nullopt;
        }
        QImage image(exact.toSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        svg.render(&painter);
        return SkinImage{image, ratio};
    }
    QImage image(file);
    if (image.isNull()) {
        return std::nullopt;
    }
    return SkinImage{image.convertToFormat(QImage::Format_ARGB32_Premultiplied), 1.0};
}
}  // namespace

const SkinImage* FindSkinImage(const std::wstring& file, int dpi) {
    const std::wstring path = CPaintManagerUI::ResolvePath(file);
    const bool svg = path.size() > 4 && (path.ends_with(L".svg") || path.ends_with(L".SVG"));
    const auto key = std::make_pair(path, svg ? dpi : 96);
    auto it = g_cache.find(key);
    if (it == g_cache.end()) {
        it = g_cache.emplace(key, Load(path, key.second)).first;
        if (!it->second) {
            DebugLine(L"ui: cannot read image " + path);
        }
    }
    return it->second ? &*it->second : nullptr;
}

void ClearImageCache() {
    g_cache.clear();
}
