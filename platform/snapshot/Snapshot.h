#pragma once

#include "core/DataSource.h"
#include "core/SettingsStore.h"

#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace hl {

// A malformed snapshot file: the message names the file and the place.
class SnapshotError : public std::runtime_error {
public:
    explicit SnapshotError(const std::string& what) : std::runtime_error(what) {}
};

// A recorded machine: everything the program reads from a platform.
struct Snapshot {
    std::string source;
    std::vector<std::pair<std::string, std::vector<WmiObject>>> wmi; // classes in file order
    std::vector<std::pair<std::string, Variant>> registry;           // full value paths
    std::vector<std::pair<std::string, std::vector<uint8_t>>> binary;
    std::vector<std::pair<std::string, std::string>> environment;
    int64_t tickCount = 0;
    int32_t mouseButtons = 0;
    std::optional<Regional> regional;
};

inline constexpr const char* kSnapshotFormat = "hardlens-snapshot/1";
// The WMI classes the sections read, in the order a capture records them.
const std::vector<std::string>& SnapshotClasses();

// Parses snapshot JSON; `name` is used in messages. Throws SnapshotError.
Snapshot ParseSnapshot(const std::string& json, const std::string& name);
Snapshot LoadSnapshotFile(const std::string& path);
std::string SnapshotToJson(const Snapshot& snapshot);
// Records what the sections would read from a platform.
Snapshot CaptureSnapshot(DataSource& source, const std::string& description);

// A capture for other eyes: the facts --private masks in reports are masked here too. The OS
// serial (the machine-id on Linux), the owner and organisation, the domain, every serial number
// and volume serial, and the account's name, full name and domain become the marker; accounts
// and login profiles other than the user's are left out; the product key bytes are dropped;
// the login name is masked wherever it is a component of a path.
Snapshot MaskPrivateFacts(Snapshot snapshot);

// `text` with each path component (between "/" or "\\") equal to `login` replaced by the
// marker: "/media/ana/USB" gives "/media/[private]/USB", "/media/anabel" stays.
std::string MaskLoginInPaths(const std::string& text, const std::string& login);

// Serves a recorded machine as the whole platform. The program's own settings are not part
// of the machine: they go to the settings store.
class SnapshotSource : public DataSource {
public:
    SnapshotSource(Snapshot snapshot, SettingsStore store);

    std::shared_ptr<WmiService> ConnectWmi() override;
    Variant RegRead(const std::string& path) override;
    void RegWrite(const std::string& path, const Variant& value) override;
    std::optional<std::vector<uint8_t>> RegReadBinary(const std::string& keyPath,
                                                      const std::string& valueName) override;
    std::string ReadEnvironment(const std::string& name) override;
    int64_t TickCount() override { return data_->tickCount; }
    int32_t GetSystemMetrics(int index) override;
    Regional RegionalSettings() override;

    const Snapshot& Data() const { return *data_; }

private:
    std::shared_ptr<const Snapshot> data_;
    SettingsStore store_;
};

// Registry reads and writes of the program's settings key through the store; false when the
// path is not under that key.
bool StoreRegRead(const SettingsStore& store, const std::string& path, Variant& out);
bool StoreRegWrite(const SettingsStore& store, const std::string& path, const Variant& value);

} // namespace hl
