#include "UiTestSupport.h"
#include "core/Navigation.h"
#include "ui/CustomizePanel.h"
#include "ui/PictureBox.h"
#include "ui/Transparency.h"

#include <QMenu>
#include <QSet>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace hl;
using hl::test::Started;

namespace {
int Alpha(const QWidget& w) {
    return qRound(w.windowOpacity() * 255);
}
const QColor kGrey(215, 215, 215);
const QColor kWhite(250, 250, 250);
} // namespace

class Form1Test : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { hl::test::QuietOpacityWarnings(); }
    void firstRunStartsInEnglishBlueOpaqueOnTheSummary();
    void savedSettingsShapeTheStart();
    void nothingIsCollectedBeforeTheFadeInEnds();
    void menuIgnoresClicksWhileAPanelIsOpenAndDrawsGrey();
    void markerClickRunsItsEntry();
    void shownEntryClickedAgainIsCollectedWithoutGettingInformation();
    void optionsMenuOpensOnLeftReleaseOnly();
    void optionsCommandsReachTheirPanels();
    void secondQuitClosesAtOnce();
    void fadeOutClosesTheWindow();
    void setTransparencyAppliesTheAlphaRule();
    void fadesReachTheWindowStepByStep();
    void platformWithoutOpacitySkipsTheFades();
    void liveMonitorStopsAfterASectionChange();
    void sensorsRefreshEverySecondWhileShown();
    void dragsMoveTheWindow_data();
    void dragsMoveTheWindow();
    void skinChosenWhileRunningFadesInWithoutHoldingClicks();
};

void Form1Test::firstRunStartsInEnglishBlueOpaqueOnTheSummary() {
    Started s;
    QVERIFY(s.LoadAndWait());
    QCOMPARE(s.Stored("Idioma"), std::optional<std::string>("English"));
    QCOMPARE(s.Stored("Car\xC3\xA1tula"), std::optional<std::string>("Blue"));
    QCOMPARE(s.Stored("Transparencia"), std::nullopt);
    QCOMPARE(Alpha(s.form()), 255);
    QCOMPARE(s.Text("LBM1"), QString("Summary"));
    QCOMPARE(s.Text("LBM13"), QString("Others hardware"));
    QCOMPARE(s.Text("LBM14"), QString("Sensors"));
    QCOMPARE(s.Text("LBM16"), QString("Network"));
    QCOMPARE(s.Text("LOps"), QString("Options"));
    QCOMPARE(s.Part<PictureBox>("SkinTopLeft")->Picture(), QString("WTopLeft"));
    QCOMPARE(s.Part<PictureBox>("SkinTop")->Picture(), QString("WTop"));

    // The fade's end clicked the first entry.
    const MainState& m = s.app().main;
    QCOMPARE(m.selectedEntry, 1);
    QVERIFY(m.menu.markerShown[1]);
    QCOMPARE(s.Part<PictureBox>("BM1")->Picture(), QString("WBotonMenu"));
    for (int n = 2; n <= 16; ++n)
        QVERIFY(s.Part<PictureBox>(QString("BM%1").arg(n))->Picture().isEmpty());
    // Either the Summary was shown or its collector failed with "Error!" in the status line.
    if (m.lastError.empty()) {
        QCOMPARE(m.currentSection, 1);
        QCOMPARE(s.Text("Labelmi"), s.T(33));
    } else {
        QCOMPARE(s.Text("Labelmi"), QString("Error!"));
    }
    QCOMPARE(s.Part<QLabel>("LBM1")->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("LBM5")), kWhite);
}

void Form1Test::savedSettingsShapeTheStart() {
    Started s("Idioma=  Dutch  \nCar\xC3\xA1tula=Green\nTransparencia=80\n");
    QVERIFY(s.LoadAndWait());
    QCOMPARE(s.Text("LBM1"), QString("Overzicht"));
    QCOMPARE(s.Text("LOps"), QString("Opties"));
    QCOMPARE(s.Part<PictureBox>("SkinLeft")->Picture(), QString("ELeft"));
    QCOMPARE(s.Part<PictureBox>("BM1")->Picture(), QString("EBotonMenu"));
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("Titulo")), QColor(0, 145, 0));
    QCOMPARE(Alpha(s.form()), 51); // faded in to 80 % and stays there

    Started pink("Idioma=English\nCar\xC3\xA1tula=Pink\nTransparencia=81\n");
    QVERIFY(pink.LoadAndWait());
    QCOMPARE(pink.Stored("Transparencia"), std::optional<std::string>("0"));
    QCOMPARE(Alpha(pink.form()), 255);
    QCOMPARE(pink.Part<PictureBox>("SkinDown")->Picture(), QString("ADown"));
}

