// LinuxSource over a fake tree of tests/data/linux: a probe that answers statvfs from a table,
// files that only root may open, and table-driven checks of class properties.
#pragma once

#include "TestSupport.h"
#include "platform/linux/LinuxSource.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <set>

namespace hl::test {

class FakeProbe : public MountProbe {
public:
    std::map<std::string, VolumeSpace> spaces;
    std::optional<int64_t> birth;
    std::optional<VolumeSpace> Space(const std::string& path) override {
        for (const auto& [suffix, space] : spaces)
            if (path.size() >= suffix.size() &&
                path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
                return space;
        return std::nullopt;
    }
    std::optional<int64_t> BirthTime(const std::string&) override { return birth; }
};

// Files an ordinary user may not open (mode 0400 root) on a real machine.
class RootOnlyFs : public RootFs {
public:
    RootOnlyFs(std::string root, std::set<std::string> rootOnly)
        : RootFs(std::move(root)), rootOnly_(std::move(rootOnly)) {}
    int Open(const std::string& path, Access& why) const override {
        if (rootOnly_.count(path)) {
            why = Access::NeedsRoot;
            return -1;
        }
        return RootFs::Open(path, why);
    }

private:
    std::set<std::string> rootOnly_;
};

struct Tree {
    explicit Tree(const std::string& name, std::set<std::string> rootOnly = {},
                  std::map<std::string, std::string> env = {{"USER", "ana"}}, uint32_t uid = 1000)
        : probe(std::make_shared<FakeProbe>()) {
        LinuxSourceOptions o;
        o.root = DataPath("linux/" + name);
        o.files = std::make_shared<RootOnlyFs>(o.root, std::move(rootOnly));
        o.probe = probe;
        o.environment = [env](const std::string& n) -> std::optional<std::string> {
            auto it = env.find(n);
            if (it == env.end()) return std::nullopt;
            return it->second;
        };
        o.bootMillis = [] { return int64_t{93784000}; };
        o.uid = uid;
        source = std::make_unique<LinuxSource>(o, SettingsStore(dir.File("settings")));
    }
    std::vector<WmiObject> Of(const std::string& cls) {
        return source->ConnectWmi()->InstancesOf(cls);
    }
    Variant Get(const std::string& cls, const std::string& prop, size_t index = 0) {
        auto all = Of(cls);
        return index < all.size() ? all[index].Get(prop) : Variant::Null();
    }
    TempDir dir;
    std::shared_ptr<FakeProbe> probe;
    std::unique_ptr<LinuxSource> source;
};

inline std::string Show(const Variant& v) {
    switch (v.kind()) {
    case Variant::Kind::Null: return "<null>";
    case Variant::Kind::Empty: return "<empty>";
    case Variant::Kind::Text: return "'" + v.Text() + "'";
    default: return v.Text();
    }
}

struct Expect {
    const char* cls;
    size_t index;
    const char* prop;
    Variant value; // Null for a property that must be Null
};

inline void CheckAll(Tree& tree, const std::vector<Expect>& table) {
    for (const Expect& e : table)
        EXPECT_EQ(Show(tree.Get(e.cls, e.prop, e.index)), Show(e.value))
            << e.cls << "[" << e.index << "]." << e.prop;
}

const Variant kNull = Variant::Null();

// Login times and birth times become WMI datetimes in the local zone; the expectations are UTC.
const bool kUtc = [] {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    return true;
}();

// What hardlens-report --root prints of one section of the tree in `root`.
inline std::string SectionOf(const std::string& root, int section) {
    ReportRun run = RunReportTool("--root '" + root + "' --section " + std::to_string(section));
    EXPECT_EQ(run.status, 0) << root << "\n" << run.out;
    return run.out;
}

// Each of `rows` stands as a whole line of `shown`.
inline void ExpectRows(const std::string& shown, const std::vector<std::string>& rows) {
    for (const std::string& row : rows)
        EXPECT_NE(shown.find("\n" + row + "\n"), std::string::npos) << row << "\n" << shown;
}

} // namespace hl::test
