#include "OutputFile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <new>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <iterator>
#include <optional>
#include <sys/random.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>
#endif

namespace hl {

namespace {

WriteResult Failed(const std::string& path, const std::string& why) {
    return {false, path + ": " + why};
}

WriteResult FromErrno(const std::string& path) {
    return Failed(path, std::strerror(errno));
}

} // namespace

#ifndef _WIN32

namespace {

bool WriteBytes(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// Every piece in order; the pieces after a failed write are not written. A document that runs
// out of memory while it is made fails like a full disk: the temporary file is removed.
bool WriteAll(int fd, const DocumentPieces& pieces) {
    bool ok = true;
    try {
        pieces([&](std::string_view piece) { return ok = ok && WriteBytes(fd, piece); });
    } catch (const std::bad_alloc&) {
        errno = ENOMEM;
        return false;
    }
    return ok;
}

std::string Folder(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows a chain of symbolic links to the name that is not one (which may not exist yet).
// ELOOP after as many links as the kernel itself follows.
bool FinalTarget(std::string& path) {
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::string link(PATH_MAX, '\0');
        ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0) return false;
        link.resize(static_cast<size_t>(n));
        path = link.front() == '/' ? link : Folder(path) + "/" + link;
    }
    errno = ELOOP;
    return false;
}

// open() refuses a socket; a listening one takes the bytes over a connection.
WriteResult WriteToSocket(const std::string& path, const DocumentPieces& pieces) {
    sockaddr_un addr{};
    if (path.size() >= sizeof addr.sun_path) return Failed(path, std::strerror(ENAMETOOLONG));
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return FromErrno(path);
    bool ok =
        ::connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && WriteAll(fd, pieces);
    WriteResult result = ok ? WriteResult{true, {}} : FromErrno(path);
    ::close(fd);
    return result;
}

// Devices and FIFOs are written in place: renaming over them would replace the node.
WriteResult WriteInPlace(const std::string& path, const DocumentPieces& pieces) {
    int fd = ::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return FromErrno(path);
    bool ok = WriteAll(fd, pieces);
    WriteResult result = ok ? WriteResult{true, {}} : FromErrno(path);
    if (::close(fd) != 0 && result.ok) result = FromErrno(path);
    return result;
}

mode_t NewFileMode() {
    mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

// The temporary file's name while it has one, in a fixed buffer: the signal handler that
// removes it may not allocate.
char gTempName[PATH_MAX];
volatile sig_atomic_t gTempNamed = 0;
constexpr int kEndingSignals[] = {SIGTERM, SIGINT, SIGHUP};

extern "C" void RemoveTempAndEnd(int signal) {
    if (gTempNamed) ::unlink(gTempName);
    ::signal(signal, SIG_DFL);
    ::raise(signal); // delivered, with its usual effect, once the handler returns
}

// While it lives, SIGTERM, SIGINT and SIGHUP remove the temporary file before they end the
// program. A signal the program already handles or ignores is left to it.
class RemovedOnSignal {
public:
    RemovedOnSignal() {
        struct sigaction act {};
        act.sa_handler = RemoveTempAndEnd;
        sigemptyset(&act.sa_mask);
        for (int signal : kEndingSignals)
            sigaddset(&act.sa_mask, signal);
        for (size_t i = 0; i < std::size(kEndingSignals); ++i) {
            struct sigaction previous {};
            installed_[i] = ::sigaction(kEndingSignals[i], nullptr, &previous) == 0 &&
                            !(previous.sa_flags & SA_SIGINFO) && previous.sa_handler == SIG_DFL &&
                            ::sigaction(kEndingSignals[i], &act, nullptr) == 0;
        }
    }
    ~RemovedOnSignal() {
        gTempNamed = 0;
        for (size_t i = 0; i < std::size(kEndingSignals); ++i)
            if (installed_[i]) ::signal(kEndingSignals[i], SIG_DFL);
    }
    RemovedOnSignal(const RemovedOnSignal&) = delete;
    RemovedOnSignal& operator=(const RemovedOnSignal&) = delete;

    // The name the handler removes from now on; false when it does not fit.
    bool Name(const std::string& name) {
        gTempNamed = 0;
        if (name.size() >= sizeof gTempName) return false;
        std::memcpy(gTempName, name.c_str(), name.size() + 1);
        gTempNamed = 1;
        return true;
    }

private:
    bool installed_[std::size(kEndingSignals)] = {};
};

// Mode, owner and bytes of a new file; false, with errno set, when one of them fails.
bool FillFile(int fd, const DocumentPieces& pieces, const struct stat* existing) {
    if (existing) {
        // Another user's file may not be given back to them; it keeps at least its mode.
        (void)!::fchown(fd, existing->st_uid, existing->st_gid);
    }
    return ::fchmod(fd, existing ? existing->st_mode & 07777 : NewFileMode()) == 0 &&
           WriteAll(fd, pieces) && ::fsync(fd) == 0;
}

WriteResult RenamedInto(const std::string& path, const std::string& folder) {
    if (::rename(gTempName, path.c_str()) == 0) {
        SyncFolder(folder);
        return {true, {}};
    }
    WriteResult result = FromErrno(path);
    ::unlink(gTempName);
    return result;
}

// The temporary name is short and fixed in length, so a target name of 255 bytes still fits,
// and unpredictable.
std::string TempName(const std::string& folder) {
    static const char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    unsigned char random[6] = {};
    if (::getrandom(random, sizeof random, GRND_NONBLOCK) != sizeof random) {
        unsigned seed = static_cast<unsigned>(::getpid()) ^ static_cast<unsigned>(::time(nullptr));
        for (unsigned char& r : random)
            r = static_cast<unsigned char>(::rand_r(&seed));
    }
    std::string name = folder + "/.hardlens-";
    for (unsigned char r : random)
        name += kLetters[r % (sizeof kLetters - 1)];
    return name;
}

// Gives the complete unnamed file a temporary name: by its descriptor where allowed, else
// through its /proc link. An existing name is never replaced.
bool LinkUnnamed(int fd, const std::string& folder, RemovedOnSignal& guard) {
    const std::string proc = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 64; ++attempt) {
        if (!guard.Name(TempName(folder))) return false;
        if (::linkat(fd, "", AT_FDCWD, gTempName, AT_EMPTY_PATH) == 0 ||
            ::linkat(AT_FDCWD, proc.c_str(), AT_FDCWD, gTempName, AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno != EEXIST) break;
    }
    gTempNamed = 0;
    return false;
}

// The file is written while it has no name (O_TMPFILE) and named only to be renamed: even a
// SIGKILL then leaves nothing. Nothing when the filesystem or the kernel offers no such file.
std::optional<WriteResult> ReplaceThroughUnnamed(const std::string& path,
                                                 const DocumentPieces& pieces,
                                                 const struct stat* existing) {
    const std::string folder = Folder(path);
    int fd = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd < 0) return std::nullopt;
    if (!FillFile(fd, pieces, existing)) {
        WriteResult result = FromErrno(path);
        ::close(fd);
        return result;
    }
    RemovedOnSignal guard;
    bool named = LinkUnnamed(fd, folder, guard);
    ::close(fd);
    if (!named) return std::nullopt;
    return RenamedInto(path, folder);
}

// A temporary file with a name from the start; O_EXCL|O_NOFOLLOW refuse a file or link planted
// under it.
WriteResult ReplaceThroughNamed(const std::string& path, const DocumentPieces& pieces,
                                const struct stat* existing) {
    const std::string folder = Folder(path);
    RemovedOnSignal guard;
    if (!guard.Name(folder + "/.hardlens-XXXXXX")) return Failed(path, std::strerror(ENAMETOOLONG));
    int fd = ::mkostemp(gTempName, O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return FromErrno(path);
    bool ok = FillFile(fd, pieces, existing);
    int why = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        why = errno;
    }
    if (ok) return RenamedInto(path, folder);
    ::unlink(gTempName);
    return Failed(path, std::strerror(why));
}

WriteResult ReplaceAtomically(const std::string& path, const DocumentPieces& pieces,
                              const struct stat* existing) {
    if (auto result = ReplaceThroughUnnamed(path, pieces, existing)) return *result;
    return ReplaceThroughNamed(path, pieces, existing);
}

} // namespace

WriteResult WriteOutputFile(const std::string& path, const DocumentPieces& pieces) {
    if (path.empty()) return {false, "no file name given"};
    if (path == "-")
        return WriteAll(STDOUT_FILENO, pieces) ? WriteResult{true, {}}
                                               : FromErrno("standard output");
    // The kernel follows the links, /proc's "pipe:[N]" ones included (/dev/stdout in a pipe).
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        if (errno != ENOENT) return FromErrno(path);
        std::string target = path; // a new name, or a link to one
        if (!FinalTarget(target)) return FromErrno(path);
        return ReplaceAtomically(target, pieces, nullptr);
    }
    if (S_ISREG(st.st_mode)) {
        std::string target = path;
        struct stat resolved {};
        if (!FinalTarget(target) || ::stat(target.c_str(), &resolved) != 0) return FromErrno(path);
        // A link that names no real path (a /proc descriptor of a deleted file) is written into.
        if (resolved.st_dev != st.st_dev || resolved.st_ino != st.st_ino)
            return WriteInPlace(path, pieces);
        // Replacing needs only the folder; a file the user may not write is refused, as the
        // shell's ">" refuses it.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
            return Failed(path, std::string(std::strerror(errno)) + "; not replaced");
        return ReplaceAtomically(target, pieces, &st);
    }
    if (S_ISDIR(st.st_mode)) return Failed(path, "is a folder; give a file name");
    if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) return WriteInPlace(path, pieces);
    if (S_ISSOCK(st.st_mode)) {
        std::string target = path; // connect() needs the socket's own name
        if (!FinalTarget(target)) return FromErrno(path);
        return WriteToSocket(target, pieces);
    }
    return Failed(path, "is a block device; not written");
}

