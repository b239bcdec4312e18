#include "PrintedDocument.h"
#include "ReportClock.h"
#include "TestSupport.h"
#include "app/ReportCli.h"
#include "report/ReportChain.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

using namespace hl;
using hl::test::AsPrinted;
using hl::test::DataPath;
using hl::test::ReadFile;
using hl::test::TempDir;

namespace {

struct CliRun {
    TempDir config;
    std::string out, err;
    int status = -1;
    explicit CliRun(std::vector<std::string> args) {
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        ::setenv("HARDLENS_CLOCK", hl::test::kReportClock, 1);
        std::ostringstream o, e;
        status = RunReportCli(args, o, e);
        out = o.str();
        err = e.str();
    }
};

// Compares line by line first, so a difference is reported where it is.
void ExpectSameDocument(const std::string& actual, const std::string& expected) {
    std::istringstream a(actual), e(expected);
    std::string la, le;
    for (int line = 1; std::getline(e, le); ++line) {
        ASSERT_TRUE(static_cast<bool>(std::getline(a, la)))
            << "missing line " << line << ": " << le;
        ASSERT_EQ(la, le) << "line " << line;
    }
    EXPECT_EQ(actual, expected);
}

// The golden files hold the documents as built, with CRLF; on Linux they leave with LF, and
// the HTML page with its character set declared.

} // namespace

TEST(FullReport, TextDocumentInTheThreeLanguages) {
    for (const char* language : {"Spanish", "English", "Dutch"}) {
        SCOPED_TRACE(language);
        CliRun r({"--snapshot", DataPath("machines/rich.json"), "--language", language});
        ASSERT_EQ(r.status, 0) << r.err;
        ExpectSameDocument(r.out, AsPrinted(ReadFile(DataPath(std::string("machines/rich.") +
                                                              language + ".txt"))));
    }
}

// The skins differ only in the colour of the banner, the headings and the foot.
std::string InSkinColour(std::string html, const std::string& colour) {
    for (size_t at = html.find("#0042dd"); at != std::string::npos;
         at = html.find("#0042dd", at + colour.size()))
        html.replace(at, 7, colour);
    return html;
}

TEST(FullReport, HtmlDocumentInEverySkin) {
    struct Case {
        const char *language, *skin, *file, *colour;
    } cases[] = {{"English", "Blue", "English.Blue", "#0042dd"},
                 {"English", "Green", "English.Blue", "#009100"},
                 {"English", "Pink", "English.Blue", "#ff1993"},
                 {"English", "Violet", "English.Blue", "#f01ef0"},
                 {"Spanish", "Blue", "Spanish.Blue", "#0042dd"},
                 {"Dutch", "Violet", "Dutch.Violet", "#f01ef0"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.language) + " " + c.skin);
        CliRun r({"--snapshot", DataPath("machines/rich.json"), "--language", c.language,
                  "--format", "html", "--skin", c.skin});
        ASSERT_EQ(r.status, 0) << r.err;
        std::string expected = ReadFile(DataPath(std::string("machines/rich.") + c.file + ".html"));
        ExpectSameDocument(r.out, AsPrinted(InSkinColour(expected, c.colour)));
    }
}

TEST(FullReport, SkinOutsideTheFourLeavesOutTheColouredPieces) {
    hl::test::TestApp t(LoadSnapshotFile(DataPath("machines/rich.json")), "English", "Orange");
    ReportDocuments docs = BuildReport(*t, hl::test::ReportTime);
    ExpectSameDocument(docs.html, ReadFile(DataPath("machines/rich.English.Orange.html")));
    ExpectSameDocument(docs.text, ReadFile(DataPath("machines/rich.English.txt")));
}

TEST(FullReport, OutputFileIsTheDocumentFollowedByALineEnd) {
    TempDir dir;
    std::string file = dir.File("report.txt");
    CliRun r({"--snapshot", DataPath("machines/rich.json"), "--output", file});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(ReadFile(file), AsPrinted(ReadFile(DataPath("machines/rich.English.txt"))) + "\n");
}
