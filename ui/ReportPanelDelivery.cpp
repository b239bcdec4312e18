// Delivering the report: copying it to the clipboard and saving it to a file.
#include "ReportPanel.h"
#include "core/App.h"
#include "core/LocaleText.h"
#include "ui/API_Save.h"
#include "ui/Form1.h"
#include "ui/QtString.h"
#include "ui/WindowStyle.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace hl {

namespace {

constexpr Rgb kCommandIdle{70, 70, 70};

// Asked when the name with the filter's extension names a file the dialog did not ask about.
QString ReplaceQuestion(const std::string& language, const QString& fileName) {
    return QString::fromUtf8(RulesOf(language).replaceQuestion).arg(fileName);
}

// Said in the status line when Yes to the editor question finds no editor to start.
QString NoEditorText(const std::string& language) {
    return QString::fromUtf8(RulesOf(language).noEditor);
}

// The Exec and Terminal keys of the desktop entry `desktopId` among the installed applications.
std::optional<DesktopEntry> ReadDesktopEntry(const QString& desktopId) {
    const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, desktopId);
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) return {};
    DesktopEntry entry;
    bool inEntry = false;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith('['))
            inEntry = line == "[Desktop Entry]";
        else if (inEntry && line.startsWith("Exec="))
            entry.exec = line.mid(5);
        else if (inEntry && line.startsWith("Terminal="))
            entry.terminal = line.mid(9).trimmed() == "true";
    }
    if (entry.exec.isEmpty()) return {};
    return entry;
}

// The application the desktop opens plain text with (its MIME defaults).
std::optional<DesktopEntry> DefaultTextHandler() {
    QProcess query;
    query.start("xdg-mime", {"query", "default", "text/plain"});
    if (!query.waitForFinished(3000) || query.exitCode() != 0) return {};
    const QString id = QString::fromUtf8(query.readAllStandardOutput()).trimmed();
    if (id.isEmpty()) return {};
    return ReadDesktopEntry(id);
}

} // namespace

QStringList EditorCommandFromExec(const QString& exec, const QString& file) {
    static const QRegularExpression fieldCode("^%[fFuUdDnNickvm]$");
    static const QRegularExpression fileCode("^%[fFuU]$");
    QStringList command;
    bool fileGiven = false;
    for (QString arg : QProcess::splitCommand(exec)) {
        if (fileCode.match(arg).hasMatch() && !fileGiven) {
            command << file;
            fileGiven = true;
        } else if (!fieldCode.match(arg).hasMatch()) {
            command << arg.replace("%%", "%");
        }
    }
    if (!command.isEmpty() && !fileGiven) command << file;
    return command;
}

QStringList EditorCommand(const std::optional<DesktopEntry>& defaultHandler,
                          const std::function<QString(const QString&)>& find, const QString& file) {
    if (defaultHandler && !defaultHandler->terminal) {
        const QStringList command = EditorCommandFromExec(defaultHandler->exec, file);
        if (!command.isEmpty() && !find(command.front()).isEmpty()) return command;
    }
    for (const char* name :
         {"gnome-text-editor", "gedit", "kate", "kwrite", "mousepad", "pluma", "xed"}) {
        const QString program = find(name);
        if (!program.isEmpty()) return {program, file};
    }
    const QString opener = find("xdg-open");
    if (!opener.isEmpty()) return {opener, file};
    return {};
}

bool ReportPanel::OpenInTextEditor(const QString& file) {
    const auto find = [](const QString& program) {
        return QFileInfo(program).isAbsolute() && QFileInfo(program).isExecutable()
                   ? program
                   : QStandardPaths::findExecutable(program);
    };
    QStringList command = EditorCommand(DefaultTextHandler(), find, file);
    if (command.isEmpty()) return false;
    QProcess editor;
    editor.setProgram(command.takeFirst());
    editor.setArguments(command);
    editor.setStandardInputFile(QProcess::nullDevice());
    editor.setStandardOutputFile(QProcess::nullDevice());
    editor.setStandardErrorFile(QProcess::nullDevice());
    return editor.startDetached();
}

void ReportPanel::OpenEditor() {
    // The editor gets a copy of the document shown, named as the Save dialog would name it.
    const QString extension = m_format == "HTML" ? ".html" : ".txt";
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) folder = QDir::tempPath();
    const QString file = QDir(folder).filePath(T(214) + extension);
    QString error;
    if (!WriteReportFile(file.toStdString(), ShownDocument(), &error) || !m_launchEditor ||
        !m_launchEditor(file)) {
        m_app.area.labelmi = NoEditorText(m_app.settings.language).toStdString();
        m_form.Render();
    }
}

QString ReportPanel::Caption() const {
    return m_form.windowTitle();
}

void ReportPanel::CopyReport_Click() {
    if (!m_ready) return;
    SetTextColour(m_cilop, kCommandIdle);
    const QString text = Q(NativeLineEnds(ShownDocument()));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    // A clipboard that refused the text reads back as something else.
    if (clipboard->text() != text) {
        QMessageBox box(QMessageBox::Warning, T(55), T(235), QMessageBox::Ok, &m_form);
        box.setObjectName("CopyFailed");
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    QMessageBox question(QMessageBox::Information, Caption(), T(234) + "\n\n" + T(237),
                         QMessageBox::Yes | QMessageBox::No, &m_form);
    question.setObjectName("OpenEditorQuestion");
    question.setTextFormat(Qt::PlainText);
    if (question.exec() == QMessageBox::Yes) OpenEditor();
}

void ReportPanel::LSave_Click() {
    if (!m_ready) return;
    SetTextColour(m_lsave, kCommandIdle);
    const std::string filter = m_app.T(208) + m_app.T(238);
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!QDir(documents).exists()) documents = QDir::homePath();
    std::string typed;
    m_fileName = ShowSaveDialog(&m_form, filter, m_app.T(209), documents.toStdString(),
                                m_app.T(214), 2, &typed);
    if (m_fileName.empty()) return;

    // The dialog asked about the name as typed only; the extension may name another file.
    const QString fileName = Q(m_fileName);
    if (m_fileName != typed && QFileInfo::exists(fileName)) {
        QMessageBox question(QMessageBox::Warning, T(209),
                             ReplaceQuestion(m_app.settings.language, fileName),
                             QMessageBox::Yes | QMessageBox::No, &m_form);
        question.setObjectName("ReplaceQuestion");
        question.setTextFormat(Qt::PlainText);
        question.setDefaultButton(QMessageBox::No);
        if (question.exec() != QMessageBox::Yes) return;
    }
    Save(m_fileName);
}

void ReportPanel::Save(const std::string& fileName) {
    std::string document;
    bool lineEnd = true;
    switch (ContentForName(fileName, m_format.toStdString())) {
    case SavedContent::Shown: document = ShownDocument(); break;
    case SavedContent::GeneratedText: document = m_tiO; break;
    case SavedContent::GeneratedHtml: document = m_tiHtml; break;
    case SavedContent::Nothing: lineEnd = false; break;
    }
    QString error;
    if (!WriteReportFile(fileName, document, &error, lineEnd)) {
        QMessageBox box(QMessageBox::Critical, T(55), QString("%1\n\n%2").arg(Q(fileName), error),
                        QMessageBox::Ok, &m_form);
        box.setObjectName("SaveFailed");
        box.setTextFormat(Qt::PlainText);
        box.exec();
        return;
    }
    m_app.area.labelmi = m_app.T(210);
    m_form.Render();
}

} // namespace hl