void Form1Test::nothingIsCollectedBeforeTheFadeInEnds() {
    Started s;
    s.form().Form_Load();
    QVERIFY(s.form().isVisible());
    QCOMPARE(Alpha(s.form()), 0); // shown fully transparent
    QVERIFY(s.Part<QTimer>("FadeCarga")->isActive());
    s.form().LBM_Click(3);
    QCOMPARE(s.app().main.selectedEntry, 0);
    QVERIFY(QTest::qWaitFor([&] { return s.form().Running(); }, 5000));
    QCOMPARE(s.app().main.selectedEntry, 1);
}

void Form1Test::menuIgnoresClicksWhileAPanelIsOpenAndDrawsGrey() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    QVERIFY(OpenPanel(app, kCustomizePanel));
    s.form().Render();

    QTest::mouseClick(s.Part("LBM3"), Qt::LeftButton);
    QTest::mouseClick(s.Part("BM4"), Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(app.main.selectedEntry, 1);
    QCOMPARE(app.main.currentSection, kCustomizePanel);
    QVERIFY(!app.main.menu.markerShown[3]);
    QVERIFY(!app.main.menu.markerShown[4]);

    for (const char* name : {"LBM1", "LBM3", "LBM13", "LOps"}) {
        auto* label = s.Part<QLabel>(name);
        QCOMPARE(hl::test::TextColour(label), kGrey);
        QVERIFY2(hl::test::Draws(label, kGrey), name);
        QVERIFY2(!hl::test::Draws(label, kWhite), name);
    }
    QCOMPARE(s.Part<QLabel>("LBM3")->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(s.Part("SkinTopLeft")->cursor().shape(), Qt::ArrowCursor);

    // The options menu does not open either.
    QTest::mouseClick(s.Part("LOps"), Qt::LeftButton);
    QVERIFY(!s.form().MenuOps()->isVisible());

    s.form().ClosePanelWidget(new QWidget(s.form().PanelArea()));
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("LBM3")), kWhite);
    QCOMPARE(s.Part<QLabel>("LBM3")->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(s.Part("LBM3"), Qt::LeftButton);
    QCOMPARE(app.main.selectedEntry, 3);
}

void Form1Test::markerClickRunsItsEntry() {
    Started s;
    QVERIFY(s.LoadAndWait());
    // The marker's left margin is not covered by its entry's caption.
    QTest::mouseClick(s.Part("BM9"), Qt::LeftButton, {}, QPoint(4, 14));
    QCOMPARE(s.app().main.selectedEntry, 9);
    QVERIFY(s.app().main.menu.markerShown[9]);
    QVERIFY(!s.app().main.menu.markerShown[1]);
    QCOMPARE(s.Part<PictureBox>("BM9")->Picture(), QString("WBotonMenu"));
    QVERIFY(s.Part<PictureBox>("BM1")->Picture().isEmpty());
    // A right click is not a click.
    QTest::mouseClick(s.Part("LBM2"), Qt::RightButton);
    QCOMPARE(s.app().main.selectedEntry, 9);
}

void Form1Test::shownEntryClickedAgainIsCollectedWithoutGettingInformation() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    // As the Hard drives collector leaves it.
    app.main.currentSection = 7;
    app.main.selectedEntry = 7;
    app.area.labelmi = "stale";
    s.form().Render();

    QTest::mouseClick(s.Part("LBM7"), Qt::LeftButton);
    QCOMPARE(app.main.selectedEntry, 7);
    QVERIFY(app.main.menu.markerShown[7]);
    const QString status = s.Text("Labelmi");
    QVERIFY2(status == s.T(33) || status == s.T(55), qPrintable(status)); // collected again
    QVERIFY(status != s.T(8));
}

