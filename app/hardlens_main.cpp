#include "MemoryReserve.h"
#include "core/App.h"
#include "core/Settings.h"
#include "core/SettingsStore.h"
#include "core/Version.h"
#include "platform/MachineSource.h"
#include "platform/snapshot/Snapshot.h"
#include "sections/Sections.h"
#include "ui/CustomizePanel.h"
#include "ui/Form1.h"
#include "ui/ReportPanel.h"
#include "ui/SingleInstance.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <new>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const kUsage =
    "Usage: hardlens [--snapshot FILE] [-h|--help] [-V|--version] [Qt options]\n"
    "\n"
    "Shows the facts of this computer, or of a recorded one, in the Hardlens window.\n"
    "  --snapshot FILE   show the computer recorded in FILE (made with\n"
    "                    hardlens-report --capture) instead of this one\n"
    "  -h, --help        print this help and exit\n"
    "  -V, --version     print the version and exit\n"
    "Qt's own options, such as -platform NAME, are taken as well. The same facts on the\n"
    "terminal: hardlens-report --help.\n";

// The window's own options; whatever else is on the command line is left to Qt, which takes
// its options out of argv and leaves the rest in QCoreApplication::arguments().
struct WindowOptions {
    bool help = false, version = false;
    std::string snapshot, error;
    std::vector<char*> forQt;
};

// "--snapshot FILE" or "--snapshot=FILE"; an empty name is refused.
void TakeSnapshot(WindowOptions& o, int argc, char** argv, int& i) {
    const std::string arg = argv[i];
    if (arg != "--snapshot")
        o.snapshot = arg.substr(arg.find('=') + 1);
    else if (i + 1 < argc)
        o.snapshot = argv[++i];
    if (o.snapshot.empty()) o.error = "--snapshot needs a file name";
}

WindowOptions ParseWindowOptions(int argc, char** argv) {
    WindowOptions o;
    o.forQt.push_back(argv[0]);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help")
            o.help = true;
        else if (arg == "-V" || arg == "--version")
            o.version = true;
        else if (arg == "--snapshot" || arg.rfind("--snapshot=", 0) == 0)
            TakeSnapshot(o, argc, argv, i);
        else
            o.forQt.push_back(argv[i]);
    }
    o.forQt.push_back(nullptr);
    return o;
}

// The command line names the recording first, the environment second.
std::string SnapshotFile(const WindowOptions& options) {
    if (!options.snapshot.empty()) return options.snapshot;
    const char* snapshot = std::getenv("HARDLENS_SNAPSHOT");
    return snapshot ? snapshot : "";
}

std::unique_ptr<hl::DataSource> OpenSource(const std::string& snapshot,
                                           const hl::SettingsStore& store) {
    if (!snapshot.empty())
        return std::make_unique<hl::SnapshotSource>(hl::LoadSnapshotFile(snapshot), store);
    return hl::MakeMachineSource(store);
}

// The off-screen platform (headless runs) keeps the opacity it is given but warns on every
// change of the transparency; Wayland and platforms without transparency never reach that
// call (ui/Transparency). The warning is no news for the terminal; every other message goes
// on as Qt would print it.
QtMessageHandler qtDefaultHandler = nullptr;

void QuietOpacityWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text == "This plugin does not support setting window opacity")
        return;
    qtDefaultHandler(type, context, text);
}

bool EnvFlag(const char* name) {
    const char* value = std::getenv(name);
    return value && std::string(value) == "1";
}

// Milliseconds since the kernel started this process (so the loading of the libraries before
// main counts too), or -1 where /proc is missing.
long long ProcessAgeMs() {
    std::ifstream statFile("/proc/self/stat");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    std::istringstream fields(stat.substr(close + 2));
    // Fields after the command name start at 3; field 22 is the start time in clock ticks
    // after boot.
    std::string field;
    for (int i = 3; i <= 22; ++i)
        if (!(fields >> field)) return -1;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const long long ticks = std::atoll(field.c_str());
    const long long perSecond = sysconf(_SC_CLK_TCK);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000 - ticks * 1000 / perSecond;
}

// Peak resident memory of this process in KiB (VmHWM), or -1.
long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Measuring aids: HARDLENS_EXIT_AFTER_FIRST_SECTION=1 prints how long the start took up to the
// first section (and the fade-in's share of it) and quits; with HARDLENS_VISIT_ALL_SECTIONS=1
// every section is shown once before quitting and the peak resident memory is printed.
void InstallMeasuring(hl::Form1& window) {
    if (!EnvFlag("HARDLENS_EXIT_AFTER_FIRST_SECTION")) return;
    QObject::connect(&window, &hl::Form1::firstSectionShown, &window, [&window] {
        const long long age = ProcessAgeMs();
        const long long fade = window.FadeInMs();
        timespec wall{};
        clock_gettime(CLOCK_REALTIME, &wall);
        std::printf("first section shown %lld ms after process start; fade-in %lld ms; "
                    "start without the fade %lld ms; wall clock %lld.%09ld s\n",
                    age, fade, age - fade, static_cast<long long>(wall.tv_sec), wall.tv_nsec);
        if (EnvFlag("HARDLENS_VISIT_ALL_SECTIONS")) {
            for (int n : {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 1}) {
                window.LBM_Click(n);
                QCoreApplication::processEvents(); // painted, pictures rendered
            }
        }
        // Let the shown section paint before leaving.
        QTimer::singleShot(0, [] {
            std::printf("peak resident memory %ld KiB\n", PeakResidentKiB());
            std::fflush(stdout);
            QCoreApplication::exit(0); // quit() would ask the window, which fades out
        });
    });
}

