#include "LinuxProc.h"

#include "LinuxFiles.h"

#include <cstdlib>

namespace hl {

namespace {

int ToInt(std::string_view s, int fallback) {
    uint64_t v = 0;
    if (!ParseDecimal(TrimWhite(s), v) || v > 1000000) return fallback;
    return static_cast<int>(v);
}

void TakeCpuField(CpuEntry& cpu, const std::string& key, std::string_view value) {
    if (key == "vendor_id" || key == "CPU implementer")
        cpu.vendor = TrimWhite(value);
    else if (key == "model name")
        cpu.modelName = TrimWhite(value);
    else if (key == "cpu family" || key == "CPU architecture")
        cpu.family = ToInt(value, -1);
    else if (key == "model" || key == "CPU part")
        cpu.model = TrimWhite(value);
    else if (key == "stepping" || key == "CPU revision")
        cpu.stepping = ToInt(value, -1);
    else if (key == "physical id")
        cpu.physicalId = ToInt(value, 0);
    else if (key == "siblings")
        cpu.siblings = ToInt(value, 0);
    else if (key == "cpu cores")
        cpu.cores = ToInt(value, 0);
    else if (key == "cpu MHz") {
        std::string text = TrimWhite(value);
        char* end = nullptr;
        double mhz = std::strtod(text.c_str(), &end);
        if (end && *end == '\0' && mhz > 0 && mhz < 1e6) cpu.mhz = mhz;
    } else if (key == "flags" || key == "Features") {
        // Runs of spaces occur between flags on some kernels; split on any white space.
        for (std::string_view flag : SplitWhite(value))
            cpu.flags.insert(std::string(flag));
    }
}

} // namespace

std::vector<CpuEntry> ParseCpuInfo(std::string_view text) {
    std::vector<CpuEntry> cpus;
    for (std::string_view line : SplitLines(text)) {
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string key = TrimWhite(line.substr(0, colon));
        std::string_view value = line.substr(colon + 1);
        if (key == "processor") {
            int index = ToInt(TrimWhite(value), -1);
            if (index < 0) continue; // s390 and old ARM write a "Processor" name line instead
            cpus.emplace_back();
            cpus.back().processor = index;
            continue;
        }
        if (!cpus.empty()) TakeCpuField(cpus.back(), key, value);
    }
    return cpus;
}

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

std::string UnescapeMountPath(std::string_view s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\\' && i + 3 < s.size()) {
            std::string_view digits = s.substr(i + 1, 3);
            bool octal = digits.size() == 3;
            for (char c : digits)
                octal = octal && c >= '0' && c <= '7';
            if (octal) {
                int v = (digits[0] - '0') * 64 + (digits[1] - '0') * 8 + (digits[2] - '0');
                if (v < 256) {
                    out += static_cast<char>(v);
                    i += 3;
                    continue;
                }
            }
        }
        out += s[i];
    }
    return out;
}

std::vector<MountEntry> ParseMountInfo(std::string_view text) {
    std::vector<MountEntry> mounts;
    for (std::string_view line : SplitLines(text)) {
        std::vector<std::string_view> f = SplitWhite(line);
        // id parent major:minor root mount-point options [optional fields...] - type source ...
        size_t dash = 6;
        while (dash < f.size() && f[dash] != "-")
            ++dash;
        if (f.size() < 5 || dash + 2 >= f.size()) continue;
        MountEntry m;
        m.id = ToInt(f[0], 0);
        size_t colon = f[2].find(':');
        uint64_t major = 0, minor = 0;
        if (colon == std::string_view::npos || !ParseDecimal(f[2].substr(0, colon), major) ||
            !ParseDecimal(f[2].substr(colon + 1), minor) || major > 0xfffff || minor > 0xfffff)
            continue;
        m.major = static_cast<unsigned>(major);
        m.minor = static_cast<unsigned>(minor);
        m.root = UnescapeMountPath(f[3]);
        m.mountPoint = UnescapeMountPath(f[4]);
        m.fsType = std::string(f[dash + 1]);
        m.source = UnescapeMountPath(f[dash + 2]);
        mounts.push_back(std::move(m));
    }
    return mounts;
}

} // namespace hl