void Form1Test::optionsMenuOpensOnLeftReleaseOnly() {
    Started s;
    QVERIFY(s.LoadAndWait());
    QMenu* menu = s.form().MenuOps();
    QStringList names;
    for (QAction* a : menu->actions())
        names << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(names, QStringList({"Pers", "GInf", "-", "About", "-", "Quit"}));
    QCOMPARE(menu->defaultAction()->objectName(), QString("Quit"));
    QCOMPARE(menu->defaultAction()->text(), QString("Quit"));

    QTest::mouseClick(s.Part("LOps"), Qt::RightButton);
    QVERIFY(!menu->isVisible());
    QTest::mouseClick(s.Part("LOps"), Qt::LeftButton);
    QVERIFY(menu->isVisible());
    QCOMPARE(menu->pos(), s.form().mapToGlobal(QPoint(25, 14)));
    menu->hide();
    QTest::mouseClick(s.Part("SkinTopLeft"), Qt::LeftButton, {}, QPoint(180, 10));
    QVERIFY(menu->isVisible());
    menu->hide();
}

void Form1Test::optionsCommandsReachTheirPanels() {
    Started s;
    QVERIFY(s.LoadAndWait());
    QMenu* menu = s.form().MenuOps();
    auto action = [menu](const char* name) { return menu->findChild<QAction*>(name); };

    // Without a customize or report panel to open, their commands are offered disabled.
    QTest::mouseClick(s.Part("LOps"), Qt::LeftButton);
    QVERIFY(!action("Pers")->isEnabled());
    QVERIFY(!action("GInf")->isEnabled());
    QVERIFY(action("About")->isEnabled());
    menu->hide();

    int customize = 0;
    connect(&s.form(), &Form1::customizeRequested, this, [&] { ++customize; });
    QTest::mouseClick(s.Part("LOps"), Qt::LeftButton);
    QVERIFY(action("Pers")->isEnabled());
    action("Pers")->trigger();
    QCOMPARE(customize, 1);
    menu->hide();

    action("About")->trigger();
    QCOMPARE(s.app().main.currentSection, kAboutBox);
    action("Pers")->trigger(); // a panel is open: nothing
    QCOMPARE(customize, 1);
}

void Form1Test::secondQuitClosesAtOnce() {
    Started s;
    QVERIFY(s.LoadAndWait());
    s.form().Quit_Click();
    QVERIFY(s.form().isVisible());
    QVERIFY(s.form().ClosingStarted());
    QVERIFY(s.Part<QTimer>("FadeCierre")->isActive());
    s.form().Quit_Click();
    QVERIFY(!s.form().isVisible());
    QVERIFY(!s.Part<QTimer>("FadeCierre")->isActive());
}

void Form1Test::fadeOutClosesTheWindow() {
    Started s("Transparencia=35\n");
    QVERIFY(s.LoadAndWait());
    QCOMPARE(Alpha(s.form()), 166);
    s.form().close();
    QVERIFY(s.form().isVisible());
    QVERIFY(QTest::qWaitFor([&] { return !s.form().isVisible(); }, 5000));
    QVERIFY(Alpha(s.form()) < 166); // it faded on the way

    // Closed during the fade-in: it fades out from where it was and never shows a section.
    Started early("Transparencia=0\n");
    early.form().Form_Load();
    QVERIFY(QTest::qWaitFor([&] { return Alpha(early.form()) > 0; }, 3000));
    const int atClose = Alpha(early.form());
    QVERIFY(atClose < 255);
    early.form().close();
    int most = atClose;
    QVERIFY(QTest::qWaitFor(
        [&] {
            most = std::max(most, Alpha(early.form()));
            return !early.form().isVisible();
        },
        5000));
    QCOMPARE(most, atClose);
    QCOMPARE(early.app().main.selectedEntry, 0);
}

namespace {
// The opacity changes that reach the window's surface, each with the event-loop turn it came in.
struct OpacityLog {
    QList<qreal> values;
    QList<int> turns;
    int turn = 0;
    QTimer everyTurn; // a zero timer fires once per pass of the event loop

