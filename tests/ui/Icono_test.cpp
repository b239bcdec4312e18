#include "UiTestSupport.h"
#include "core/Navigation.h"
#include "ui/PictureBox.h"
#include "ui/PictureLibrary.h"

#include <QtTest>

using namespace hl;
using hl::test::Started;

class IconoTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { hl::test::QuietOpacityWarnings(); }
    void iconsFollowTheShownSection_data();
    void iconsFollowTheShownSection();
    void iconFadesInAndAClickDuringItStartsTheNextSection();
    void missingPictureDrawsNothing();
};

void IconoTest::iconsFollowTheShownSection_data() {
    QTest::addColumn<int>("section");
    QTest::addColumn<int>("removable");
    QTest::addColumn<int>("cd");
    QTest::addColumn<QString>("ico");
    QTest::addColumn<QString>("iaviso");
    QTest::newRow("summary") << 1 << 0 << 0 << "Sec1"
                             << "";
    QTest::newRow("user") << 2 << 0 << 0 << "Sec2"
                          << "Info";
    for (int n = 3; n <= 10; ++n)
        QTest::addRow("section %d", n) << n << 0 << 0 << QString("Sec%1").arg(n) << "";
    QTest::newRow("removable, none") << 11 << 0 << 3 << "Sec11b"
                                     << "Alerta";
    QTest::newRow("removable, one") << 11 << 1 << 0 << "Sec11a"
                                    << "Ok";
    QTest::newRow("cd, none") << 12 << 2 << 0 << "Sec12b"
                              << "Alerta";
    QTest::newRow("cd, two") << 12 << 0 << 2 << "Sec12a"
                             << "Ok";
    QTest::newRow("other hardware") << 13 << 0 << 0 << "Sec13"
                                    << "";
    for (int n = 14; n <= 16; ++n)
        QTest::addRow("section %d", n) << n << 0 << 0 << QString("Sec%1").arg(n) << "";
    QTest::newRow("customize") << 97 << 0 << 0 << "IOpc"
                               << "";
    QTest::newRow("report") << 98 << 0 << 0 << "IInf"
                            << "";
    QTest::newRow("about") << 99 << 0 << 0 << "IAC"
                           << "";
}

void IconoTest::iconsFollowTheShownSection() {
    QFETCH(int, section);
    QFETCH(int, removable);
    QFETCH(int, cd);
    QFETCH(QString, ico);
    QFETCH(QString, iaviso);
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    app.main.currentSection = section;
    app.main.removableDrivesCounted = static_cast<int16_t>(removable);
    app.main.cdDrivesCounted = static_cast<int16_t>(cd);
    app.area.iavisoVisible = !iaviso.isEmpty();
    Icono(app);
    s.form().Render();
    QCOMPARE(s.Part<PictureBox>("Ico")->Picture(), ico);
    QCOMPARE(s.Part<PictureBox>("Iaviso")->Picture(), iaviso);
    QVERIFY(PictureLibrary::Instance().Has(ico));
    if (!iaviso.isEmpty()) QVERIFY(PictureLibrary::Instance().Has(iaviso));
}

void IconoTest::iconFadesInAndAClickDuringItStartsTheNextSection() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    auto* ico = s.Part<PictureBox>("Ico");
    auto* iaviso = s.Part<PictureBox>("Iaviso");
    app.main.currentSection = 2;
    app.area.iavisoVisible = true;
    Icono(app);
    s.form().Render();
    QVERIFY(ico->Fading());
    QVERIFY(iaviso->Fading());
    QVERIFY(ico->Opacity() < 1.0);

    // The fade does not hold the window: the next click is handled at once.
    s.form().LBM_Click(6);
    QCOMPARE(app.main.selectedEntry, 6);
    QVERIFY(app.main.menu.markerShown[6]);
    QVERIFY(QTest::qWaitFor([&] { return !ico->Fading() && !iaviso->Fading(); }, 3000));
    QCOMPARE(ico->Opacity(), 1.0);
}

void IconoTest::missingPictureDrawsNothing() {
    QVERIFY(PictureLibrary::Instance().Picture("NoSuchPicture", {48, 48}).isNull());
    QVERIFY(!PictureLibrary::Instance().Picture("Sec1", {48, 48}, 2.0).isNull());
    QCOMPARE(PictureLibrary::Instance().Picture("Sec1", {48, 48}, 2.0).size(), QSize(96, 96));
    PictureBox box("Ico", nullptr);
    box.resize(48, 48);
    box.SetPicture("NoSuchPicture");
    const QImage drawn = box.grab().toImage();
    QVERIFY(!drawn.isNull()); // painted without a crash
}

QTEST_MAIN(IconoTest)
#include "Icono_test.moc"
