#include "PictureLibrary.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into a static library; nothing would pull them into the program
// unless their registration is referenced. It must be called outside any namespace.
static void RegisterPictures() {
    Q_INIT_RESOURCE(pictures);
}

namespace hl {

PictureLibrary& PictureLibrary::Instance() {
    static PictureLibrary library = [] {
        RegisterPictures();
        return PictureLibrary();
    }();
    return library;
}

bool PictureLibrary::Has(const QString& name) const {
    return !name.isEmpty() && QFile::exists(PathOf(name));
}

QPixmap PictureLibrary::Picture(const QString& name, QSize logical, qreal ratio) {
    if (logical.isEmpty() || !Has(name)) return {};
    const QSize device = (QSizeF(logical) * ratio).toSize();
    const QString key =
        QStringLiteral("%1@%2x%3").arg(name).arg(device.width()).arg(device.height());
    if (auto it = m_cache.constFind(key); it != m_cache.constEnd()) return *it;

    QSvgRenderer renderer(PathOf(name));
    if (!renderer.isValid()) return {};
    QPixmap pixmap(device);
    pixmap.fill(Qt::transparent);
    {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    pixmap.setDevicePixelRatio(ratio);
    m_cache.insert(key, pixmap);
    return pixmap;
}

} // namespace hl