    explicit OpacityLog(QWindow* window) {
        everyTurn.setInterval(0);
        QObject::connect(&everyTurn, &QTimer::timeout, [this] { ++turn; });
        everyTurn.start();
        QObject::connect(window, &QWindow::opacityChanged, [this](qreal o) {
            values << o;
            turns << turn;
        });
    }
    int Distinct() const { return int(QSet<qreal>(values.begin(), values.end()).size()); }
    bool EachInItsOwnTurn() const {
        for (int i = 1; i < turns.size(); ++i)
            if (turns[i] == turns[i - 1]) return false;
        return true;
    }
};
} // namespace

void Form1Test::fadesReachTheWindowStepByStep() {
    Started s;
    s.form().Form_Load();
    OpacityLog in(s.form().windowHandle());
    QVERIFY(QTest::qWaitFor([&] { return s.form().Running(); }, 5000));
    QVERIFY2(in.Distinct() >= 10, qPrintable(QString::number(in.Distinct())));
    QVERIFY(in.EachInItsOwnTurn());
    QCOMPARE(in.values.back(), 1.0);

    OpacityLog out(s.form().windowHandle());
    s.form().Quit_Click();
    QVERIFY(QTest::qWaitFor([&] { return !s.form().isVisible(); }, 5000));
    QVERIFY2(out.Distinct() >= 10, qPrintable(QString::number(out.Distinct())));
    QVERIFY(out.EachInItsOwnTurn());
}

void Form1Test::platformWithoutOpacitySkipsTheFades() {
    QVERIFY(!Form1::PlatformFades()); // offscreen
    Started s("Transparencia=40\n");
    s.form().SetFades(Form1::PlatformFades());
    s.form().Form_Load();
    QVERIFY(!s.Part<QTimer>("FadeCarga")->isActive());
    QVERIFY(QTest::qWaitFor([&] { return s.form().Running(); }, 100));
    QCOMPARE(s.app().main.currentSection, 1);
    QCOMPARE(Alpha(s.form()), 153);
    s.form().Quit_Click();
    QVERIFY(!s.Part<QTimer>("FadeCierre")->isActive());
    QVERIFY(!s.form().isVisible());
}

void Form1Test::setTransparencyAppliesTheAlphaRule() {
    QWidget window;
    QCOMPARE(SetTransparency(window, 0), 0);
    QCOMPARE(Alpha(window), 255);
    QCOMPARE(SetTransparency(window, 35), 0);
    QCOMPARE(Alpha(window), 166);
    QCOMPARE(SetTransparency(window, 80), 0);
    QCOMPARE(Alpha(window), 51);
    // Beyond the alpha range: refused, the window keeps its alpha.
    QCOMPARE(SetTransparency(window, -4), 1);
    QCOMPARE(SetTransparency(window, 104), 1);
    QCOMPARE(Alpha(window), 51);
}

// The Windows laptop's thermal zone (3182 tenths of a kelvin): a stale value on screen is
// written over by the next tick; another section stops the timer.
void Form1Test::sensorsRefreshEverySecondWhileShown() {
    Started s("Idioma=English\n",
              LoadSnapshotFile(HARDLENS_TEST_DATA "/machines/laptop-windows.json"));
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    s.form().LBM_Click(14);
    auto* timer4 = s.Part<QTimer>("Timer4");
    QCOMPARE(timer4->interval(), 1000);
    QVERIFY(timer4->isActive());
    QCOMPARE(s.Text("Label8"), QString("45.0 °C (ACPI TZ00_0)"));
    WriteRow(app, 4, "System temperature: ", "stale");
    s.form().Render();
    QVERIFY(QTest::qWaitFor([&] { return s.Text("Label8") == "45.0 °C (ACPI TZ00_0)"; }, 3000));
    s.form().LBM_Click(15);
    QVERIFY(QTest::qWaitFor([&] { return !timer4->isActive(); }, 3000));
    QVERIFY(!app.main.timer4Enabled);
}

