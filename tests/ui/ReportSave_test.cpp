#include "ReportTestSupport.h"
#include "ui/CustomizePanel.h"

#include <QDialogButtonBox>
#include <QPlainTextEdit>
#include <QtTest>

using namespace hl;
using namespace hl::test;

class ReportSaveTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void savingTheHtmlPageUnderATypedName();
    void textFilterAppendsItsExtensionToEveryName();
    void shownHtmlSavedWithEitherFilter();
    void cancelWritesNothingAndShowsNothing();
    void existingFileUnderTheFinalNameIsReplacedOnlyWhenConfirmed();
    void savingReplacesAFileWhole();
    void failedSaveIsReported();
    void qtDialogsSpeakTheLanguageChosen_data();
    void qtDialogsSpeakTheLanguageChosen();

private:
    std::unique_ptr<TemporaryHome> m_home;
    QString m_documents;
};

void ReportSaveTest::initTestCase() {
    QuietOpacityWarnings();
    m_home = std::make_unique<TemporaryHome>();
    m_documents = m_home->Documents();
    QVERIFY(m_home->Inside());
}

void ReportSaveTest::init() {
    QVERIFY(m_home->Clear());
}

void ReportSaveTest::savingTheHtmlPageUnderATypedName() {
    Generated g;
    QString title, folder, name, filter;
    QStringList filters;
    auto ran = WhenShown<QFileDialog>("SaveDialog", [&](QFileDialog* d) {
        title = d->windowTitle();
        folder = d->directory().absolutePath();
        name = d->findChild<QLineEdit*>("fileNameEdit")->text();
        filter = d->selectedNameFilter();
        filters = d->nameFilters();
        d->findChild<QLineEdit*>("fileNameEdit")->setText("report");
        static_cast<QDialog*>(d)->accept(); // QFileDialog::accept, as the Save button
    });
    QTest::mouseClick(g.s.Part("LSave"), Qt::LeftButton);
    QVERIFY(*ran);
    QCOMPARE(title, QString("Save report as..."));
    QCOMPARE(folder, QDir(m_documents).absolutePath());
    QCOMPARE(name, QString("Report of Hardlens"));
    QCOMPARE(filters, QStringList({kText, kHtml}));
    QCOMPARE(filter, kHtml);

    const QString file = m_documents + "/report.html";
    QCOMPARE(ReadAll(file).toStdString(), AsPrinted(Expected("rich.English.Blue.html") + "\r\n"));
    QCOMPARE(QString::fromStdString(g.panel->ReportFileName()), file);
    QCOMPARE(g.Status(), QString("Report saved successfully!"));
}

void ReportSaveTest::textFilterAppendsItsExtensionToEveryName() {
    Generated g;
    auto ran = SaveAs("report.txt", kText);
    g.panel->LSave_Click();
    QVERIFY(*ran);
    QCOMPARE(ReadAll(m_documents + "/report.txt.txt").toStdString(),
             AsPrinted(Expected("rich.English.txt") + "\r\n"));
    QVERIFY(!QFile::exists(m_documents + "/report.txt"));
}

void ReportSaveTest::shownHtmlSavedWithEitherFilter() {
    Generated g;
    ReportPanel& p = *g.panel;
    p.SM2_Click();
    p.OPedit_Click();
    QTest::keyClicks(p.Ti(), "EDITED");
    const std::string edited = p.ShownDocument();
    QVERIFY(edited.find("EDITED") != std::string::npos);

    // The text filter writes the generated text, not the shown page.
    SaveAs("as-text", kText);
    p.LSave_Click();
    QCOMPARE(ReadAll(m_documents + "/as-text.txt").toStdString(),
             AsPrinted(Expected("rich.English.txt") + "\r\n"));
    // The HTML filter writes the page as shown, edits included.
    SaveAs("as-page", kHtml);
    p.LSave_Click();
    QCOMPARE(ReadAll(m_documents + "/as-page.html").toStdString(), AsPrinted(edited + "\r\n"));
}

void ReportSaveTest::cancelWritesNothingAndShowsNothing() {
    Generated g;
    auto ran = WhenShown<QFileDialog>("SaveDialog", [](QFileDialog* d) { d->reject(); });
    g.panel->LSave_Click();
    QVERIFY(*ran);
    QVERIFY(!hl::test::AnyMessageBoxShown());
    QVERIFY(QDir(m_documents).isEmpty());
    QCOMPARE(g.Status(), QString("Report generated"));
    QVERIFY(g.panel->ReportReady());
}

