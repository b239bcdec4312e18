#pragma once

#include "core/ReportWriter.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;

namespace hl {

class AcceptButton;
class Form1;
class PictureBox;
struct App;

// CIN: the report panel, laid over the value area while CurrentSection is 98. It generates
// both report documents, shows one of them in Ti and offers switching, editing, copying and
// saving. Every command is inert until the report is ready.
class ReportPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kIconFadeMs = 500;

    // Connects itself to the window's "Generate report" command.
    ReportPanel(App& app, Form1& form);

    void GenerateReport();
    void SM1_Click(); // Text document
    void SM2_Click(); // HTML page
    void OPedit_Click();
    void CopyReport_Click();
    void LSave_Click();
    void CloseReportPanel();

    bool ReportPanelOpen() const { return m_open; }
    bool ReportReady() const { return m_ready; }
    bool ReportEditable() const { return m_editable; }
    const QString& ReportFormat() const { return m_format; }
    const std::string& ReportFileName() const { return m_fileName; }
    const std::string& TiO() const { return m_tiO; }
    const std::string& TiHTML() const { return m_tiHtml; }
    // The shown document as it would be copied or saved, edits included (CRLF line ends).
    std::string ShownDocument() const;

    QPlainTextEdit* Ti() const { return m_ti; }
    QMenu* Menu1() const { return m_menu1; }

    // The report's date and time (tests fix it).
    void SetClock(ReportWriter::Clock clock) { m_clock = std::move(clock); }
    // What Yes to "open the text editor?" runs on a copy of the shown document; false when no
    // editor could be started (tests replace the desktop's editor).
    using EditorLauncher = std::function<bool(const QString& file)>;
    void SetEditorLauncher(EditorLauncher launch) { m_launchEditor = std::move(launch); }

    // Opens `file` in a graphical text editor, detached, its output kept off ours; false when
    // the desktop has none.
    static bool OpenInTextEditor(const QString& file);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void BuildMenu1();
    void Show(const std::string& document);
    void SetFormat(bool html);
    void SetEditable(bool on);
    void PopUpMenu1();
    void Save(const std::string& fileName);
    QString Caption() const;
    QString T(int entry) const;

    App& m_app;
    Form1& m_form;
    QLabel* m_titulo;
    QWidget* m_borders[4]{}; // top, left, down, right
    QPlainTextEdit* m_ti;
    QWidget* m_tapador;
    PictureBox* m_imageOpc;
    QLabel* m_cilop;
    PictureBox* m_cibs;
    QLabel* m_lsave;
    AcceptButton* m_accept;

    QMenu* m_menu1 = nullptr;
    QAction* m_copyReport = nullptr;
    QAction* m_opEdit = nullptr;
    QMenu* m_cInf = nullptr;
    QAction* m_sm1 = nullptr;
    QAction* m_sm2 = nullptr;

    bool m_open = false;
    bool m_ready = false;
    bool m_editable = false;
    QString m_format;
    std::string m_fileName;
    std::string m_tiO, m_tiHtml;
    std::string m_shown; // what was last put into Ti, before any edit

    ReportWriter::Clock m_clock = ReportWriter::SystemClock;
    EditorLauncher m_launchEditor = OpenInTextEditor;
    void OpenEditor();
};

// The program and arguments of a desktop entry's Exec line that open `file`: its file field
// code (%f, %F, %u, %U) becomes the file, the other codes go; without one the file comes last.
QStringList EditorCommandFromExec(const QString& exec, const QString& file);

// The desktop entry that opens plain text by default, as far as the choice needs it.
struct DesktopEntry {
    QString exec;
    bool terminal = false; // Terminal=true: a terminal program, useless without a terminal
};

// The command that opens `file` in a graphical editor: the default handler unless it runs in a
// terminal, else the first installed of the usual editors, else xdg-open; empty when none of
// these exists. `find` gives a program's path, empty when it is not installed.
QStringList EditorCommand(const std::optional<DesktopEntry>& defaultHandler,
                          const std::function<QString(const QString&)>& find, const QString& file);

} // namespace hl