void Form1Test::liveMonitorStopsAfterASectionChange() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    // The User section's monitor runs from the start and stops at its first tick, which finds
    // another section shown.
    auto* timer3 = s.Part<QTimer>("Timer3");
    QVERIFY(timer3->isActive());
    QVERIFY(QTest::qWaitFor([&] { return !timer3->isActive(); }, 3000));
    QVERIFY(!app.main.timer3Enabled);

    auto* timer1 = s.Part<QTimer>("Timer1");
    QCOMPARE(timer1->interval(), 1000);
    QVERIFY(!timer1->isActive());

    // The Operating system section has started its monitor; then another section is shown.
    app.main.currentSection = 4;
    app.main.timer1Enabled = true;
    s.form().Render();
    QVERIFY(timer1->isActive());
    app.main.currentSection = 5;
    WriteRow(app, 9, "Speed: ", "3.2 GHz");
    s.form().Render();
    QVERIFY(QTest::qWaitFor([&] { return !timer1->isActive(); }, 3000));
    QVERIFY(!app.main.timer1Enabled);
    QCOMPARE(s.Text("Label18"), QString("3.2 GHz"));

    // Opening a panel stops every monitor.
    app.main.timer2Enabled = true;
    s.form().Render();
    QVERIFY(s.Part<QTimer>("Timer2")->isActive());
    s.form().About_Click();
    QVERIFY(!s.Part<QTimer>("Timer2")->isActive());
}

void Form1Test::dragsMoveTheWindow_data() {
    QTest::addColumn<QString>("part");
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QPoint>("moved"); // for a drag of (72, 36) with a first step of (12, 6)
    // The title piece is also clicked: it moves only past the drag distance, and then by the
    // whole drag, the pressed point under the pointer.
    QTest::newRow("title") << "SkinTopLeft" << QPoint(100, 20) << QPoint(72, 36);
    QTest::newRow("top frame") << "SkinTop" << QPoint(100, 20) << QPoint(72, 36);
    // Below the sixteenth entry, which ends at y = 458.
    QTest::newRow("left frame") << "SkinLeft" << QPoint(100, 470) << QPoint(72, 36);
    QTest::newRow("background") << "ValueArea" << QPoint(500, 400) << QPoint(72, 36);
    QTest::newRow("a caption") << "Label1" << QPoint(5, 10) << QPoint(72, 36);
    // Controls stay controls.
    QTest::newRow("menu entry") << "LBM3" << QPoint(20, 10) << QPoint(0, 0);
    QTest::newRow("options") << "LOps" << QPoint(10, 10) << QPoint(0, 0);
}

void Form1Test::dragsMoveTheWindow() {
    QFETCH(QString, part);
    QFETCH(QPoint, at);
    QFETCH(QPoint, moved);
    Started s;
    QVERIFY(s.LoadAndWait());
    QWidget* pressed = s.Part(part);
    QVERIFY(pressed);
    const QPoint before = s.form().pos();
    // The pointer's way on the screen, whatever the window does meanwhile.
    const QPoint from = pressed->mapToGlobal(at);
    auto send = [&](QEvent::Type type, QPoint by, Qt::MouseButtons held) {
        const QPoint global = from + by;
        QMouseEvent event(type, pressed->mapFromGlobal(global), global, Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(pressed, &event);
    };
    send(QEvent::MouseButtonPress, {}, Qt::LeftButton);
    send(QEvent::MouseMove, {12, 6}, Qt::LeftButton);
    send(QEvent::MouseMove, {72, 36}, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {72, 36}, Qt::NoButton);
    QCOMPARE(s.form().pos(), before + moved);
    // A drag is no click: the options menu stays closed.
    QVERIFY(!s.form().MenuOps()->isVisible());
}

void Form1Test::skinChosenWhileRunningFadesInWithoutHoldingClicks() {
    Started s;
    QVERIFY(s.LoadAndWait());
    s.app().settings.skin = "Violet";
    s.form().ApplySkin(true);
    s.form().Render();
    auto* corner = s.Part<PictureBox>("SkinTopLeft");
    QCOMPARE(corner->Picture(), QString("OTopLeft"));
    QCOMPARE(s.Part<PictureBox>("SkinRight")->Picture(), QString("ORight"));
    QVERIFY(corner->Fading());
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("Titulo")), QColor(240, 30, 240));

    s.form().LBM_Click(4);
    QCOMPARE(s.app().main.selectedEntry, 4);
    QCOMPARE(s.Part<PictureBox>("BM4")->Picture(), QString("OBotonMenu"));
    QVERIFY(QTest::qWaitFor([&] { return !corner->Fading(); }, 3000));
    QCOMPARE(corner->Opacity(), 1.0);
}

QTEST_MAIN(Form1Test)
#include "Form1_test.moc"
