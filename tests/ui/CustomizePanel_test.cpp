#include "UiTestSupport.h"
#include "core/Navigation.h"
#include "ui/CustomizePanel.h"
#include "ui/PictureBox.h"

#include <QMenu>
#include <QtTest>

using namespace hl;
using hl::test::ShownToolTip;
using hl::test::Started;

namespace {

// The window with its customize panel, started from `settings` and showing the Summary.
struct Opened {
    Started s;
    CustomizePanel* panel;

    explicit Opened(const QByteArray& settings) : s(settings) {
        panel = new CustomizePanel(s.app(), s.form());
        if (!s.LoadAndWait()) qWarning("the window did not finish its fade-in");
        s.form().Pers_Click();
    }
    QString Picture(const char* name) { return s.Part<PictureBox>(name)->Picture(); }
    int KnobOffset() { return panel->Knob()->x() - panel->Track()->x(); }
    int Alpha() { return qRound(s.form().windowOpacity() * 255); }
    // Mouse events on the knob, at x in the panel's coordinates.
    void Knob(QEvent::Type type, int panelX, Qt::MouseButtons held = Qt::LeftButton) {
        QWidget* knob = panel->Knob();
        const QPointF local(panelX - knob->x(), knob->height() / 2);
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, local, knob->mapToGlobal(local), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(knob, &event);
    }
    // A click is a left-button release over the part.
    void Click(const char* name) { QTest::mouseClick(s.Part(name), Qt::LeftButton); }
    bool StoreExists() { return QFile::exists(QString::fromStdString(s.StorePath())); }
};

} // namespace

class CustomizePanelTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { hl::test::QuietOpacityWarnings(); }
    void opensWithTheSettingsInForce();
    void knobPlacementWhenOpening_data();
    void knobPlacementWhenOpening();
    void draggingTheKnob();
    void onlyTheLastSkinIsSavedAndOnlyIfItDiffers();
    void switchingLanguageAndBackWritesNothing();
    void languageSwitchReCaptionsTheWindowButNotTheRows();
    void acceptClosesThePanel();
};

void CustomizePanelTest::opensWithTheSettingsInForce() {
    Opened o("Idioma=English\nCar\xC3\xA1tula=Green\nTransparencia=40\n");
    Started& s = o.s;
    const MainState& m = s.app().main;
    QCOMPARE(m.currentSection, kCustomizePanel);
    QCOMPARE(int(m.savedSection), 1);
    QVERIFY(m.panelOpen);
    QVERIFY(o.panel->isVisible());
    QCOMPARE(o.Picture("Ico"), QString("IOpc"));
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("LBM2")), QColor(215, 215, 215));

    QCOMPARE(s.Text("TOp1"), QString("Customize"));
    QCOMPARE(hl::test::TextColour(s.Part("TOp1")), QColor(0, 145, 0));
    QCOMPARE(QStringList({o.Picture("Flag1"), o.Picture("Flag2"), o.Picture("Flag3")}),
             QStringList({"AR0", "GB1", "DU0"}));
    QCOMPARE(ShownToolTip(s.Part("Flag1")), QString::fromUtf8("Español (Argentina)"));
    QCOMPARE(ShownToolTip(s.Part("Flag2")), QString("English (UK, Great Britain)"));
    QCOMPARE(ShownToolTip(s.Part("Flag3")), QString("Nederlands (Nederland)"));
    QCOMPARE(QStringList(
                 {o.Picture("Skin1"), o.Picture("Skin2"), o.Picture("Skin3"), o.Picture("Skin4")}),
             QStringList({"Blue0", "Green1", "Pink0", "Violet0"}));
    QCOMPARE(QStringList({ShownToolTip(s.Part("Skin1")), ShownToolTip(s.Part("Skin2")),
                          ShownToolTip(s.Part("Skin3")), ShownToolTip(s.Part("Skin4"))}),
             QStringList({"Blue", "Green", "Pink", "Violet"}));

    const char* texts[8] = {"Current language: ",       "English (UK, Great Britain)",
                            "English translation by: ", "Tarsel Omunde",
                            "Current skin: ",           "Green",
                            "Skin created by: ",        "Tarsel Omunde"};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(s.Text(QString("LabOpc%1").arg(i + 1)), QString(texts[i]));
    for (int first : {1, 3, 5, 7}) {
        QWidget* a = s.Part(QString("LabOpc%1").arg(first));
        QWidget* b = s.Part(QString("LabOpc%1").arg(first + 1));
        QCOMPARE(b->x(), a->x() + a->width());
        QCOMPARE(b->y(), a->y());
    }
    QCOMPARE(s.Text("Ab5"), QString("Transparency: "));
    QCOMPARE(s.Text("Ab6"), QString("Accept"));
    QCOMPARE(hl::test::TextColour(s.Part("Ab6")), QColor(40, 40, 40));
    QCOMPARE(o.Picture("BotonAcOpciones"), QString("BAN"));
    QCOMPARE(s.Text("LVT"), QString("40%"));
    QCOMPARE(o.Picture("SLI"), QString("SLIn"));
    for (const char* line : {"LineOpc1", "Lcop", "Lcop2"})
        QCOMPARE(o.Picture(line), QString("ILine"));
    QCOMPARE(m.settingsAtOpening, s.app().settings);
}

