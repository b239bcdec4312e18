#pragma once

// Helpers for the tests of the BIOS, Display, Keyboard and mouse, Removable memory, CD/DVD and
// Other hardware sections: a platform wrapper that counts and breaks WMI calls, and a report
// context for running one builder.

#include "core/PlatformError.h"
#include "report/ReportChain.h"

#include <map>
#include <memory>
#include <set>
#include <string>

namespace hl::test {

// Forwards to another platform; counts InstancesOf per class and fails on request.
class WrappedSource : public DataSource {
public:
    explicit WrappedSource(DataSource& inner) : inner_(inner) {}

    bool failConnect = false;
    std::set<std::string> failingClasses;
    std::map<std::string, int> instancesOfCalls;
    int connects = 0;

    std::shared_ptr<WmiService> ConnectWmi() override {
        ++connects;
        if (failConnect) throw PlatformError("WINMGMTS: unavailable");
        return std::make_shared<Service>(*this, inner_.ConnectWmi());
    }
    Variant RegRead(const std::string& path) override { return inner_.RegRead(path); }
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
    int64_t TickCount() override { return inner_.TickCount(); }
    int32_t GetSystemMetrics(int index) override { return inner_.GetSystemMetrics(index); }
    Regional RegionalSettings() override { return inner_.RegionalSettings(); }

private:
    class Service : public WmiService {
    public:
        Service(WrappedSource& owner, std::shared_ptr<WmiService> inner)
            : owner_(owner), inner_(std::move(inner)) {}
        std::vector<WmiObject> InstancesOf(const std::string& cls) override {
            ++owner_.instancesOfCalls[cls];
            if (owner_.failingClasses.count(cls)) throw PlatformError(cls + " unavailable");
            return inner_->InstancesOf(cls);
        }

    private:
        WrappedSource& owner_;
        std::shared_ptr<WmiService> inner_;
    };

    DataSource& inner_;
};

// One builder's run on a fresh pair of documents (no head, so they hold the section alone).
struct BuilderRun {
    explicit BuilderRun(App& app, const std::string& skin = "Blue")
        : writer(app.table, skin, app.source->RegionalSettings(), [] { return std::tm{}; }),
          ctx{app, writer, nullptr, {}} {}
    ReportWriter writer;
    ReportContext ctx;
};

} // namespace hl::test
