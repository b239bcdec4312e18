// hardlens-report --root DIR: a copied Linux tree read in place of this machine.
#include "TestSupport.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace hl::test;

namespace {

struct CliRun {
    int status;
    std::string output; // standard output and standard error together
};

CliRun RunReport(const std::string& arguments) {
    TempDir config;
    std::string command = "XDG_CONFIG_HOME='" + config.Path() + "' '" + HARDLENS_REPORT_EXE +
                          "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, n);
    int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

std::string Desktop() { return "'" + DataPath("linux/desktop") + "'"; }

} // namespace

TEST(ReportCliRoot, ReadsTheTreeWithEveryOtherOption) {
    struct Case {
        std::string arguments;
        std::string shown;
    } cases[] = {
        {"--section 5", "Name: Intel(R) Core(TM) i5-4590 CPU @ 3.30GHz\n"},
        {"--section 8 --language Spanish", "Versi\xC3\xB3n: 2801\n"},
        {"--format json --section 8", "\"2801\""},
        {"--format html --skin Green", "2801"},
        {"--private --section 2", "[private]"},
    };
    for (const Case& c : cases) {
        CliRun run = RunReport("--root " + Desktop() + " " + c.arguments);
        EXPECT_EQ(run.status, 0) << c.arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(c.shown), std::string::npos) << c.arguments << "\n"
                                                               << run.output;
    }
}

TEST(ReportCliRoot, CaptureOfATreeReloadsAsTheSameMachine) {
    TempDir dir;
    std::string file = "'" + dir.File("tree.json") + "'";
    ASSERT_EQ(RunReport("--root " + Desktop() + " --capture " + file).status, 0);
    CliRun fromTree = RunReport("--root " + Desktop() + " --section 5");
    CliRun fromSnapshot = RunReport("--snapshot " + file + " --section 5");
    EXPECT_EQ(fromSnapshot.status, 0) << fromSnapshot.output;
    EXPECT_EQ(fromSnapshot.output, fromTree.output);
}

TEST(ReportCliRoot, AFolderThatIsNotThereIsRefusedInOneLine) {
    TempDir dir;
    std::string plainFile = dir.File("plain");
    std::FILE* f = std::fopen(plainFile.c_str(), "w");
    std::fclose(f);
    struct Case {
        std::string arguments;
        std::string message;
    } cases[] = {
        {"--root '" + dir.File("missing") + "'", "No such file or directory"},
        {"--root '" + plainFile + "'", "not a folder"},
        {"--root " + Desktop() + " --snapshot x.json", "give one"},
        {"--root", "needs a value"},
    };
    for (const Case& c : cases) {
        CliRun run = RunReport(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
        EXPECT_EQ(run.output.find('\n'), run.output.size() - 1) << "one line: " << run.output;
    }
}
