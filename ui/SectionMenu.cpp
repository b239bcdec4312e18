#include "SectionMenu.h"

#include "Accessible.h"
#include "PictureBox.h"
#include "QtString.h"
#include "WindowGeometry.h"
#include "WindowStyle.h"
#include "core/Captions.h"

#include <QLabel>

namespace hl {

SectionMenu::SectionMenu(QWidget* skinLeft) : QObject(skinLeft) {
    const QFont font = WindowFont(10);
    for (int n = 1; n <= kSectionCount; ++n) {
        const int y = geo::kMenuTop + (n - 1) * geo::kMenuStep;
        auto* marker = new PictureBox(QString("BM%1").arg(n), skinLeft);
        marker->setGeometry(QRect(QPoint(geo::kMarkerX, y), geo::kMarker));
        marker->SetStandIn(MarkerStandIn());
        m_markers[n - 1] = marker;

        // The entry leaves a margin of its marker uncovered, so both can be clicked.
        auto* entry = new ControlLabel(skinLeft);
        SetAccessibleRole(entry, QAccessible::MenuItem);
        entry->setObjectName(QString("LBM%1").arg(n));
        entry->setFont(font);
        entry->setTextFormat(Qt::PlainText);
        entry->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        entry->setGeometry(geo::kMarkerX + geo::kMenuTextIndent, y + 2,
                           geo::kMarker.width() - geo::kMenuTextIndent - 8,
                           geo::kMarker.height() - 4);
        m_entries[n - 1] = entry;
    }
}

void SectionMenu::SetCaptions(const MainCaptions& captions) {
    for (int n = 1; n <= kSectionCount; ++n) {
        m_entries[n - 1]->setText(Q(captions.lbm[n - 1]));
        m_entries[n - 1]->setAccessibleName(m_entries[n - 1]->text());
    }
}

void SectionMenu::SetSkin(const Skin& skin) {
    m_markerPicture = skin.menuMarker;
}

void SectionMenu::Render(const MenuModel& menu) {
    for (int n = 1; n <= kSectionCount; ++n) {
        QLabel* entry = m_entries[n - 1];
        PictureBox* marker = m_markers[n - 1];
        SetTextColour(entry, menu.textColour);
        // An unmarked entry's marker keeps its place (and its clicks) but draws nothing.
        marker->SetPicture(menu.markerShown[n] ? m_markerPicture : QString());
        SetAccessibleSelected(entry, menu.markerShown[n]);
        const QCursor cursor = ToCursor(menu.entryPointer[n]);
        entry->setCursor(cursor);
        marker->setCursor(cursor);
    }
}

void SectionMenu::ShowBusy(int n) {
    if (n < 1 || n > kSectionCount) return;
    m_entries[n - 1]->setCursor(Qt::WaitCursor);
    m_markers[n - 1]->setCursor(Qt::WaitCursor);
}

int SectionMenu::IndexOf(const QObject* part, bool* isMarker) const {
    for (int n = 1; n <= kSectionCount; ++n) {
        if (m_entries[n - 1] == part || m_markers[n - 1] == part) {
            if (isMarker) *isMarker = m_markers[n - 1] == part;
            return n;
        }
    }
    return 0;
}

} // namespace hl
