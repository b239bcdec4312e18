#include "Snapshot.h"
#include "core/PlatformError.h"

namespace hl {

namespace {

class SnapshotService : public WmiService {
public:
    explicit SnapshotService(std::shared_ptr<const Snapshot> data) : data_(std::move(data)) {}
    std::vector<WmiObject> InstancesOf(const std::string& className) override {
        for (const auto& [cls, objects] : data_->wmi)
            if (cls == className) return objects;
        return {};
    }

private:
    std::shared_ptr<const Snapshot> data_;
};

} // namespace

bool StoreRegRead(const SettingsStore& store, const std::string& path, Variant& out) {
    if (!IsSettingsPath(path)) return false;
    std::optional<std::string> value = store.Read(path.substr(std::string(kSettingsKey).size()));
    if (!value) throw PlatformError("registry value not found: " + path);
    out = Variant(*value);
    return true;
}

bool StoreRegWrite(const SettingsStore& store, const std::string& path, const Variant& value) {
    if (!IsSettingsPath(path)) return false;
    if (!store.Write(path.substr(std::string(kSettingsKey).size()), value.Text()))
        throw PlatformError("cannot write " + store.Path());
    return true;
}

SnapshotSource::SnapshotSource(Snapshot snapshot, SettingsStore store)
    : data_(std::make_shared<const Snapshot>(std::move(snapshot))), store_(std::move(store)) {}

std::shared_ptr<WmiService> SnapshotSource::ConnectWmi() {
    return std::make_shared<SnapshotService>(data_);
}

Variant SnapshotSource::RegRead(const std::string& path) {
    Variant out;
    if (StoreRegRead(store_, path, out)) return out;
    for (const auto& [p, v] : data_->registry)
        if (p == path) return v;
    throw PlatformError("registry value not found: " + path);
}

void SnapshotSource::RegWrite(const std::string& path, const Variant& value) {
    if (!StoreRegWrite(store_, path, value))
        throw PlatformError("a recorded machine's registry is read-only: " + path);
}

std::optional<std::vector<uint8_t>> SnapshotSource::RegReadBinary(const std::string& keyPath,
                                                                  const std::string& valueName) {
    std::string full = "HKEY_LOCAL_MACHINE\\" + keyPath + "\\" + valueName;
    for (const auto& [p, bytes] : data_->binary)
        if (p == full) return bytes;
    return std::nullopt;
}

std::string SnapshotSource::ReadEnvironment(const std::string& name) {
    for (const auto& [var, v] : data_->environment)
        if (var == name) return v;
    return {};
}

int32_t SnapshotSource::GetSystemMetrics(int index) {
    return index == kSmCMouseButtons ? data_->mouseButtons : 0;
}

Regional SnapshotSource::RegionalSettings() {
    return data_->regional.value_or(Regional{});
}

} // namespace hl
