#include "core/App.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "core/sources/MachineSource.h"
#include "core/sources/Snapshot.h"
#include "ui/Form1.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>

namespace {

std::unique_ptr<hl::DataSource> OpenSource() {
    hl::SettingsStore store(hl::SettingsStore::DefaultPath());
    const char* snapshot = std::getenv("HARDLENS_SNAPSHOT");
    if (snapshot && *snapshot)
        return std::make_unique<hl::SnapshotSource>(hl::LoadSnapshotFile(snapshot), store);
    return hl::MakeMachineSource(store);
}

bool EnvFlag(const char* name) {
    const char* value = std::getenv(name);
    return value && std::string(value) == "1";
}

// Peak resident memory of this process in KiB (VmHWM), or -1.
long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Measuring aids: HARDLENS_EXIT_AFTER_FIRST_SECTION=1 prints how long the start took up to the
// first section (and the fade-in's share of it) and quits; with HARDLENS_VISIT_ALL_SECTIONS=1
// every section is shown once before quitting and the peak resident memory is printed.
void InstallMeasuring(hl::Form1& window, const QElapsedTimer& clock) {
    if (!EnvFlag("HARDLENS_EXIT_AFTER_FIRST_SECTION")) return;
    QObject::connect(&window, &hl::Form1::firstSectionShown, &window, [&window, &clock] {
        const qint64 total = clock.elapsed();
        std::printf("first section shown after %lld ms in main (fade-in %lld ms)\n",
                    static_cast<long long>(total), static_cast<long long>(window.FadeInMs()));
        if (EnvFlag("HARDLENS_VISIT_ALL_SECTIONS")) {
            for (int n = 2; n <= 13; ++n)
                window.LBM_Click(n);
            window.LBM_Click(1);
        }
        // Let the shown section paint before leaving.
        QTimer::singleShot(0, [] {
            std::printf("peak resident memory %ld KiB\n", PeakResidentKiB());
            std::fflush(stdout);
            QCoreApplication::quit();
        });
    });
}

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    QApplication qapp(argc, argv);
    QApplication::setApplicationName("Hardlens");

    // A second start ends at once, silently.
    hl::SingleInstance instance;
    if (!instance.Acquired()) return 0;

    std::unique_ptr<hl::DataSource> source;
    try {
        source = OpenSource();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Hardlens",
                              QString("Hardlens cannot read this computer's information:\n\n%1\n\n"
                                      "To view a recorded computer, start Hardlens with "
                                      "HARDLENS_SNAPSHOT set to the recording's file.")
                                  .arg(QString::fromStdString(e.what())));
        return 2;
    }
    hl::App app(*source);
    app.settings = hl::LoadSettings(*source, app.table);
    app.pumpEvents = [] { QCoreApplication::processEvents(); };

    hl::Form1 window(app);
    InstallMeasuring(window, clock);
    window.Form_Load();
    return qapp.exec();
}
