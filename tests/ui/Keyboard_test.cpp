#include "../unit/DeviceListSample.h"
#include "ReportTestSupport.h"
#include "core/MainState.h"
#include "ui/CustomizePanel.h"
#include "ui/Details.h"
#include "ui/DetailsView.h"
#include "ui/KeyboardNav.h"
#include "ui/ValueCopy.h"

#include <QClipboard>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace hl;
using namespace hl::test;

namespace {

QWidget* g_window = nullptr;

QWidget* Focus() {
    // The offscreen platform activates a closed pop-up menu late, taking the focus out of the
    // window; a window system never activates a hidden window.
    QWidget* active = QApplication::activeWindow();
    if (g_window && (!active || !active->isVisible())) QApplication::setActiveWindow(g_window);
    return QApplication::focusWidget();
}

void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Focus();
    QWidget* to = QApplication::activePopupWidget();
    if (!to) to = QApplication::activeModalWidget();
    if (!to) to = Focus();
    QTest::keyClick(to, static_cast<Qt::Key>(key), mods);
}

// Tab until `part` has the focus; false when a whole round passes without it.
bool TabTo(QWidget* part) {
    for (int i = 0; i < 40 && Focus() != part; ++i)
        Key(Qt::Key_Tab);
    return Focus() == part;
}

QMenu* Popup() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

// Picks the n-th command (from 1, separators skipped) of the open pop-up menu.
void Choose(int n) {
    for (int i = 0; i < n; ++i)
        Key(Qt::Key_Down);
    Key(Qt::Key_Return);
}

// How many pixels of the window change by more than `contrast` (in any channel) when the
// focus mark is drawn.
int PixelsTheMarkChanges(QWidget& window, FocusMark* mark, int contrast) {
    const QImage with = window.grab().toImage();
    mark->hide();
    const QImage without = window.grab().toImage();
    mark->show();
    int changed = 0;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x) {
            const QColor a = with.pixelColor(x, y), b = without.pixelColor(x, y);
            const int d = std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()),
                                    std::abs(a.blue() - b.blue())});
            if (d > contrast) ++changed;
        }
    return changed;
}

// Nine memory slots, more than the view shows at once: the sample's two and seven copies of
// the first, each named by its number.
DeviceList NineSlots(App&) {
    DeviceList list = SampleSlots();
    for (int i = 2; i < 9; ++i) {
        list.push_back(list.front());
        list.back().name = "DIMM " + std::to_string(i);
    }
    return list;
}
DeviceLister RamListsNineSlots(int section) {
    return section == 6 ? &NineSlots : nullptr;
}

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOpacityWarnings(); }
    void everythingTheMouseDoesByKeys();
    void theDetailsViewByKeys();
    void focusMarkShowsOnEverySkinOnlyForTheKeyboard_data();
    void focusMarkShowsOnEverySkinOnlyForTheKeyboard();
};

