#include "TestSupport.h"
#include "core/OutputFile.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <new>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace hl;
using namespace hl::test;

namespace {

struct stat LStat(const std::string& path) {
    struct stat st {};
    EXPECT_EQ(::lstat(path.c_str(), &st), 0) << path;
    return st;
}

size_t EntriesIn(const std::string& folder) {
    size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

struct KindCase {
    const char* name;
    // Prepares what stands at dir/out; returns the path whose contents must become the bytes.
    std::function<std::string(const TempDir&)> prepare;
    mode_t expectedMode; // of the written file, 0 to leave unchecked
};

const KindCase kKinds[] = {
    {"NewName", [](const TempDir& d) { return d.File("out"); }, 0},
    {"ExistingFileKeepsItsMode",
     [](const TempDir& d) {
         WriteFile(d.File("out"), "old report");
         ::chmod(d.File("out").c_str(), 0600);
         return d.File("out");
     },
     0600},
    {"SymlinkReplacesItsTargetElsewhere",
     [](const TempDir& d) {
         std::filesystem::create_directory(d.File("elsewhere"));
         WriteFile(d.File("elsewhere/report.txt"), "old report");
         ::chmod(d.File("elsewhere/report.txt").c_str(), 0640);
         std::filesystem::create_symlink("elsewhere/report.txt", d.File("out"));
         return d.File("elsewhere/report.txt");
     },
     0640},
    {"ChainOfLinksToANameNotThereYet",
     [](const TempDir& d) {
         std::filesystem::create_symlink("second", d.File("out"));
         std::filesystem::create_symlink(d.File("target"), d.File("second"));
         return d.File("target");
     },
     0},
};

} // namespace

TEST(OutputFile, WritesWhatStandsAtThePathAsItsKindWants) {
    for (const KindCase& c : kKinds) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string written = c.prepare(dir);
        struct stat before {};
        const bool wasLink =
            ::lstat(dir.File("out").c_str(), &before) == 0 && S_ISLNK(before.st_mode);

        // Written in pieces, as the JSON report is, which every whole document also goes through.
        WriteResult r = WriteOutputFile(dir.File("out"), [](const PieceSink& put) {
            put("new ");
            put("");
            put("report\n");
        });
        ASSERT_TRUE(r.ok) << r.reason;
        EXPECT_EQ(ReadFile(written), "new report\n");
        EXPECT_EQ(S_ISLNK(LStat(dir.File("out")).st_mode), wasLink);
        if (c.expectedMode) EXPECT_EQ(LStat(written).st_mode & 07777, c.expectedMode);
    }
}

TEST(OutputFile, NewFileFollowsTheUmask) {
    TempDir dir;
    mode_t old = ::umask(027);
    WriteResult r = WriteOutputFile(dir.File("out"), "x");
    ::umask(old);
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(LStat(dir.File("out")).st_mode & 07777, 0640u);
}

// A broken writer renames a regular file over the node; only nodes in a temporary folder are
// used, never the machine's own /dev.
TEST(OutputFile, PipesSocketsAndDevicesAreWrittenInPlace) {
    TempDir dir;
    const std::string fifo = dir.File("fifo");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    WriteResult r = WriteOutputFile(fifo, "through the pipe");
    EXPECT_TRUE(r.ok) << r.reason;
    char buf[64] = {};
    ssize_t n = ::read(reader, buf, sizeof buf);
    ::close(reader);
    EXPECT_EQ(std::string(buf, n > 0 ? static_cast<size_t>(n) : 0), "through the pipe");
    EXPECT_TRUE(S_ISFIFO(LStat(fifo).st_mode));

    // What /dev/stdout is when the output goes into a pipe: a link to "/proc/self/fd/N", whose
    // own target "pipe:[...]" names no path.
    int fds[2];
    ASSERT_EQ(::pipe2(fds, O_NONBLOCK), 0);
    const std::string stdoutLink = dir.File("stdout");
    std::filesystem::create_symlink("/proc/self/fd/" + std::to_string(fds[1]), stdoutLink);
    r = WriteOutputFile(stdoutLink, "into the pipe");
    EXPECT_TRUE(r.ok) << r.reason;
    n = ::read(fds[0], buf, sizeof buf);
    ::close(fds[0]);
    ::close(fds[1]);
    EXPECT_EQ(std::string(buf, n > 0 ? static_cast<size_t>(n) : 0), "into the pipe");
    EXPECT_TRUE(S_ISLNK(LStat(stdoutLink).st_mode));

    const std::string socketPath = dir.File("socket");
    int listener =
        ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0); // a broken writer never connects
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strcpy(addr.sun_path, socketPath.c_str());
    ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    r = WriteOutputFile(socketPath, "over the socket");
    EXPECT_TRUE(r.ok) << r.reason;
    int peer = ::accept(listener, nullptr, nullptr);
    n = peer >= 0 ? ::read(peer, buf, sizeof buf) : -1;
    ::close(peer);
    ::close(listener);
    EXPECT_EQ(std::string(buf, n > 0 ? static_cast<size_t>(n) : 0), "over the socket");
    EXPECT_TRUE(S_ISSOCK(LStat(socketPath).st_mode));

    const std::string null = dir.File("null");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "mknod needs CAP_MKNOD";
    r = WriteOutputFile(null, "discarded");
    EXPECT_TRUE(r.ok) << r.reason;
    struct stat st = LStat(null);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
    EXPECT_EQ(st.st_rdev, makedev(1, 3));
    EXPECT_EQ(EntriesIn(dir.Path()), 4u); // fifo, stdout, socket, null: nothing left beside them
}

