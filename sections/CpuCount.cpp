#include "CpuCount.h"

#include "core/PlatformError.h"
#include "core/Skip.h"

#include <algorithm>

namespace hl {

namespace {

// Windows has never run on more; a bound keeps a hostile figure from asking millions of reads.
constexpr int kMostLogical = 2048;

// The sum of a count over the packages; nothing when a package lacks it or gives nonsense.
std::optional<int> SumOf(const std::vector<WmiObject>& processors, const char* property) {
    if (processors.empty()) return std::nullopt;
    int64_t total = 0;
    for (const WmiObject& cpu : processors) {
        std::optional<int64_t> n;
        Skip([&] {
            Variant v = cpu.Get(property);
            if (!v.IsNull() && !v.IsEmpty()) n = v.ToInt64();
        });
        if (!n || *n <= 0 || *n > kMostLogical) return std::nullopt;
        total += *n;
    }
    if (total > kMostLogical) return std::nullopt;
    return static_cast<int>(total);
}

} // namespace

CpuCount ReadCpuCount(DataSource& source, const std::vector<WmiObject>& processors) {
    CpuCount count;
    count.cores = SumOf(processors, "NumberOfCores");
    count.logical = SumOf(processors, "NumberOfLogicalProcessors");
    int asked = std::max(8, count.logical.value_or(0));
    count.speeds.assign(static_cast<size_t>(asked), Variant());
    for (int cpu = 0; cpu < asked; ++cpu)
        Skip([&] {
            count.speeds[static_cast<size_t>(cpu)] =
                Variant(source.RegRead(CpuMhzPath(cpu)).Trimmed()).ToInt32();
        });
    return count;
}

std::optional<int> CoreCount(const CpuCount& count) {
    if (count.cores) return count.cores;
    if (count.speeds.empty() || count.speeds[0].IsEmpty()) return std::nullopt;
    int same = 0;
    for (size_t cpu = 0; cpu < 8 && cpu < count.speeds.size(); ++cpu)
        same += NumericEquals(count.speeds[cpu], count.speeds[0]);
    return same;
}

int LogicalCount(const CpuCount& count) {
    if (count.logical) return *count.logical;
    return static_cast<int>(std::count_if(count.speeds.begin(), count.speeds.end(),
                                          [](const Variant& v) { return !v.IsEmpty(); }));
}

Variant FastestSpeed(const CpuCount& count) {
    Variant fastest;
    for (const Variant& speed : count.speeds)
        if (!speed.IsEmpty() && (fastest.IsEmpty() || speed.ToInt64() > fastest.ToInt64()))
            fastest = speed;
    return fastest;
}

} // namespace hl
