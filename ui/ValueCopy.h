#pragma once

#include <QObject>
#include <string>

class QAction;
class QMenu;

namespace hl {

class Details;
class ValuePane;
struct App;
struct MainCaptions;

// MenuCopy: copies one value row or the whole section shown as plain text. It opens on a
// right-button release over either label of a row, or on a right-button press on the value
// area's background (there with Copy disabled), and never while a panel is open. While the
// details view is open, Copy takes the device with the focus and Copy all every device; its
// last command opens and closes that view.
class ValueCopy : public QObject {
    Q_OBJECT
public:
    ValueCopy(App& app, ValuePane* values);

    void SetCaptions(const MainCaptions& captions);
    void Copy_Click();
    void CopyAll_Click();
    // The keyboard's way in: the menu for row 1..12 (0: the background's, Copy disabled) at
    // `globalPos`, and Copy of a row.
    void PopUpRow(int row, const QPoint& globalPos);
    void CopyRow(int row);
    // The menu at `globalPos`, Copy enabled or not.
    void PopUp(const QPoint& globalPos, bool copyEnabled);
    void SetDetails(Details* details) { m_details = details; }

    QMenu* Menu() const { return m_menu; }
    int SelectedRow() const { return m_selectedRow; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool PanelShown() const;
    bool DetailsOpen() const;
    // Puts `text` on the clipboard (emptied when there is none) and says `done` in the
    // status line.
    void Put(const std::string& text, const std::string& done);

    App& m_app;
    ValuePane* m_values;
    QMenu* m_menu;
    QAction* m_copy;
    QAction* m_copyAll;
    QAction* m_detailsAction;
    Details* m_details = nullptr;
    int m_selectedRow = 0;
    std::string m_copyDone, m_copyAllDone;
};

} // namespace hl
