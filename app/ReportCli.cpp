#include "ReportCli.h"

#include "core/CopyText.h"
#include "core/LocaleText.h"
#include "core/Navigation.h"
#include "core/PlatformError.h"
#include "core/RowKeys.h"
#include "core/SettingsStore.h"
#include "core/Skins.h"
#include "core/Version.h"
#include "core/sources/MachineSource.h"
#include "core/sources/Snapshot.h"
#include "report/JsonReport.h"
#include "report/ReportChain.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <optional>
#include <sys/stat.h>

namespace hl {

namespace {

const char* const kUsage =
    "Usage: hardlens-report [--snapshot FILE] [--language Spanish|English|Dutch]\n"
    "                       [--skin Blue|Green|Pink|Violet] [--format text|html|json]\n"
    "                       [--section N] [--private] [--output FILE] [--capture FILE]\n"
    "                       [--root DIR] [--help] [--version]\n"
    "\n"
    "Prints the Hardlens report of this machine (or of a recorded one) as text or HTML,\n"
    "or the lines of one section (1 Summary ... 13 Others hardware).\n"
    "  --snapshot FILE   read a recorded machine instead of this one\n"
    "  --language NAME   report language (default: the saved one, else English)\n"
    "  --skin NAME       colour of the HTML report (default: the saved one, else Blue)\n"
    "  --format FORMAT   text (default), html, or json (every section with stable keys)\n"
    "  --section N       only section N, as the window shows it\n"
    "  --private         replace serial numbers, the product key, the user name, the\n"
    "                    registered owner and the domain by \"[private]\"\n"
    "  --output FILE     write the document to FILE as the Save command does\n"
    "  --capture FILE    record this machine into FILE as a snapshot\n"
    "  --root DIR        read the Linux machine whose proc, sys, etc, run and var trees\n"
    "                    stand in DIR (a copied tree) instead of this one\n";

struct Options {
    std::string snapshot, language, skin, format = "text", output, capture, root;
    int section = 0;
    bool help = false, version = false, privateValues = false;
};

struct UsageError {
    std::string message;
};

std::string NeedValue(const std::vector<std::string>& args, size_t& i) {
    if (i + 1 >= args.size()) throw UsageError{"option " + args[i] + " needs a value"};
    return args[++i];
}

void CheckRoot(const Options& o) {
    if (o.root.empty()) return;
#ifdef _WIN32
    throw UsageError{"--root reads a Linux machine's tree; it is not available on Windows"};
#else
    if (!o.snapshot.empty()) throw UsageError{"--root and --snapshot name two machines; give one"};
    struct stat st {};
    if (::stat(o.root.c_str(), &st) != 0)
        throw UsageError{"--root " + o.root + ": " + std::strerror(errno)};
    if (!S_ISDIR(st.st_mode)) throw UsageError{"--root " + o.root + ": not a folder"};
#endif
}

Options ParseArgs(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h")
            o.help = true;
        else if (a == "--version")
            o.version = true;
        else if (a == "--private")
            o.privateValues = true;
        else if (a == "--snapshot")
            o.snapshot = NeedValue(args, i);
        else if (a == "--language")
            o.language = NeedValue(args, i);
        else if (a == "--skin")
            o.skin = NeedValue(args, i);
        else if (a == "--format")
            o.format = NeedValue(args, i);
        else if (a == "--output")
            o.output = NeedValue(args, i);
        else if (a == "--capture")
            o.capture = NeedValue(args, i);
        else if (a == "--root")
            o.root = NeedValue(args, i);
        else if (a == "--section") {
            std::string v = NeedValue(args, i);
            char* end = nullptr;
            long n = std::strtol(v.c_str(), &end, 10);
            if (v.empty() || *end || n < 1 || n > 13)
                throw UsageError{"--section needs a number from 1 to 13, not \"" + v + "\""};
            o.section = static_cast<int>(n);
        } else
            throw UsageError{"unknown argument \"" + a + "\" (see --help)"};
    }
    if (!o.language.empty() && !IsLanguage(o.language))
        throw UsageError{"--language must be Spanish, English or Dutch"};
    if (!o.skin.empty() && !FindSkin(o.skin))
        throw UsageError{"--skin must be Blue, Green, Pink or Violet"};
    if (o.format != "text" && o.format != "html" && o.format != "json")
        throw UsageError{"--format must be text, html or json"};
    CheckRoot(o);
    return o;
}

// HARDLENS_CLOCK=YYYY-MM-DDTHH:MM fixes the banner clock (reproducible reports).
ReportWriter::Clock ChooseClock() {
    const char* fixed = std::getenv("HARDLENS_CLOCK");
    if (!fixed || !*fixed) return ReportWriter::SystemClock;
    std::tm t{};
    if (std::sscanf(fixed, "%d-%d-%dT%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour,
                    &t.tm_min) != 5)
        return ReportWriter::SystemClock;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    return [t] { return t; };
}

std::unique_ptr<DataSource> OpenSource(const Options& o) {
    SettingsStore store(SettingsStore::DefaultPath());
    if (!o.snapshot.empty())
        return std::make_unique<SnapshotSource>(LoadSnapshotFile(o.snapshot), store);
    return MakeMachineSource(store, o.root);
}

// Documents are saved as the window's Save command does; JSON stays UTF-8 as JSON must be.
bool WriteOutput(const std::string& path, const std::string& document, bool json,
                 std::ostream& err) {
    if (WriteFileAtomically(path, json ? document : ToLocaleCharset(document + "\r\n")))
        return true;
    err << "hardlens-report: cannot write " << path << "\n";
    return false;
}

int Run(const Options& o, std::ostream& out, std::ostream& err) {
    std::unique_ptr<DataSource> source = OpenSource(o);
    if (!o.capture.empty()) {
        std::string json = SnapshotToJson(CaptureSnapshot(*source, "hardlens-report --capture"));
        return WriteFileAtomically(o.capture, json)
                   ? 0
                   : (err << "hardlens-report: cannot write " << o.capture << "\n", 1);
    }
    App app(*source);
    app.settings = LoadSettings(*source, app.table, /*writeBack=*/false);
    if (!o.language.empty()) app.settings.language = o.language;
    if (!o.skin.empty()) app.settings.skin = o.skin;
    LoadLanguage(app.table, app.settings.language);
    app.privateValues = o.privateValues;

    std::string document;
    int status = 0;
    if (o.format == "json") {
        std::vector<int> sections;
        for (int n = 1; n <= 13; ++n)
            if (!o.section || n == o.section) sections.push_back(n);
        document = JsonReport(app, sections);
    } else if (o.section) {
        MenuClick(app, o.section);
        if (app.privateValues) MaskPrivateRows(app.area, o.section);
        document = CopyAllText(app.area, o.section) + "\r\n";
        if (!app.main.lastError.empty()) {
            err << "hardlens-report: section " << o.section << ": " << app.main.lastError << "\n";
            status = 1;
        }
    } else {
        ReportDocuments docs = BuildReport(app, ChooseClock());
        document = o.format == "html" ? docs.html : docs.text;
    }
    if (!o.output.empty())
        return WriteOutput(o.output, document, o.format == "json", err) ? status : 1;
    out << document;
    out.flush();
    return status;
}

} // namespace

int RunReportCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    try {
        o = ParseArgs(args);
    } catch (const UsageError& e) {
        err << "hardlens-report: " << e.message << "\n";
        return 2;
    }
    if (o.help) {
        out << kUsage;
        return 0;
    }
    if (o.version) {
        out << "hardlens-report " << kVersion << "\n";
        return 0;
    }
    try {
        return Run(o, out, err);
    } catch (const SnapshotError& e) {
        err << "hardlens-report: " << e.what() << "\n";
        return 2;
    } catch (const PlatformError& e) {
        err << "hardlens-report: " << e.what() << "\n";
        return 1;
    }
}

} // namespace hl
