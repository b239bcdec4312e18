#include "LinuxMemory.h"

#include "LinuxFiles.h"
#include "core/CheckedMath.h"

namespace hl {

std::map<std::string, uint64_t> ParseMeminfo(std::string_view text) {
    std::map<std::string, uint64_t> fields;
    for (std::string_view line : SplitLines(text)) {
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::vector<std::string_view> parts = SplitWhite(line.substr(colon + 1));
        uint64_t v = 0;
        if (!parts.empty() && ParseDecimal(parts[0], v))
            fields[TrimWhite(line.substr(0, colon))] = v;
    }
    return fields;
}

std::map<std::string, uint64_t> ReadMeminfo(const RootFs& fs) {
    return ParseMeminfo(fs.Read("/proc/meminfo").text);
}

uint64_t InstalledMemoryBytes(const RootFs& fs) {
    uint64_t blockSize = 0;
    if (ParseHex(fs.Line("/sys/devices/system/memory/block_size_bytes"), blockSize)) {
        uint64_t blocks = 0;
        for (const std::string& name : fs.List("/sys/devices/system/memory")) {
            uint64_t n = 0;
            if (name.rfind("memory", 0) == 0 && ParseDecimal(name.substr(6), n)) ++blocks;
        }
        if (blocks) return CheckedMul<uint64_t>(blocks, blockSize).value_or(0);
    }
    auto mem = ReadMeminfo(fs);
    return mem.count("MemTotal") ? CheckedMul<uint64_t>(mem["MemTotal"], 1024).value_or(0) : 0;
}

} // namespace hl
