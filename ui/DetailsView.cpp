#include "DetailsView.h"

#include "Accessible.h"
#include "PaneParts.h"
#include "QtString.h"
#include "WindowStyle.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace hl {

namespace {

constexpr int kCaptionGap = 12;   // between the caption column and the values
constexpr int kRowPadding = 2;    // under each field
constexpr int kMinValueRoom = 80; // the values keep at least this much of the width
constexpr int kSkinTintAlpha = 30;

QString ScrollBarStyle(QColor skin) {
    return QString("QScrollBar:vertical { background: #e9ebef; width: 10px; margin: 0; "
                   "border-radius: 5px; }"
                   "QScrollBar::handle:vertical { background: %1; min-height: 28px; "
                   "border-radius: 5px; }"
                   "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                   "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical "
                   "{ background: none; }")
        .arg(skin.name());
}

} // namespace

DeviceFieldRow::DeviceFieldRow(const DeviceFieldLine& line, QWidget* parent)
    : QWidget(parent), m_caption(Q(line.caption)), m_value(Q(line.value)) {
    setFont(WindowFont(9.5));
    SetAccessibleRole(this, QAccessible::StaticText);
    setAccessibleName(Q(line.Spoken()));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void DeviceFieldRow::SetCaptionWidth(int width) {
    if (width == m_captionWidth) return;
    m_captionWidth = width;
    updateGeometry();
    update();
}

int DeviceFieldRow::CaptionNeeds() const {
    // Rounded up, and a pixel more: a caption laid out in exactly its width may still wrap.
    const qreal advance = QFontMetricsF(font()).horizontalAdvance(m_caption);
    return static_cast<int>(std::ceil(advance)) + 1 + kCaptionGap;
}

int DeviceFieldRow::Flow(const QString& text, qreal width, QPainter* painter, qreal x) const {
    QTextLayout layout(text, font());
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    qreal y = 0;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    if (painter) layout.draw(painter, QPointF(x, 0));
    return static_cast<int>(std::ceil(y));
}

int DeviceFieldRow::heightForWidth(int width) const {
    const int captionHeight = Flow(m_caption, m_captionWidth - kCaptionGap, nullptr, 0);
    const int valueHeight = Flow(m_value, width - m_captionWidth, nullptr, 0);
    return std::max(captionHeight, valueHeight) + kRowPadding;
}

QSize DeviceFieldRow::sizeHint() const {
    const int width = m_captionWidth + 300;
    return {width, heightForWidth(width)};
}

QSize DeviceFieldRow::minimumSizeHint() const {
    return {m_captionWidth + kMinValueRoom, fontMetrics().height() + kRowPadding};
}

void DeviceFieldRow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(ToQColor(kDarkGrey));
    Flow(m_caption, m_captionWidth - kCaptionGap, &painter, 0);
    painter.setPen(ToQColor(kValueText));
    Flow(m_value, width() - m_captionWidth, &painter, m_captionWidth);
}

DeviceBlock::DeviceBlock(const DeviceEntry& entry, QColor skin, QWidget* parent)
    : QWidget(parent), m_skin(skin) {
    setObjectName("Device");
    setFocusPolicy(Qt::ClickFocus);
    SetAccessibleRole(this, QAccessible::ListItem);
    setAccessibleName(Q(entry.heading));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 5, 8, 7);
    layout->setSpacing(1);
    m_heading = MakeTextLabel("DeviceHeading", this, WindowFont(10, QFont::DemiBold));
    m_heading->setText(Q(entry.heading));
    m_heading->setWordWrap(true);
    QPalette palette = m_heading->palette();
    palette.setColor(QPalette::WindowText, skin);
    m_heading->setPalette(palette);
    layout->addWidget(m_heading);
    layout->addSpacing(2);
    for (const DeviceFieldLine& line : entry.fields) {
        m_rows.push_back(new DeviceFieldRow(line, this));
        layout->addWidget(m_rows.back());
    }
}

void DeviceBlock::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!hasFocus()) {
        // Devices are set apart by a faint line.
        painter.fillRect(8, height() - 1, width() - 16, 1, QColor(218, 221, 227));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    QColor tint = m_skin;
    tint.setAlpha(kSkinTintAlpha);
    painter.setBrush(tint);
    painter.setPen(QPen(m_skin, 1));
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 4, 4);
}

void DeviceBlock::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
    emit focused(this);
}

void DeviceBlock::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

