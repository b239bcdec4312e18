#pragma once

#include "core/DataSource.h"
#include "core/PlatformError.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>

namespace hl::test {

// Forwards to another platform and breaks it where a test asks. Two kinds of faults:
//  - standing ones (binding refused, classes that cannot be enumerated, registry refused),
//    switched on and off by the test; a service bound earlier sees the change;
//  - counted ones: every platform call (ConnectWmi, InstancesOf, RegRead, RegWrite,
//    RegReadBinary, ReadEnvironment, TickCount, GetSystemMetrics, RegionalSettings) and every
//    property read of an instance it handed out counts as one call, numbered from 1 since the
//    last ResetCounts; the chosen call raises PlatformError, or the chosen property read gives
//    Null.
// The services and instances it hands out refer back to it, so it must outlive their use.
class FaultInjectingSource : public DataSource {
public:
    explicit FaultInjectingSource(DataSource& inner)
        : inner_(inner), hook_(std::make_shared<const PropertyHook>(
                             [this](const std::string& name, const Variant& value) {
                                 return Read(name, value);
                             })) {}

    bool failConnect = false;
    bool failRegistry = false;            // RegRead only
    std::set<std::string> failingClasses; // InstancesOf
    std::function<void()> onConnect;      // runs at every bind, before it can fail
    int64_t tickOffset = 0;               // added to the inner tick count (time passing)

    int connects = 0;
    int registryReads = 0;
    std::map<std::string, int> instancesOfCalls;

    // Call k (1-based, counted from the last ResetCounts) fails; 0 breaks nothing.
    void FailCall(int64_t k) { failAt_ = k; }
    // Property read k (1-based) gives Null; 0 breaks nothing.
    void NullRead(int64_t k) { nullAt_ = k; }
    void ResetCounts() { calls_ = reads_ = injected_ = 0; }

    int64_t Calls() const { return calls_; }
    int64_t PropertyReads() const { return reads_; }
    // Counted faults that actually fired.
    int64_t Injected() const { return injected_; }
    // What the broken call was ("RegRead HKEY_...", "property Size"), for messages.
    const std::string& LastFault() const { return lastFault_; }

    std::shared_ptr<WmiService> ConnectWmi() override {
        Count("ConnectWmi");
        ++connects;
        if (onConnect) onConnect();
        if (failConnect) throw PlatformError("WINMGMTS: unavailable");
        return std::make_shared<Service>(*this, inner_.ConnectWmi());
    }
    Variant RegRead(const std::string& path) override {
        Count("RegRead " + path);
        ++registryReads;
        if (failRegistry) throw PlatformError("registry refused: " + path);
        return inner_.RegRead(path);
    }
    void RegWrite(const std::string& path, const Variant& value) override {
        Count("RegWrite " + path);
        inner_.RegWrite(path, value);
    }
    std::optional<std::vector<uint8_t>> RegReadBinary(const std::string& key,
                                                      const std::string& value) override {
        Count("RegReadBinary " + value);
        return inner_.RegReadBinary(key, value);
    }
    std::string ReadEnvironment(const std::string& name) override {
        Count("ReadEnvironment " + name);
        return inner_.ReadEnvironment(name);
    }
    int64_t TickCount() override {
        Count("TickCount");
        return inner_.TickCount() + tickOffset;
    }
    int32_t GetSystemMetrics(int index) override {
        Count("GetSystemMetrics");
        return inner_.GetSystemMetrics(index);
    }
    Regional RegionalSettings() override {
        Count("RegionalSettings");
        return inner_.RegionalSettings();
    }

private:
    class Service : public WmiService {
    public:
        Service(FaultInjectingSource& owner, std::shared_ptr<WmiService> inner)
            : owner_(owner), inner_(std::move(inner)) {}
        std::vector<WmiObject> InstancesOf(const std::string& cls) override {
            owner_.Count("InstancesOf " + cls);
            ++owner_.instancesOfCalls[cls];
            if (owner_.failingClasses.count(cls)) throw PlatformError(cls + " unavailable");
            std::vector<WmiObject> objects = inner_->InstancesOf(cls);
            for (WmiObject& object : objects)
                object.SetHook(owner_.hook_);
            return objects;
        }

    private:
        FaultInjectingSource& owner_;
        std::shared_ptr<WmiService> inner_;
    };

    void Count(const std::string& what) {
        if (++calls_ != failAt_) return;
        ++injected_;
        lastFault_ = what;
        throw PlatformError("injected failure of " + what);
    }

    Variant Read(const std::string& name, const Variant& value) {
        Count("property " + name);
        if (++reads_ != nullAt_) return value;
        ++injected_;
        lastFault_ = "property " + name + " (Null)";
        return Variant::Null();
    }

    DataSource& inner_;
    std::shared_ptr<const PropertyHook> hook_;
    int64_t failAt_ = 0, nullAt_ = 0;
    int64_t calls_ = 0, reads_ = 0, injected_ = 0;
    std::string lastFault_;
};

} // namespace hl::test
