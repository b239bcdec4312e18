#pragma once

#include "core/DataSource.h"
#include "core/PlatformError.h"

#include <functional>
#include <memory>
#include <set>
#include <string>

namespace hl::test {

// A platform that fails where a test asks: binding WMI, enumerating chosen classes, or
// reading the registry. Failures can be switched on after a service was bound, so a stored
// service can turn unusable.
class FaultySource : public DataSource {
public:
    explicit FaultySource(DataSource& inner) : inner_(inner) {}

    bool failConnect = false;
    bool failRegistry = false;
    std::set<std::string> failingClasses;
    std::function<void()> onConnect; // runs at every bind, before it can fail
    int64_t tickOffset = 0;          // added to the recorded tick count (time passing)
    int connects = 0;
    int registryReads = 0;

    std::shared_ptr<WmiService> ConnectWmi() override {
        ++connects;
        if (onConnect) onConnect();
        if (failConnect) throw PlatformError("bind refused");
        return std::make_shared<Service>(inner_.ConnectWmi(), this);
    }
    Variant RegRead(const std::string& path) override {
        ++registryReads;
        if (failRegistry) throw PlatformError("registry refused");
        return inner_.RegRead(path);
    }
    void RegWrite(const std::string& path, const Variant& value) override {
        inner_.RegWrite(path, value);
    }
    std::optional<std::vector<uint8_t>> RegReadBinary(const std::string& key,
                                                      const std::string& value) override {
        return inner_.RegReadBinary(key, value);
    }
    std::string ReadEnvironment(const std::string& name) override {
        return inner_.ReadEnvironment(name);
    }
    int64_t TickCount() override { return inner_.TickCount() + tickOffset; }
    int32_t GetSystemMetrics(int index) override { return inner_.GetSystemMetrics(index); }
    Regional RegionalSettings() override { return inner_.RegionalSettings(); }

private:
    class Service : public WmiService {
    public:
        Service(std::shared_ptr<WmiService> inner, const FaultySource* owner)
            : inner_(std::move(inner)), owner_(owner) {}
        std::vector<WmiObject> InstancesOf(const std::string& className) override {
            if (owner_->failingClasses.count(className))
                throw PlatformError("cannot enumerate " + className);
            return inner_->InstancesOf(className);
        }

    private:
        std::shared_ptr<WmiService> inner_;
        const FaultySource* owner_;
    };

    DataSource& inner_;
};

} // namespace hl::test
