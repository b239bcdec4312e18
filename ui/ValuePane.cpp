#include "ValuePane.h"

#include "PaneParts.h"
#include "PictureBox.h"
#include "QtString.h"
#include "WindowGeometry.h"
#include "WindowStyle.h"

#include <QLabel>
#include <QPainter>

namespace hl {

namespace {

using geo::kColumnLeft;
using geo::kColumnRight;
constexpr int kRowTop = 82;
constexpr int kRowStep = 26;
constexpr int kRowHeight = 22;

int RowTop(int r) {
    return kRowTop + (r - 1) * kRowStep;
}

} // namespace

ValuePane::ValuePane(QWidget* parent) : QWidget(parent) {
    setObjectName("ValueArea");
    m_ico = new PictureBox("Ico", this);
    m_ico->setGeometry(20, 10, 48, 48);
    m_ico->SetPicture("Sec1");

    m_titulo = MakePaneHead(this, "Titulo", "ImageLine1");
    m_imageLine = MakePaneLine("ImageLine", this, 0);
    m_imagenInfo = MakePaneLine("ImagenInfo", this, 430);

    const QFont rowFont = WindowFont(9.5);
    for (int n = 1; n <= 24; ++n) {
        QLabel* label = MakeTextLabel(QString("Label%1").arg(n), this, rowFont);
        label->setGeometry(kColumnLeft, RowTop((n + 1) / 2), 0, kRowHeight);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        if (n % 2 == 0) SetTextColour(label, kValueText);
        m_labels[n - 1] = label;
    }

    m_iaviso = new PictureBox("Iaviso", this);
    m_iaviso->setGeometry(kColumnLeft, 352, 32, 32);
    m_laviso = MakeTextLabel("Laviso", this, WindowFont(9));
    m_laviso->setGeometry(kColumnLeft + 44, 346, kColumnRight - kColumnLeft - 44, 44);
    m_laviso->setWordWrap(true);
    m_laviso->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_labelmi = MakeTextLabel("Labelmi", this, WindowFont(9));
    m_labelmi->setGeometry(kColumnLeft, 438, geo::kDetailsControl.left() - 8 - kColumnLeft, 22);
    m_labelmi->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    SetTextColour(m_labelmi, kStatusText);
}

int ValuePane::RowOf(const QObject* label) const {
    for (int n = 1; n <= 24; ++n)
        if (m_labels[n - 1] == label) return (n + 1) / 2;
    return 0;
}

void ValuePane::Render(const ValueArea& area) {
    m_titulo->setText(Q(area.titulo));
    SetTextColour(m_titulo, area.tituloColour);
    for (int r = 1; r <= 12; ++r)
        RenderRow(area, r);

    m_laviso->setText(Q(area.laviso));
    SetTextColour(m_laviso, area.lavisoColour);
    m_laviso->setVisible(area.lavisoVisible);
    m_iaviso->setVisible(area.iavisoVisible);

    if (area.imageLineAnchorLabel >= 1 && area.imageLineAnchorLabel <= 24) {
        const int top = RowTop((area.imageLineAnchorLabel + 1) / 2) + area.imageLineOffset;
        m_imageLine->move(m_imageLine->x(), top);
    }
    m_imageLine->setVisible(area.imageLineVisible);

    m_labelmi->setText(Q(area.labelmi));
    m_imagenInfo->setVisible(area.imagenInfoVisible);
    RenderIcons(area);
}

void ValuePane::RenderRow(const ValueArea& area, int r) {
    const InfoRow& row = area.Row(r);
    QLabel* caption = m_labels[2 * r - 2];
    QLabel* value = m_labels[2 * r - 1];

    // Both labels size to their text; the value starts where the caption ends.
    const QString captionText = Q(row.caption);
    caption->setText(captionText);
    SetPlainToolTip(caption, Q(row.captionTip));
    SetTextColour(caption, row.captionColour);
    const int captionWidth = caption->fontMetrics().horizontalAdvance(captionText);
    caption->resize(captionWidth, kRowHeight);

    // A value too long for the area is cut with an ellipsis on screen; its tool tip holds it
    // whole, and copying reads the model, not the label.
    const QString full = Q(row.value);
    const int x = caption->x() + captionWidth;
    const int room = std::max(0, kColumnRight - x);
    const QString shown = value->fontMetrics().elidedText(full, Qt::ElideRight, room);
    value->setText(shown);
    SetPlainToolTip(value, Q(row.valueTip));
    // A screen reader reads the row whole, as it is copied.
    value->setAccessibleName(captionText + full);
    value->setGeometry(x, caption->y(), value->fontMetrics().horizontalAdvance(shown) + 1,
                       kRowHeight);
}

void ValuePane::RenderIcons(const ValueArea& area) {
    if (area.iconRuns == m_iconRuns) return;
    const bool firstRender = m_iconRuns < 0;
    m_iconRuns = area.iconRuns;
    m_ico->SetPicture(Q(area.icoPicture));
    m_iaviso->SetPicture(Q(area.iavisoPicture));
    if (firstRender) return; // the start-up icon shows with the window's own fade
    m_ico->FadeIn(kIconFadeMs);
    if (!area.iavisoPicture.empty()) m_iaviso->FadeIn(kIconFadeMs);
}

void ValuePane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(kPaneBackground));
}

} // namespace hl
