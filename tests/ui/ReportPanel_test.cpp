#include "ReportTestSupport.h"
#include "core/Navigation.h"
#include "ui/AcceptButton.h"
#include "ui/PictureBox.h"

#include <QClipboard>
#include <QMenu>
#include <QPlainTextEdit>
#include <QtTest>

using namespace hl;
using namespace hl::test;

class ReportPanelTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void generationShowsTheTextReport();
    void commandsAreInertWhileGenerating();
    void reportMenuHoldsItsCommands();
    void switchingLosesEdits();
    void copyPutsTheShownMarkupOnTheClipboard();
    void acceptWhileEditingResetsEditing();
    void editorCommandFromDesktopEntry_data();
    void editorCommandFromDesktopEntry();
    void graphicalEditorChosen_data();
    void graphicalEditorChosen();

private:
    std::unique_ptr<TemporaryHome> m_home;
    QString m_documents;
};

void ReportPanelTest::initTestCase() {
    QuietOpacityWarnings();
    m_home = std::make_unique<TemporaryHome>();
    m_documents = m_home->Documents();
    QVERIFY(m_home->Inside());
}

void ReportPanelTest::init() {
    QVERIFY(m_home->Clear());
}

void ReportPanelTest::generationShowsTheTextReport() {
    Generated g;
    ReportPanel& p = *g.panel;
    const std::string text = Expected("rich.English.txt");
    QVERIFY(p.ReportPanelOpen());
    QVERIFY(p.ReportReady());
    QCOMPARE(p.TiO(), text);
    QCOMPARE(p.TiHTML(), Expected("rich.English.Blue.html"));
    QCOMPARE(p.ShownDocument(), text);
    QCOMPARE(p.ReportFormat(), QString("TXT"));
    QVERIFY(!p.ReportEditable());
    QVERIFY(p.Ti()->isEnabled());
    QVERIFY(p.Ti()->isReadOnly());

    const App& app = g.s.app();
    QCOMPARE(app.main.currentSection, kReportPanel);
    QCOMPARE(int(app.main.savedSection), 1);
    QVERIFY(!app.main.timer1Enabled && !app.main.timer2Enabled && !app.main.timer3Enabled);
    QCOMPARE(g.Status(), QString("Report generated"));
    QVERIFY(g.s.Part("ImagenInfo")->isVisible());
    QCOMPARE(g.s.Part<PictureBox>("Ico")->Picture(), QString("IInf"));
    QCOMPARE(g.s.Text("TituloInforme"), QString("Generate report"));
    QCOMPARE(hl::test::TextColour(g.s.Part("TituloInforme")), QColor(0, 66, 221));
    QCOMPARE(g.s.Part<PictureBox>("LineInforme1")->Picture(), QString("ILine"));
    for (const char* line : {"CILineTop", "CILineLeft", "CILineDown", "CILineRight"})
        QCOMPARE(g.s.Part(line)->palette().color(QPalette::Window), QColor(190, 190, 190));
    QCOMPARE(g.s.Part<PictureBox>("ImageOpc")->Picture(), QString("OpcNormal"));
    QCOMPARE(g.s.Part<PictureBox>("CIBS")->Picture(), QString("ISaveColor"));
    QCOMPARE(g.s.Part<PictureBox>("BotonAcInforme")->Picture(), QString("BAN"));
    QCOMPARE(g.s.Text("CIlop"), QString("Options"));
    QCOMPARE(g.s.Text("LSave"), QString("Save report as..."));
    QCOMPARE(g.s.Text("CILA"), QString("Accept"));
    QCOMPARE(hl::test::TextColour(g.s.Part("CIlop")), QColor(70, 70, 70));
    QCOMPARE(hl::test::TextColour(g.s.Part("LSave")), QColor(70, 70, 70));
    QCOMPARE(hl::test::TextColour(g.s.Part("CILA")), QColor(64, 64, 64));
    QVERIFY(!g.s.Part("CITapador")->isVisible());
    QCOMPARE(hl::test::TextColour(g.s.Part<QLabel>("LBM2")), QColor(215, 215, 215));

    // Pointing at a command lights it in the skin's colour; the background turns it back.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(g.s.Part("LSave"), &enter);
    QCOMPARE(hl::test::TextColour(g.s.Part("LSave")), QColor(0, 66, 221));
    QMouseEvent move(QEvent::MouseMove, QPointF(300, 30), p.mapToGlobal(QPointF(300, 30)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&p, &move);
    QCOMPARE(hl::test::TextColour(g.s.Part("LSave")), QColor(70, 70, 70));
}

void ReportPanelTest::commandsAreInertWhileGenerating() {
    Generated g(false);
    ReportPanel& p = *g.panel;
    bool checked = false;
    QString status, accept;
    bool tapador = false, acceptEnabled = true;
    g.s.app().pumpEvents = [&] {
        if (checked) return;
        checked = true;
        status = g.Status();
        accept = g.s.Part<PictureBox>("BotonAcInforme")->Picture();
        acceptEnabled =
            g.s.Part("BotonAcInforme")->isEnabled() && g.s.Part("BotonAcInformeHost")->isEnabled();
        tapador = g.s.Part("CITapador")->isVisible();
        QTest::mousePress(g.s.Part("CILA"), Qt::LeftButton);
        QTest::mouseClick(g.s.Part("LSave"), Qt::LeftButton);
        p.SM2_Click();
        p.OPedit_Click();
        p.CopyReport_Click();
    };
    p.GenerateReport();
    QVERIFY(checked);
    QCOMPARE(status, QString("Generating report... Please wait."));
    QCOMPARE(accept, QString("BAByN"));
    QVERIFY(!acceptEnabled);
    QVERIFY(tapador);
    // None of the commands ran: the panel is open, the text shown, nothing asked or saved.
    QVERIFY(p.ReportPanelOpen());
    QCOMPARE(p.ReportFormat(), QString("TXT"));
    QVERIFY(!p.ReportEditable());
    QCOMPARE(p.ShownDocument(), Expected("rich.English.txt"));
    QVERIFY(QDir(m_documents).isEmpty());
}

void ReportPanelTest::reportMenuHoldsItsCommands() {
    Generated g;
    QMenu* menu = g.panel->Menu1();
    QStringList names;
    for (QAction* a : menu->actions())
        names << (a->isSeparator() ? "-" : a->objectName());
    QCOMPARE(names, QStringList({"CopyReport", "-", "OPedit", "CInf"}));
    QCOMPARE(menu->defaultAction()->objectName(), QString("CopyReport"));
    auto action = [menu](const char* name) { return menu->findChild<QAction*>(name); };
    QCOMPARE(action("CopyReport")->text(), QString("Copy report to the clipboard"));
    QCOMPARE(action("OPedit")->text(), QString("Edit report"));
    QCOMPARE(action("CInf")->text(), QString("Change report to..."));
    QMenu* sub = action("CInf")->menu();
    QVERIFY(sub);
    QCOMPARE(sub->actions().size(), 2);
    QCOMPARE(sub->actions()[0]->text(), QString("Text document"));
    QCOMPARE(sub->actions()[1]->text(), QString("HTML page"));
    QVERIFY(action("SM1")->isChecked());
    QVERIFY(!action("SM2")->isChecked());
    QVERIFY(!action("OPedit")->isChecked());

    action("SM2")->trigger();
    QVERIFY(!action("SM1")->isChecked());
    QVERIFY(action("SM2")->isChecked());
    QCOMPARE(g.panel->ShownDocument(), Expected("rich.English.Blue.html"));
    action("SM2")->trigger(); // again: stays checked
    QVERIFY(action("SM2")->isChecked());
    action("OPedit")->trigger();
    QVERIFY(action("OPedit")->isChecked());
    QVERIFY(!g.panel->Ti()->isReadOnly());

    // The menu opens on a release over the options label, not with the right button.
    QTest::mouseClick(g.s.Part("CIlop"), Qt::RightButton);
    QVERIFY(!menu->isVisible());
    QTest::mouseClick(g.s.Part("CIlop"), Qt::LeftButton);
    QVERIFY(menu->isVisible());
    menu->hide();
}

void ReportPanelTest::switchingLosesEdits() {
    Generated g;
    ReportPanel& p = *g.panel;
    p.OPedit_Click();
    QVERIFY(p.ReportEditable());
    QTest::keyClicks(p.Ti(), "EDITED");
    QVERIFY(p.Ti()->toPlainText().contains("EDITED"));
    p.SM2_Click();
    p.SM1_Click();
    QVERIFY(!p.Ti()->toPlainText().contains("EDITED"));
    QCOMPARE(p.ShownDocument(), Expected("rich.English.txt"));
    QCOMPARE(p.TiO(), Expected("rich.English.txt"));
    QVERIFY(p.ReportEditable()); // a switch leaves editing as it was
    QVERIFY(!p.Ti()->isReadOnly());
}

void ReportPanelTest::copyPutsTheShownMarkupOnTheClipboard() {
    Generated g;
    ReportPanel& p = *g.panel;
    p.SM2_Click();
    QString text, title;
    QMessageBox::Icon icon{};
    QMessageBox::StandardButtons buttons;
    auto ran = WhenShown<QMessageBox>("OpenEditorQuestion", [&](QMessageBox* b) {
        text = b->text();
        title = b->windowTitle();
        icon = b->icon();
        buttons = b->standardButtons();
        b->button(QMessageBox::No)->click();
    });
    p.CopyReport_Click();
    QVERIFY(*ran);
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(),
             LfLineEnds(Expected("rich.English.Blue.html")));
    QCOMPARE(text, g.s.T(234) + "\n\n" + g.s.T(237));
    QCOMPARE(title, g.s.form().windowTitle());
    QCOMPARE(icon, QMessageBox::Information);
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(g.launched, 0);

    // Yes opens the shown document; where no editor exists, the status line says so.
    Answer("OpenEditorQuestion", QMessageBox::Yes);
    p.CopyReport_Click();
    QCOMPARE(g.launched, 1);
    QVERIFY(g.editedFile.endsWith("/Report of Hardlens.html"));
    QCOMPARE(ReadAll(g.editedFile).toStdString(),
             AsPrinted(Expected("rich.English.Blue.html") + "\r\n"));
    QCOMPARE(g.Status(), g.s.T(207));
    g.editorFound = false;
    Answer("OpenEditorQuestion", QMessageBox::Yes);
    p.CopyReport_Click();
    QCOMPARE(g.Status(), QString("No text editor was found to open the report."));
}

