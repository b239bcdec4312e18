#pragma once

#include "core/MainState.h"

#include <QObject>
#include <QString>
#include <array>

class QLabel;
class QWidget;

namespace hl {

class PictureBox;
struct MainCaptions;
struct Skin;

// The sixteen menu entries LBM1..LBM16 with their markers BM(1)..BM(16), laid on the left
// frame piece. Renders the menu model; the window turns clicks on them into navigation.
class SectionMenu : public QObject {
    Q_OBJECT
public:
    explicit SectionMenu(QWidget* skinLeft);

    void SetCaptions(const MainCaptions& captions);
    void SetSkin(const Skin& skin);
    void Render(const MenuModel& menu);
    // Shows the busy pointer on entry n before its collector runs.
    void ShowBusy(int n);

    QLabel* Entry(int n) const { return m_entries.at(n - 1); }
    PictureBox* Marker(int n) const { return m_markers.at(n - 1); }
    // 1..16 when `part` is an entry or a marker, else 0; `isMarker` tells which.
    int IndexOf(const QObject* part, bool* isMarker = nullptr) const;

private:
    std::array<QLabel*, kSectionCount> m_entries{};
    std::array<PictureBox*, kSectionCount> m_markers{};
    QString m_markerPicture;
};

} // namespace hl