void CustomizePanelTest::knobPlacementWhenOpening_data() {
    QTest::addColumn<int>("transparency");
    QTest::addColumn<int>("offset");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("40") << 40 << 80;
    QTest::newRow("80") << 80 << 150;
    // Two pixels per percent would pass the track's end from 76 on; the knob stops there.
    QTest::newRow("78") << 78 << 150;
}

void CustomizePanelTest::knobPlacementWhenOpening() {
    QFETCH(int, transparency);
    QFETCH(int, offset);
    Opened o(QByteArray("Transparencia=") + QByteArray::number(transparency) + "\n");
    QCOMPARE(o.KnobOffset(), offset);
    QCOMPARE(o.panel->Track()->width() - o.panel->Knob()->width(), 150);
}

void CustomizePanelTest::draggingTheKnob() {
    Opened o("Transparencia=40\n");
    Started& s = o.s;
    const int trackLeft = o.panel->Track()->x();
    const int trackRight = trackLeft + o.panel->Track()->width();
    const int knobWidth = o.panel->Knob()->width();

    o.Knob(QEvent::MouseButtonPress, o.panel->Knob()->x() + knobWidth);
    QVERIFY(o.panel->Dragging());
    QCOMPARE(o.Picture("SLI"), QString("SLIp"));

    // The knob's right edge follows the pointer.
    o.Knob(QEvent::MouseMove, trackLeft + knobWidth + 75);
    QCOMPARE(o.KnobOffset(), 75);
    QCOMPARE(s.app().settings.transparency, 40); // 75 * 80 / 150
    o.Knob(QEvent::MouseMove, trackLeft + knobWidth + 74);
    QCOMPARE(s.app().settings.transparency, 39); // 39.47 rounded down
    QCOMPARE(s.Text("LVT"), QString("39%"));

    o.Knob(QEvent::MouseMove, trackRight);
    QCOMPARE(o.KnobOffset(), 150);
    QCOMPARE(s.app().settings.transparency, 80);
    QCOMPARE(s.Text("LVT"), QString("80%"));
    QCOMPARE(o.Alpha(), 51);

    o.Knob(QEvent::MouseMove, trackLeft - 300); // well past the left end
    QCOMPARE(o.KnobOffset(), 0);
    QCOMPARE(s.app().settings.transparency, 0);
    QCOMPARE(s.Text("LVT"), QString("0%"));
    QCOMPARE(o.Alpha(), 255);

    o.Knob(QEvent::MouseMove, trackRight + 300); // and past the right end
    QCOMPARE(o.KnobOffset(), 150);
    QCOMPARE(s.app().settings.transparency, 80);

    o.Knob(QEvent::MouseButtonRelease, trackRight, Qt::NoButton);
    QVERIFY(!o.panel->Dragging());
    QCOMPARE(o.Picture("SLI"), QString("SLIn"));
    o.Knob(QEvent::MouseMove, trackLeft, Qt::NoButton); // released: the knob stays
    QCOMPARE(s.app().settings.transparency, 80);

    QTest::mousePress(s.Part("Ab6"), Qt::LeftButton);
    QCOMPARE(s.Stored(kTransparencia), std::optional<std::string>("80"));
}

void CustomizePanelTest::onlyTheLastSkinIsSavedAndOnlyIfItDiffers() {
    {
        Opened o("Car\xC3\xA1tula=Blue\n");
        o.Click("Skin2");
        o.Click("Skin3");
        QCOMPARE(o.s.app().settings.skin, std::string("Pink"));
        QCOMPARE(o.s.Text("LabOpc6"), QString("Pink"));
        QCOMPARE(hl::test::TextColour(o.s.Part("TOp1")), QColor(255, 25, 147));
        QCOMPARE(QStringList({o.Picture("Skin1"), o.Picture("Skin2"), o.Picture("Skin3"),
                              o.Picture("Skin4")}),
                 QStringList({"Blue0", "Green0", "Pink1", "Violet0"}));
        QCOMPARE(o.Picture("SkinTop"), QString("ATop"));
        QCOMPARE(o.s.app().area.tituloColour, (Rgb{255, 25, 147}));
        QCOMPARE(o.s.Stored(kCaratula), std::optional<std::string>("Blue")); // not yet
        QTest::mousePress(o.s.Part("BotonAcOpciones"), Qt::LeftButton);
        QCOMPARE(o.s.Stored(kCaratula), std::optional<std::string>("Pink"));
        QCOMPARE(hl::test::TextColour(o.s.Part("Titulo")), QColor(255, 25, 147));
    }
    {
        Opened o("Car\xC3\xA1tula=Blue\n");
        o.Click("Skin4");
        o.Click("Skin1");
        QVERIFY(QFile::remove(QString::fromStdString(o.s.StorePath())));
        QTest::mousePress(o.s.Part("BotonAcOpciones"), Qt::LeftButton);
        QVERIFY(!o.StoreExists()); // nothing written
    }
}