DetailsView::DetailsView(QWidget* parent) : QWidget(parent) {
    setObjectName("Details");
    hide();
    // Opaque: the rows it covers stay under it.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, ToQColor(kPaneBackground));
    setPalette(palette);
    setAutoFillBackground(true);
    m_scroller = new QScrollArea(this);
    m_scroller->setObjectName("DetailsScroller");
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setWidgetResizable(true);
    m_scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroller->viewport()->setAutoFillBackground(false);
    m_list = new QWidget;
    m_list->setObjectName("DeviceList");
    SetAccessibleRole(m_list, QAccessible::List);
    m_layout = new QVBoxLayout(m_list);
    m_layout->setContentsMargins(0, 0, 4, 0);
    m_layout->setSpacing(4);
    m_scroller->setWidget(m_list);
    // The pane's own background shows through (setWidget turns the list's filling on).
    m_list->setAutoFillBackground(false);
    connect(m_scroller->verticalScrollBar(), &QScrollBar::valueChanged, this,
            &DetailsView::scrolled);

    m_notice = MakeTextLabel("DetailsNotice", this, WindowFont(9.5));
    m_notice->setWordWrap(true);
    m_notice->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetTextColour(m_notice, kNoticeGrey);
}

void DetailsView::Clear() {
    for (DeviceBlock* block : m_blocks)
        delete block;
    m_blocks.clear();
    while (QLayoutItem* item = m_layout->takeAt(0))
        delete item;
    m_current = 0;
}

void DetailsView::Fill(const std::vector<DeviceEntry>& entries, QColor skin, const QString& name,
                       const QString& notice) {
    Clear();
    m_scroller->verticalScrollBar()->setStyleSheet(ScrollBarStyle(skin));
    m_list->setAccessibleName(name);
    for (const DeviceEntry& entry : entries) {
        auto* block = new DeviceBlock(entry, skin, m_list);
        connect(block, &DeviceBlock::focused, this, &DetailsView::MakeCurrent);
        m_layout->addWidget(block);
        m_blocks.push_back(block);
    }
    m_layout->addStretch(1);
    m_notice->setText(notice);
    m_notice->setVisible(m_blocks.empty());
    m_scroller->setVisible(!m_blocks.empty());
    if (!m_blocks.empty()) MakeCurrent(m_blocks.front());
    AlignCaptions();
    m_scroller->verticalScrollBar()->setValue(0);
}

DeviceBlock* DetailsView::Block(int i) const {
    return i >= 0 && i < Count() ? m_blocks[static_cast<size_t>(i)] : nullptr;
}

QWidget* DetailsView::CurrentBlock() const {
    return Block(Current());
}

void DetailsView::MakeCurrent(DeviceBlock* block) {
    // Only the current device is a stop for Tab: the list is one stop, as the menu is.
    for (int i = 0; i < Count(); ++i) {
        const bool current = m_blocks[static_cast<size_t>(i)] == block;
        m_blocks[static_cast<size_t>(i)]->setFocusPolicy(current ? Qt::StrongFocus
                                                                 : Qt::ClickFocus);
        SetAccessibleSelected(m_blocks[static_cast<size_t>(i)], current);
        if (current) m_current = i;
    }
    if (block && block->hasFocus()) m_scroller->ensureWidgetVisible(block, 0, 4);
}

void DetailsView::FocusDevice(int i) {
    if (DeviceBlock* block = Block(std::clamp(i, 0, Count() - 1)))
        block->setFocus(Qt::OtherFocusReason);
}

int DetailsView::PageFrom(int from, int direction) const {
    const int page = m_scroller->viewport()->height();
    const int top = m_blocks[static_cast<size_t>(from)]->y();
    int to = from;
    while (Block(to + direction) && std::abs(Block(to + direction)->y() - top) <= page)
        to += direction;
    return to == from ? from + direction : to;
}

bool DetailsView::MoveKey(int key) {
    if (m_blocks.empty()) return false;
    const int at = Current();
    switch (key) {
    case Qt::Key_Up: FocusDevice(at - 1); return true;
    case Qt::Key_Down: FocusDevice(at + 1); return true;
    case Qt::Key_PageUp: FocusDevice(PageFrom(at, -1)); return true;
    case Qt::Key_PageDown: FocusDevice(PageFrom(at, 1)); return true;
    case Qt::Key_Home: FocusDevice(0); return true;
    case Qt::Key_End: FocusDevice(Count() - 1); return true;
    default: return false;
    }
}

void DetailsView::AlignCaptions() {
    // One caption column for the whole list, so that the values line up; long captions wrap
    // rather than take the values' room.
    int needs = 0;
    for (const DeviceBlock* block : m_blocks)
        for (const DeviceFieldRow* row : block->Rows())
            needs = std::max(needs, row->CaptionNeeds());
    // The view's own width: the viewport's is not known before the list is first laid out.
    const int room = width() - 40;
    const int width = std::clamp(needs, 40, std::max(40, room * 9 / 20));
    for (DeviceBlock* block : m_blocks)
        for (DeviceFieldRow* row : block->Rows())
            row->SetCaptionWidth(width);
}

void DetailsView::resizeEvent(QResizeEvent*) {
    m_scroller->setGeometry(rect());
    m_notice->setGeometry(rect().adjusted(4, 8, -4, 0));
    AlignCaptions();
}

void DetailsView::mousePressEvent(QMouseEvent* event) {
    // Presses stay here: the rows under the view have their own menu.
    event->accept();
    if (event->button() == Qt::RightButton) emit menuRequested(event->globalPosition().toPoint());
}

} // namespace hl
