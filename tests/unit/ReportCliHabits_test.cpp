// hardlens-report as Linux users call it: option spellings, and what its output looks like to
// grep, awk and a browser under any locale.

#include "ReportClock.h"
#include "TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace hl::test;

namespace {

// Runs the program in `dir` under the C locale, the usual one over ssh and in cron.
ReportRun RunIn(const TempDir& dir, const std::string& arguments) {
    std::string command = "cd '" + dir.Path() + "' && env LC_ALL=C LANG=C XDG_CONFIG_HOME='" +
                          dir.Path() + "' HARDLENS_CLOCK=" + kReportClock + " '" +
                          HARDLENS_REPORT_EXE + "' " + arguments + " 2>/dev/null";
    return RunCommand(command);
}

std::string Machine() {
    return "--snapshot '" + DataPath("machines/desktop.json") + "' ";
}

} // namespace

TEST(ReportCliHabits, OtherSpellingsOfTheSameRequest) {
    TempDir dir;
    const std::pair<std::string, std::string> cases[] = {
        {"--format=html --language=spanish --skin=PINK",
         "--format html --language Spanish --skin Pink"},
        {"--language es --section=2", "--language Spanish --section 2"},
        {"--language=NL --section 4", "--language Dutch --section 4"},
        {"--language En --format=JSON --section=5", "--language English --format json --section 5"},
        {"-h", "--help"},
    };
    for (const auto& [spelling, canonical] : cases) {
        SCOPED_TRACE(spelling);
        ReportRun given = RunIn(dir, Machine() + spelling);
        ReportRun expected = RunIn(dir, Machine() + canonical);
        EXPECT_EQ(given.status, 0);
        EXPECT_EQ(expected.status, 0);
        EXPECT_FALSE(given.out.empty());
        EXPECT_EQ(given.out, expected.out);
    }
    EXPECT_EQ(RunIn(dir, "-V").out, "hardlens-report 2.1.0\n");
    EXPECT_EQ(RunIn(dir, "--version").out, "hardlens-report 2.1.0\n");
}

TEST(ReportCliHabits, RefusedRequestsExitTwoAndWriteNothing) {
    TempDir dir;
    std::filesystem::copy_file(DataPath("machines/desktop.json"), dir.File("m.json"));
    const std::string before = ReadFile(dir.File("m.json"));
    for (const char* arguments :
         {"--output=", "--output ''", "--snapshot m.json --output m.json",
          "--snapshot m.json --output ./m.json", "--help=yes", "--language fr", "--skin orange",
          "--format=pdf", "bogus", "--language"}) {
        SCOPED_TRACE(arguments);
        ReportRun run = RunIn(dir, arguments);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(ReadFile(dir.File("m.json")), before);
    EXPECT_FALSE(std::filesystem::exists(dir.File("-")));
}

// CRLF hid every line end from grep and awk, and the C locale turned "ñ" into "?" for good.
TEST(ReportCliHabits, TextLeavesAsUtf8WithLfUnderTheCLocale) {
    TempDir dir;
    const std::string spanish = Machine() + "--language Spanish ";
    ReportRun printed = RunIn(dir, spanish);
    ReportRun toFile = RunIn(dir, spanish + "--output r.txt");
    ReportRun toDash = RunIn(dir, spanish + "--output -");
    ASSERT_EQ(printed.status, 0);
    ASSERT_EQ(toFile.status, 0);
    std::string file = ReadFile(dir.File("r.txt"));
    for (const std::string* document : {&printed.out, &file}) {
        EXPECT_EQ(document->find('\r'), std::string::npos);
        EXPECT_NE(document->find("\n \xC2\xB7 Contrase\xC3\xB1"
                                 "a modificable: S\xC3\xAD\n"),
                  std::string::npos);
        EXPECT_NE(document->find("\n \xC2\xB7 Idioma: Espa\xC3\xB1ol\n"), std::string::npos);
    }
    EXPECT_EQ(file, printed.out + "\n"); // the file ends as the Save command ends it
    EXPECT_EQ(toDash.out, file);
    EXPECT_FALSE(std::filesystem::exists(dir.File("-")));

    ReportRun html = RunIn(dir, spanish + "--format html");
    EXPECT_EQ(html.out.find('\r'), std::string::npos);
    EXPECT_EQ(html.out.rfind("<html>\n<head><meta charset=\"utf-8\"><title>Informe de Hardlens"
                             "</title></head>\n",
                             0),
              0u);
}

// Standard output that takes nothing (a full disk, a closed descriptor) fails as --output does:
// a message and exit 1. A reader that stops early is no failure: nothing is said.
TEST(ReportCliHabits, UnwritableStandardOutputFailsLoudly) {
    TempDir dir;
    std::string program =
        "XDG_CONFIG_HOME='" + dir.Path() + "' '" + HARDLENS_REPORT_EXE + "' " + Machine();
    struct Case {
        const char* what;
        std::string redirect;
    } cases[] = {{"a full device", " 2>&1 >/dev/full"},
                 {"a closed descriptor", " 2>&1 >&-"},
                 {"a full device, one section", " --section 5 2>&1 >/dev/full"},
                 {"a full device, JSON", " --format json 2>&1 >/dev/full"}};
    for (const Case& c : cases) {
        ReportRun run = RunCommand(program + c.redirect);
        EXPECT_EQ(run.status, 1) << c.what;
        EXPECT_NE(run.out.find("hardlens-report: cannot write the standard output"),
                  std::string::npos)
            << c.what << ": " << run.out;
    }
    // With SIGPIPE ignored, as some shells and services leave it, the write meets EPIPE.
    ReportRun piped = RunCommand("trap '' PIPE; (sleep 1; " + program + " 2>'" + dir.File("err") +
                                 "') | true; cat '" + dir.File("err") + "'");
    EXPECT_EQ(piped.out, "");
}
