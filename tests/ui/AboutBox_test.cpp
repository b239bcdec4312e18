#include "UiTestSupport.h"
#include "core/Navigation.h"
#include "ui/AboutBox.h"
#include "ui/PictureBox.h"

#include <QDesktopServices>
#include <QtTest>

using namespace hl;
using hl::test::Started;

// Receives the addresses the about box opens instead of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class AboutBoxTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { hl::test::QuietOpacityWarnings(); }
    void opensWithItsPartsAndTexts();
    void versionTextFollowsTheLanguage_data();
    void versionTextFollowsTheLanguage();
    void acceptCollectsThePreviousSectionAgain();
    void acceptWithNoSectionShownYetStillCollectsOne();
    void ignoredWhileTheCustomizePanelIsOpen();
    void linkOpensTheWebSite();
    void acceptButtonLightsUpWhenPointedAt();
};

void AboutBoxTest::opensWithItsPartsAndTexts() {
    Started s("Car\xC3\xA1tula=Violet\n");
    QVERIFY(s.LoadAndWait());
    s.form().About_Click();
    const MainState& m = s.app().main;
    QCOMPARE(m.currentSection, kAboutBox);
    QVERIFY(m.panelOpen);
    QVERIFY(s.Part("PicAcerca")->isVisible());
    QCOMPARE(s.Part<PictureBox>("Ico")->Picture(), QString("IAC"));
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("LBM2")), QColor(215, 215, 215));

    QCOMPARE(s.Text("TAC"), QString("About..."));
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("TAC")), QColor(240, 30, 240));
    QCOMPARE(s.Text("Lversion"), QString("Version 2.1 (03/01/2011)"));
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("Lversion")), QColor(14, 14, 14));
    QCOMPARE(s.Text("LCR1"), QString("Copyright: "));
    QVERIFY(!s.Text("LCR2").isEmpty());
    QCOMPARE(s.Text("Lautor1"), QString("Author and e-mail: "));
    QVERIFY(s.Text("Lautor2").startsWith("Tarsel Omunde ("));
    QVERIFY(s.Text("Lautor2").contains('@'));
    QCOMPARE(s.Text("LThanks"), QString("Thanks to:"));
    QCOMPARE(s.Text("LUser1"), QString::fromUtf8("\u00B7 Brevin Haldoe - (Dutch translation) - "));
    QCOMPARE(s.Text("LUser2"), QString("Web site"));
    QCOMPARE(s.Text("CACLaceptar"), QString("Accept"));
    for (auto [first, second] : {std::pair{"LCR1", "LCR2"}, std::pair{"Lautor1", "Lautor2"},
                                 std::pair{"LUser1", "LUser2"}}) {
        QWidget* a = s.Part(first);
        QCOMPARE(s.Part(second)->x(), a->x() + a->width());
        QCOMPARE(s.Part(second)->y(), a->y());
    }
    // The rows and the status line are cleared under the panel.
    QVERIFY(s.Text("Titulo").isEmpty());
    QVERIFY(s.Text("Labelmi").isEmpty());
    QVERIFY(!s.Part("ImagenInfo")->isVisible());
}

void AboutBoxTest::versionTextFollowsTheLanguage_data() {
    QTest::addColumn<QByteArray>("language");
    QTest::addColumn<QString>("version");
    QTest::newRow("Spanish") << QByteArray("Spanish")
                             << QString::fromUtf8("Versión 2.1 (01/03/2011)");
    QTest::newRow("English") << QByteArray("English") << QString("Version 2.1 (03/01/2011)");
    QTest::newRow("Dutch") << QByteArray("Dutch") << QString("Versie 2.1 (01-03-2011)");
}

void AboutBoxTest::versionTextFollowsTheLanguage() {
    QFETCH(QByteArray, language);
    QFETCH(QString, version);
    Started s("Idioma=" + language + "\n");
    QVERIFY(s.LoadAndWait());
    s.form().About_Click();
    QCOMPARE(s.Text("Lversion"), version);
    // Every line stops at the separators' right end; one cut short shows whole in its tip.
    QWidget* box = s.Part("PicAcerca");
    for (QLabel* label : box->findChildren<QLabel*>())
        QVERIFY2(label->geometry().right() <= 531, qPrintable(label->objectName()));
    auto* author = s.Part<QLabel>("Lautor2");
    const QString whole =
        author->toolTip().isEmpty() ? author->text() : hl::test::ShownToolTip(author);
    QCOMPARE(whole, QString("Tarsel Omunde (tarsel.omunde@hardlens.example.org)"));
}