void CustomizePanelTest::switchingLanguageAndBackWritesNothing() {
    Opened o("Idioma=English\n");
    o.Click("Flag3");
    QCOMPARE(o.s.app().settings.language, std::string("Dutch"));
    o.Click("Flag2");
    QCOMPARE(o.s.Text("LabOpc2"), QString("English (UK, Great Britain)"));
    QVERIFY(QFile::remove(QString::fromStdString(o.s.StorePath())));
    QTest::mousePress(o.s.Part("Ab6"), Qt::LeftButton);
    QVERIFY(!o.StoreExists());
}

void CustomizePanelTest::languageSwitchReCaptionsTheWindowButNotTheRows() {
    Opened o("Idioma=English\n");
    Started& s = o.s;
    o.Click("Flag3");
    // The window and the panel speak Dutch at once.
    QCOMPARE(s.form().windowTitle(), QString("Vexmoor Hardlens - Versie 2.1"));
    QCOMPARE(s.Text("LOps"), QString("Opties"));
    QCOMPARE(s.Text("LBM1"), QString("Overzicht"));
    QCOMPARE(s.form().MenuOps()->findChild<QAction*>("Pers")->text(), QString("Aanpassen"));
    QCOMPARE(s.Text("TOp1"), QString("Aanpassen"));
    QCOMPARE(s.Text("LabOpc2"), QString("Nederlands (Nederland)"));
    QCOMPARE(s.Text("LabOpc3"), QString("Nederlandse vertaling door: "));
    QCOMPARE(s.Text("LabOpc4"), QString("Brevin Haldoe"));
    QCOMPARE(s.Text("LabOpc6"), QString("Blauw"));
    QCOMPARE(ShownToolTip(s.Part("Skin1")), QString("Blauw"));
    QCOMPARE(QStringList({o.Picture("Flag1"), o.Picture("Flag2"), o.Picture("Flag3")}),
             QStringList({"AR0", "GB0", "DU1"}));
    QWidget* first = s.Part("LabOpc3");
    QCOMPARE(s.Part("LabOpc4")->x(), first->x() + first->width());
    // The section is not collected again before accept.
    QVERIFY(s.app().area.titulo.empty());
    QCOMPARE(s.Stored(kIdioma), std::optional<std::string>("English"));

    QTest::mousePress(s.Part("Ab6"), Qt::LeftButton);
    QCOMPARE(s.Text("Titulo"), QString("Overzicht"));
    const QString status = s.Text("Labelmi");
    QVERIFY2(status == s.T(33) || status == s.T(55), qPrintable(status)); // in Dutch
    QCOMPARE(s.Stored(kIdioma), std::optional<std::string>("Dutch"));
}

void CustomizePanelTest::acceptClosesThePanel() {
    Opened o("");
    Started& s = o.s;
    App& app = s.app();
    QTest::mousePress(s.Part("Ab6"), Qt::RightButton);
    QVERIFY(app.main.panelOpen);
    QTest::mousePress(s.Part("BotonAcOpciones"), Qt::MiddleButton);
    QVERIFY(!app.main.panelOpen);
    QVERIFY(!o.panel->isVisible());
    QCOMPARE(app.main.currentSection, 1);
    QCOMPARE(hl::test::TextColour(s.Part("Ab6")), QColor(0, 105, 210));
    QVERIFY(!s.Part<QLabel>("Ab6")->font().underline());
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("LBM2")), QColor(250, 250, 250));
    QCOMPARE(s.Text("Titulo"), QString("Summary"));

    // Opened again, it starts from the settings in force.
    s.form().Pers_Click();
    QVERIFY(o.panel->isVisible());
    QCOMPARE(s.Text("Ab6"), QString("Accept"));
    QCOMPARE(hl::test::TextColour(s.Part("Ab6")), QColor(40, 40, 40));
}

QTEST_MAIN(CustomizePanelTest)
#include "CustomizePanel_test.moc"