void KeyboardTest::everythingTheMouseDoesByKeys() {
    TemporaryHome home;
    QVERIFY(home.Clear());
    Generated g(false);
    Started& s = g.s;
    new CustomizePanel(s.app(), s.form());
    const MainState& m = s.app().main;
    g_window = &s.form();
    QCOMPARE(Focus(), s.Part("LBM1"));

    // Every section from the menu: Down moves, Enter opens; Home and End jump.
    for (int n = 2; n <= 16; ++n) {
        Key(Qt::Key_Down);
        QCOMPARE(Focus(), s.Part(QString("LBM%1").arg(n)));
        Key(n % 2 ? Qt::Key_Return : Qt::Key_Space);
        QCOMPARE(m.currentSection, n);
    }
    Key(Qt::Key_Down); // stays on the last entry
    QCOMPARE(Focus(), s.Part("LBM16"));
    Key(Qt::Key_Home);
    QCOMPARE(Focus(), s.Part("LBM1"));
    for (int i = 0; i < 4; ++i)
        Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    QCOMPARE(m.currentSection, 5);

    // Tab: the menu, Options, then the value rows; Ctrl+C copies the focused row.
    Key(Qt::Key_Tab);
    QCOMPARE(Focus(), s.Part("LOps"));
    Key(Qt::Key_Tab);
    QCOMPARE(Focus(), s.Part("Label2"));
    Key(Qt::Key_Backtab);
    QCOMPARE(Focus(), s.Part("LOps"));
    Key(Qt::Key_Tab);
    QGuiApplication::clipboard()->clear();
    Key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), s.Text("Label1") + s.Text("Label2"));
    Key(Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(Popup(), s.form().Copying()->Menu());
    QCOMPARE(s.form().Copying()->SelectedRow(), 1);
    Key(Qt::Key_Escape);
    QVERIFY(!Popup());

    // Customize: a flag, a skin and the slider by keys, accepted with Enter.
    Key(Qt::Key_F10);
    QCOMPARE(Popup(), s.form().MenuOps());
    Key(Qt::Key_Escape);
    Key(Qt::Key_O, Qt::AltModifier);
    QCOMPARE(Popup(), s.form().MenuOps());
    Choose(1);
    QCOMPARE(m.currentSection, kCustomizePanel);
    QCOMPARE(Focus(), s.Part("Flag1"));
    Key(Qt::Key_Return);
    QCOMPARE(s.app().settings.language, std::string("Spanish"));
    QVERIFY(TabTo(s.Part("Skin2")));
    Key(Qt::Key_Space);
    QCOMPARE(s.app().settings.skin, std::string("Green"));
    QVERIFY(TabTo(s.Part("SLI")));
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Right);
    Key(Qt::Key_Left);
    QCOMPARE(s.Text("LVT"), QString("4%"));
    Key(Qt::Key_Return);
    QCOMPARE(m.currentSection, 5);
    QCOMPARE(Focus(), s.Part("LBM5"));
    QCOMPARE(s.Stored("Idioma"), std::optional<std::string>("Spanish"));
    QCOMPARE(s.Stored("Car\xC3\xA1tula"), std::optional<std::string>("Green"));
    QCOMPARE(s.Stored("Transparencia"), std::optional<std::string>("4"));

    // Escape cancels the panel: the language chosen in it is taken back, nothing is saved.
    Key(Qt::Key_O, Qt::AltModifier);
    Choose(1);
    QVERIFY(TabTo(s.Part("Flag3")));
    Key(Qt::Key_Return);
    QCOMPARE(s.Text("LBM1"), QString("Overzicht"));
    Key(Qt::Key_Escape);
    QCOMPARE(m.currentSection, 5);
    QCOMPARE(s.app().settings.language, std::string("Spanish"));
    QCOMPARE(s.Text("LBM1"), s.T(10));
    QCOMPARE(s.Stored("Idioma"), std::optional<std::string>("Spanish"));

    // The report: generated, switched to the HTML page, saved, closed with Escape.
    Key(Qt::Key_F10);
    Choose(2);
    QVERIFY(QTest::qWaitFor([&] { return g.panel->ReportReady(); }, 10000));
    // The text box, on top, comes first; then the commands under it.
    QCOMPARE(Focus(), s.Part("Ti"));
    Key(Qt::Key_Tab);
    QCOMPARE(Focus(), s.Part("CIlop"));
    Key(Qt::Key_Return);
    QCOMPARE(Popup(), g.panel->Menu1());
    Choose(3); // Change report to..., its submenu opens on its first entry
    QVERIFY(Popup() != g.panel->Menu1());
    Choose(1);
    QCOMPARE(g.panel->ReportFormat(), QString("HTML"));
    QVERIFY(TabTo(s.Part("LSave")));
    auto saved = WhenShown<QFileDialog>("SaveDialog", [](QFileDialog* d) {
        // Qt's own dialog, driven as the other save tests drive it.
        d->findChild<QLineEdit*>("fileNameEdit")->setText("keys");
        static_cast<QDialog*>(d)->accept();
    });
    Key(Qt::Key_Return);
    QVERIFY(*saved);
    QVERIFY(QFileInfo::exists(home.Documents() + "/keys.html"));
    Key(Qt::Key_Escape);
    QCOMPARE(m.currentSection, 5);
    QVERIFY(!g.panel->ReportPanelOpen());

    // The about box opens from the menu and closes with Enter, then with Escape.
    for (int close : {Qt::Key_Return, Qt::Key_Escape}) {
        Key(Qt::Key_F10);
        Choose(3);
        QCOMPARE(m.currentSection, kAboutBox);
        Key(close);
        QCOMPARE(m.currentSection, 5);
    }

    // Ctrl+Q quits through the fade-out.
    Key(Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(s.form().ClosingStarted());
    QVERIFY(QTest::qWaitFor([&] { return !s.form().isVisible(); }, 5000));
    g_window = nullptr;
}

