#include "LinuxCpuInfo.h"

#include "LinuxFiles.h"

#include <cstdlib>

namespace hl {

namespace {

// "7", "5TEJ" (32-bit ARM names the architecture with its variant letters) or "AArch64"
// (arm64 kernels before 3.19).
int ArmArchitecture(std::string_view value) {
    std::string text = TrimWhite(value);
    if (text == "AArch64") return 8;
    size_t digits = 0;
    while (digits < text.size() && digits < 3 && text[digits] >= '0' && text[digits] <= '9')
        ++digits;
    return IntOr(std::string_view(text).substr(0, digits), -1);
}

void TakeCpuField(CpuEntry& cpu, const std::string& key, std::string_view value) {
    if (key == "vendor_id" || key == "CPU implementer")
        cpu.vendor = TrimWhite(value);
    else if (key == "model name")
        cpu.modelName = TrimWhite(value);
    else if (key == "cpu family")
        cpu.family = IntOr(value, -1);
    else if (key == "CPU architecture")
        cpu.family = ArmArchitecture(value);
    else if (key == "model" || key == "CPU part")
        cpu.model = TrimWhite(value);
    else if (key == "stepping" || key == "CPU revision")
        cpu.stepping = IntOr(value, -1);
    else if (key == "physical id")
        cpu.physicalId = IntOr(value, 0);
    else if (key == "siblings")
        cpu.siblings = IntOr(value, 0);
    else if (key == "cpu cores")
        cpu.cores = IntOr(value, 0);
    else if (key == "core id")
        cpu.coreId = IntOr(value, -1);
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

// Kernels before 3.8 (32-bit ARM) and 3.19 (arm64) print a "Processor" name line first, then
// the number and BogoMIPS of each processor, and the CPU fields once for all of them; a
// uniprocessor kernel of that time prints no processor line at all. Some later vendor kernels
// keep the name line but give every processor its own fields, which then stay its own.
bool IsOldArmNameLine(const std::string& key, std::string_view value) {
    return key == "Processor" && IntOr(value, -1) < 0;
}

void FillMissing(CpuEntry& cpu, const CpuEntry& common) {
    if (cpu.vendor.empty()) cpu.vendor = common.vendor;
    if (cpu.modelName.empty()) cpu.modelName = common.modelName;
    if (cpu.family < 0) cpu.family = common.family;
    if (cpu.model.empty()) cpu.model = common.model;
    if (cpu.stepping < 0) cpu.stepping = common.stepping;
    if (cpu.flags.empty()) cpu.flags = common.flags;
}

void ShareOldArmFields(std::vector<CpuEntry>& cpus, std::string_view text) {
    CpuEntry common;
    for (std::string_view line : SplitLines(text)) {
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string key = TrimWhite(line.substr(0, colon));
        if (key == "Processor")
            common.modelName = TrimWhite(line.substr(colon + 1));
        else if (key != "processor")
            TakeCpuField(common, key, line.substr(colon + 1));
    }
    if (cpus.empty()) cpus.emplace_back().processor = 0;
    for (CpuEntry& cpu : cpus)
        FillMissing(cpu, common);
}

} // namespace

std::vector<CpuEntry> ParseCpuInfo(std::string_view text) {
    std::vector<CpuEntry> cpus;
    bool oldArm = false;
    for (std::string_view line : SplitLines(text)) {
        size_t colon = line.find(':');
        if (colon == std::string_view::npos) continue;
        std::string key = TrimWhite(line.substr(0, colon));
        std::string_view value = line.substr(colon + 1);
        if (key == "processor") {
            int index = IntOr(TrimWhite(value), -1);
            if (index < 0) continue; // not a processor number: no block to start
            cpus.emplace_back();
            cpus.back().processor = index;
            continue;
        }
        oldArm = oldArm || (cpus.empty() && IsOldArmNameLine(key, value));
        if (!cpus.empty()) TakeCpuField(cpus.back(), key, value);
    }
    if (oldArm) ShareOldArmFields(cpus, text);
    return cpus;
}

bool HasArmCodes(const CpuEntry& cpu) {
    return cpu.vendor.rfind("0x", 0) == 0;
}

std::string MachineOfCpus(const std::vector<CpuEntry>& cpus) {
    if (cpus.empty()) return {};
    const CpuEntry& cpu = cpus.front();
    // x86 flags (arch/x86/include/asm/cpufeatures.h): every x86 since the 486DX has "fpu";
    // "lm" is long mode, 64 bits.
    if (!HasArmCodes(cpu) && cpu.flags.count("fpu"))
        return cpu.flags.count("lm") ? "x86_64" : "i686";
    if (!HasArmCodes(cpu)) return {};
    // arm64 kernels print architecture 8 whatever the core; 32-bit kernels print 7 at most.
    if (cpu.family >= 8) return "aarch64";
    return cpu.family > 0 ? "armv" + std::to_string(cpu.family) + "l" : "arm";
}

std::optional<int64_t> RatedMhzInName(std::string_view modelName) {
    // The figure stands before "GHz" or "MHz", joined or apart ("@ 2.80GHz", "@ 2.84 GHz").
    std::vector<std::string_view> words = SplitWhite(modelName);
    for (size_t i = words.size(); i-- > 0;) {
        std::string_view word = words[i];
        std::string_view unit = word.size() >= 3 ? word.substr(word.size() - 3) : word;
        if (unit != "GHz" && unit != "MHz") continue;
        std::string_view figure = word.substr(0, word.size() - 3);
        if (figure.empty() && i > 0) figure = words[i - 1];
        size_t dot = figure.find('.');
        uint64_t whole = 0, fraction = 0;
        std::string_view decimals = dot == std::string_view::npos ? "" : figure.substr(dot + 1);
        if (!ParseDecimal(figure.substr(0, dot), whole) || whole > 100000 || decimals.size() > 3 ||
            (!decimals.empty() && !ParseDecimal(decimals, fraction)))
            return std::nullopt;
        for (size_t d = decimals.size(); d < 3; ++d)
            fraction *= 10;
        int64_t mhz = unit == "GHz" ? static_cast<int64_t>(whole * 1000 + fraction)
                                    : static_cast<int64_t>(whole);
        if (mhz > 0 && mhz < 100000) return mhz;
        return std::nullopt;
    }
    return std::nullopt;
}

std::string CloseUpSpaces(std::string_view name) {
    std::string out;
    for (std::string_view word : SplitWhite(name))
        out += (out.empty() ? "" : " ") + std::string(word);
    return out;
}

} // namespace hl
