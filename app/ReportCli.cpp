#include "ReportCli.h"

#include "Collect.h"
#include "Compare.h"
#include "Inventory.h"
#include "core/LocaleText.h"
#include "core/Navigation.h"
#include "core/PlatformError.h"
#include "core/RowTable.h"
#include "core/SettingsStore.h"
#include "core/Skins.h"
#include "core/Version.h"
#include "platform/snapshot/Snapshot.h"
#include "report/JsonReport.h"
#include "report/ReportChain.h"
#include "sections/Devices.h"
#include "sections/Sections.h"

#include <algorithm>
#include <cctype>
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
    "Usage: hardlens-report [--snapshot FILE] [--language Spanish|English|Dutch|es|en|nl]\n"
    "                       [--skin Blue|Green|Pink|Violet] [--format text|html|json]\n"
    "                       [--section N] [--details] [--private] [--output FILE]\n"
    "                       [--capture FILE] [--root DIR] [-h|--help] [-V|--version]\n"
    "       hardlens-report --compare OLD NEW [--all] [--format text|html|json] ...\n"
    "       hardlens-report --inventory FILE|DIR... [--columns KEY,...]\n"
    "                       [--format csv|html|json] ...\n"
    "\n"
    "Prints the Hardlens report of this machine (or of a recorded one) as text or HTML,\n"
    "or the lines of one section (1 Summary ... 16 Network).\n"
    "  --snapshot FILE   read a recorded machine instead of this one\n"
    "  --language NAME   report language, in any case (default: the saved one, else the\n"
    "                    language of LANGUAGE, LC_ALL, LC_MESSAGES or LANG)\n"
    "  --skin NAME       colour of the HTML report (default: the saved one, else Blue)\n"
    "  --format FORMAT   text (default), html, or json (every section with stable keys);\n"
    "                    an inventory is csv (default), html or json\n"
    "  --section N       only section N, as the window shows it\n"
    "  --details         after each section's rows, every device it lists (memory slots,\n"
    "                    GPUs, monitors, disks...) with all their fields\n"
    "  --private         replace serial numbers, the product key, the user name, the\n"
    "                    registered owner and the domain by \"[private]\"\n"
    "  --output FILE     write the document to FILE as the Save command does (- is\n"
    "                    standard output; a link, FIFO or device is written, not replaced)\n"
    "  --capture FILE    record this machine into FILE as a snapshot\n"
    "  --root DIR        read the Linux machine whose proc, sys, etc, run and var trees\n"
    "                    stand in DIR (a copied tree) instead of this one\n"
    "  --compare OLD NEW print the facts that differ between two snapshots (- is this\n"
    "                    machine); exit status 0 alike, 3 different\n"
    "  --all             with --compare, keep the values that change by themselves (clocks,\n"
    "                    counters, free space, memory in use)\n"
    "  --inventory FILE... one line per snapshot file, or per *.json file of a folder;\n"
    "                    exit status 1 when one could not be read (it is skipped)\n"
    "  --columns KEYS    the inventory's columns: JSON row keys, file and machine, joined\n"
    "                    by commas (default: machine, maker, model, system, processor,\n"
    "                    memory, disks, BIOS and display)\n"
    "Options take their value as --option VALUE or --option=VALUE. On Linux the text and\n"
    "HTML leave as UTF-8 with LF line ends, whatever the locale.\n";

struct Options {
    std::string snapshot, language, skin, format, output, capture, root;
    int section = 0;
    bool help = false, version = false, privateValues = false, all = false, inventory = false;
    bool details = false;
    std::vector<std::string> compare, operands, columns;
};

struct UsageError {
    std::string message;
};

// One argument, with the value of "--name=value" split off.
struct Argument {
    std::string name;
    std::optional<std::string> inlineValue;
};

Argument Split(const std::string& a) {
    size_t eq = a.find('=');
    if (a.rfind("--", 0) != 0 || eq == std::string::npos) return {a, std::nullopt};
    return {a.substr(0, eq), a.substr(eq + 1)};
}

