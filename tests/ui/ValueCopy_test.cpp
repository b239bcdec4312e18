#include "UiTestSupport.h"
#include "core/Navigation.h"
#include "ui/ValueCopy.h"

#include <QClipboard>
#include <QMenu>
#include <QtTest>

using namespace hl;
using hl::test::Started;

namespace {

void RightRelease(QWidget* w, QPoint at = QPoint(2, 5)) {
    QTest::mousePress(w, Qt::RightButton, {}, at);
    QTest::mouseRelease(w, Qt::RightButton, {}, at);
}

QAction* Action(QMenu* menu, const char* name) {
    for (QAction* a : menu->actions())
        if (a->objectName() == name) return a;
    return nullptr;
}

QString Clipboard() {
    return QGuiApplication::clipboard()->text();
}

} // namespace

class ValueCopyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { hl::test::QuietOpacityWarnings(); }
    void init();
    void cleanup() { m_started.reset(); }
    void rowMenuOffersCopyPerTheSectionTable();
    void leftClickOpensNoMenu();
    void copyTakesTheWholeRowEvenWhenCutOnScreen();
    void copyAllOfOtherHardware();
    void backgroundMenuHasOnlyCopyAll();
    void nothingWhileAPanelIsOpen();

private:
    Started& S() { return *m_started; }
    QMenu* Menu() { return S().form().Copying()->Menu(); }
    std::unique_ptr<Started> m_started;
};

void ValueCopyTest::init() {
    m_started = std::make_unique<Started>();
    QVERIFY(S().LoadAndWait());
    for (int r = 1; r <= 12; ++r)
        WriteRow(S().app(), r, "Caption: ", "value");
    S().form().Render();
}

void ValueCopyTest::rowMenuOffersCopyPerTheSectionTable() {
    App& app = S().app();
    QMenu* menu = Menu();
    QCOMPARE(Action(menu, "Copy")->text(), QString("Copy"));
    QCOMPARE(Action(menu, "CopyAll")->text(), QString("Copy all"));

    // Row 12 can be copied only in the Summary; "Copy all" always.
    app.main.currentSection = 5;
    RightRelease(S().Part("Label24"));
    QVERIFY(menu->isVisible());
    QVERIFY(!Action(menu, "Copy")->isEnabled());
    QVERIFY(Action(menu, "CopyAll")->isEnabled());
    QCOMPARE(S().form().Copying()->SelectedRow(), 12);
    menu->hide();

    app.main.currentSection = 1;
    RightRelease(S().Part("Label23"));
    QVERIFY(Action(menu, "Copy")->isEnabled());
    menu->hide();

    // Row 4 is a spacer in Keyboard and mouse, a value in Memory.
    app.main.currentSection = 10;
    RightRelease(S().Part("Label7"));
    QVERIFY(!Action(menu, "Copy")->isEnabled());
    menu->hide();
    app.main.currentSection = 6;
    RightRelease(S().Part("Label8"));
    QVERIFY(Action(menu, "Copy")->isEnabled());
    QCOMPARE(S().form().Copying()->SelectedRow(), 4);
    menu->hide();
}

void ValueCopyTest::leftClickOpensNoMenu() {
    S().app().main.currentSection = 3;
    QTest::mouseClick(S().Part("Label6"), Qt::LeftButton);
    QTest::mouseClick(S().Part("ValueArea"), Qt::LeftButton, {}, QPoint(300, 420));
    QVERIFY(!Menu()->isVisible());
}

void ValueCopyTest::copyTakesTheWholeRowEvenWhenCutOnScreen() {
    App& app = S().app();
    app.main.currentSection = 11;
    WriteRow(app, 2, "Drive letter: ", "(E:)");
    const std::string longName(300, 'n');
    WriteRow(app, 3, "Internal name: ", longName);
    S().form().Render();

    RightRelease(S().Part("Label4"));
    Menu()->hide();
    S().form().Copying()->Copy_Click();
    QCOMPARE(Clipboard(), QString("Drive letter: (E:)"));
    // The status line tells that something was copied.
    QCOMPARE(S().Text("Labelmi"), QString("Copy: Done"));

    RightRelease(S().Part("Label5"));
    Menu()->hide();
    Action(Menu(), "Copy")->trigger();
    QCOMPARE(Clipboard(), QString::fromStdString("Internal name: " + longName));
}

void ValueCopyTest::copyAllOfOtherHardware() {
    App& app = S().app();
    app.main.currentSection = 13;
    app.area.titulo = "Others hardware";
    WriteRow(app, 1, "Motherboard name: ", "Board X");
    WriteRow(app, 2, "Manufacturer: ", "Maker Y");
    WriteRow(app, 3, "Internal name: ", "Model Z");
    WriteRow(app, 4, "", "");
    WriteRow(app, 5, "Sound card name: ", "Sound S");
    WriteRow(app, 6, "Manufacturer: ", "Maker M");
    S().form().Render();
    QGuiApplication::clipboard()->setText("old");
    S().form().Copying()->CopyAll_Click();
    QCOMPARE(Clipboard(), QString("Others hardware\n\nMotherboard name: Board X\n"
                                  "Manufacturer: Maker Y\nInternal name: Model Z\n\n"
                                  "Sound card name: Sound S\nManufacturer: Maker M"));
    QCOMPARE(S().Text("Labelmi"), QString("Copy all: Done"));
}

void ValueCopyTest::backgroundMenuHasOnlyCopyAll() {
    S().app().main.currentSection = 7;
    QTest::mousePress(S().Part("ValueArea"), Qt::RightButton, {}, QPoint(300, 410));
    QVERIFY(Menu()->isVisible());
    QVERIFY(!Action(Menu(), "Copy")->isEnabled());
    QVERIFY(Action(Menu(), "CopyAll")->isEnabled());
    Menu()->hide();
}

void ValueCopyTest::nothingWhileAPanelIsOpen() {
    App& app = S().app();
    app.main.currentSection = 7;
    S().form().About_Click();
    QCOMPARE(app.main.currentSection, kAboutBox);
    QTest::mousePress(S().Part("PicAcerca"), Qt::RightButton, {}, QPoint(300, 380));
    RightRelease(S().Part("Label2"));
    QVERIFY(!Menu()->isVisible());

    QGuiApplication::clipboard()->setText("kept");
    S().form().Copying()->CopyAll_Click();
    S().form().Copying()->Copy_Click();
    QCOMPARE(Clipboard(), QString("kept"));
    QVERIFY(!S().Text("Labelmi").startsWith("Copy"));
}

QTEST_MAIN(ValueCopyTest)
#include "ValueCopy_test.moc"
