#pragma once

#include "LinuxClasses.h"
#include "core/DataSource.h"
#include "core/SettingsStore.h"

#include <map>
#include <memory>

namespace hl {

// The running Linux machine as the platform: WMI classes answered from procfs, sysfs, DMI,
// EDID, input devices, ALSA and the account files; registry values and the other facts in
// place. Nothing is read until a class or a value is asked for, and every file goes through
// the root prefix of the options. A fact the machine lacks or hides reads as Null.
class LinuxSource : public DataSource {
public:
    LinuxSource(LinuxSourceOptions options, SettingsStore store);

    std::shared_ptr<WmiService> ConnectWmi() override;
    Variant RegRead(const std::string& path) override;
    void RegWrite(const std::string& path, const Variant& value) override;
    std::optional<std::vector<uint8_t>> RegReadBinary(const std::string& keyPath,
                                                      const std::string& valueName) override;
    std::string ReadEnvironment(const std::string& name) override;
    int64_t TickCount() override;
    int32_t GetSystemMetrics(int index) override;
    Regional RegionalSettings() override;
    std::shared_ptr<void> HoldReads() override { return ctx_->Fs().HoldReads(); }

    // Why a property of the last enumeration of a class is Null: Absent, NeedsRoot or Empty
    // (Present when it is not Null or was never read).
    Access WhyMissing(const std::string& cls, const std::string& prop) const;

private:
    std::shared_ptr<LinuxContext> ctx_;
    SettingsStore store_;
    // By the two locale names: the C library's locale data is opened once for each.
    std::map<std::string, Regional> regional_;
};

// The class names this source answers, with their builders, in the order of a capture.
const std::vector<std::pair<std::string, ClassBuilder>>& LinuxClassBuilders();

} // namespace hl
