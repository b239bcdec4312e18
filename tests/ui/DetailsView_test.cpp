#include "../unit/DeviceListSample.h"
#include "UiTestSupport.h"
#include "core/Skins.h"
#include "ui/Details.h"
#include "ui/DetailsView.h"
#include "ui/WindowStyle.h"

#include <QAccessible>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using namespace hl;
using namespace hl::test;

namespace {

DeviceList Slots(App&) {
    return SampleSlots();
}
DeviceList NoneFound(App&) {
    return {};
}
// RAM lists the sample's two slots, Hard drives finds none; the others list nothing.
DeviceLister SampleListers(int section) {
    return section == 6 ? &Slots : section == 7 ? &NoneFound : nullptr;
}

QString Heading(DetailsView* view, int i) {
    return view->Block(i)->Heading()->text();
}

QAccessibleInterface* AccessibleOf(QObject* part) {
    return QAccessible::queryAccessibleInterface(part);
}

} // namespace

class DetailsViewTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOpacityWarnings(); }
    void listsEveryDeviceOfTheListItIsHanded();
    void aSectionWithoutDevicesNeitherOpensNorShowsAnEmptyPane();
    void theControlFollowsTheSectionsOwnListers();
    void headingsTakeTheSkinsColour_data();
    void headingsTakeTheSkinsColour();
};

void DetailsViewTest::listsEveryDeviceOfTheListItIsHanded() {
    Started s("Idioma=English\n");
    QVERIFY(s.LoadAndWait());
    Details* details = s.form().DeviceDetails();
    details->SetListers(&SampleListers);
    s.form().LBM_Click(6);
    QVERIFY(details->Control()->isEnabled());
    QCOMPARE(details->Control()->text(), QString("Details"));
    QVERIFY(details->Open());

    DetailsView* view = details->View();
    QVERIFY(view->isVisible());
    QCOMPARE(view->Count(), 2);
    QCOMPARE(Heading(view, 0), QString("RAM: DIMM 1 (P0 CHANNEL A)"));
    QCOMPARE(Heading(view, 1), QString("RAM: DIMM 0 (P0 CHANNEL B)"));
    QCOMPARE(details->Control()->text(), QString("Close details"));
    // The rows under it are out of the screen reader's way.
    QVERIFY(!s.Part("Label2")->isVisible());

    // What a screen reader reads: a named list of items, each field one plain line.
    QAccessibleInterface* list = AccessibleOf(s.Part("DeviceList"));
    QCOMPARE(list->role(), QAccessible::List);
    QCOMPARE(list->text(QAccessible::Name), QString("Devices: RAM"));
    const QStringList second = {"Size: No Module Installed", "Memory type: Unknown",
                                "Speed: Unknown", "Manufacturer: Unknown",
                                "Serial number: Unknown"};
    QAccessibleInterface* item = AccessibleOf(view->Block(1));
    QCOMPARE(item->role(), QAccessible::ListItem);
    QCOMPARE(item->text(QAccessible::Name), Heading(view, 1));
    QStringList read;
    for (DeviceFieldRow* row : view->Block(1)->Rows()) {
        QCOMPARE(AccessibleOf(row)->role(), QAccessible::StaticText);
        read << AccessibleOf(row)->text(QAccessible::Name);
    }
    QCOMPARE(read, second);
    QVERIFY(item->state().focusable);

    // Every field fits the view's width: nothing is cut at its right edge.
    for (int i = 0; i < view->Count(); ++i)
        for (DeviceFieldRow* row : view->Block(i)->Rows()) {
            const QRect place(row->mapTo(view, QPoint(0, 0)), row->size());
            QVERIFY(place.left() >= 0 && place.right() < view->width());
            // Short captions and values take one line each.
            QVERIFY2(row->height() <= row->fontMetrics().lineSpacing() + 4,
                     qPrintable(row->accessibleName()));
        }

    // Going to another section closes the view.
    s.form().LBM_Click(5);
    QVERIFY(!view->isVisible());
    QVERIFY(s.Part("Label2")->isVisible());
}

