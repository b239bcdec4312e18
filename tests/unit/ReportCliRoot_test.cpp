// hardlens-report --root DIR: a copied Linux tree read in place of this machine.
#include "TestSupport.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using namespace hl::test;

namespace {

std::string Desktop() {
    return "'" + DataPath("linux/desktop") + "'";
}

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
        // A copied tree's folders are not the volumes it had, nor was it installed when copied.
        {"--section 7", "Capacity: Unknown\n"},
        {"--section 4", "Date of installation: Unknown\n"},
    };
    for (const Case& c : cases) {
        ReportRun run = RunReportTool("--root " + Desktop() + " " + c.arguments);
        EXPECT_EQ(run.status, 0) << c.arguments << "\n" << run.out;
        EXPECT_NE(run.out.find(c.shown), std::string::npos) << c.arguments << "\n" << run.out;
    }
}

TEST(ReportCliRoot, CaptureOfATreeReloadsAsTheSameMachine) {
    TempDir dir;
    std::string file = "'" + dir.File("tree.json") + "'";
    ASSERT_EQ(RunReportTool("--root " + Desktop() + " --capture " + file).status, 0);
    ReportRun fromTree = RunReportTool("--root " + Desktop() + " --section 5");
    ReportRun fromSnapshot = RunReportTool("--snapshot " + file + " --section 5");
    EXPECT_EQ(fromSnapshot.status, 0) << fromSnapshot.out;
    EXPECT_EQ(fromSnapshot.out, fromTree.out);
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
        ReportRun run = RunReportTool(c.arguments);
        EXPECT_EQ(run.status, 2) << c.arguments;
        EXPECT_NE(run.out.find(c.message), std::string::npos) << run.out;
        EXPECT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line: " << run.out;
    }
}