#else

namespace {

bool WriteAll(FILE* f, const DocumentPieces& pieces) {
    bool ok = true;
    try {
        pieces([&](std::string_view piece) {
            return ok = ok && std::fwrite(piece.data(), 1, piece.size(), f) == piece.size();
        });
    } catch (const std::bad_alloc&) {
        return false;
    }
    return ok;
}

WriteResult FromLastError(const std::string& path) {
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   GetLastError(), 0, text, sizeof text, nullptr);
    std::string why = text;
    while (!why.empty() && (why.back() == '\n' || why.back() == '\r'))
        why.pop_back();
    return Failed(path, why);
}

} // namespace

// Paths are in the ANSI code page here, as the command line and the environment give them.
WriteResult WriteOutputFile(const std::string& path, const DocumentPieces& pieces) {
    if (path.empty()) return {false, "no file name given"};
    if (path == "-") {
        _setmode(_fileno(stdout), _O_BINARY); // the bytes carry their own CRLF
        bool ok = WriteAll(stdout, pieces) && std::fflush(stdout) == 0;
        return ok ? WriteResult{true, {}} : FromErrno("standard output");
    }
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return Failed(path, "is a folder; give a file name");
    std::string folder = ".";
    if (size_t sep = path.find_last_of("\\/"); sep != std::string::npos)
        folder = path.substr(0, sep + 1);
    char temp[MAX_PATH + 1] = {};
    if (GetTempFileNameA(folder.c_str(), "hl", 0, temp) == 0) return FromLastError(folder);
    FILE* f = std::fopen(temp, "wb");
    bool ok = f && WriteAll(f, pieces);
    ok = f && std::fflush(f) == 0 && _commit(_fileno(f)) == 0 && ok;
    ok = f && std::fclose(f) == 0 && ok;
    if (ok && MoveFileExA(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {true, {}};
    WriteResult result = FromLastError(path);
    DeleteFileA(temp);
    return result;
}

#endif

WriteResult WriteOutputFile(const std::string& path, const std::string& bytes) {
    return WriteOutputFile(path, [&bytes](const PieceSink& put) { put(bytes); });
}

} // namespace hl