std::string NeedValue(const std::vector<std::string>& args, size_t& i, const Argument& a) {
    if (a.inlineValue) return *a.inlineValue;
    if (i + 1 >= args.size()) throw UsageError{"option " + a.name + " needs a value"};
    return args[++i];
}

bool SameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Names in any case, and the ISO codes a locale uses.
std::string CanonicalLanguage(const std::string& v) {
    const std::pair<const char*, const char*> languages[] = {
        {"Spanish", "es"}, {"English", "en"}, {"Dutch", "nl"}};
    for (const auto& [name, code] : languages)
        if (SameText(v, name) || SameText(v, code)) return name;
    throw UsageError{"--language must be Spanish, English or Dutch (or es, en, nl), not \"" + v +
                     "\""};
}

std::string CanonicalSkin(const std::string& v) {
    for (const Skin& skin : Skins())
        if (SameText(v, skin.id)) return skin.id;
    throw UsageError{"--skin must be Blue, Green, Pink or Violet, not \"" + v + "\""};
}

std::string CanonicalFormat(const std::string& v) {
    for (const char* format : {"text", "html", "json", "csv"})
        if (SameText(v, format)) return format;
    throw UsageError{"--format must be text, html, json or csv, not \"" + v + "\""};
}

int SectionNumber(const std::string& v) {
    char* end = nullptr;
    long n = std::strtol(v.c_str(), &end, 10);
    if (v.empty() || *end || n < 1 || n > kSectionCount)
        throw UsageError{"--section needs a number from 1 to 16, not \"" + v + "\""};
    return static_cast<int>(n);
}

