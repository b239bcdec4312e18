#pragma once

#include <QHash>
#include <QPixmap>
#include <QString>

namespace hl {

// Form6: every picture the window draws, by name (":/pictures/NAME.svg"), rendered at the size
// it is shown at and for the screen's pixel ratio so that it stays crisp. A picture that is not
// in the library gives a null pixmap; callers draw nothing (or their own stand-in) for it.
class PictureLibrary {
public:
    static PictureLibrary& Instance();

    bool Has(const QString& name) const;
    // Rendered at `logical` size (device-independent pixels) times `ratio`.
    QPixmap Picture(const QString& name, QSize logical, qreal ratio = 1.0);

    static QString PathOf(const QString& name) { return ":/pictures/" + name + ".svg"; }

private:
    QHash<QString, QPixmap> m_cache;
};

} // namespace hl