TEST(OutputFile, RefusesWhatItCannotWriteAndSaysWhy) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("folder"));
    struct Case {
        std::string path, reasonHas;
    } cases[] = {
        {"", "no file name"},
        {dir.File("folder"), "folder"},
        {dir.File("missing/out"), "No such file or directory"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        WriteResult r = WriteOutputFile(c.path, "x");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.reason.find(c.reasonHas), std::string::npos) << r.reason;
    }
    EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder")));
    EXPECT_EQ(EntriesIn(dir.Path()), 1u);
}

// The temporary name once was PATH.tmp-PID, opened with a plain fopen: a link planted there
// redirected the write, and a long name overflowed NAME_MAX.
TEST(OutputFile, TemporaryNameCannotBeHijackedAndFitsLongNames) {
    TempDir dir;
    WriteFile(dir.File("victim"), "keep me");
    const std::string out = dir.File("report.txt");
    std::filesystem::create_symlink(dir.File("victim"), out + ".tmp-" + std::to_string(::getpid()));
    ASSERT_TRUE(WriteOutputFile(out, "report").ok);
    EXPECT_EQ(ReadFile(dir.File("victim")), "keep me");
    EXPECT_EQ(ReadFile(out), "report");

    const std::string longName = dir.File(std::string(250, 'n'));
    WriteResult r = WriteOutputFile(longName, "long");
    ASSERT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(ReadFile(longName), "long");
    EXPECT_EQ(EntriesIn(dir.Path()), 4u); // victim, planted link, report.txt, the long one
}

TEST(OutputFile, DashIsStandardOutput) {
    TempDir dir;
    const std::string captured = dir.File("stdout");
    int file = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(file, 0);
    int savedOut = ::dup(STDOUT_FILENO);
    int savedCwd = ::open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::chdir(dir.Path().c_str()), 0);
    ::dup2(file, STDOUT_FILENO);
    WriteResult r = WriteOutputFile("-", "to the terminal");
    ::dup2(savedOut, STDOUT_FILENO);
    ASSERT_EQ(::fchdir(savedCwd), 0);
    ::close(savedOut);
    ::close(savedCwd);
    ::close(file);
    EXPECT_TRUE(r.ok) << r.reason;
    EXPECT_EQ(ReadFile(captured), "to the terminal");
    EXPECT_FALSE(std::filesystem::exists(dir.File("-")));
}

// A program ended while it writes leaves no temporary file beside the target: the ending
// signals remove its name, and where the file is written unnamed even SIGKILL finds none.
TEST(OutputFile, NoTemporaryFileOutlivesASignal) {
    const std::string bytes(16 * 1024 * 1024, 'x');
    for (int signal : {SIGTERM, SIGINT, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(signal);
        TempDir dir;
        for (int delayUs = 0; delayUs < 20000; delayUs += 1000) {
            pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                for (;;)
                    WriteOutputFile(dir.File("out"), bytes);
            }
            ::usleep(static_cast<useconds_t>(2000 + delayUs));
            ::kill(child, signal);
            int status = 0;
            ::waitpid(child, &status, 0);
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal);
        }
        for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
            EXPECT_EQ(e.path().filename(), "out");
    }
}

// As the shell's ">" refuses it: a file the user may not write, in a folder they may.
TEST(OutputFile, RefusesToReplaceAFileTheUserMayNotWrite) {
    TempDir dir;
    WriteFile(dir.File("locked"), "keep me");
    ASSERT_EQ(::chmod(dir.File("locked").c_str(), 0444), 0);
    ASSERT_EQ(::link(dir.File("locked").c_str(), dir.File("other-name").c_str()), 0);
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // root may write anything; an ordinary user owning the folder may not write the file
        if (::geteuid() == 0 && (::chown(dir.Path().c_str(), 65534, 65534) != 0 ||
                                 ::setgid(65534) != 0 || ::setuid(65534) != 0))
            ::_exit(3);
        WriteResult r = WriteOutputFile(dir.File("locked"), "replaced");
        ::_exit(r.ok ? 1 : r.reason.find("not replaced") != std::string::npos ? 0 : 2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(ReadFile(dir.File("locked")), "keep me");
    EXPECT_EQ(LStat(dir.File("locked")).st_nlink, 2u);
    EXPECT_EQ(EntriesIn(dir.Path()), 2u);
}

// A document made in pieces may run out of memory half way: that fails as a full disk fails,
// with the reason, the target as it was and no temporary file left.
TEST(OutputFile, ADocumentThatRunsOutOfMemoryReplacesNothing) {
    for (bool existing : {true, false}) {
        SCOPED_TRACE(existing ? "an existing file" : "a new name");
        TempDir dir;
        if (existing) WriteFile(dir.File("out"), "old report\n");
        WriteResult r = WriteOutputFile(dir.File("out"), [](const PieceSink& put) {
            put("half of a ");
            throw std::bad_alloc();
        });
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.reason.find(std::strerror(ENOMEM)), std::string::npos) << r.reason;
        if (existing) EXPECT_EQ(ReadFile(dir.File("out")), "old report\n");
        EXPECT_EQ(EntriesIn(dir.Path()), existing ? 1u : 0u);
    }
}