std::string FileName(const std::string& option, const std::string& v) {
    if (v.empty()) throw UsageError{option + " needs a file name"};
    return v;
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

bool SameFile(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat sa {
    }, sb{};
    return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
           sa.st_ino == sb.st_ino;
}

// Writing the report over a recorded machine it reads would lose the recording.
void CheckOutputs(const Options& o) {
    std::vector<std::string> inputs = o.operands;
    inputs.insert(inputs.end(), o.compare.begin(), o.compare.end());
    if (!o.snapshot.empty()) inputs.push_back(o.snapshot);
    for (const std::string* out : {&o.output, &o.capture})
        for (const std::string& in : inputs)
            if (!out->empty() && *out != "-" && in != "-" && SameFile(*out, in))
                throw UsageError{*out + " is a snapshot that is read; give another file name"};
}

std::vector<std::string> Columns(const std::string& v) {
    std::vector<std::string> columns = SplitColumns(v);
    if (auto unknown = UnknownColumn(columns))
        throw UsageError{"--columns: no column is named \"" + *unknown +
                         "\" (columns are the row keys of --format json, file and machine)"};
    return columns;
}

void Refuse(bool refused, const std::string& message) {
    if (refused) throw UsageError{message};
}

// --compare and --inventory name their machines themselves, and have formats of their own.
void CheckModes(Options& o) {
    const bool compare = !o.compare.empty(), inventory = o.inventory;
    Refuse(compare && inventory, "--compare and --inventory are two requests; give one");
    Refuse((compare || inventory) && (!o.snapshot.empty() || !o.capture.empty() || o.section),
           "--snapshot, --capture and --section do not go with --compare or --inventory");
    Refuse(inventory && o.operands.empty(), "--inventory needs snapshot files or folders");
    Refuse(inventory && !o.root.empty(), "--inventory reads snapshots; --root does not apply");
    Refuse(!inventory && !o.operands.empty(),
           "unknown argument \"" + (o.operands.empty() ? "" : o.operands[0]) + "\" (see --help)");
    Refuse(o.all && !compare, "--all goes with --compare");
    Refuse(o.details && (inventory || !o.capture.empty()),
           "--details goes with the report (--compare reads the devices by itself)");
    Refuse(!o.columns.empty() && !inventory, "--columns goes with --inventory");
    if (o.format.empty()) o.format = inventory ? "csv" : "text";
    Refuse(o.format == "csv" && !inventory, "--format csv goes with --inventory");
    Refuse(o.format == "text" && inventory, "--inventory writes csv, html or json");
    if (o.columns.empty()) o.columns = DefaultColumns();
}

bool IsFlag(const std::string& name) {
    return name == "--help" || name == "-h" || name == "--version" || name == "-V" ||
           name == "--private" || name == "--all" || name == "--inventory" || name == "--details";
}

void SetFlag(Options& o, const std::string& name) {
    if (name == "--help" || name == "-h")
        o.help = true;
    else if (name == "--version" || name == "-V")
        o.version = true;
    else if (name == "--all")
        o.all = true;
    else if (name == "--inventory")
        o.inventory = true;
    else if (name == "--details")
        o.details = true;
    else
        o.privateValues = true;
}

void SetOption(Options& o, const std::string& name, const std::string& v) {
    if (name == "--snapshot")
        o.snapshot = FileName(name, v);
    else if (name == "--language")
        o.language = CanonicalLanguage(v);
    else if (name == "--skin")
        o.skin = CanonicalSkin(v);
    else if (name == "--format")
        o.format = CanonicalFormat(v);
    else if (name == "--output")
        o.output = FileName(name, v);
    else if (name == "--capture")
        o.capture = FileName(name, v);
    else if (name == "--root")
        o.root = FileName(name, v);
    else if (name == "--columns")
        o.columns = Columns(v);
    else
        o.section = SectionNumber(v);
}

bool TakesValue(const std::string& name) {
    for (const char* option : {"--snapshot", "--language", "--skin", "--format", "--output",
                               "--capture", "--root", "--section", "--columns"})
        if (name == option) return true;
    return false;
}

Options ParseArgs(const std::vector<std::string>& args) {
    Options o;
    for (size_t i = 0; i < args.size(); ++i) {
        const Argument a = Split(args[i]);
        if (IsFlag(a.name)) {
            if (a.inlineValue) throw UsageError{"option " + a.name + " takes no value"};
            SetFlag(o, a.name);
        } else if (TakesValue(a.name)) {
            SetOption(o, a.name, NeedValue(args, i, a));
        } else if (a.name == "--compare") {
            o.compare = {NeedValue(args, i, a), NeedValue(args, i, {a.name, std::nullopt})};
        } else if (args[i].empty() || args[i][0] != '-') {
            o.operands.push_back(args[i]);
        } else {
            throw UsageError{"unknown argument \"" + args[i] + "\" (see --help)"};
        }
    }
    CheckModes(o);
    CheckRoot(o);
    CheckOutputs(o);
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

// Files get the document as the window's Save command writes it (one more line end); JSON is
// UTF-8 as JSON must be, and has no CRLF to convert.
std::string Exported(const Options& o, std::string document, bool toFile) {
    if (toFile) document += "\r\n";
    return ExportDocument(std::move(document), o.format == "html");
}

// A settings file that cannot be used is passed over, and the user told so: silently running
// on defaults would look like lost settings.
void SayIfSettingsRefused(const SettingsStore& store, std::ostream& err) {
    const std::string why = store.Refusal();
    if (!why.empty()) Say(err, "using the default settings: " + store.Path() + " " + why);
}

ReportChoices Choices(const Options& o) {
    return {o.language, o.skin, o.privateValues};
}

int RunFleet(const Options& o, const SettingsStore& store, std::ostream& out, std::ostream& err) {
    SayIfSettingsRefused(store, err);
    if (o.inventory)
        return RunInventory({o.operands, o.columns, o.format, o.output, Choices(o)}, store, out,
                            err);
    return RunCompare({o.compare[0], o.compare[1], o.root, o.format, o.output, o.all, Choices(o)},
                      store, out, err);
}

// One section's lines as Copy all gives them (then its devices), or in the report's HTML.
std::string SectionDocument(const Options& o, App& app, std::ostream& err, int& status) {
    MenuClick(app, o.section);
    if (!app.main.lastError.empty()) {
        Say(err, "section " + std::to_string(o.section) + ": " + app.main.lastError);
        status = 1;
    }
    const SectionRows& rows = app.sections->RowsOf(o.section);
    if (app.privateValues) MaskPrivateRows(app.area, rows);
    DeviceList devices = o.details ? SectionDevices(app, o.section) : DeviceList{};
    return o.format == "html" ? SectionHtml(app, rows, devices, ChooseClock())
                              : SectionText(app, rows, devices);
}

// The JSON report is written as it is made: it repeats each list on every row that shows it, and
// may be many times longer than the machine's facts.
int WriteJson(const Options& o, App& app, DataSource& source, std::ostream& out,
              std::ostream& err) {
    std::vector<int> sections;
    for (int n = 1; n <= kSectionCount; ++n)
        if (!o.section || n == o.section) sections.push_back(n);
    const std::string login = o.privateValues ? source.ReadEnvironment("USERNAME") : "";
    DocumentPieces pieces = [&](const PieceSink& put) {
        WriteJsonReport(
            app, sections, o.details,
            [&](std::string_view piece) {
                // A private report's pieces end between two members, so no path is cut in two.
                return o.privateValues ? put(MaskLoginInPaths(std::string(piece), login))
                                       : put(piece);
            },
            o.privateValues);
    };
    if (!o.output.empty()) return WriteOrSay(o.output, pieces, err) ? 0 : 1;
    pieces([&](std::string_view piece) {
        return static_cast<bool>(
            out.write(piece.data(), static_cast<std::streamsize>(piece.size())));
    });
    out.flush();
    return 0;
}

int Run(const Options& o, std::ostream& out, std::ostream& err) {
    SettingsStore store(SettingsStore::DefaultPath());
    if (o.inventory || !o.compare.empty()) return RunFleet(o, store, out, err);
    std::unique_ptr<DataSource> source = OpenMachine(o.snapshot, o.root, store);
    // One run of the program is one look at the machine: each file is read once.
    std::shared_ptr<void> oneRead = source->HoldReads();
    if (!o.capture.empty()) {
        Snapshot captured = CaptureSnapshot(*source, "hardlens-report --capture");
        if (o.privateValues) captured = MaskPrivateFacts(std::move(captured));
        std::string json = SnapshotToJson(captured);
        return WriteOrSay(o.capture, json, err) ? 0 : 1;
    }
    App app(*source, AllSections());
    SetUpApp(app, Choices(o));
    SayIfSettingsRefused(store, err);

    if (o.format == "json") return WriteJson(o, app, *source, out, err);
    std::string document;
    int status = 0;
    if (o.section) {
        document = SectionDocument(o, app, err, status);
    } else {
        const bool html = o.format == "html";
        ReportDocuments docs =
            BuildReport(app, ChooseClock(), o.details, html ? Documents::Html : Documents::Text);
        document = html ? std::move(docs.html) : std::move(docs.text);
    }
    if (o.privateValues) document = MaskLoginInPaths(document, source->ReadEnvironment("USERNAME"));
    if (!o.output.empty())
        return WriteOrSay(o.output, Exported(o, std::move(document), true), err) ? status : 1;
    out << Exported(o, std::move(document), false);
    out.flush();
    return status;
}

} // namespace

int RunReportCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    Options o;
    try {
        o = ParseArgs(args);
    } catch (const UsageError& e) {
        Say(err, e.message);
        return 2;
    }
    if (o.help) {
        out << kUsage;
        return 0;
    }
    if (o.version) {
        out << "hardlens-report " << kFullVersion << "\n";
        return 0;
    }
    try {
        return Run(o, out, err);
    } catch (const SnapshotError& e) {
        Say(err, e.what());
        return 2;
    } catch (const PlatformError& e) {
        Say(err, e.what());
        return 1;
    }
}

} // namespace hl
