#pragma once

#include "core/App.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "platform/snapshot/Snapshot.h"
#include "sections/Sections.h"
#include "ui/Form1.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTimer>
#include <functional>
#include <memory>

namespace hl::test {

// A small recorded machine: enough for the sections to find something.
inline Snapshot SmallMachine() {
    return ParseSnapshot(R"({
        "format": "hardlens-snapshot/1",
        "source": "window tests",
        "wmi": {
            "Win32_OperatingSystem": [ { "Caption": "Test OS", "NumberOfProcesses": 42,
                "TotalVirtualMemorySize": 4194304, "FreeVirtualMemory": 2097152,
                "FreePhysicalMemory": 1048576 } ],
            "Win32_Processor": [ { "Name": "Test CPU", "NumberOfCores": 4 } ]
        },
        "environment": { "USERNAME": "tester" },
        "tickCount": 93784000,
        "mouseButtons": 3
    })",
                         "window tests");
}

// The program as main() builds it, over a recorded machine, with its own settings folder
// ("XDG_CONFIG_HOME") holding `settingsFile` before start-up.
class Started {
public:
    explicit Started(const QByteArray& settingsFile = {}, Snapshot machine = SmallMachine()) {
        const QString folder = m_config.path() + "/hardlens";
        QDir().mkpath(folder);
        m_store = folder.toStdString() + "/settings";
        if (!settingsFile.isNull()) {
            QFile file(QString::fromStdString(m_store));
            if (file.open(QIODevice::WriteOnly)) file.write(settingsFile);
        }
        m_source = std::make_unique<SnapshotSource>(std::move(machine), SettingsStore(m_store));
        m_app = std::make_unique<App>(*m_source, AllSections());
        m_app->settings = LoadSettings(*m_source, m_app->table);
        m_form = std::make_unique<Form1>(*m_app);
        // Offscreen windows show no opacity; the fades run all the same, to be tested.
        m_form->SetFades(true);
    }

    // Form_Load and wait for the fade-in's end.
    bool LoadAndWait() {
        m_form->Form_Load();
        return QTest::qWaitFor([this] { return m_form->Running(); }, 5000);
    }

    App& app() { return *m_app; }
    const std::string& StorePath() const { return m_store; }
    Form1& form() { return *m_form; }
    std::optional<std::string> Stored(const char* name) const {
        return SettingsStore(m_store).Read(name);
    }
    template <class T = QWidget> T* Part(const QString& name) {
        return m_form->findChild<T*>(name);
    }
    QString Text(const QString& labelName) {
        QLabel* label = Part<QLabel>(labelName);
        return label ? label->text() : QString("<no %1>").arg(labelName);
    }
    QString T(int entry) const { return QString::fromStdString(m_app->T(entry)); }

private:
    QTemporaryDir m_config;
    std::string m_store;
    std::unique_ptr<SnapshotSource> m_source;
    std::unique_ptr<App> m_app;
    std::unique_ptr<Form1> m_form;
};

// The offscreen platform keeps a window's opacity but warns at every change; the fades make
// many. Other messages still go through.
inline void QuietOpacityWarnings() {
    static QtMessageHandler previous = nullptr;
    previous = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.contains("does not support setting window opacity")) return;
            if (previous) previous(type, context, message);
        });
}

// A tool tip as the user reads it: Qt shows a tip that looks like markup as rich text.
inline QString ShownToolTip(const QWidget* w) {
    const QString tip = w->toolTip();
    if (!Qt::mightBeRichText(tip)) return tip;
    QTextDocument doc;
    doc.setHtml(tip);
    return doc.toPlainText().remove(QChar(0x2060)); // word joiners draw nothing
}

inline QColor TextColour(QWidget* w) {
    return w->palette().color(QPalette::WindowText);
}

// Whether the widget as drawn contains a pixel of exactly this colour (glyph stems are drawn
// fully covered, so text shows its own colour there).
inline bool Draws(QWidget* w, QColor colour) {
    const QImage image = w->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y).rgb() == colour.rgb()) return true;
    return false;
}

// Modal dialogs run their own event loop: the script is queued before the dialog opens and
// acts on it once it is shown. Returns a flag that tells whether it ran.
template <class T>
inline std::shared_ptr<bool> WhenShown(const QString& name, std::function<void(T*)> act) {
    auto ran = std::make_shared<bool>(false);
    auto poll = std::make_shared<std::function<void(int)>>();
    // The queued timers keep the poll alive; it does not keep itself.
    std::weak_ptr<std::function<void(int)>> self = poll;
    *poll = [=](int triesLeft) {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* t = qobject_cast<T*>(w);
            if (t && t->isVisible() && t->objectName() == name) {
                *ran = true;
                act(t);
                return;
            }
        }
        if (auto again = self.lock(); again && triesLeft > 0)
            QTimer::singleShot(10, [again, triesLeft] { (*again)(triesLeft - 1); });
    };
    QTimer::singleShot(0, [poll] { (*poll)(300); });
    return ran;
}

// Presses `button` of the message box named `box` once it shows.
inline std::shared_ptr<bool> Answer(const QString& box, QMessageBox::StandardButton button) {
    return WhenShown<QMessageBox>(box, [=](QMessageBox* b) { b->button(button)->click(); });
}

inline bool AnyMessageBoxShown() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<QMessageBox*>(w) && w->isVisible()) return true;
    return false;
}

} // namespace hl::test