void AboutBoxTest::acceptCollectsThePreviousSectionAgain() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    // Hard drives shown, though another entry was the last one clicked.
    app.main.currentSection = 7;
    app.main.selectedEntry = 3;
    s.form().About_Click();
    QCOMPARE(int(app.main.savedSection), 7);

    QTest::mouseClick(s.Part("CACLaceptar"), Qt::RightButton);
    QVERIFY(s.Part("PicAcerca")->isVisible());
    QTest::mousePress(s.Part("CACLaceptar"), Qt::LeftButton);
    QVERIFY(!s.Part("PicAcerca")->isVisible());
    QVERIFY(!app.main.panelOpen);
    QCOMPARE(app.main.selectedEntry, 7);
    QVERIFY(app.main.menu.markerShown[7]);
    QCOMPARE(hl::test::TextColour(s.Part<QLabel>("LBM2")), QColor(250, 250, 250));
    QVERIFY(s.Part("ImagenInfo")->isVisible());
    const QString status = s.Text("Labelmi");
    QVERIFY2(status == s.T(33) || status == s.T(55), qPrintable(status)); // collected again
}

void AboutBoxTest::acceptWithNoSectionShownYetStillCollectsOne() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    // The first collector stopped before it named its section.
    app.main.currentSection = 0;
    app.main.selectedEntry = 1;
    s.form().About_Click();
    QTest::mousePress(s.Part("CACLaceptar"), Qt::LeftButton);
    QVERIFY(!app.main.panelOpen);
    QCOMPARE(app.main.selectedEntry, 1);
    const QString status = s.Text("Labelmi");
    QVERIFY2(status == s.T(33) || status == s.T(55), qPrintable(status));
}

void AboutBoxTest::ignoredWhileTheCustomizePanelIsOpen() {
    Started s;
    QVERIFY(s.LoadAndWait());
    App& app = s.app();
    app.main.currentSection = 5;
    QVERIFY(OpenPanel(app, kCustomizePanel));
    s.form().Render();
    s.form().About_Click();
    QCOMPARE(app.main.currentSection, kCustomizePanel);
    QCOMPARE(int(app.main.savedSection), 5);
    QVERIFY(!s.Part("PicAcerca")->isVisible());
}

void AboutBoxTest::linkOpensTheWebSite() {
    Started s;
    QVERIFY(s.LoadAndWait());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    s.form().About_Click();
    auto* link = s.Part<QLabel>("LUser2");
    QTest::mousePress(link, Qt::RightButton);
    QVERIFY(catcher.opened.isEmpty());
    QTest::mousePress(link, Qt::LeftButton);
    QCOMPARE(catcher.opened, QList<QUrl>{AboutBox::WebSite()});
    QDesktopServices::unsetUrlHandler("https");

    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(link, &enter);
    QCOMPARE(hl::test::TextColour(link), QColor(0, 80, 210));
    QVERIFY(link->font().underline());
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(link, &leave);
    QCOMPARE(hl::test::TextColour(link), QColor(64, 64, 64));
    QVERIFY(!link->font().underline());
}

void AboutBoxTest::acceptButtonLightsUpWhenPointedAt() {
    Started s;
    QVERIFY(s.LoadAndWait());
    s.form().About_Click();
    auto* picture = s.Part<PictureBox>("BotonAcAcerca");
    QCOMPARE(picture->Picture(), QString("BAN"));
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(s.Part("CACLaceptar"), &enter);
    QCOMPARE(picture->Picture(), QString("BAS"));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(s.Part("CACLaceptar"), &leave);
    QCOMPARE(picture->Picture(), QString("BAN"));
}

QTEST_MAIN(AboutBoxTest)
#include "AboutBox_test.moc"
