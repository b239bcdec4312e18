#include "core/App.h"
#include "core/Navigation.h"
#include "core/PlatformError.h"
#include "core/SettingsStore.h"
#include "core/sources/MachineSource.h"
#include "core/sources/Snapshot.h"
#include "ui/MainWindow.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<hl::DataSource> OpenSource() {
    hl::SettingsStore store(hl::SettingsStore::DefaultPath());
    const char* snapshot = std::getenv("HARDLENS_SNAPSHOT");
    if (snapshot && *snapshot)
        return std::make_unique<hl::SnapshotSource>(hl::LoadSnapshotFile(snapshot), store);
    return hl::MakeMachineSource(store);
}

} // namespace

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    std::unique_ptr<hl::DataSource> source;
    try {
        source = OpenSource();
    } catch (const std::exception& e) {
        QMessageBox::critical(nullptr, "Hardlens", QString::fromStdString(e.what()));
        return 2;
    }
    hl::App app(*source);
    app.settings = hl::LoadSettings(*source, app.table);
    hl::MainWindow window(app);
    window.show();
    hl::MenuClick(app, 1);
    window.Render();
    return qapp.exec();
}
