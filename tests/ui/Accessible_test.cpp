#include "ReportTestSupport.h"
#include "ui/CustomizePanel.h"

#include <QAccessible>
#include <QtTest>

using namespace hl;
using namespace hl::test;

namespace {

enum class Shown { Processor, Customize, Report, About };

QString Said(QWidget* part, QAccessible::Text text = QAccessible::Name) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(part);
    return face ? face->text(text) : QString("<no interface>");
}

QAccessible::Role Role(QWidget* part) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(part);
    return face ? face->role() : QAccessible::NoRole;
}

} // namespace

class AccessibleTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QuietOpacityWarnings(); }
    void controlsTellTheirNameAndRole_data();
    void controlsTellTheirNameAndRole();
    void valueRowsAreReadWholeAsTheyAreCopied();
};

void AccessibleTest::controlsTellTheirNameAndRole_data() {
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("part");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("role");
    auto row = [](const char* tag, Shown shown, const char* part, const QString& name,
                  QAccessible::Role role) {
        QTest::newRow(tag) << int(shown) << part << name << int(role);
    };
    row("menu entry", Shown::Processor, "LBM5", "Processor", QAccessible::MenuItem);
    row("options", Shown::Processor, "LOps", "Options", QAccessible::ButtonMenu);
    row("flag", Shown::Customize, "Flag1", QString::fromUtf8("Español (Argentina)"),
        QAccessible::RadioButton);
    row("skin", Shown::Customize, "Skin3", "Pink", QAccessible::RadioButton);
    row("slider", Shown::Customize, "SLI", "Transparency: 0%", QAccessible::Slider);
    row("customize accept", Shown::Customize, "BotonAcOpcionesHost", "Accept", QAccessible::Button);
    row("report options", Shown::Report, "CIlop", "Options", QAccessible::ButtonMenu);
    row("save", Shown::Report, "LSave", "Save report as...", QAccessible::Button);
    row("report text", Shown::Report, "Ti", "Generate report", QAccessible::EditableText);
    row("web site", Shown::About, "LUser2", "Web site", QAccessible::Link);
    row("about accept", Shown::About, "BotonAcAcercaHost", "Accept", QAccessible::Button);
}

void AccessibleTest::controlsTellTheirNameAndRole() {
    QFETCH(int, shown);
    QFETCH(QString, part);
    QFETCH(QString, name);
    QFETCH(int, role);
    Generated g(false);
    auto* customize = new CustomizePanel(g.s.app(), g.s.form());
    g.s.form().LBM_Click(5);
    switch (Shown(shown)) {
    case Shown::Processor: break;
    case Shown::Customize: customize->Pers_Click(); break;
    case Shown::Report: g.panel->GenerateReport(); break;
    case Shown::About: g.s.form().About_Click(); break;
    }
    QWidget* control = g.s.Part(part);
    QVERIFY(control);
    QCOMPARE(Said(control), name);
    QCOMPARE(int(Role(control)), role);
}

void AccessibleTest::valueRowsAreReadWholeAsTheyAreCopied() {
    Generated g(false);
    g.s.form().LBM_Click(5);
    const App& app = g.s.app();
    bool speedSeen = false;
    for (int r = 1; r <= 12; ++r) {
        const QString caption = g.s.Text(QString("Label%1").arg(2 * r - 1));
        const QString value = QString::fromStdString(app.area.Row(r).value);
        QCOMPARE(Said(g.s.Part(QString("Label%1").arg(2 * r))), caption + value);
        // The recorded processor runs at 2394 MHz (its ~MHz registry value).
        if (caption.startsWith("Speed: ")) speedSeen = value.contains("2394");
    }
    QVERIFY(speedSeen);
}

QTEST_MAIN(AccessibleTest)
#include "Accessible_test.moc"