void ReportPanelTest::acceptWhileEditingResetsEditing() {
    Generated g;
    ReportPanel& p = *g.panel;
    App& app = g.s.app();
    p.OPedit_Click();
    QTest::mousePress(g.s.Part("CILA"), Qt::RightButton);
    QVERIFY(p.ReportPanelOpen());
    QTest::mousePress(g.s.Part("CILA"), Qt::LeftButton);
    QVERIFY(!p.ReportPanelOpen());
    QVERIFY(!p.ReportReady());
    QVERIFY(!p.ReportEditable());
    QVERIFY(!p.Menu1()->findChild<QAction*>("OPedit")->isChecked());
    QVERIFY(p.Ti()->isReadOnly());
    QVERIFY(!p.Ti()->isEnabled());
    QVERIFY(p.TiO().empty() && p.TiHTML().empty() && p.Ti()->toPlainText().isEmpty());
    QVERIFY(!p.isVisible());
    QCOMPARE(hl::test::TextColour(g.s.Part("CILA")), QColor(0, 105, 210));
    QVERIFY(!app.main.panelOpen);
    QCOMPARE(app.main.currentSection, 1);
    QCOMPARE(g.s.Text("Titulo"), QString("Summary")); // collected again

    p.GenerateReport();
    QVERIFY(!p.Menu1()->findChild<QAction*>("OPedit")->isChecked());
    QVERIFY(p.Ti()->isReadOnly());
}