// Whatever escapes the window (a machine too big for the memory at hand, a fault of any
// kind) ends with a message and exit 1, never an abort.
void ShowFatal(const char* what) {
    if (QCoreApplication::instance()) {
        QMessageBox box(QMessageBox::Critical, "Hardlens",
                        QString("Hardlens has to stop:\n\n%1").arg(what));
        box.setTextFormat(Qt::PlainText);
        box.exec();
    } else
        std::fprintf(stderr, "hardlens: %s\n", what);
}

// Told once the window is up: the program runs on its defaults, and the next change of a
// setting writes a sound file in the refused one's place.
void SayIfSettingsRefused(const hl::SettingsStore& store, QWidget& window) {
    const std::string why = store.Refusal();
    if (why.empty()) return;
    const QString text =
        QString("Hardlens could not use its settings file and starts with the "
                "default settings:\n\n%1 %2")
            .arg(QString::fromStdString(store.Path()), QString::fromStdString(why));
    QTimer::singleShot(0, &window, [&window, text] {
        QMessageBox box(QMessageBox::Warning, "Hardlens", text, QMessageBox::Ok, &window);
        box.setTextFormat(Qt::PlainText);
        box.exec();
    });
}

int ShowWindow(QApplication& qapp, hl::SingleInstance& instance, const std::string& snapshot) {
    hl::SettingsStore store(hl::SettingsStore::DefaultPath());
    std::unique_ptr<hl::DataSource> source;
    try {
        source = OpenSource(snapshot, store);
    } catch (const std::exception& e) {
        const QString text =
            !snapshot.empty()
                ? QString("Hardlens cannot read the recorded computer:\n\n%1")
                : QString("Hardlens cannot read this computer's information:\n\n%1\n\n"
                          "To view a recorded computer, start Hardlens with "
                          "--snapshot and the recording's file.");
        QMessageBox box(QMessageBox::Critical, "Hardlens",
                        text.arg(QString::fromStdString(e.what())));
        box.setTextFormat(Qt::PlainText); // the message may quote the file's contents
        box.exec();
        return 2;
    }
    hl::App app(*source, hl::AllSections());
    app.settings = hl::LoadSettings(*source, app.table);
    app.pumpEvents = [] { QCoreApplication::processEvents(); };

    hl::Form1 window(app);
    // The panels live in the window's value area, which owns them.
    new hl::ReportPanel(app, window);
    new hl::CustomizePanel(app, window);
    InstallMeasuring(window);
    instance.ListenForRaise([&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
        if (QWindow* handle = window.windowHandle()) handle->requestActivate();
    });
    window.Form_Load();
    SayIfSettingsRefused(store, window);
    return qapp.exec();
}

// The message box needs the application alive, so the catch sits inside its scope.
int CatchingAll(const std::function<int()>& body) {
    try {
        return body();
    } catch (const std::bad_alloc&) {
        ShowFatal("out of memory");
    } catch (const std::exception& e) {
        ShowFatal(e.what());
    }
    return 1;
}

// Answers --help, --version and a faulty --snapshot on the terminal, without a display; -1
// when the window is to start.
int AnswerOnTerminal(const WindowOptions& options) {
    if (!options.error.empty()) {
        std::fprintf(stderr, "hardlens: %s (see --help)\n", options.error.c_str());
        return 2;
    }
    if (options.help)
        std::fputs(kUsage, stdout);
    else if (options.version)
        std::printf("hardlens %s\n", hl::kFullVersion);
    else
        return -1;
    return 0;
}

// Qt has taken its own options out; anything left is a mistake of the caller.
int RefuseLeftovers() {
    const QStringList left = QCoreApplication::arguments().mid(1);
    if (left.isEmpty()) return 0;
    std::fprintf(stderr, "hardlens: unknown argument \"%s\" (see --help)\n",
                 left.first().toLocal8Bit().constData());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    WindowOptions options = ParseWindowOptions(argc, argv);
    if (int status = AnswerOnTerminal(options); status >= 0) return status;
    int qtArgc = static_cast<int>(options.forQt.size()) - 1;
    char** qtArgv = options.forQt.data();
    const std::string snapshot = SnapshotFile(options);
    qtDefaultHandler = qInstallMessageHandler(QuietOpacityWarning);
    return CatchingAll([&] {
        hl::KeepMemoryReserve();
        // A second start ends at once, silently, before it even connects to the display; the
        // running window comes to the front instead.
        hl::SingleInstance instance;
        if (!instance.Acquired()) {
            QCoreApplication knocking(qtArgc, qtArgv);
            instance.AskRunningToRaise();
            return 0;
        }

        QApplication qapp(qtArgc, qtArgv);
        if (int status = RefuseLeftovers()) return status;
        QApplication::setApplicationName("Hardlens");
        // Lets Wayland desktops match the window to its desktop entry and icon.
        QGuiApplication::setDesktopFileName("org.hardlens.Hardlens");
        return CatchingAll([&] { return ShowWindow(qapp, instance, snapshot); });
    });
}
