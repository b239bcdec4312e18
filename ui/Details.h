#pragma once

#include "sections/Devices.h"

#include <QObject>
#include <QPointer>

class QKeyEvent;
class QLabel;

namespace hl {

class DetailsView;
class KeyboardNav;
class ValueCopy;
class ValuePane;

// The details view of the section shown: opened by its control beside the status line, by the
// key D and by the copy menu; closed by the same, by Escape and by going to another section.
// The devices are gathered afresh at each opening.
class Details : public QObject {
    Q_OBJECT
public:
    using ListerOf = DeviceLister (*)(int section);

    Details(App& app, ValuePane& pane, KeyboardNav& keys, ValueCopy& copy);

    // Where the listers come from; DeviceListerOf unless a test hands its own.
    void SetListers(ListerOf listerOf) { m_listerOf = listerOf; }
    // Whether the section shown lists devices (and no panel covers it): the view opens only
    // there.
    bool Lists() const;
    bool IsOpen() const;
    bool Open();
    void Close();
    void Toggle();
    // The control after a render: enabled where the view can open, its text and tool tip.
    void Sync();

    // What Copy and Copy all put on the clipboard while the view is open.
    std::string CurrentCopyText() const;
    std::string AllCopyText() const;

    DetailsView* View() const { return m_view; }
    QLabel* Control() const { return m_control; }
    const DeviceList& Devices() const { return m_devices; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    DeviceList Gather(int section) const;
    void ShowRows(bool shown);
    bool Key(const QKeyEvent& key);
    void MenuAtCurrent();

    App& m_app;
    ValuePane& m_pane;
    KeyboardNav& m_keys;
    ValueCopy& m_copy;
    DetailsView* m_view;
    QLabel* m_control;
    ListerOf m_listerOf = &DeviceListerOf;
    DeviceList m_devices;
    QPointer<QWidget> m_focusBefore;
    bool m_pressed = false;
};

} // namespace hl
