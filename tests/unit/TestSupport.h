#pragma once

#include "core/App.h"
#include "platform/snapshot/Snapshot.h"

#include <memory>
#include <string>

namespace hl::test {

// A folder under the system's temporary folder, removed with the object.
class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& contents);
std::string DataPath(const std::string& relative);

struct ReportRun {
    int status = -1; // the exit status, -1 when it did not exit
    std::string out;
};
// A shell command's standard output and exit status.
ReportRun RunCommand(const std::string& command);
// hardlens-report run as a process with its settings in a fresh folder. `out` holds standard
// output, and standard error after it unless `withErrors` is false.
ReportRun RunReportTool(const std::string& arguments, bool withErrors = true);

// One instance's properties, as a test writes them.
using Props = std::vector<WmiObject::Property>;
// `props` with the value of `name` replaced; a name `props` does not hold is not added.
Props With(Props props, const std::string& name, Variant value);

// A recorded machine built in a test: add instances, registry values and facts, then serve.
class MachineBuilder {
public:
    MachineBuilder& Instance(const std::string& cls, Props props);
    MachineBuilder& Registry(const std::string& path, Variant value);
    MachineBuilder& Environment(const std::string& name, const std::string& value);
    MachineBuilder& Binary(const std::string& path, std::vector<uint8_t> bytes);
    MachineBuilder& TickCount(int64_t ticks);
    MachineBuilder& MouseButtons(int32_t buttons);
    MachineBuilder& WithRegional(Regional r);
    Snapshot Build() const { return snapshot_; }

private:
    Snapshot snapshot_;
};

// An App over a recorded machine with its settings store in a temporary folder, the table
// loaded for `language` and the skin set.
struct TestApp {
    TestApp(Snapshot snapshot, const std::string& language = "English",
            const std::string& skin = "Blue");
    TempDir dir;
    std::unique_ptr<SnapshotSource> source;
    std::unique_ptr<App> app;
    App& operator*() { return *app; }
    App* operator->() { return app.get(); }
};

} // namespace hl::test