void KeyboardTest::theDetailsViewByKeys() {
    Started s("Idioma=English\n");
    QVERIFY(s.LoadAndWait());
    g_window = &s.form();
    Details* details = s.form().DeviceDetails();
    details->SetListers(&RamListsNineSlots);
    DetailsView* view = details->View();
    auto device = [&](int i) { return static_cast<QWidget*>(view->Block(i)); };

    // D opens it nowhere but where the section lists devices.
    Key(Qt::Key_D);
    QVERIFY(!view->isVisible());
    for (int i = 0; i < 5; ++i)
        Key(Qt::Key_Down);
    Key(Qt::Key_Return);
    QCOMPARE(s.app().main.currentSection, 6);
    Key(Qt::Key_D);
    QVERIFY(view->isVisible());
    QCOMPARE(view->Count(), 9);
    QCOMPARE(Focus(), device(0));
    QVERIFY(s.form().Keys()->MarkShown());

    // The arrows, Page Down/Up, End and Home move between devices, scrolling to each.
    Key(Qt::Key_Down);
    QCOMPARE(Focus(), device(1));
    Key(Qt::Key_Up);
    QCOMPARE(Focus(), device(0));
    Key(Qt::Key_PageDown);
    const int paged = view->Current();
    QVERIFY2(paged > 1 && paged < 8, qPrintable(QString::number(paged)));
    Key(Qt::Key_PageUp);
    QCOMPARE(Focus(), device(0));
    Key(Qt::Key_End);
    QCOMPARE(Focus(), device(8));
    QVERIFY(view->Scroller()->verticalScrollBar()->value() > 0);
    const QRect shown(view->Scroller()->viewport()->mapTo(&s.form(), QPoint(0, 0)),
                      view->Scroller()->viewport()->size());
    QVERIFY(shown.contains(QRect(device(8)->mapTo(&s.form(), QPoint(0, 0)), device(8)->size())));
    // The focus mark stays inside the part of the list that shows.
    QVERIFY(shown.adjusted(-4, -4, 4, 4).contains(s.form().Keys()->Mark()->geometry()));
    Key(Qt::Key_Home);
    QCOMPARE(Focus(), device(0));
    Key(Qt::Key_Down);

    // Ctrl+C copies the device with the focus, the copy menu's Copy all every device.
    QGuiApplication::clipboard()->clear();
    Key(Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QString("RAM: DIMM 0 (P0 CHANNEL B)\n  Size: No Module Installed\n"
                     "  Memory type: Unknown\n  Speed: Unknown\n  Manufacturer: Unknown\n"
                     "  Serial number: Unknown"));
    QCOMPARE(s.Text("Labelmi"), QString("Copy: Done"));
    Key(Qt::Key_F10, Qt::ShiftModifier);
    QCOMPARE(Popup(), s.form().Copying()->Menu());
    Choose(2);
    const QString all = QGuiApplication::clipboard()->text();
    QVERIFY(all.startsWith("RAM: DIMM 1 (P0 CHANNEL A)\n  Size: 32 GB\n"));
    QCOMPARE(all.count("RAM: "), 9);
    QCOMPARE(all.count("\n\nRAM: "), 8);
    QCOMPARE(s.Text("Labelmi"), QString("Copy all: Done"));

    // Tab: the list is one stop, then the control that closes it; Shift+Tab comes back.
    QCOMPARE(Focus(), device(1));
    Key(Qt::Key_Tab);
    QCOMPARE(Focus(), s.Part("LDetails"));
    QCOMPARE(s.Text("LDetails"), QString("Close details"));
    Key(Qt::Key_Backtab);
    QCOMPARE(Focus(), device(1));

    // Escape closes it and the focus returns where it was.
    Key(Qt::Key_Escape);
    QVERIFY(!view->isVisible());
    QCOMPARE(Focus(), s.Part("LBM6"));

    // The control, reached by Tab after the rows, opens it; and so does the copy menu.
    QVERIFY(TabTo(s.Part("LDetails")));
    QCOMPARE(s.Text("LDetails"), QString("Details"));
    Key(Qt::Key_Return);
    QVERIFY(view->isVisible());
    QCOMPARE(Focus(), device(0));
    Key(Qt::Key_Tab);
    Key(Qt::Key_Return);
    QVERIFY(!view->isVisible());
    QCOMPARE(Focus(), s.Part("LDetails"));
    QVERIFY(TabTo(s.Part("Label2")));
    Key(Qt::Key_F10, Qt::ShiftModifier);
    Choose(3); // Copy, Copy all, then the details
    QVERIFY(view->isVisible());
    Key(Qt::Key_D);
    QVERIFY(!view->isVisible());
    QCOMPARE(Focus(), s.Part("Label2"));
    g_window = nullptr;
}