void ReportSaveTest::existingFileUnderTheFinalNameIsReplacedOnlyWhenConfirmed() {
    Generated g;
    const QString file = m_documents + "/report.html";
    {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    QString question;
    SaveAs("report", kHtml);
    auto asked = WhenShown<QMessageBox>("ReplaceQuestion", [&](QMessageBox* b) {
        question = b->text();
        b->button(QMessageBox::No)->click();
    });
    g.panel->LSave_Click();
    QVERIFY(*asked);
    QVERIFY(question.contains(file));
    QCOMPARE(ReadAll(file), QByteArray("old"));
    QCOMPARE(g.Status(), QString("Report generated"));

    SaveAs("report", kHtml);
    Answer("ReplaceQuestion", QMessageBox::Yes);
    g.panel->LSave_Click();
    QCOMPARE(ReadAll(file).toStdString(), AsPrinted(Expected("rich.English.Blue.html") + "\r\n"));
}

void ReportSaveTest::savingReplacesAFileWhole() {
    Generated g;
    const QString file = m_documents + "/report.txt";
    {
        QFile old(file);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(200000, 'x')); // longer than the report
    }
    SaveAs("report", kText);
    Answer("ReplaceQuestion", QMessageBox::Yes);
    g.panel->LSave_Click();
    QCOMPARE(ReadAll(file).toStdString(), AsPrinted(Expected("rich.English.txt") + "\r\n"));
    // Nothing is left beside it from the way it was written.
    QCOMPARE(QDir(m_documents).entryList(QDir::Files | QDir::Hidden), QStringList{"report.txt"});
}

void ReportSaveTest::failedSaveIsReported() {
    Generated g;
    QString title, text;
    auto failure = [&](QMessageBox* b) {
        title = b->windowTitle();
        text = b->text();
        b->button(QMessageBox::Ok)->click();
    };
    // A folder that does not exist.
    const QString missing = m_documents + "/missing/report";
    SaveAs(missing, kHtml);
    auto shown = WhenShown<QMessageBox>("SaveFailed", failure);
    g.panel->LSave_Click();
    QVERIFY(*shown);
    QCOMPARE(title, QString("Error!"));
    QVERIFY(text.contains(missing + ".html"));
    QVERIFY(text.size() > missing.size() + 5); // the reason follows the name
    QVERIFY(!QFile::exists(missing + ".html"));
    QCOMPARE(g.Status(), QString("Report generated"));

    // A folder in the way of the file: it is kept as it was.
    QVERIFY(QDir().mkpath(m_documents + "/taken.html/inside"));
    SaveAs("taken", kHtml);
    Answer("ReplaceQuestion", QMessageBox::Yes);
    shown = WhenShown<QMessageBox>("SaveFailed", failure);
    g.panel->LSave_Click();
    QVERIFY(*shown);
    QVERIFY(QFileInfo(m_documents + "/taken.html/inside").isDir());
    QCOMPARE(g.Status(), QString("Report generated"));
}

void ReportSaveTest::qtDialogsSpeakTheLanguageChosen_data() {
    QTest::addColumn<int>("flag");
    QTest::addColumn<QStringList>("saveCancelYesNo");
    QTest::newRow("Spanish") << 1
                             << QStringList{"Guardar", "Cancelar", QString::fromUtf8("Sí"), "No"};
    QTest::newRow("English") << 2 << QStringList{"Save", "Cancel", "Yes", "No"};
    QTest::newRow("Dutch") << 3 << QStringList{"Opslaan", "Annuleren", "Ja", "Nee"};
}

void ReportSaveTest::qtDialogsSpeakTheLanguageChosen() {
    QFETCH(int, flag);
    QFETCH(QStringList, saveCancelYesNo);
    // Started in another language; the choice in the customize panel switches Qt's texts too.
    Generated g(false);
    auto* customize = new CustomizePanel(g.s.app(), g.s.form());
    customize->Pers_Click();
    customize->Flag_Click(flag == 1 ? 3 : 1);
    customize->Flag_Click(flag);
    customize->Accept();
    g.panel->GenerateReport();
    QVERIFY(g.panel->ReportReady());

    auto plain = [](QAbstractButton* b) { return b ? b->text().remove('&') : QString(); };
    QStringList seen;
    auto dialog = WhenShown<QFileDialog>("SaveDialog", [&](QFileDialog* d) {
        auto* box = d->findChild<QDialogButtonBox*>("buttonBox");
        seen << plain(box->button(QDialogButtonBox::Save))
             << plain(box->button(QDialogButtonBox::Cancel));
        d->reject();
    });
    g.panel->LSave_Click();
    QVERIFY(*dialog);
    auto question = WhenShown<QMessageBox>("OpenEditorQuestion", [&](QMessageBox* b) {
        seen << plain(b->button(QMessageBox::Yes)) << plain(b->button(QMessageBox::No));
        b->button(QMessageBox::No)->click();
    });
    g.panel->CopyReport_Click();
    QVERIFY(*question);
    QCOMPARE(seen, saveCancelYesNo);
}

QTEST_MAIN(ReportSaveTest)
#include "ReportSave_test.moc"
