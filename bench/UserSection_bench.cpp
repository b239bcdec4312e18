// The User section over a machine whose btmp has grown to 500 MB (a server under a password
// guessing attack): the login files are scanned over their last 16 MiB only, so the section
// costs the same on any such machine. Run by hand: build with -DHARDLENS_BUILD_BENCH=ON.
#include "core/App.h"
#include "core/Navigation.h"
#include "platform/linux/LinuxClasses.h"
#include "platform/linux/LinuxSource.h"
#include "platform/linux/LinuxUsers.h"
#include "sections/Sections.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <unistd.h>
#include <vector>

namespace {

using namespace hl;
namespace fs = std::filesystem;

constexpr size_t kBtmpBytes = 500ull * 1024 * 1024;

// Failed logons of many names, one in ten of them ana's.
void WriteBtmp(const fs::path& path) {
    std::vector<unsigned char> block(kUtmpRecordSize * 1024, 0);
    for (size_t r = 0; r < 1024; ++r) {
        unsigned char* rec = block.data() + r * kUtmpRecordSize;
        rec[0] = 6; // LOGIN_PROCESS, as lastb records them
        std::snprintf(reinterpret_cast<char*>(rec + 44), 32, "%s", r % 10 ? "admin" : "ana");
        uint32_t when = 1700000000u + static_cast<uint32_t>(r);
        std::memcpy(rec + 340, &when, sizeof when);
    }
    std::ofstream out(path, std::ios::binary);
    for (size_t written = 0; written < kBtmpBytes; written += block.size())
        out.write(reinterpret_cast<const char*>(block.data()),
                  static_cast<std::streamsize>(block.size()));
}

struct BigMachine {
    BigMachine()
        : root(fs::temp_directory_path() / ("hardlens-bench-" + std::to_string(::getpid()))) {
        fs::create_directories(root / "etc");
        fs::create_directories(root / "var/log");
        std::ofstream(root / "etc/passwd") << "ana:x:1000:1000:Ana Perez:/home/ana:/bin/bash\n";
        std::ofstream(root / "etc/group") << "sudo:x:27:ana\n";
        WriteBtmp(root / "var/log/btmp");
    }
    ~BigMachine() { fs::remove_all(root); }
    fs::path root;
};

void UserSectionOnBigBtmp(benchmark::State& state) {
    static BigMachine machine;
    LinuxSourceOptions o;
    o.root = machine.root.string();
    o.uid = 1000;
    o.environment = [](const std::string& n) -> std::optional<std::string> {
        if (n == "USER") return std::string("ana");
        return std::nullopt;
    };
    LinuxSource source(o, SettingsStore((machine.root / "settings").string()));
    App app(source, AllSections());
    LoadLanguage(app.table, "English");
    for (auto _ : state) {
        MenuClick(app, 2);
        benchmark::DoNotOptimize(app.area.Row(7).value);
    }
    state.SetLabel("bad passwords: " + app.area.Row(7).value);
}
BENCHMARK(UserSectionOnBigBtmp)->Unit(benchmark::kMillisecond);

} // namespace
