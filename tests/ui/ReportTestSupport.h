#pragma once

#include "../unit/PrintedDocument.h"
#include "../unit/ReportClock.h"
#include "UiTestSupport.h"
#include "ui/ReportPanel.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <memory>

namespace hl::test {

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline std::string Expected(const char* name) {
    return ReadAll(QString(HARDLENS_TEST_DATA "/machines/") + name).toStdString();
}

// Types `typed` and picks `filter` in the Save dialog once it shows, then presses Save.
inline std::shared_ptr<bool> SaveAs(const QString& typed, const QString& filter) {
    return WhenShown<QFileDialog>("SaveDialog", [=](QFileDialog* d) {
        d->selectNameFilter(filter);
        d->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
        static_cast<QDialog*>(d)->accept(); // QFileDialog::accept, as the Save button
    });
}

inline const QString kText = "Text document (*.txt)";
inline const QString kHtml = "HTML page (*.html)";

// The rich recorded machine in English with the Blue skin, its report generated at the time
// of the reference documents.
struct Generated {
    Started s{"Idioma=English\nCar\xC3\xA1tula=Blue\n",
              LoadSnapshotFile(HARDLENS_TEST_DATA "/machines/rich.json")};
    ReportPanel* panel = nullptr;
    int launched = 0;
    QString editedFile;
    bool editorFound = true;

    explicit Generated(bool generate = true) {
        panel = new ReportPanel(s.app(), s.form());
        panel->SetClock(ReportTime);
        panel->SetEditorLauncher([this](const QString& file) {
            ++launched;
            editedFile = file;
            return editorFound;
        });
        if (!s.LoadAndWait()) qWarning("the window did not finish its fade-in");
        if (generate) panel->GenerateReport();
    }
    QString Status() { return s.Text("Labelmi"); }
};

// HOME and XDG_CONFIG_HOME in a temporary folder, so that the documents folder is a fresh one.
class TemporaryHome {
public:
    TemporaryHome() {
        qputenv("HOME", m_home.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", (m_home.path() + "/config").toUtf8());
        m_documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    bool Inside() const { return m_documents.startsWith(m_home.path()); }
    // Empties the documents folder.
    bool Clear() const {
        QDir(m_documents).removeRecursively();
        return QDir().mkpath(m_documents);
    }
    const QString& Documents() const { return m_documents; }

private:
    QTemporaryDir m_home;
    QString m_documents;
};

} // namespace hl::test
