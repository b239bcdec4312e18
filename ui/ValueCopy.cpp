#include "ValueCopy.h"

#include "Details.h"
#include "QtString.h"
#include "ValuePane.h"
#include "core/App.h"
#include "core/Captions.h"
#include "core/CopyText.h"
#include "core/DetailsTexts.h"
#include "core/LocaleText.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>

namespace hl {

ValueCopy::ValueCopy(App& app, ValuePane* values) : QObject(values), m_app(app), m_values(values) {
    // Owned by the window, which lists it to screen readers while it is open.
    m_menu = new QMenu(values->window());
    m_menu->setObjectName("MenuCopy");
    m_copy = m_menu->addAction(QString());
    m_copy->setObjectName("Copy");
    connect(m_copy, &QAction::triggered, this, &ValueCopy::Copy_Click);
    m_copyAll = m_menu->addAction(QString());
    m_copyAll->setObjectName("CopyAll");
    connect(m_copyAll, &QAction::triggered, this, &ValueCopy::CopyAll_Click);
    m_menu->addSeparator();
    m_detailsAction = m_menu->addAction(QString());
    m_detailsAction->setObjectName("DetailsCommand");
    m_detailsAction->setVisible(false);
    connect(m_detailsAction, &QAction::triggered, this, [this] {
        if (m_details) m_details->Toggle();
    });

    values->installEventFilter(this);
    for (int n = 1; n <= 24; ++n)
        values->Label(n)->installEventFilter(this);
}

void ValueCopy::SetCaptions(const MainCaptions& captions) {
    m_copy->setText(Q(captions.copy));
    m_copyAll->setText(Q(captions.copyAll));
    m_copyDone = captions.copy + ": " + m_app.T(kDone);
    m_copyAllDone = captions.copyAll + ": " + m_app.T(kDone);
}

void ValueCopy::Put(const std::string& text, const std::string& done) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (text.empty()) return;
    clipboard->setText(Q(text));
    // The status line tells that something was copied.
    m_app.area.labelmi = done;
    m_values->Render(m_app.area);
}

bool ValueCopy::PanelShown() const {
    const int s = m_app.main.currentSection;
    return s == kCustomizePanel || s == kReportPanel || s == kAboutBox;
}

bool ValueCopy::DetailsOpen() const {
    return m_details && m_details->IsOpen();
}

void ValueCopy::PopUp(const QPoint& globalPos, bool copyEnabled) {
    m_copy->setEnabled(copyEnabled);
    m_detailsAction->setVisible(m_details != nullptr);
    if (m_details) {
        const bool open = m_details->IsOpen();
        m_detailsAction->setText(Q(m_app.T(open ? kTxtDetailsClose : kTxtDetailsOpen)));
        m_detailsAction->setEnabled(open || m_details->Lists());
    }
    m_menu->popup(globalPos);
}

bool ValueCopy::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::RightButton || PanelShown()) return false;

    if (watched == m_values) {
        if (type == QEvent::MouseButtonPress) PopUp(mouse->globalPosition().toPoint(), false);
        return type == QEvent::MouseButtonPress;
    }
    const int row = m_values->RowOf(watched);
    if (row == 0) return false;
    // The press is taken here too, so that it does not reach the background's menu.
    if (type == QEvent::MouseButtonRelease) {
        m_selectedRow = row;
        PopUp(mouse->globalPosition().toPoint(),
              CopyEnabled(m_app.sections->RowsOf(m_app.main.currentSection), m_app.area, row));
    }
    return true;
}

void ValueCopy::PopUpRow(int row, const QPoint& globalPos) {
    if (PanelShown()) return;
    if (row < 1 || row > 12) {
        PopUp(globalPos, false);
        return;
    }
    m_selectedRow = row;
    PopUp(globalPos,
          CopyEnabled(m_app.sections->RowsOf(m_app.main.currentSection), m_app.area, row));
}

void ValueCopy::CopyRow(int row) {
    if (PanelShown() ||
        !CopyEnabled(m_app.sections->RowsOf(m_app.main.currentSection), m_app.area, row))
        return;
    m_selectedRow = row;
    Copy_Click();
}

void ValueCopy::Copy_Click() {
    if (PanelShown()) return;
    if (DetailsOpen()) {
        Put(NativeLineEnds(m_details->CurrentCopyText()), m_copyDone);
        return;
    }
    // The model's text, not the label's: a value cut short on screen is copied whole.
    Put(NativeLineEnds(CopyRowText(m_app.area, m_selectedRow)), m_copyDone);
}

void ValueCopy::CopyAll_Click() {
    if (PanelShown()) return;
    if (DetailsOpen()) {
        Put(NativeLineEnds(m_details->AllCopyText()), m_copyAllDone);
        return;
    }
    Put(NativeLineEnds(CopyAllText(m_app.area, m_app.sections->RowsOf(m_app.main.currentSection))),
        m_copyAllDone);
}

} // namespace hl
