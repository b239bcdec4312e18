// Replays every seed and every input that once broke a fuzz target through the same entry
// function, so that what the fuzzers found stays fixed without a fuzzing compiler.
#include "FuzzEntries.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace hl::fuzz {
void PrintTo(const Target& target, std::ostream* os) {
    *os << target.name;
}
} // namespace hl::fuzz

namespace {

std::vector<fs::path> Inputs(const std::string& target) {
    std::vector<fs::path> files;
    for (const char* kind : {"corpus", "regressions"}) {
        fs::path folder = fs::path(HARDLENS_FUZZ_DIR) / kind / target;
        if (!fs::is_directory(folder)) continue;
        for (const auto& entry : fs::directory_iterator(folder))
            if (entry.is_regular_file()) files.push_back(entry.path());
    }
    return files;
}

class Replay : public testing::TestWithParam<hl::fuzz::Target> {};

TEST_P(Replay, EverySeedAndRegressionRunsClean) {
    const hl::fuzz::Target& target = GetParam();
    std::vector<fs::path> files = Inputs(target.name);
    EXPECT_FALSE(files.empty()) << "no seeds for " << target.name;
    for (const fs::path& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
        // An entry aborts on a fault; the name tells which input it was.
        fprintf(stderr, "%s\n", file.string().c_str());
        EXPECT_EQ(target.entry(bytes.data(), bytes.size()), 0) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Fuzz, Replay, testing::ValuesIn(hl::fuzz::Targets()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