void ReportPanelTest::editorCommandFromDesktopEntry_data() {
    QTest::addColumn<QString>("exec");
    QTest::addColumn<QStringList>("command");
    const QString f = "/run/r.txt";
    QTest::newRow("file code") << "gedit %U" << QStringList{"gedit", f};
    QTest::newRow("options kept") << "gnome-text-editor --new-window %F"
                                  << QStringList{"gnome-text-editor", "--new-window", f};
    QTest::newRow("quoted program")
        << "\"/opt/My Editor/edit\" -n %f" << QStringList{"/opt/My Editor/edit", "-n", f};
    QTest::newRow("literal percent")
        << "kate --title 100%% %u" << QStringList{"kate", "--title", "100%", f};
    QTest::newRow("no file code") << "mousepad %i" << QStringList{"mousepad", f};
}

void ReportPanelTest::editorCommandFromDesktopEntry() {
    QFETCH(QString, exec);
    QFETCH(QStringList, command);
    QCOMPARE(EditorCommandFromExec(exec, "/run/r.txt"), command);
}

void ReportPanelTest::graphicalEditorChosen_data() {
    QTest::addColumn<QString>("defaultExec"); // empty: no default handler
    QTest::addColumn<bool>("terminal");
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QStringList>("command");
    const QString f = "/run/r.txt";
    QTest::newRow("graphical default")
        << "pluma %U" << false << QStringList{"pluma", "gedit"} << QStringList{"pluma", f};
    QTest::newRow("terminal default, first of the list")
        << "vim %F" << true << QStringList{"vim", "mousepad", "kate"}
        << QStringList{"/usr/bin/kate", f};
    QTest::newRow("default not installed")
        << "gedit %U" << false << QStringList{"xed"} << QStringList{"/usr/bin/xed", f};
    QTest::newRow("no editor, xdg-open")
        << "" << false << QStringList{"vim", "xdg-open"} << QStringList{"/usr/bin/xdg-open", f};
    QTest::newRow("nothing") << "vim %F" << true << QStringList{"vim"} << QStringList{};
}

void ReportPanelTest::graphicalEditorChosen() {
    QFETCH(QString, defaultExec);
    QFETCH(bool, terminal);
    QFETCH(QStringList, installed);
    QFETCH(QStringList, command);
    std::optional<DesktopEntry> handler;
    if (!defaultExec.isEmpty()) handler = DesktopEntry{defaultExec, terminal};
    auto find = [&](const QString& name) {
        return installed.contains(name) ? "/usr/bin/" + name : QString();
    };
    QCOMPARE(EditorCommand(handler, find, "/run/r.txt"), command);
}

QTEST_MAIN(ReportPanelTest)
#include "ReportPanel_test.moc"
