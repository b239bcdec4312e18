#pragma once

#include "sections/DeviceView.h"

#include <QWidget>
#include <vector>

class QLabel;
class QPainter;
class QScrollArea;
class QVBoxLayout;

namespace hl {

// One field of a device: its caption and, beside it, its value, both wrapped to the room they
// have (a value without spaces, a path or a serial, wraps anywhere rather than being cut).
class DeviceFieldRow : public QWidget {
    Q_OBJECT
public:
    DeviceFieldRow(const DeviceFieldLine& line, QWidget* parent);
    void SetCaptionWidth(int width);
    int CaptionNeeds() const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    // Lays `text` out in `width`, drawn at `x` with `painter` when one is given; returns the
    // height it takes.
    int Flow(const QString& text, qreal width, QPainter* painter, qreal x) const;

    QString m_caption, m_value;
    int m_captionWidth = 120;
};

// One device: its heading and its fields. It takes the focus as one item of the list; the
// device with the focus is tinted with the skin's colour.
class DeviceBlock : public QWidget {
    Q_OBJECT
public:
    DeviceBlock(const DeviceEntry& entry, QColor skin, QWidget* parent);
    const std::vector<DeviceFieldRow*>& Rows() const { return m_rows; }
    QLabel* Heading() const { return m_heading; }

protected:
    void paintEvent(QPaintEvent*) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

signals:
    void focused(DeviceBlock* block);

private:
    QLabel* m_heading;
    std::vector<DeviceFieldRow*> m_rows;
    QColor m_skin;
};

// The details view laid over the value rows: every device of the section, scrollable, or a
// notice where there is none. One device at a time is the list's stop for Tab; the arrows,
// Page Up/Down, Home and End move between devices.
class DetailsView : public QWidget {
    Q_OBJECT
public:
    explicit DetailsView(QWidget* parent);

    // Shows `entries` (focus on none yet); `notice` where there are none. `name` is what a
    // screen reader calls the list.
    void Fill(const std::vector<DeviceEntry>& entries, QColor skin, const QString& name,
              const QString& notice);
    int Count() const { return static_cast<int>(m_blocks.size()); }
    // The device that has or last had the focus; -1 when the list is empty.
    int Current() const { return m_blocks.empty() ? -1 : m_current; }
    DeviceBlock* Block(int i) const;
    QWidget* CurrentBlock() const;
    QLabel* Notice() const { return m_notice; }
    QScrollArea* Scroller() const { return m_scroller; }
    void FocusDevice(int i);
    // Up, Down, Page Up, Page Down, Home and End; false for any other key.
    bool MoveKey(int key);

signals:
    void menuRequested(QPoint globalPos);
    void scrolled();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent*) override;

private:
    void Clear();
    void MakeCurrent(DeviceBlock* block);
    int PageFrom(int from, int direction) const;
    void AlignCaptions();

    QScrollArea* m_scroller;
    QWidget* m_list;
    QVBoxLayout* m_layout;
    QLabel* m_notice;
    std::vector<DeviceBlock*> m_blocks;
    int m_current = 0;
};

} // namespace hl