void KeyboardTest::focusMarkShowsOnEverySkinOnlyForTheKeyboard_data() {
    QTest::addColumn<QString>("skin");
    for (const char* skin : {"Blue", "Green", "Pink", "Violet"})
        QTest::newRow(skin) << skin;
}

void KeyboardTest::focusMarkShowsOnEverySkinOnlyForTheKeyboard() {
    QFETCH(QString, skin);
    Started s(QString("Idioma=English\nCar\xC3\xA1tula=%1\n").arg(skin).toUtf8());
    QVERIFY(s.LoadAndWait());
    FocusMark* mark = s.form().Keys()->Mark();
    QVERIFY(!mark->isVisible()); // focus alone, before any key, draws nothing

    // On the skin's frame (a menu entry) and on the value area (a row).
    Key(Qt::Key_End);
    Key(Qt::Key_Home);
    auto place = [&](const char* name) {
        QWidget* w = s.Part(name);
        return QRect(w->mapTo(&s.form(), QPoint(0, 0)), w->size());
    };
    for (const char* part : {"LBM1", "Label2"}) {
        QVERIFY(TabTo(s.Part(part)));
        QVERIFY(mark->isVisible());
        QVERIFY2(PixelsTheMarkChanges(s.form(), mark, 80) >= 40, part);
    }
    // A row is marked whole.
    QVERIFY(mark->geometry().contains(place("Label2")));
    // A menu entry is marked inside its marker, with room left of its first letter and above
    // and below its text.
    QVERIFY(TabTo(s.Part("LBM1")));
    auto* entry = s.Part<QLabel>("LBM1");
    const QFontMetrics metrics = entry->fontMetrics();
    // The text's ink: its line centred in the label, the glyphs' box from the baseline.
    const int baseline =
        place("LBM1").y() + (entry->height() - metrics.height()) / 2 + metrics.ascent();
    const QRect letters =
        metrics.boundingRect(entry->text()).translated(place("LBM1").x(), baseline);
    QVERIFY(place("BM1").contains(mark->geometry()));
    QVERIFY2(mark->geometry().adjusted(6, 2, -2, -2).contains(letters),
             qPrintable(QString("mark %1,%2 %3x%4, letters %5,%6 %7x%8")
                            .arg(mark->x())
                            .arg(mark->y())
                            .arg(mark->width())
                            .arg(mark->height())
                            .arg(letters.x())
                            .arg(letters.y())
                            .arg(letters.width())
                            .arg(letters.height())));
    QTest::mousePress(s.Part("Label2"), Qt::LeftButton);
    QVERIFY(!mark->isVisible());
}

QTEST_MAIN(KeyboardTest)
#include "Keyboard_test.moc"
