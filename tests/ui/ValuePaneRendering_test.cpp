// The value pane as the window renders the model: where values start, markup-free machine
// text, tool tips, the separator line and the notice.

#include "UiTestSupport.h"
#include "core/Navigation.h"
#include "ui/CustomizePanel.h"
#include "ui/ReportPanel.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolTip>
#include <QtTest>

using namespace hl;
using hl::test::Started;

class ValuePaneTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { hl::test::QuietOpacityWarnings(); }
    void valueStartsWhereItsCaptionEndsAndLongValuesAreCut();
    void separatorAndNoticeFollowTheModel();
    void machineTextNeverReadsAsMarkup_data();
    void machineTextNeverReadsAsMarkup();
    void longToolTipWrapsBetweenWordsNotInsidePaths();
};

void ValuePaneTest::valueStartsWhereItsCaptionEndsAndLongValuesAreCut() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    const std::string longValue(400, 'x');
    WriteRow(app, 3, "Drive letter: ", "(E:)");
    WriteRow(app, 4, "Name: ", longValue);
    s.form().Render();
    auto* caption = s.Part<QLabel>("Label5");
    auto* value = s.Part<QLabel>("Label6");
    QCOMPARE(value->x(), caption->x() + caption->width());
    QCOMPARE(value->y(), caption->y());
    QCOMPARE(value->text(), QString("(E:)"));
    QCOMPARE(hl::test::ShownToolTip(value), QString("(E:)"));
    QVERIFY(caption->toolTip().isEmpty());

    auto* cut = s.Part<QLabel>("Label8");
    QVERIFY(cut->text().endsWith(QChar(0x2026)));
    QVERIFY(cut->geometry().right() < s.form().PanelArea()->width());
    QCOMPARE(hl::test::ShownToolTip(cut), QString::fromStdString(longValue));
}

void ValuePaneTest::machineTextNeverReadsAsMarkup_data() {
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("rowText"); // a machine value's row stays one line
    QTest::newRow("bold") << "F5 <b>"
                          << "F5 <b>";
    QTest::newRow("image") << "<img src=x>"
                           << "<img src=x>";
    QTest::newRow("entity") << "&amp;"
                            << "&amp;";
    QTest::newRow("newline") << "first\nsecond"
                             << "first second";
}

void ValuePaneTest::machineTextNeverReadsAsMarkup() {
    QFETCH(QString, value);
    QFETCH(QString, rowText);
    Started s;
    new CustomizePanel(s.app(), s.form());
    new ReportPanel(s.app(), s.form());
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    WriteRow(app, 3, "Version: ", value.toStdString());
    app.area.Row(3).captionTip = value.toStdString();
    app.area.titulo = value.toStdString();
    app.area.labelmi = value.toStdString();
    s.form().Render();
    for (const char* name : {"Titulo", "Labelmi"})
        QCOMPARE(s.Text(name), value);
    QCOMPARE(s.Text("Label6"), rowText);
    QCOMPARE(hl::test::ShownToolTip(s.Part("Label5")), value);
    QCOMPARE(hl::test::ShownToolTip(s.Part("Label6")), rowText);
    // Every label of the window, panels included, shows its text as it is.
    for (QLabel* label : s.form().findChildren<QLabel*>())
        QVERIFY2(label->textFormat() == Qt::PlainText, qPrintable(label->objectName()));
}

void ValuePaneTest::longToolTipWrapsBetweenWordsNotInsidePaths() {
    Started s;
    QVERIFY(s.LoadAndWait());
    const QString path = "/lib/modules/6.1.0-18-amd64/kernel/drivers/gpu/drm/amd/amdgpu/amdgpu.ko";
    const QString value = "amdgpu - " + path + " - " + path;
    WriteRow(s.app(), 2, "Driver: ", value.toStdString());
    s.form().Render();
    // Laid out as a tool tip lays it out: wrapped at word boundaries, here a little wider than
    // one path with its " -".
    QTextDocument doc;
    doc.setDefaultFont(QToolTip::font());
    QTextOption wrap;
    wrap.setWrapMode(QTextOption::WordWrap);
    doc.setDefaultTextOption(wrap);
    doc.setHtml(s.Part("Label4")->toolTip());
    doc.setTextWidth(QFontMetrics(QToolTip::font()).horizontalAdvance(path + " - ") + 20);
    doc.documentLayout(); // lays the text out
    QStringList lines;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (int i = 0; i < b.layout()->lineCount(); ++i) {
            const QTextLine line = b.layout()->lineAt(i);
            lines << b.text()
                         .mid(line.textStart(), line.textLength())
                         .remove(QChar(0x2060))
                         .trimmed();
        }
    QCOMPARE(lines, QStringList({"amdgpu -", path + " -", path}));
}

void ValuePaneTest::separatorAndNoticeFollowTheModel() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    // As the Removable memory section leaves it with no drive.
    app.area.imageLineVisible = true;
    app.area.imageLineAnchorLabel = 17;
    app.area.imageLineOffset = 4;
    app.area.iavisoVisible = true;
    app.area.lavisoVisible = true;
    app.area.laviso = app.T(158) + "\r\n" + app.T(159);
    s.form().Render();
    QWidget* line = s.Part("ImageLine");
    QVERIFY(line->isVisible());
    QCOMPARE(line->y(), s.Part("Label17")->y() + 4);
    QVERIFY(s.Part("Iaviso")->isVisible());
    QVERIFY(s.Text("Laviso").startsWith("Couldn't detect any removable drive"));

    ClearValueRows(app);
    s.form().Render();
    QVERIFY(!line->isVisible());
    QVERIFY(!s.Part("Iaviso")->isVisible());
    QVERIFY(!s.Part("Laviso")->isVisible());
}

QTEST_MAIN(ValuePaneTest)
#include "ValuePaneRendering_test.moc"
