#pragma once

#include "core/DataSource.h"

#include <chrono>
#include <memory>

namespace hl {

class ComSession;

// The running Windows machine: WMI through COM, the real registry (the program's settings
// included: that is where they live on Windows), the process environment and the window
// system. Every failure raises PlatformError.
class WindowsSource : public DataSource {
public:
    // `queryLimit` bounds each WMI enumeration, so that a stuck provider cannot hang a section.
    explicit WindowsSource(std::chrono::milliseconds queryLimit = std::chrono::seconds(20));
    ~WindowsSource() override;

    std::shared_ptr<WmiService> ConnectWmi() override;
    Variant RegRead(const std::string& path) override;
    void RegWrite(const std::string& path, const Variant& value) override;
    std::optional<std::vector<uint8_t>> RegReadBinary(const std::string& keyPath,
                                                      const std::string& valueName) override;
    std::string ReadEnvironment(const std::string& name) override;
    int64_t TickCount() override;
    int32_t GetSystemMetrics(int index) override;
    Regional RegionalSettings() override;

private:
    std::shared_ptr<ComSession> com_;
    std::chrono::milliseconds queryLimit_;
};

} // namespace hl