void DetailsViewTest::aSectionWithoutDevicesNeitherOpensNorShowsAnEmptyPane() {
    Started s("Idioma=English\n");
    QVERIFY(s.LoadAndWait());
    Details* details = s.form().DeviceDetails();
    details->SetListers(&SampleListers);

    // A section that lists no devices: the control is disabled and nothing opens.
    s.form().LBM_Click(1);
    QVERIFY(!details->Control()->isEnabled());
    QVERIFY(!details->Open());
    QVERIFY(!details->View()->isVisible());

    // A section that lists devices but finds none says so.
    s.form().LBM_Click(7);
    QVERIFY(details->Control()->isEnabled());
    QVERIFY(details->Open());
    QCOMPARE(details->View()->Count(), 0);
    QVERIFY(details->View()->Notice()->isVisible());
    QCOMPARE(details->View()->Notice()->text(),
             QString("No device of this section was found on the machine."));
    QVERIFY(!details->View()->Scroller()->isVisible());
}

void DetailsViewTest::theControlFollowsTheSectionsOwnListers() {
    // The real path: the sections' own listers, gathered from the recorded machine.
    Started s("Idioma=English\n", LoadSnapshotFile(HARDLENS_TEST_DATA "/machines/rich.json"));
    QVERIFY(s.LoadAndWait());
    Details* details = s.form().DeviceDetails();
    for (int n = 1; n <= kSectionCount; ++n) {
        s.form().LBM_Click(n);
        const bool lists = DeviceListerOf(n) != nullptr;
        QCOMPARE(details->Control()->isEnabled(), lists);
        QCOMPARE(details->Open(), lists);
        if (!lists) continue;
        const DeviceList devices = SectionDevices(s.app(), n);
        QCOMPARE(details->View()->Count(), static_cast<int>(devices.size()));
        for (int i = 0; i < details->View()->Count(); ++i)
            QVERIFY(Heading(details->View(), i)
                        .endsWith(QString::fromStdString(devices[static_cast<size_t>(i)].name)));
        details->Close();
    }
}

void DetailsViewTest::headingsTakeTheSkinsColour_data() {
    QTest::addColumn<QString>("skin");
    QTest::addColumn<QColor>("title");
    // The title colour each skin names.
    for (const Skin& skin : Skins())
        QTest::newRow(skin.id) << QString(skin.id) << ToQColor(skin.title);
}

void DetailsViewTest::headingsTakeTheSkinsColour() {
    QFETCH(QString, skin);
    QFETCH(QColor, title);
    Started s(QString("Idioma=English\nCar\xC3\xA1tula=%1\n").arg(skin).toUtf8());
    QVERIFY(s.LoadAndWait());
    Details* details = s.form().DeviceDetails();
    details->SetListers(&SampleListers);
    s.form().LBM_Click(6);
    QVERIFY(details->Open());
    QVERIFY(Draws(details->View()->Block(0)->Heading(), title));
    QVERIFY(Draws(details->Control(), title));
    // The device with the focus is tinted and outlined in the skin's colour.
    details->View()->FocusDevice(0);
    QApplication::setActiveWindow(&s.form());
    QVERIFY(QTest::qWaitFor([&] { return details->View()->Block(0)->hasFocus(); }, 2000));
    auto edge = [&](int i) {
        const QImage image = details->View()->Block(i)->grab().toImage();
        return image.pixelColor(0, image.height() / 2).rgb();
    };
    QCOMPARE(edge(0), title.rgb());
    details->View()->FocusDevice(1);
    QVERIFY(QTest::qWaitFor([&] { return details->View()->Block(1)->hasFocus(); }, 2000));
    QVERIFY(edge(0) != title.rgb());
    QCOMPARE(edge(1), title.rgb());
}

QTEST_MAIN(DetailsViewTest)
#include "DetailsView_test.moc"
